#pragma once

#include <QtGlobal>

// Figures of this process for the start-up benchmarks, read from /proc.

// Milliseconds since the kernel created this process, so that loading the libraries counts too (one
// clock tick of resolution, 10 ms on most systems); -1 where the system does not tell.
qint64 millisecondsSinceProcessStart();

// The peak resident memory so far in kB, or -1 where the system does not tell.
qint64 peakMemoryKb();
