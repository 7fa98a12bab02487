#pragma once

// The XDG Base Directory rules ask that a relative path in one of their variables be ignored. So
// that nothing below the program uses one either (Qt, GLib, a session bus started for the
// program, the browser it starts), this removes from the process environment:
// - XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_STATE_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR when
//   empty or relative;
// - from the lists XDG_DATA_DIRS and XDG_CONFIG_DIRS each entry that is not an absolute path, and
//   the variable itself when no absolute entry is left.
// Values are bytes, kept as they are. To be called first thing in main(), while the program has
// one thread and before Qt has read the environment.
void removeIgnoredXdgVariables();
