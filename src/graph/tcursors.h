// The program's cursor table: the tool cursors 5-19 loaded from the cursor
// images, the platform's arrow as -2 and its resize cursors as -6 to -9.
#pragma once

#include <QCursor>
#include <map>

class tcursors {
 public:
  static constexpr int arrow = -2;
  static constexpr int handgrap = 5;
  static constexpr int handflat = 6;
  static constexpr int handpnt = 7;
  static constexpr int crall = 8;
  static constexpr int zoom = 9;
  static constexpr int tangset = 10;
  static constexpr int tangmove = 11;
  static constexpr int freeze = 12;
  static constexpr int texttool = 13;
  static constexpr int fixpoint = 14;
  static constexpr int derivate = 15;
  static constexpr int intersect = 16;
  static constexpr int move = 17;
  static constexpr int squeeze = 18;
  static constexpr int special = 19;
  // The platform's resize cursors, shown over a text label's handles.
  static constexpr int sizenesw = -6;
  static constexpr int sizens = -7;
  static constexpr int sizenwse = -8;
  static constexpr int sizewe = -9;

  // Loads every cursor image into the table; true when all of them loaded.
  bool load();
  bool has(int number) const { return table_.count(number) > 0; }
  // The cursor with that number; the arrow for -2 and for numbers not loaded.
  QCursor cursor(int number) const;

 private:
  std::map<int, QCursor> table_;
};
