#pragma once

// Takes the single-instance lock on the pid file (SystemPaths::pidLockFile()).
// Returns 0 when this process now holds it (the file then holds our pid and
// stays open, and locked, until the process ends), 1 when another process
// holds it. Ends the process with status 1 when the file can't be opened or
// locked for another reason.
int already_running();
