// A graph window's label side without Qt: a coordinate system with a
// recording image, a recording screen, a memo and a font window that keep
// what they are told, and a log of the window calls the label steps make.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "figures/tcoords.h"
#include "figures/theadlesshost.h"
#include "graph/tlabeltool.h"
#include "support/recordingsurface.h"

class fakememo : public tlabelmemo {
 public:
  platform::rect r;
  std::vector<std::string> text;
  platform::font f;
  bool shown = false;
  int focused = 0;

  platform::rect bounds() const override { return r; }
  void setbounds(const platform::rect& b) override { r = b; }
  std::vector<std::string> lines() const override { return text; }
  void setlines(const std::vector<std::string>& l) override { text = l; }
  platform::font font() const override { return f; }
  void setfont(const platform::font& x) override { f = x; }
  bool visible() const override { return shown; }
  void setvisible(bool on) override { shown = on; }
  void setfocus() override { ++focused; }
};

class fakefonts : public tlabelfonts {
 public:
  explicit fakefonts(fakememo& memo) : memo_(memo) {}
  platform::font current{"Arial", 10, platform::rgb(255, 0, 0), true, false, false};
  platform::font loaded;
  bool shown = false;

  void applyall() override { memo_.f = current; }
  void loadfont(const platform::font& f) override { loaded = f; }
  bool visible() const override { return shown; }
  void setvisible(bool on) override { shown = on; }

 private:
  fakememo& memo_;
};

class labelrig : public tlabelhost {
 public:
  theadlesshost window;
  recordingimagefactory factory;
  tcoords coords;
  recordingsurface screen;
  fakememo memo_;
  fakefonts fonts_{memo_};
  bool lock = false;
  platform::point down_;
  bool figures = false;
  int pants = 0;
  std::vector<bool> cutcopy;
  int selecttools = 0;
  int texttools = 0;
  std::string formula;
  tlabeltool tool{*this};

  explicit labelrig(int w = 400, int h = 300) : screen(w, h) {
    window.width = w;
    window.height = h;
    coords.create(window, factory);
    coords.setup(0, 0, w, h, -10, 10, -10, 10);
    coords.image->resize(w, h);
  }
  ~labelrig() override { coords.destroy(); }

  recordingsurface& image() { return static_cast<recordingimage&>(*coords.image).recorder(); }

  // A label placed at a pixel rectangle with its world point set.
  tgralab& addlabel(int left, int top, int width, int height, std::vector<std::string> text) {
    auto l = std::make_unique<tgralab>();
    l->left = left;
    l->top = top;
    l->width = width;
    l->height = height;
    l->owner = this;
    l->text = std::move(text);
    l->setworld();
    l->grab();
    return tool.add(std::move(l));
  }

  // --- tlabelowner
  tcoords& labelcoords() override { return coords; }
  platform::surface* labelscreen() override { return &screen; }
  int labelclientwidth() const override { return window.width; }
  int labelclientheight() const override { return window.height; }
  platform::imagefactory& labelimages() override { return factory; }
  void labelshown() override {}

  // --- tlabelhost
  tlabelmemo& memo() override { return memo_; }
  tlabelfonts& fontwindow() override { return fonts_; }
  bool paintlocked() const override { return lock; }
  void setpaintlock(bool on) override { lock = on; }
  platform::point down() const override { return down_; }
  void setdown(platform::point p) override { down_ = p; }
  bool hasfigures() const override { return figures; }
  void pant() override {
    ++pants;
    coords.drawbackground();
    coords.drawaxes();
    tool.drawlabels();
  }
  void enablecutcopy(bool on) override { cutcopy.push_back(on); }
  void selecttool() override { ++selecttools; }
  void texttool() override { ++texttools; }
  void clearhint() override {}
  void focuswindow() override {}
  std::string primaryformula() override { return formula; }
};
