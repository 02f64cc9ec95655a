// Between the file records and the program's objects: colours, figures and
// text labels as a window file stores them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "codecs/tqvrecords.h"
#include "figures/tfigure.h"
#include "graph/tgralab.h"
#include "platform/surface.h"

class tgrform;

// Largest size and font size taken from a file.
inline constexpr int32_t maxextent = 4096;
// Largest place of a label taken from a file: far beyond any screen, as a
// label zoomed out of sight is, with room left for its size in 32 bits.
inline constexpr int32_t maxlabelplace = 1 << 30;
inline constexpr int32_t maxfontsize = 500;

// Files keep red in the low byte; the program keeps it in the high one.
uint32_t filecolour(platform::colour c);
platform::colour platformcolour(uint32_t c);

tfigurerecord figurerecord(const tfigure& figure);

tlabelrecord labelrecord(const tgralab& label);
// Text, font, place and size; the world point is the caller's, from its window.
void applylabel(tgralab& label, const tlabelrecord& record);

// The labels of a window in the order it keeps them, and adding one to it.
std::vector<const tgralab*> windowlabels(tgrform& window);
void addwindowlabel(tgrform& window, std::unique_ptr<tgralab> label);
