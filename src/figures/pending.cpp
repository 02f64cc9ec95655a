// Placeholders that keep the figures library linking until the real versions
// land in derivatives.cpp, turning.cpp and fixpoints.cpp. Each is removed from
// here when its real definition arrives; the file goes when it is empty.
//
// Holds:
//   derivative: tfigure, trectangle, tellipse, tparab, thiper, tsin, tcos,
//               tpolthree, tpolfour, tcustom
//   turnone:    tfigure, trectangle, tellipse, tparab, tsin, tcos, tpolthree, tpolfour
//   turnmany:   tfigure, tparab, tcustom
//   setrow:     tfigure, tellipse, tparab, tpolthree, tpolfour, tcustom
//   moveto:     trectangle, tellipse, tparab, thiper, tsin, tcos, tpolthree,
//               tpolfour, tcustom
//   dragto:     tfigure, thiper, tcustom
#include "figures/tcos.h"
#include "figures/tcustom.h"
#include "figures/tellipse.h"
#include "figures/tfigure.h"
#include "figures/thiper.h"
#include "figures/tparab.h"
#include "figures/tpolfour.h"
#include "figures/tpolthree.h"
#include "figures/trectangle.h"
#include "figures/tsin.h"

int tfigure::derivative(std::array<double, 6>& coefficients, std::string& text) {
  coefficients.fill(0);
  text.clear();
  return kind;
}
#define TARNELO_PENDING_DERIVATIVE(cls)                                              \
  int cls::derivative(std::array<double, 6>& coefficients, std::string& text) {      \
    return tfigure::derivative(coefficients, text);                                  \
  }
TARNELO_PENDING_DERIVATIVE(trectangle)
TARNELO_PENDING_DERIVATIVE(tellipse)
TARNELO_PENDING_DERIVATIVE(tparab)
TARNELO_PENDING_DERIVATIVE(thiper)
TARNELO_PENDING_DERIVATIVE(tsin)
TARNELO_PENDING_DERIVATIVE(tcos)
TARNELO_PENDING_DERIVATIVE(tpolthree)
TARNELO_PENDING_DERIVATIVE(tpolfour)
TARNELO_PENDING_DERIVATIVE(tcustom)
#undef TARNELO_PENDING_DERIVATIVE

void tfigure::turnone(double, double) {}
void trectangle::turnone(double, double) {}
void tellipse::turnone(double, double) {}
void tparab::turnone(double, double) {}
void tsin::turnone(double, double) {}
void tcos::turnone(double, double) {}
void tpolthree::turnone(double, double) {}
void tpolfour::turnone(double, double) {}

void tfigure::turnmany(double, double) {}
void tparab::turnmany(double, double) {}
void tcustom::turnmany(double, double) {}

void tfigure::setrow(tmath&, int32_t, double, double) {}
void tellipse::setrow(tmath&, int32_t, double, double) {}
void tparab::setrow(tmath&, int32_t, double, double) {}
void tpolthree::setrow(tmath&, int32_t, double, double) {}
void tpolfour::setrow(tmath&, int32_t, double, double) {}
void tcustom::setrow(tmath&, int32_t, double, double) {}

void trectangle::moveto(int32_t, int32_t) {}
void tellipse::moveto(int32_t, int32_t) {}
void tparab::moveto(int32_t, int32_t) {}
void thiper::moveto(int32_t, int32_t) {}
void tsin::moveto(int32_t, int32_t) {}
void tcos::moveto(int32_t, int32_t) {}
void tpolthree::moveto(int32_t, int32_t) {}
void tpolfour::moveto(int32_t, int32_t) {}
void tcustom::moveto(int32_t, int32_t) {}

void tfigure::dragto(double, double) {}
void thiper::dragto(double, double) {}
void tcustom::dragto(double, double) {}
