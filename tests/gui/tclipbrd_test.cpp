// The figure clipboard: cut, copy, paste and delete of figures and labels,
// undo into the window of the deletion only and only once, and what a value
// keeps on its way through the parameter boxes.
#include "graph/tclipbrd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcustom.h"
#include "labelrig.h"
#include "support/fakefigurehost.h"

namespace {

// The main window and panel: enabled states, the boxes and the current formula.
class fakeprogram : public tcliphost {
 public:
  fakefigurehost boxes{400, 300};  // paramvalue(k) is what a new figure takes
  texpression current;
  bool paste = true;  // set so that the constructor is seen to disable it
  bool undo = true;
  bool cutcopy = false;
  int emptypanels = 0;
  std::map<int, float> shown;

  void enablepaste(bool on) override { paste = on; }
  void enableundodelete(bool on) override { undo = on; }
  void enablecutcopy(bool on) override { cutcopy = on; }
  bool setcustomformula(const std::string& text) override {
    texpression e;
    parseexpr(e, text);
    if (e.errcode != 0) return false;
    current = e;
    return true;
  }
  void setboxvalue(int k, float value) override { boxes.values[static_cast<size_t>(k)] = value; }
  void showboxtext(int k, float value) override { shown[k] = value; }
  void showemptypanel() override { ++emptypanels; }
};

// A graph window holding its own figures in place of the panel's range.
class fakewindow : public labelrig, public tclipwindow {
 public:
  explicit fakewindow(fakeprogram& program) : program_(program) {}

  std::vector<std::unique_ptr<tfigure>> figs;
  std::vector<tfigure*> selection;

  tfigure& add(int kind, std::array<double, 6> params = {}) {
    for (int k = 1; k <= 5; ++k) program_.boxes.values[static_cast<size_t>(k)] = 1;
    tfigure* f = creategraph(kind);
    for (int k = 1; k <= 5; ++k)
      if (params[static_cast<size_t>(k)] != 0) f->param[static_cast<size_t>(k)] = params[k];
    return *f;
  }
  void select(std::vector<tfigure*> s) {
    clearselection();
    selection = std::move(s);
    for (tfigure* f : selection) f->selected = true;
  }

  tlabeltool& labeltool() override { return tool; }
  std::vector<tfigure*> selectedfigures() override { return selection; }
  bool hasfigures() const override { return !figs.empty(); }
  void deletefigure(tfigure& figure) override {
    selection.erase(std::remove(selection.begin(), selection.end(), &figure), selection.end());
    figs.erase(std::find_if(figs.begin(), figs.end(), [&](auto& p) { return p.get() == &figure; }));
  }
  void clearselection() override {
    for (tfigure* f : selection) f->selected = false;
    selection.clear();
  }
  void selectfirst() override { select({figs.front().get()}); }
  tfigure* creategraph(int kind) override {
    std::unique_ptr<tfigure> f = makefigure(kind, coords, program_.boxes);
    if (!f) return nullptr;
    if (auto* c = dynamic_cast<tcustom*>(f.get())) c->setformula(program_.current);
    f->reset();
    figs.push_back(std::move(f));
    select({figs.back().get()});
    return figs.back().get();
  }
  void repant() override {}
  void pant() override { labelrig::pant(); }

 private:
  fakeprogram& program_;
};

struct rig {
  fakeprogram program;
  tclipbrd clipboard{program};
  fakewindow one{program};
  fakewindow two{program};
};

TEST(tclipbrd, StartsWithPasteAndUndoDisabled) {
  rig r;
  EXPECT_FALSE(r.program.paste);
  EXPECT_FALSE(r.program.undo);
  r.clipboard.paste(r.one);  // nothing held: nothing happens
  EXPECT_TRUE(r.one.figs.empty());
  r.clipboard.undodelete(r.one);
  EXPECT_TRUE(r.one.figs.empty());
}

TEST(tclipbrd, CutTheOnlyFigureLeavesTheEmptyPanelAndPasteTwiceGivesTwoSets) {
  rig r;
  tfigure& line = r.one.add(family::line, {0, 2, 3});
  tfigure& sine = r.one.add(family::sine, {0, 1, 2, 0.5, -1});
  r.one.select({&sine, &line});
  r.clipboard.cut(r.one);
  EXPECT_TRUE(r.one.figs.empty());
  EXPECT_EQ(r.program.emptypanels, 1);
  EXPECT_TRUE(r.program.paste);

  r.clipboard.paste(r.two);
  r.clipboard.paste(r.two);
  ASSERT_EQ(r.two.figs.size(), 4u);
  const std::array<int, 4> kinds{family::sine, family::line, family::sine, family::line};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(r.two.figs[i]->kind, kinds[i]) << i;
  EXPECT_EQ(r.two.figs[1]->param[1], 2.0);
  EXPECT_EQ(r.two.figs[2]->param[4], -1.0);
  EXPECT_TRUE(r.program.paste);
  // The boxes show the last figure's values.
  EXPECT_EQ(r.program.shown.at(1), 2.0f);
  EXPECT_EQ(r.program.shown.at(2), 3.0f);
}

TEST(tclipbrd, CutKeepsTheRestSelectedFromTheFirstFigure) {
  rig r;
  tfigure& a = r.one.add(family::line);
  tfigure& b = r.one.add(family::parabola);
  r.one.select({&b});
  r.clipboard.cut(r.one);
  ASSERT_EQ(r.one.selection.size(), 1u);
  EXPECT_EQ(r.one.selection[0], &a);
  EXPECT_EQ(r.program.emptypanels, 0);
}

TEST(tclipbrd, ParametersComeBackThroughSinglePrecision) {
  struct row {
    const char* name;
    double value;
  };
  const row rows[] = {{"0.1", 0.1}, {"-2.37", -2.37}, {"1/3", 1.0 / 3.0}, {"exact 0.5", 0.5}};
  for (const row& w : rows) {
    rig r;
    tfigure& f = r.one.add(family::vertexparab);
    f.param[2] = w.value;
    r.one.select({&f});
    r.clipboard.cut(r.one);
    r.clipboard.paste(r.one);
    ASSERT_EQ(r.one.figs.size(), 1u) << w.name;
    EXPECT_EQ(r.one.figs[0]->param[2], static_cast<double>(static_cast<float>(w.value))) << w.name;
  }
}

TEST(tclipbrd, FrozenFlagAndUserFormulaCarryOver) {
  rig r;
  ASSERT_TRUE(r.program.setcustomformula("a*x^2+b"));
  tfigure& f = r.one.add(family::custom, {0, 3, -1});
  f.frozen = true;
  r.one.select({&f});
  r.clipboard.copy(r.one);
  ASSERT_TRUE(r.program.setcustomformula("x"));
  r.clipboard.paste(r.two);
  ASSERT_EQ(r.two.figs.size(), 1u);
  const auto* c = dynamic_cast<const tcustom*>(r.two.figs[0].get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->formulatext, "a*x^2+b");
  EXPECT_TRUE(c->frozen);
  EXPECT_EQ(c->param[1], 3.0);
  EXPECT_EQ(r.one.figs.size(), 1u);  // copy leaves the window alone
}

TEST(tclipbrd, UndoDeleteOnlyOnceAndOnlyIntoItsWindow) {
  rig r;
  tfigure& f = r.one.add(family::cubic, {0, 1, -2, 0.25, 4});
  r.one.select({&f});
  r.clipboard.deleteselection(r.one);
  EXPECT_TRUE(r.one.figs.empty());
  EXPECT_TRUE(r.program.undo);
  EXPECT_FALSE(r.program.paste);  // deleting is no cut

  r.clipboard.activated(r.two);
  EXPECT_FALSE(r.program.undo);
  r.clipboard.undodelete(r.two);
  EXPECT_TRUE(r.two.figs.empty());

  r.clipboard.activated(r.one);
  EXPECT_TRUE(r.program.undo);
  r.clipboard.undodelete(r.one);
  ASSERT_EQ(r.one.figs.size(), 1u);
  EXPECT_EQ(r.one.figs[0]->kind, family::cubic);
  EXPECT_EQ(r.one.figs[0]->param[3], 0.25);
  EXPECT_FALSE(r.program.undo);

  // Switching windows does not bring a second restore back.
  r.clipboard.activated(r.two);
  r.clipboard.activated(r.one);
  EXPECT_FALSE(r.program.undo);
  r.clipboard.undodelete(r.one);
  EXPECT_EQ(r.one.figs.size(), 1u);
}

TEST(tclipbrd, DeletedLabelUndoFollowsTheActiveWindow) {
  rig r;
  r.one.addlabel(40, 40, 60, 30, {"merk"});
  r.one.tool.labelclick(50, 50);
  r.clipboard.deleteselection(r.one);
  EXPECT_TRUE(r.one.tool.labels.empty());
  EXPECT_EQ(r.one.tool.selectedlabel, nullptr);
  r.clipboard.activated(r.two);
  EXPECT_FALSE(r.program.undo);
  r.clipboard.activated(r.one);
  EXPECT_TRUE(r.program.undo);
  r.clipboard.undodelete(r.one);
  ASSERT_EQ(r.one.tool.labels.size(), 1u);
  const tgralab& l = *r.one.tool.labels[0];
  EXPECT_EQ(l.text, (std::vector<std::string>{"merk"}));
  EXPECT_EQ(l.left, 40);
  EXPECT_EQ(r.one.tool.selectedlabel, &l);
  EXPECT_FALSE(r.program.undo);
  EXPECT_TRUE(r.program.cutcopy);
}

TEST(tclipbrd, PastedLabelsOffsetFiveFromTheHeldCopy) {
  rig r;
  tgralab& source = r.one.addlabel(40, 40, 60, 30, {"tekst"});
  source.font.bold = true;
  r.one.tool.labelclick(50, 50);
  r.clipboard.copy(r.one);
  EXPECT_TRUE(r.program.paste);
  r.clipboard.paste(r.two);
  r.clipboard.paste(r.two);
  ASSERT_EQ(r.two.tool.labels.size(), 2u);
  for (const auto& l : r.two.tool.labels) {
    EXPECT_EQ(l->left, 45);
    EXPECT_EQ(l->top, 45);
    EXPECT_EQ(l->text, source.text);
    EXPECT_EQ(l->font, source.font);
    EXPECT_EQ(l->owner, &r.two);
  }
  EXPECT_EQ(r.two.tool.selectedlabel, r.two.tool.labels[1].get());
  EXPECT_EQ(r.one.tool.labels.size(), 1u);
}

TEST(tclipbrd, PasteBringsALabelBeforeHeldFigures) {
  rig r;
  tfigure& f = r.one.add(family::line);
  r.one.select({&f});
  r.clipboard.copy(r.one);
  r.one.addlabel(100, 100, 40, 20, {"x"});
  r.one.tool.labelclick(110, 110);
  r.clipboard.cut(r.one);  // a label cut keeps the held figures
  EXPECT_TRUE(r.one.tool.labels.empty());
  EXPECT_EQ(r.clipboard.clip.size(), 1u);
  r.clipboard.paste(r.two);
  EXPECT_EQ(r.two.tool.labels.size(), 1u);
  EXPECT_TRUE(r.two.figs.empty());
}

TEST(tclipbrd, AFormulaThatNoLongerParsesIsLeftOut) {
  rig r;
  r.clipboard.clip.push_back({family::custom, 1, false, {0, 2}, {false, true}, "a*x+"});
  r.clipboard.clip.push_back({family::line, 2, false, {0, 1, 2}, {false, true, true}, ""});
  r.clipboard.paste(r.one);
  ASSERT_EQ(r.one.figs.size(), 1u);
  EXPECT_EQ(r.one.figs[0]->kind, family::line);
}

TEST(tclipbrd, AClosedWindowTakesItsUndoAlongAndItsLabelsStayPastable) {
  rig r;
  auto three = std::make_unique<fakewindow>(r.program);
  three->addlabel(40, 40, 60, 30, {"a"});
  three->tool.labelclick(50, 50);
  r.clipboard.copy(*three);
  three->tool.labelclick(50, 50);
  r.clipboard.deleteselection(*three);
  r.clipboard.windowclosed(*three);
  three.reset();
  EXPECT_EQ(r.clipboard.deletedfrom(), nullptr);
  r.clipboard.activated(r.one);
  EXPECT_FALSE(r.program.undo);
  r.clipboard.paste(r.one);
  ASSERT_EQ(r.one.tool.labels.size(), 1u);
  EXPECT_EQ(r.one.tool.labels[0]->left, 45);
}

TEST(tclipbrd, ClearDropsEverythingAndDisablesBoth) {
  rig r;
  tfigure& f = r.one.add(family::line);
  r.one.select({&f});
  r.clipboard.copy(r.one);
  r.clipboard.deleteselection(r.one);
  r.clipboard.clear();
  EXPECT_FALSE(r.program.paste);
  EXPECT_FALSE(r.program.undo);
  EXPECT_TRUE(r.clipboard.clip.empty());
  EXPECT_TRUE(r.clipboard.deleted.empty());
  r.clipboard.undodelete(r.one);
  EXPECT_TRUE(r.one.figs.empty());
}

}  // namespace
