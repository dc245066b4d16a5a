#pragma once

// Messages that come from the modem: one read with "AT+CMGR" (an arriving
// message, stored in the PC inbox) and the lists of a storage read with
// "AT+CMGL" (the SIM and modem-memory boxes).

#include "sms/pducodec.h"

#include <QMap>
#include <QString>

class SmsData;

using SmsList = QMap<int, SM_PARAM_DECODE>;

// Decodes the message of a "+CMGR:" reply (the PDU is the line after the
// header) into `rec` with `index` as its storage index. False when the reply
// holds no "+CMGR:" or no PDU.
bool parseReadReply(const QString& reply, int index, SM_PARAM_DECODE* rec);

// Stores the message of a "+CMGR:" reply in the PC inbox with `state` and
// writes the file. False when there was nothing to store or the file could
// not be written (the caller then keeps the modem's copy).
bool storeArrivedMessage(SmsData& store, const QString& reply, int index, const QString& state);

// The boxes of one modem storage.
struct StorageLists {
    SmsList in;    // received (status 0 unread, 1 read)
    SmsList out;   // stored and sent (3)
    SmsList draft; // stored, not sent (2)

    void clear();
};

// Fills `lists` (emptied first) from an "AT+CMGL" reply. Received messages
// get the state `newWord` (status 0) or `readWord`; sent ones the time stamp
// `now` ("yyMMddhhmmss"). Keys are the lowest free ids of each list; the
// storage index travels in the record. Returns the number of "+CMGL:" entries.
int parseListReply(const QString& reply, StorageLists& lists, const QString& newWord,
                   const QString& readWord, const QString& now);
