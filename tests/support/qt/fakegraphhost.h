// A frame and function panel for one graph window without the main window:
// the panel keeps the figures in a list and remembers what it was told, the
// frame holds the status texts and an MDI area to put the window in.
#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "graph/tclipbrd.h"
#include "graph/tgraphhost.h"
#include "graph/tgrform.h"
#include "platform/services.h"
#include "settings/toptions.h"

class fakegraphpanel : public tgraphpanel {
 public:
  std::vector<std::unique_ptr<tfigure>> figures;
  int family = 10;  // "Ingen funksjoner"
  std::array<float, 5> values{1, 0, 0, 0, 0};
  std::array<uint8_t, 5> bars{};
  tfigure* shown = nullptr;  // the figure whose values the panel shows
  std::array<std::string, 6> paramtexts;

  const std::vector<std::unique_ptr<tfigure>>& figurelist() const override { return figures; }
  int selectedfamily() const override { return family; }
  float boxvalue(int k) const override { return values[static_cast<size_t>(k - 1)]; }
  float boxmin(int) const override { return -10; }
  float boxmax(int) const override { return 10; }
  char letter(int k) const override { return static_cast<char>('a' + k - 1); }

  tfigure& addfig(std::unique_ptr<tfigure> figure, tgrform& window) override {
    tfigure& f = *figure;
    figures.insert(figures.begin() + window.lastfig, std::move(figure));
    window.lastfig += 1;
    family = f.kind;
    shown = &f;
    return f;
  }
  std::unique_ptr<tfigure> deletefig(tfigure& figure) override {
    auto i = std::find_if(figures.begin(), figures.end(),
                          [&](const auto& f) { return f.get() == &figure; });
    if (i == figures.end()) return nullptr;
    std::unique_ptr<tfigure> taken = std::move(*i);
    figures.erase(i);
    if (shown == &figure) shown = nullptr;
    return taken;
  }
  void changef2(tfigure& figure) override { shown = &figure; }
  void hidebars(const std::array<uint8_t, 5>& states) override { bars = states; }
  void resetfamilies() override { family = 10; }
  void selectfamily(int entry) override { family = entry; }
  void setparamtext(int k, const std::string& text) override {
    paramtexts[static_cast<size_t>(k)] = text;
  }
  void refresh() override {}
};

class fakegraphhost : public tgraphhost, public tcliphost {
 public:
  fakegraphhost(platform::services& services, platform::imagefactory& images)
      : services_(services),
        images_(images),
        options_(services, "/nonexistent/tarnelo-test/QV.INI"),
        clipboard_(*this) {
    frame_.setCentralWidget(&mdi_);
    frame_.resize(800, 600);
    frame_.show();
  }

  fakegraphpanel panel;
  std::array<QString, 3> panels;
  std::vector<int> toolclicks;

  // A graph window in the frame, made active as a click on it would.
  tgrform& newwindow() {
    windows_.push_back(std::make_unique<tgrform>(*this));
    activewindow = windows_.back().get();
    return *activewindow;
  }

  QWidget& frame() override { return frame_; }
  platform::services& services() override { return services_; }
  platform::imagefactory& images() override { return images_; }
  const tcursors& cursors() const override { return cursors_; }
  QMdiArea& mdi() override { return mdi_; }
  toptions& options() override { return options_; }
  tgraphpanel& func() override { return panel; }
  bool hasfunc() const override { return true; }
  tclipbrd& clipboard() override { return clipboard_; }
  tfontwindow* fontwindow() override { return nullptr; }
  void figureschanged() override {}
  void setpanel(int p, const QString& text) override { panels[static_cast<size_t>(p)] = text; }
  QString paneltext(int p) const override { return panels[static_cast<size_t>(p)]; }
  void enablecutcopy(bool) override {}
  void updateclosewindowitem() override {}
  tframemeasures measures() const override { return {0, 0, 800, 600, 0, 0, 0, 0}; }
  void zoomoutclick() override {}
  void toolclick(int toolcode) override { toolclicks.push_back(toolcode); }

  // tcliphost
  void enablepaste(bool) override {}
  void enableundodelete(bool) override {}
  bool setcustomformula(const std::string&) override { return false; }
  void setboxvalue(int, float) override {}
  void showboxtext(int, float) override {}
  void showemptypanel() override {}

 private:
  platform::services& services_;
  platform::imagefactory& images_;
  QMainWindow frame_;
  QMdiArea mdi_;  // goes before the frame that shows it
  tcursors cursors_;
  toptions options_;
  tclipbrd clipboard_;
  std::vector<std::unique_ptr<tgrform>> windows_;  // go first: they call on all of the above
};
