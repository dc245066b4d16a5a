#pragma once

// Choosing the mobile network by hand: the search for the operators the
// modem sees ("AT+COPS=?"), and registration on one of them in numeric form
// with its access technology.

#include "modem/protocol/replies.h"

#include <QList>
#include <QObject>

#include <QString>
#include <functional>

class SerialThread;

// What the operator table shows of an entry.
QString operatorStatusText(int stat);  // "Unknown", "Available", "Current", "Forbidden"; "" else
QString operatorStatusImage(int stat); // image below res/; "" for an unknown status
// The shown name: the short name, or the long one when the modem gives no short one.
QString operatorName(const OperatorEntry& entry);
// "2G" for GSM, GSM Compact and EDGE (0, 1, 3), "3G" for UTRAN and its HSPA
// forms (2, 4, 5, 6), "4G" for E-UTRAN (7); "" for anything else.
QString technologyText(int act);

class OperatorSelection : public QObject {
    Q_OBJECT
public:
    explicit OperatorSelection(SerialThread& link, QObject* parent = nullptr);

    // Lists the operators the card sees; empty when it gave no list (error,
    // time-out, no card). A search needs the mode preference "UMTS
    // preferred": the card gets it for the search when it has another, and
    // the user's own preference back when the search ends, whatever its
    // outcome.
    void search(std::function<void(QList<OperatorEntry>)> done);

    enum class Result { Registered, Refused, Forbidden };
    // Registers on `entry` ("AT+COPS=1,2,<numeric>[,<act>]"); a forbidden
    // operator is not tried.
    void select(const OperatorEntry& entry, std::function<void(Result)> done);

private:
    SerialThread& link_;
};
