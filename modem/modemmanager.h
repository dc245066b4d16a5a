#pragma once

// ModemManager, the system's own modem service, opens the serial ports of
// every modem it recognises and keeps them, so that a second program gets
// no answer or half of one. The package's udev rule tells it to leave our
// card alone; this finds out when it holds our ports anyway (a rule not yet
// applied, an old ModemManager, a card we don't list).

#include <QStringList>

// The ports among `ports` (device paths) that a process named
// "ModemManager" has open, in the order of `ports`. Reads /proc/<pid>/comm
// and /proc/<pid>/fd; processes we may not look into are skipped.
QStringList portsHeldByModemManager(const QStringList& ports);
