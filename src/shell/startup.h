// The program's start-up, in its fixed order: the frame, the point dialogs,
// then with the frame busy the options (which read the settings file), the
// function panel and the first graph window; tiling, the about box, the panel
// to the top-left corner, the first window's coordinate system, the other
// dialogs. The caller shows the frame and runs the event loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/tmainform.h"

std::unique_ptr<tmainform> startprogram(platform::services& services,
                                        platform::imagefactory& images,
                                        const tstartoptions& options);

// Reads the program's own command-line options: --ini PATH, --splash PATH,
// --no-splash. Unknown arguments are left alone.
tstartoptions parsestartoptions(const std::vector<std::string>& arguments);
