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
// --no-splash; every other argument not starting with "-" names a file to
// open. Other options are left alone.
tstartoptions parsestartoptions(const std::vector<std::string>& arguments);

// Opens the files named on the command line, one after another, each as
// "&Åpne..." would open it once its dialog has given the name.
void openstartfiles(tmainform& main);

// Where the companion program is: beside the program (the build tree), else
// in the installed tree's libexec folder, given relative to the program's
// folder. When neither holds it, the path beside the program, so that
// starting it fails and says so.
std::string findcompanion(const std::string& programdir, const std::string& libexecdir);
