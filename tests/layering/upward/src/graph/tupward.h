// A graph window reaching up into the main window, which the check must refuse.
#pragma once
#include "shell/tmainform.h"
