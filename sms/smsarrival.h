#pragma once

// Messages that come from the modem: one read with "AT+CMGR" (an arriving
// message, stored in the PC inbox) and the lists of a storage read with
// "AT+CMGL" (the SIM and modem-memory boxes).

#include "sms/pducodec.h"

#include <QMap>
#include <QString>

class SmsData;

using SmsList = QMap<int, SM_PARAM_DECODE>;

// Decodes the message of a reply to "AT+CMGR" into `rec` with `index` as its
// storage index. False when the reply holds no message or no PDU.
bool parseReadReply(const QString& reply, int index, SM_PARAM_DECODE* rec);

// Stores the message of a reply to "AT+CMGR" in the PC inbox with `state` and
// writes the file. False when there was nothing to store or the file could
// not be written (the caller then keeps the modem's copy).
bool storeArrivedMessage(SmsData& store, const QString& reply, int index, const QString& state);

// Fills the boxes of one modem storage (emptied first) from an "AT+CMGL"
// reply: received messages (status 0 unread, 1 read) go to `in` with the
// state `newWord` (status 0) or `readWord`, stored sent ones (3) to `out` with
// the time stamp `now` ("yyMMddhhmmss"), stored unsent ones (2) to `draft`.
// Keys are the lowest free ids of each list; the storage index travels in the
// record. Returns the number of messages listed.
int parseListReply(const QString& reply, SmsList& in, SmsList& out, SmsList& draft,
                   const QString& newWord, const QString& readWord, const QString& now);
