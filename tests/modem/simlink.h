#pragma once

#include "modem/serialthread.h"
#include "tests/support/modemsim.h"

#include <QObject>
#include <memory>

// The first-byte limit for links to the modem simulator in tests whose
// subject is not that limit: the simulator is a process of its own and, on a
// loaded machine or under the sanitizers, may wait for the CPU longer than a
// card takes to answer.
inline constexpr int SIM_FIRST_BYTE_MS = 1000;

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
        return link->openPort(sim.atPort()) >= 0;
    }

    // The last command line the simulator received.
    QString lastSent() const { return sim.received().value(sim.received().size() - 1); }
};
