#pragma once

#include <optional>
#include <sys/types.h>

// Reaping of the dialer processes. The SIGCHLD handler only reaps the
// children handed to watchChild() (so that the exit statuses of children
// run by QProcess or system() stay with their owners) and notes what it
// reaped in a pipe; it does nothing that is not async-signal-safe.
// logReapedChildren() writes the notes to the debug log from normal code.

// The SIGCHLD handler.
void proc_fork(int sig);

// Installs proc_fork for SIGCHLD once; a handler installed before is still
// called after it.
void installChildReaper();

// Starts or stops watching a child process. Up to 16 are watched at once.
bool watchChild(pid_t pid);
void unwatchChild(pid_t pid);

// Reaps `pid` if it has ended (without waiting); true when it was reaped
// now or earlier by the handler, i.e. it is no longer watched.
bool reapChild(pid_t pid, int* status = nullptr);

// Logs every child the handler has reaped since the last call.
void logReapedChildren();

// How a watched child that has been reaped ended (its wait status), for the
// children reaped lately; nothing when it is not known.
std::optional<int> exitStatusOf(pid_t pid);
