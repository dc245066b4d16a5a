#pragma once

#include <QString>

// The PDP context the modem is given before dialling (AT+CGDCONT), taken
// from the default profile's record. Values the record does not give stay
// null.
struct PdpContext {
    QString pdpType;    // "ip" or "ppp"
    QString apn;        // the profile's APN; without one "cmnet" or the operator's APN
    QString pdpAddress; // a fixed PDP address
};

// Reads the context of `profileName` from the default record file. False,
// with `error` set, when the file can't be read.
bool readPdpContext(const QString& profileName, PdpContext* context, QString* error = nullptr);

class QObject;
class SerialThread;

// Queues the context of `profileName` (context 1) for the modem, ahead of
// the status checks. The modem's answer is only logged: it doesn't stop a
// connection. False, with `error` set, when the record can't be read.
bool applyPdpContext(SerialThread& link, QObject* caller, const QString& profileName,
                     QString* error = nullptr);
