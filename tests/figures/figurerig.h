// A coordinate system over recording images with a fake window, for the
// figure tests.
#pragma once

#include <memory>

#include "figures/makefigure.h"
#include "figures/tcoords.h"
#include "support/fakefigurehost.h"
#include "support/recordingsurface.h"

struct figurerig {
  fakefigurehost host;
  recordingimagefactory factory;
  tcoords coords;

  explicit figurerig(int w = 1000, int h = 1000, double minx = -10, double maxx = 10,
                     double miny = -10, double maxy = 10)
      : host(w, h) {
    // A coarse grid keeps the recorded dots few; grid tests set their own step.
    host.options.gridstep = 5;
    coords.create(host, factory);
    coords.image->resize(w, h);
    coords.setup(0, 0, w, h, minx, maxx, miny, maxy);
  }

  recordingsurface& canvas() { return dynamic_cast<recordingimage&>(*coords.image).recorder(); }
  // The picture with the grid drawn as its background.
  recordingsurface& grid() {
    coords.showgrid = true;
    coords.drawbackground();
    return canvas();
  }

  // A reset figure of a family with the given parameters.
  std::unique_ptr<tfigure> make(int kind, std::array<double, 5> p = {}) {
    std::unique_ptr<tfigure> f = makefigure(kind, coords, host);
    f->reset();
    for (int k = 1; k <= 5; ++k) f->param[k] = p[k - 1];
    return f;
  }
};
