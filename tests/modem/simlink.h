#pragma once

#include "modem/serialthread.h"
#include "tests/support/modemsim.h"

#include <QObject>
#include <QTest>
#include <memory>

// Base of the test classes that drive the modem link against the simulator.
class SimLinkTest : public QObject {
protected:
    ModemSim sim;
    std::unique_ptr<SerialThread> link;

    // Starts the simulator with `scenario` and opens a fresh link on its AT port.
    bool startWith(const QString& scenario) {
        link.reset();
        // The ping makes sure the simulator has settled before the port opens.
        if (!sim.start(scenario) || !sim.command({"ping"}))
            return false;
        link = std::make_unique<SerialThread>(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        if (link->openPort(sim.atPort()) < 0)
            return false;
        // The link sets the card's echo first; the tests look at what follows.
        if (!QTest::qWaitFor([this] { return link->idle(); }, 5000))
            return false;
        sim.forgetTranscript();
        return true;
    }

    // The last command line the simulator received.
    QString lastSent() const { return sim.received().value(sim.received().size() - 1); }
};
