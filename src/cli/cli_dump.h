// tarnelo-cli dump FILE: a window, single-graph or project file as JSON.
#pragma once

// argv[0] is "dump". Exit 0 when the whole file was read, 1 when it could not be
// opened or read (what was read is still printed), 2 on bad arguments.
int clidump(int argc, char** argv);
