#pragma once

// A simulated card with the modem link set up as the main window's monitor
// leaves it: SIM type and generation asked, UCS2 chosen on the newer
// generation, the SIM phonebook's capacity known.

#include "modem/serialthread.h"
#include "tests/support/modemsim.h"

#include <memory>

struct SimCard {
    ModemSim sim;
    std::unique_ptr<SerialThread> link;

    // True when the card runs `scenario` and reports 250 phonebook locations.
    bool attach(const QString& scenario) {
        if (!sim.start(scenario))
            return false;
        link = std::make_unique<SerialThread>(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        if (link->openPort(sim.atPort()) < 0)
            return false;
        serialthread = link.get();
        link->getUSIM();
        link->isNewPlatform();
        if (link->newPlatform)
            link->setChset("UCS2");
        link->simPhonebookSize = link->simCapacity();
        return link->simPhonebookSize == 250;
    }

    // The SIM's contacts as the simulator lists them.
    QString contacts() const { return sim.control({"contacts"}); }

    ~SimCard() {
        serialthread = nullptr;
        if (link)
            link->closePort();
    }
};
