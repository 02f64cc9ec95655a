// tarnelo-cli render: a saved window or single graph drawn to a picture file.
#pragma once

// tarnelo-cli render FILE OUT [--size W H] [--scale K] (needs the Qt build).
int cmdrender(int argc, char** argv);

extern const char* const renderusage;

#ifdef TARNELO_HAVE_QT
#include <functional>
#include <string>

class tcoords;

// The picture format named by OUT's extension ("png", "svg" or "pdf"); ""
// for any other.
std::string pictureformat(const std::string& out);
// Runs paint() with coords' picture on OUT in its format (PNG unless it is
// .svg or .pdf), width x height
// pixels (an SVG or PDF of that size in 96ths of an inch, its lines and texts
// vectors). 0 when written; otherwise says so and returns 1.
int writepicture(const std::string& out, tcoords& coords, int width, int height, int scale,
                 const std::function<void()>& paint);
#endif
