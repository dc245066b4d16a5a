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

class SerialThread;

// Gives the modem the context of `profileName` (context 1). The modem's
// answer (1 done, 0 refused, -1 no answer) is returned but does not stop a
// connection; false, with `error` set, when the record can't be read.
bool applyPdpContext(SerialThread& link, const QString& profileName, int* result,
                     QString* error = nullptr);
