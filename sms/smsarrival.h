#pragma once

// Messages that come from the modem: one read with "AT+CMGR" (an arriving
// message, stored in the PC inbox) and the lists of a storage read with
// "AT+CMGL" (the SIM and modem-memory boxes).

#include "modem/protocol/replies.h"
#include "sms/pducodec.h"

#include <QDateTime>
#include <QMap>
#include <QString>

class PartStore;
class SmsData;

using SmsList = QMap<int, SM_PARAM_DECODE>;

// Decodes a message read with "AT+CMGR" into `rec` with `index` as its
// storage index, and its concatenation header into `concat` when given.
void decodeReadMessage(const ModemMessage& message, int index, SM_PARAM_DECODE* rec,
                       std::optional<ConcatInfo>* concat = nullptr);

// What became of an arriving message.
struct Arrival {
    bool kept = false; // on the PC now, as a message or a waiting part: the modem's copy may go
    int storedNew = 0; // messages that went into the inbox under the unread state
    // The sender and text of the message that went into the inbox; empty
    // while a part of a long message waits for the others.
    QString from;
    QString text;
};

// Stores a message read with "AT+CMGR" with `state` in the PC inbox
// and writes the file. A part of a long message waits in `parts` until its
// message is complete, which then goes into the inbox whole, as unread
// (`newWord`) when any of its parts was. Nothing is kept when a file could
// not be written (the caller then keeps the modem's copy).
Arrival storeArrivedMessage(SmsData& store, PartStore& parts, const ModemMessage& message,
                            int index, const QString& state, const QString& newWord,
                            const QDateTime& now);

// Forgets the waiting messages whose every part is already in the inbox (as
// one of the PDUs an inbox message was joined from): the program ended after
// the completed message was stored and before its parts were forgotten.
// Writes the parts file when it changed. Runs before arrivals are handled.
void dropStoredParts(SmsData& store, PartStore& parts);

// Stores the long messages whose parts waited a day, as they are, with the
// gaps marked. Returns the number that went into the inbox as unread.
int storeExpiredParts(SmsData& store, PartStore& parts, const QString& newWord,
                      const QDateTime& now);

// Fills the boxes of one modem storage (emptied first) from the messages
// listed with "AT+CMGL": received ones (status 0 unread, 1 read) go to `in` with the
// state `newWord` (status 0) or `readWord`, stored sent ones (3) to `out` with
// the state "send", stored unsent ones (2) to `draft` with "unsent"; these
// two have no time stamp.
// Keys are the lowest free ids of each list; the storage index travels in the
// record. The parts of a long message become one record in the place of its
// first part, with the storage indexes of all. Returns the number of entries
// listed.
int parseListReply(const QList<ModemMessage>& messages, SmsList& in, SmsList& out, SmsList& draft,
                   const QString& newWord, const QString& readWord);
