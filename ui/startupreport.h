#pragma once

// With RANKWRIGHT_REPORT_STARTUP set, prints to standard output how long after the process started
// the splash and then the main menu were first painted, and the peak memory when the main menu was.
// bench/startup measures with it. Without the variable it does nothing and costs one look-up.
void reportStartupWhenAsked();
