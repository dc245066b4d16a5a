#pragma once

// Choosing the mobile network by hand: the search for the operators the
// modem sees ("AT+COPS=?"), and registration on one of them in numeric form
// with its access technology. A search needs the modem's mode preference
// "UMTS preferred"; the preference the modem had before the first search is
// remembered and given back to it when a registration fails.

#include "modem/protocol/replies.h"

#include <QList>
#include <QString>

class SerialThread;

// What the operator table shows of an entry.
QString operatorStatusText(int stat);  // "Unknown", "Available", "Current", "Forbidden"; "" else
QString operatorStatusImage(int stat); // image below res/; "" for an unknown status
// The shown name: the short name, or the long one when the modem gives no short one.
QString operatorName(const OperatorEntry& entry);
// "2G" for GSM, GSM Compact and EDGE (0, 1, 3), "3G" for UTRAN and its HSPA
// forms (2, 4, 5, 6), "4G" for E-UTRAN (7); "" for anything else.
QString technologyText(int act);

class OperatorSelection {
public:
    explicit OperatorSelection(SerialThread& link);

    // Sets "UMTS preferred" (stored as the first mode choice) unless the
    // modem has it, then lists the operators. Empty when the modem gave no
    // list (error, time-out, no modem). The first search remembers the
    // preference it found, to give back after a failed registration.
    QList<OperatorEntry> search();

    enum class Result { Registered, Refused, Forbidden };
    // Registers on `entry` ("AT+COPS=1,2,<numeric>[,<act>]"); a forbidden
    // operator is not tried. A refusal gives the remembered preference back
    // to the modem and the settings file.
    Result select(const OperatorEntry& entry);

private:
    SerialThread& link_;
    int savedMode_ = -1;
    bool remembered_ = false;
};
