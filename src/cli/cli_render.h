// tarnelo-cli render: a saved window or single graph drawn to a picture file.
#pragma once

// tarnelo-cli render FILE OUT [--size W H] [--scale K] (needs the Qt build).
int cmdrender(int argc, char** argv);

extern const char* const renderusage;
