// tarnelo-cli points and table: the special points of a figure and a table of
// its values, without a window.
#pragma once

// tarnelo-cli points FAMILY A B C D E [--formula F] [--range MINX MAXX MINY MAXY]
int cmdpoints(int argc, char** argv);
// tarnelo-cli table FAMILY A B C D E [--formula F] FROM TO STEP
int cmdtable(int argc, char** argv);

extern const char* const pointsusage;
