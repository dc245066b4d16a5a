#pragma once

#include <QString>

class QObject;

// Watches the event loop's responsiveness for long test runs. A timer ticks
// every 20 ms; a tick that comes more than `stallMs` late means the loop was
// blocked that long, and is written to `logPath` as
//   "stall <ms> wait <ms> run <ms> at <UTC time>"
// where wait is how much of it the thread spent ready but waiting for a CPU
// (a busy machine, not the program) and run how much it spent computing (the
// rest it was blocked in the system). Every 10 s a line "max <ms> wait <ms>"
// gives the longest lateness of that stretch, so a run also learns how close
// it came. Off unless a path is given.
void startHeartbeat(QObject* parent, const QString& logPath, int stallMs = 100);
