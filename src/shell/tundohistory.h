// The undo history of the project: every change of the work as one step that
// can be undone (Ctrl+Z) and done again (Ctrl+Y). A step keeps what the
// changed graph windows held before and after it (figures with their
// parameters and fix points, labels, coordinate range; a whole window when it
// opened or closed), taken as states rather than as inverse operations, so
// undo restores every value bit for bit. There is one history for the whole
// program: opening and closing windows are steps of it too.
#pragma once

#include <QRect>
#include <QString>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/tqvrecords.h"
#include "platform/surface.h"

class tmainform;
class tgrform;
class tfigure;

// One figure as the history keeps it: everything the user can change of it.
struct tundofigure {
  uint8_t kind = 0;
  std::array<double, 6> param{};
  std::string formula;  // user-defined figures
  // Only points the pupil placed: otherwise they follow the curve.
  std::array<double, 6> fixx{};
  std::array<double, 6> fixy{};
  int32_t fixcount = 1;
  int32_t curfix = 1;
  bool fixmode = false;
  bool frozen = false;
  bool operator==(const tundofigure&) const = default;
  // Same family and formula: the figure can take the other's values in place.
  bool samecurve(const tundofigure& o) const { return kind == o.kind && formula == o.formula; }
};

struct tundolabel {
  tlabelrecord record;
  double worldx = 0;
  double worldy = 0;
  // A label stays at its world place; the pixels it shows at follow from the
  // window's size and range, so they are no part of the label.
  bool operator==(const tundolabel& o) const {
    tlabelrecord r = record;
    r.left = o.record.left;
    r.top = o.record.top;
    return r == o.record && worldx == o.worldx && worldy == o.worldy;
  }
};

struct tundowindow {
  int id = 0;  // stays with the window when it closes and comes back
  int32_t number = 1;
  QString title;
  QRect geometry;
  std::array<double, 4> range{};              // minx, maxx, miny, maxy
  std::array<platform::colour, 4> colours{};  // axes, grid, passive and active figures
  std::optional<platform::colour> background;
  std::vector<tundofigure> figures;
  std::vector<tundolabel> labels;
  // The same work: where the window stands on the screen is no change of it.
  bool samework(const tundowindow& o) const {
    return id == o.id && range == o.range && figures == o.figures && labels == o.labels;
  }
};

// The windows of the program in window-list order and the active one.
struct tundostate {
  std::vector<tundowindow> windows;
  int active = 0;
  const tundowindow* find(int id) const;
  std::vector<int> order() const;
};

class tundohistory {
 public:
  static constexpr int limit = 1000;

  explicit tundohistory(tmainform& main);
  ~tundohistory();
  tundohistory(const tundohistory&) = delete;
  tundohistory& operator=(const tundohistory&) = delete;

  // After the start-up: the menu commands record their changes from now on,
  // and the work as it is is where the history begins.
  void start();
  // A new or opened project: the history begins again with the work as it is.
  void reset();
  // How many times the history began again (a new or opened project).
  int resets() const { return resets_; }
  // A gesture or command ended: a change since the last step becomes a step.
  // dragverb names a drag of a figure ("flytting"); name, when given, names
  // the whole step (a menu command's own word).
  void record(const QString& dragverb = {}, const QString& name = {});
  // The project was saved: this is the state the modified flag measures from.
  void setsaved();
  void undo();
  void redo();

  QUndoStack& stack() { return stack_; }
  bool applying() const { return applying_; }

  // The work as it is now.
  tundostate snapshot();
  // Makes the work what a step kept: windows in order, those in changed
  // take its contents, windows not in order close, missing ones open again.
  void apply(const std::vector<int>& order, const std::vector<tundowindow>& changed, int active);

  // The name a step gets from what changed between two states.
  QString describe(const tundostate& before, const tundostate& after, const QString& dragverb);

 private:
  // A mouse button is held on a graph window or a box: the gesture is not over.
  bool midgesture() const;
  void endtyping();
  int idof(tgrform& w);
  tgrform* windowbyid(int id) const;
  tundowindow windowstate(tgrform& w);
  tgrform* openwindow(const tundowindow& s);
  void setwork(tgrform& w, const tundowindow& s);
  void setfigures(tgrform& w, const std::vector<tundofigure>& figures);
  void setlabels(tgrform& w, const std::vector<tundolabel>& labels);
  void setrange(tgrform& w, const std::array<double, 4>& range);
  tfigure* makefigure(tgrform& w, const tundofigure& f);
  static void setfixpoints(tfigure& f, const tundofigure& t);
  static bool placedfixpoints(tfigure& f);
  void reorder(const std::vector<int>& order);
  void updateactions();
  QString figurename(const tundostate& state, int windowid, std::size_t index) const;

  tmainform& main_;
  QUndoStack stack_;
  tundostate baseline_;
  bool started_ = false;
  bool applying_ = false;
  int nextid_ = 1;
  int resets_ = 0;
};
