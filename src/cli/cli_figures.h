// tarnelo-cli plot and figure: figures drawn and described without a window.
#pragma once

// tarnelo-cli plot OUT.png [options] --fig FAMILY ... (needs the Qt build).
int cmdplot(int argc, char** argv);
// tarnelo-cli figure FAMILY A B C D E [--formula TEXT] [--prefix N] [--comma].
int cmdfigure(int argc, char** argv);

// Usage lines of both, for the program's usage text.
extern const char* const figuresusage;
