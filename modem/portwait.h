#pragma once

// Waiting for a port to become readable or writable.

enum class PortWait { Ready, Timeout, Error };

// Waits up to timeoutMs for input on fd. On the application's thread the
// application keeps handling its events meanwhile (a nested event loop woken
// by the port and by the deadline), so the GUI stays live and the waiter
// wakes the moment a byte arrives. Elsewhere it simply blocks in poll().
PortWait waitForInput(int fd, int timeoutMs);

// Waits up to timeoutMs for input without handling events (for waits of a
// few milliseconds).
PortWait waitForInputQuietly(int fd, int timeoutMs);

// Waits without limit until fd is writable.
PortWait waitForOutput(int fd);
