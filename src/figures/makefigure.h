// The one place that turns a family code into a figure.
#pragma once

#include <memory>

#include "figures/tfigure.h"

// A new figure of family kind (0..8) linked to its coordinate system and host,
// with kind set; nullptr for an unknown code. The caller gives a custom figure
// its formula and then calls reset.
std::unique_ptr<tfigure> makefigure(int kind, tcoords& coords, tfigurehost& host);
