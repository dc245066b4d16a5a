#pragma once

// Deleting and moving messages between the PC store and the modem's
// storages. The PC file is written once per action; a message leaves its
// old place only after it reached the new one, so that a refusal or a
// failed write on either side keeps it where it was.

#include "modem/serialthread.h"
#include "sms/smsarrival.h"

#include <QList>
#include <QString>

#include <functional>

class SmsData;

struct MoveReport {
    int done = 0;
    int notDone = 0;
    bool saved = true; // the PC file was written
    QList<int> moved;  // the PC ids that went to the SIM
    // Why the first message that stayed did (None when all went).
    enum class Why {
        None,
        SimFull,  // the SIM has fewer free places than the message has parts
        Refused,  // the card refused to write or delete it
        NoAnswer, // the SIM didn't answer the delete: the message is on the PC too
        NoPdu,    // a received message kept without the PDUs it came as
    } why = Why::None;
};
using MoveDone = std::function<void(MoveReport)>;

// The status a message of a PC box is written to the SIM with: 0 (received,
// unread) for an unread one of "inbox", 1 (received, read) for the others
// there, 3 (stored, sent) for "outbox", 2 (stored, unsent) for "draftbox".
int storageStatusOf(const QString& box, const QString& state);

// The PDUs of a PC message as it is written to the SIM: those it was
// received or sent as; for a draft saved here, newly encoded to its number
// through `sca`. Empty when there are none.
QStringList pdusForStorage(const SM_PARAM_DECODE& rec, const QString& box, const QString& sca);

// Removes the PC messages `ids` of `box` and writes the file once. Returns
// how many were removed; `unreadRemoved` counts those with the state
// `newWord` among them.
MoveReport deletePcMessages(SmsData& store, const QString& box, const QList<int>& ids,
                            const QString& newWord, int* unreadRemoved);

// The storage indexes a listed modem message takes: each of its parts'.
QList<int> storageIndexesOf(const SM_PARAM_DECODE& rec);

// The actions below talk to the card through `link` for `caller` and end
// with `done`, from the event loop.

// Deletes `messages` (from the lists) from a card storage, each with all its
// parts.
void deleteModemMessages(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                         const QList<SM_PARAM_DECODE>& messages, MoveDone done);

// Writes the PC messages `ids` of `box` into the SIM and removes from the PC
// those the SIM took whole. A message that needs more places than the SIM
// has free is not tried; one whose part the SIM refused leaves none of its
// parts there. When the SIM can't be selected nothing is tried.
void movePcToSim(SerialThread& link, const AtCaller& caller, SmsData& store, const QString& box,
                 const QList<int>& ids, const QString& sca, MoveDone done);

// Puts the SIM messages `messages` (from the SIM lists) into the PC box
// `box`, writes the file, then deletes them from the SIM. Received ones come
// with their state and time stamp; sent and unsent ones, which carry no time,
// get `stamp`, the time they came to the PC. A message the SIM would not
// give up at all goes out of the PC box again; one the SIM left unanswered
// stays in it (and may still be on the SIM).
void moveSimToPc(SerialThread& link, const AtCaller& caller, SmsData& store, const QString& box,
                 const QList<SM_PARAM_DECODE>& messages, const QString& stamp, MoveDone done);
