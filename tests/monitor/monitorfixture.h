#pragma once

// One program world per test: a private root and Data folder, a simulated
// card attached through the ports given on the command line, the modem link,
// the inbox, and a status monitor telling a RecordingView. Ticks are run by
// the test, not by the timer.

#include "mainwindow/statusmonitor.h"
#include "modem/serialthread.h"
#include "sms/smsinbox.h"
#include "tests/monitor/recordingview.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <memory>

struct MonitorFixture {
    TestEnv env;
    ModemSim sim;
    RecordingView view;
    std::unique_ptr<SerialThread> link;
    std::unique_ptr<SmsInbox> inbox;
    std::unique_ptr<StatusMonitor> monitor;

    // Starts the simulator with `scenario` and a monitor on its ports.
    bool start(const QString& scenario);
    // One tick, until its commands have ended.
    void tick();
    const ModemStatus& status() const { return monitor->status(); }
    // Command lines the modem received since the last call.
    QStringList newCommands();
    // The messages of a box of the PC store's file, as "number|text|state".
    QStringList pcBox(const QString& box) const;
    // The PC outbox's sent messages as "text|outcome|status", sorted.
    QStringList outboxDeliveries() const;
    // How often a message with `text` is in the PC inbox.
    int inboxCopies(const QString& text) const {
        return pcBox("inbox").filter("|" + text + "|").size();
    }

    ~MonitorFixture();

private:
    int seen_ = 0;
};

// Removes the private copy of the PC message store: the program then starts
// with empty boxes.
void startWithEmptyMessageStore(const TestEnv& env);
