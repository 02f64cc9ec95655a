// A graph window without a screen: plain values for everything a coordinate
// system and its figures ask, with the range labels written as text into the
// image. Used by the command-line program; the tests build on it.
#pragma once

#include <array>
#include <string>

#include "figures/tcoordshost.h"
#include "figures/tfigurehost.h"

class theadlesshost : public tcoordshost, public tfigurehost {
 public:
  struct tlabel {
    int left = 0;
    int top = 0;
    std::string text = " ";
    platform::colour col = platform::black;
  };

  int width = 0;
  int height = 0;
  platform::colour background = platform::white;
  int tool = toolcode::select;
  tcoordsoptions options;
  platform::font labelfont{"Arial", 8, platform::black, false, false, false};
  std::array<tlabel, 4> labels{};
  platform::point xarrow;
  platform::point yarrow;

  std::array<float, 6> values{0, 1, 1, 1, 1, 1};  // index 1..5
  std::array<float, 6> mins{0, -100, -100, -100, -100, -100};
  std::array<float, 6> maxs{0, 100, 100, 100, 100, 100};
  std::array<float, 6> steps{0, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f};
  std::array<std::string, 6> formats{"", "%.2f", "%.2f", "%.2f", "%.2f", "%.2f"};
  bool roundvalues = false;
  std::string name = "F(x) =";
  char separator = '.';
  bool active = true;
  bool applying = false;
  std::array<std::string, 6> paramtexts{};
  platform::point mouse;

  // tcoordshost
  int clientwidth() const override { return width; }
  int clientheight() const override { return height; }
  platform::colour windowcolour() const override { return background; }
  int currenttool() const override { return tool; }
  tcoordsoptions coordsoptions() const override { return options; }
  platform::point rangelabelsize(int which, platform::surface& canvas) override;
  void placerangelabel(int which, int left, int top, const std::string& text,
                       platform::colour textcolour) override;
  void showrangelabels(platform::surface& image) override;
  void placearrows(platform::point x, platform::point y) override;
  void drawtextlabels(platform::surface&) override {}

  // tfigurehost
  float paramvalue(int k) const override { return values[index(k)]; }
  float parammin(int k) const override { return mins[index(k)]; }
  float parammax(int k) const override { return maxs[index(k)]; }
  float paramstep(int k) const override { return steps[index(k)]; }
  std::string paramformat(int k) const override { return formats[index(k)]; }
  bool alwaysround() const override { return roundvalues; }
  std::string funcname() const override { return name; }
  char decimalseparator() const override { return separator; }
  bool windowactive() const override { return active; }
  bool panelapplying() const override { return applying; }
  void setparamtext(int k, const std::string& text) override { paramtexts[index(k)] = text; }
  void changef2(tfigure&) override {}
  platform::point lastmouse() const override { return mouse; }
  void setlastmouse(platform::point p) override { mouse = p; }
  void clearselection() override {}
  void addtoselection(tfigure&) override {}
  void resetvisi(tfigure&) override {}
  void repant() override {}
  void bringtofront() override {}

 protected:
  static int index(int k) { return k >= 1 && k <= 5 ? k : 0; }
};
