#pragma once

// Tells screen readers what the program's windows are: its full windows are frames (not the
// "filler" a plain QWidget window is), the message windows and the quit confirmation are alerts,
// the options window a dialog; the pick lists are named by their captions.
void installAccessibleRoles();
