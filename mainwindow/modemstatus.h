#pragma once

// What the status monitor knows of the card, as values: the window chooses
// the images, sizes and texts that show them, and what may be clicked.

#include "modem/protocol/replies.h"
#include "modem/usbmodems.h"

#include <QString>
#include <QStringList>

#include <optional>

struct ModemStatus {
    enum class Sim {
        Absent, // no SIM, or none that answers
        Ready,  // unlocked and usable
        Locked, // the PIN (or PUK) entry was cancelled: the SIM can't be used
    };

    bool card = false;      // a card is attached and answers
    bool settingUp = false; // a card was found and is being set up
    Sim sim = Sim::Absent;
    int signalBars = -1; // 0-5; -1 unknown
    // The network as the card reports it, read while the SIM is usable:
    // `service` is the card's service text ("UMTS") or the monitor's own
    // "No Service" / "Limited Service", `operatorName` the operator or the
    // monitor's "Not Found". `networkShown` says whether they make sense
    // together (a usable network, or limited service).
    QString service;
    ServiceDomain domain = ServiceDomain::None;
    bool domainKnown = false; // the card answered the service query at all
    QString operatorName;
    bool networkShown = false;
    // Our ports that ModemManager holds while no card can be used.
    QStringList heldByModemManager;
    // While no card can be used: a modem with no serial port, which this
    // program can't drive.
    std::optional<NetworkOnlyModem> networkOnly;

    // A connection may be dialled: a usable SIM and packet service.
    bool canDial() const {
        return card && sim == Sim::Ready && networkShown &&
               (domain == ServiceDomain::PacketOnly || domain == ServiceDomain::CircuitAndPacket);
    }
    bool operator==(const ModemStatus&) const = default;
};
