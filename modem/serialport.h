#pragma once

#include <QString>

// Opens a tty of the modem and configures it: 115200 baud, 8N1, raw,
// RTS/CTS and XON/XOFF flow control, hang-up on the last close, and
// non-blocking, so that neither the open nor a read or write ever waits.
// The descriptor, or -1 with errno set.
int openSerialPort(const QString& device);
