#pragma once

// Deleting and moving messages between the PC store and the modem's
// storages. The PC file is written once per action; a message leaves its
// old place only after it reached the new one, so that a refusal or a
// failed write on either side keeps it where it was.

#include "sms/smsarrival.h"

#include <QList>
#include <QString>

class SerialThread;
class SmsData;

enum class SmsStore { Modem = 0, Sim = 1 }; // the storage-mode numbers of the link

struct MoveReport {
    int done = 0;
    int notDone = 0;
    bool saved = true; // the PC file was written
    QList<int> moved;  // the PC ids that went to the SIM
};

// The status a message of a PC box is written to the SIM with: 1 (received,
// read) for "inbox", 3 (stored, sent) for "outbox", 2 (stored, unsent) for
// "draftbox".
int storageStatusOf(const QString& box);

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

// Deletes `messages` (from the lists) from a modem storage, each with all
// its parts.
MoveReport deleteModemMessages(SerialThread& link, SmsStore store,
                               const QList<SM_PARAM_DECODE>& messages);

// Writes the PC messages `ids` of `box` into the SIM and removes from the PC
// those the SIM took. A message that needs more places than the SIM has
// free is not tried.
MoveReport movePcToSim(SerialThread& link, SmsData& store, const QString& box,
                       const QList<int>& ids, const QString& sca);

// Puts the SIM messages `messages` (from the SIM lists) into the PC box
// `box`, writes the file, then deletes them from the SIM. Received ones come
// as read (`readWord`) with their time stamp; the others get `stamp`. A
// message the SIM would not give up at all goes out of the PC box again.
MoveReport moveSimToPc(SerialThread& link, SmsData& store, const QString& box,
                       const QList<SM_PARAM_DECODE>& messages, const QString& readWord,
                       const QString& stamp);
