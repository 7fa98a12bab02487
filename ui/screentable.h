#pragma once

#include "ui/model/screens.h"

// Creates the window `id`: not shown, its load logic not run, not yet known to the window model.
Screen *createScreen(ScreenId id);
