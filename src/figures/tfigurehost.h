// What a figure needs from the rest of the program: the current tool, the
// parameter boxes, the parameter constants, the function-name prefix, the
// window it belongs to and the function panel. The program's windows implement
// it; tests and the command-line program use plain versions.
#pragma once

#include <string>

#include "platform/surface.h"

class tfigure;

class tfigurehost {
 public:
  virtual ~tfigurehost() = default;

  virtual int currenttool() const = 0;

  // Parameter boxes, k = 1..5: current value and limits (4-byte floats).
  virtual float paramvalue(int k) const = 0;
  virtual float parammin(int k) const = 0;
  virtual float parammax(int k) const = 0;
  // Parameter constants, k = 1..5: the rounding step and the printf format
  // of the value ("%.2f" by default).
  virtual float paramstep(int k) const = 0;
  virtual std::string paramformat(int k) const = 0;
  virtual bool alwaysround() const = 0;
  // "F(x) =", "f(x) =", "y =" or "Y =".
  virtual std::string funcname() const = 0;
  virtual char decimalseparator() const = 0;

  // The figure's window is the main window's active window.
  virtual bool windowactive() const = 0;
  // The function panel is applying a typed parameter value (fix points are
  // not drawn meanwhile).
  virtual bool panelapplying() const = 0;

  // Where showparams writes: the edit text of parameter box k, then the
  // panel's changef2 with the figure.
  virtual void setparamtext(int k, const std::string& text) = 0;
  virtual void changef2(tfigure& figure) = 0;

  // The window's last mouse pixel, the move tool's reference.
  virtual platform::point lastmouse() const = 0;
  virtual void setlastmouse(platform::point p) = 0;

  // Window operations used by select.
  virtual void clearselection() = 0;
  virtual void addtoselection(tfigure& figure) = 0;
  virtual void resetvisi(tfigure& figure) = 0;
  virtual void repant() = 0;
  virtual void bringtofront() = 0;
};
