// A white, optionally framed area that shows one line of formula markup in a
// colour, drawn by tmathbox through the Qt drawing surface. Used for the
// function panel's formula display and for the formula dialog's error view.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/surface.h"

class tformulaview : public QWidget {
 public:
  explicit tformulaview(QWidget* parent = nullptr, bool framed = true);

  // Shows the markup in colour c (empty markup: a white area).
  void setformula(std::string markup, platform::colour c = platform::black);
  const std::string& markup() const { return markup_; }
  // A view one line high has no room above the line for fraction numerators:
  // centre the line in it instead of leaving that room.
  void setcentred(bool centred) { centred_ = centred; }
  platform::colour colour() const { return colour_; }

  // The picture as it is painted, at the widget's size.
  QImage render() const;

  // Called on a left click, and on a key press while the view has the focus.
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::string markup_;
  platform::colour colour_ = platform::black;
  bool framed_;
  bool centred_ = false;
};
