#pragma once

// A connection that a former run of the program did not take down (it
// crashed, was killed or lost power while connected) leaves the dialer files
// rewritten, their backups in place, and maybe the dialer still running.

enum class LeftoverConnection {
    None,          // nothing left over
    Restored,      // the dialer was stopped and the files restored
    RestoreFailed, // the files could not all be restored (the backups stay)
};

// Stops the dialer that the former run started, if it still runs the dialer
// program, and restores the dialer files from their backups. Call it at
// start, before anything dials. It may wait a few seconds for the dialer to
// end.
LeftoverConnection restoreLeftoverConnection();
