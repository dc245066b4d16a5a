#pragma once

// A connection that a former run of the program did not take down (it
// crashed, was killed or lost power while connected) leaves the dialer
// running or the dialer's files rewritten with their backups beside them.
// The helper puts that right (velto-helper restore); the connection's
// controller asks it at start, before anything can dial.

struct HelperOutcome;

enum class LeftoverConnection {
    None,          // nothing left over
    Restored,      // the dialer was stopped and the files restored
    RestoreFailed, // the files could not all be restored (the backups stay)
};

// Signs of a leftover that the user may see: the helper's record of its
// dialer or of the DNS servers it set, a backup of a dialer's file, or a
// file of the helper's own.
bool leftoverConnectionFound();

// What the helper's restore did, as the window tells it.
LeftoverConnection leftoverOutcome(const HelperOutcome& outcome);
