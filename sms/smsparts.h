#pragma once

// Parts of long messages that arrived before the rest of their message.
// They are kept in Data/smsparts.xml (written atomically before the modem's
// copy is deleted), so that none is lost when the program ends in between.
// When the last part arrives the message is put together in the order of
// the parts; parts still waiting after a day are given up on and stored as
// they are, with the gaps marked.

#include "sms/pducodec.h"
#include "app/xmlstorefile.h"

#include <QDateTime>
#include <QList>
#include <QString>

class PartStore {
public:
    static constexpr int kWaitSeconds = 24 * 60 * 60;

    // Reads the parts kept in `path` (default: Data/smsparts.xml).
    explicit PartStore(const QString& path = QString());

    enum class Added {
        Waiting,  // kept with the parts of its message that came before
        Complete, // all parts are there: take the message with joined()
        Failed,   // the file could not be written; the part is not kept
    };
    // Adds a received part that carries `info`, arrived at `now`. A part
    // that came before (the same number) is replaced. `key` receives the
    // message's key.
    Added add(const SM_PARAM_DECODE& part, const ConcatInfo& info, const QDateTime& now,
              QString* key);
    // Undoes add() of a part whose message could then not be stored.
    void removePart(const QString& key, int sequence);

    // The message `key` in one record: the parts' texts in order, a missing
    // part marked; the first part's number, centre and time stamp; the PDUs
    // joined with ","; the state `newWord` when any part has it.
    SM_PARAM_DECODE joined(const QString& key, const QString& newWord) const;
    // Keys of the messages whose first part arrived a day or more before `now`.
    QStringList expired(const QDateTime& now) const;
    // Forgets message `key` (it is stored now); save() writes the change.
    void remove(const QString& key);
    bool save();

    // Messages waiting for parts.
    int waitingCount() const { return static_cast<int>(root_.children.size()); }
    // Their keys, and the PDUs of the parts of message `key`.
    QStringList keys() const;
    QStringList pdusOf(const QString& key) const;

private:
    XmlNode* message(const QString& key);
    const XmlNode* message(const QString& key) const;

    XmlStoreFile file_;
    XmlNode root_;
};

// The text put where a part never arrived.
QString missingPartText(int sequence, int total);
