#pragma once

// One program world per test: a private root and Data folder, a simulated
// card attached through the ports given on the command line, the modem link,
// and a status monitor drawing into a RecordingView. Ticks are run by the
// test, not by the timer.

#include "mainwindow/statusmonitor.h"
#include "modem/serialthread.h"
#include "tests/monitor/recordingview.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <memory>

struct MonitorFixture {
    TestEnv env;
    ModemSim sim;
    RecordingView view;
    std::unique_ptr<SerialThread> link;
    std::unique_ptr<StatusMonitor> monitor;

    // Starts the simulator with `scenario` and a monitor on its ports.
    bool start(const QString& scenario);
    void tick() { monitor->slotTimer(); }
    // Delivers a message and waits until its notice is on the line: the
    // simulator holds it back while the port is busy. Returns its index.
    int deliver(const QString& sender, const QString& text, const QString& storage = {});
    // Command lines the modem received since the last call.
    QStringList newCommands();
    // The messages of a box of the PC store, as "number|text|state".
    QStringList pcBox(const QString& box) const;

    ~MonitorFixture();

private:
    int seen_ = 0;
};

// Removes the private copy of the PC message store: the program then starts
// with empty boxes.
void startWithEmptyMessageStore(const TestEnv& env);

// True when `needles` appear in `haystack` in this order (not necessarily
// adjacent); otherwise reports the first one missing.
bool inOrder(const QStringList& haystack, const QStringList& needles, QString* missing = nullptr);
