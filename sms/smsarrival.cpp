#include "sms/smsarrival.h"

#include "modem/protocol/replies.h"
#include "sms/smsdataoperation.h"
#include "sms/smsparts.h"

#include <QSet>
#include <QStringList>

namespace {

void fillSource(SM_PARAM_DECODE* rec, int index, const ModemMessage& message) {
    rec->index = index;
    rec->length = message.length;
    rec->pduSrc = message.pdu;
}

} // namespace

void decodeReadMessage(const ModemMessage& message, int index, SM_PARAM_DECODE* rec,
                       std::optional<ConcatInfo>* concat) {
    gsmDecodePart(message.pdu.toLatin1().constData(), rec, true, concat);
    fillSource(rec, index, message);
}

namespace {

// Puts `rec` into the PC inbox and writes the file; on a failed write the
// inbox is left as it was.
bool storeInInbox(SmsData& store, const SM_PARAM_DECODE& rec) {
    const int id = store.appendSmsItem(rec, "inbox");
    if (id < 0)
        return false;
    if (store.saveDom())
        return true;
    store.delSmsItem(id, "inbox", false);
    return false;
}

} // namespace

Arrival storeArrivedMessage(SmsData& store, PartStore& parts, const ModemMessage& message,
                            int index, const QString& state, const QString& newWord,
                            const QDateTime& now) {
    SM_PARAM_DECODE rec;
    std::optional<ConcatInfo> concat;
    decodeReadMessage(message, index, &rec, &concat);
    rec.state = state;
    if (!concat || concat->total < 2) {
        if (!storeInInbox(store, rec))
            return {};
        return {true, state == newWord ? 1 : 0, QString::fromLatin1(rec.TPA), rec.contentStr};
    }

    QString key;
    switch (parts.add(rec, *concat, now, &key)) {
    case PartStore::Added::Failed:
        return {};
    case PartStore::Added::Waiting:
        return {true, 0, {}, {}};
    case PartStore::Added::Complete:
        break;
    }
    const SM_PARAM_DECODE whole = parts.joined(key, newWord);
    if (!storeInInbox(store, whole)) {
        parts.removePart(key, concat->sequence);
        return {};
    }
    parts.remove(key);
    // Should this write fail, the parts file still lists the message and it
    // would come again after a day: a copy, never a loss.
    parts.save();
    return {true, whole.state == newWord ? 1 : 0, QString::fromLatin1(whole.TPA), whole.contentStr};
}

void dropStoredParts(SmsData& store, PartStore& parts) {
    if (parts.waitingCount() == 0)
        return;
    SmsList inbox;
    store.getPcAllSmsItem(inbox, "inbox");
    QSet<QString> stored;
    for (const SM_PARAM_DECODE& rec : std::as_const(inbox)) {
        for (const QString& pdu : rec.pduSrc.split(',', Qt::SkipEmptyParts))
            stored.insert(pdu);
    }
    bool changed = false;
    for (const QString& key : parts.keys()) {
        const QStringList pdus = parts.pdusOf(key);
        if (!pdus.isEmpty() && std::all_of(pdus.begin(), pdus.end(), [&stored](const QString& p) {
                return stored.contains(p);
            })) {
            parts.remove(key);
            changed = true;
        }
    }
    if (changed)
        parts.save();
}

int storeExpiredParts(SmsData& store, PartStore& parts, const QString& newWord,
                      const QDateTime& now) {
    const QStringList keys = parts.expired(now);
    if (keys.isEmpty())
        return 0;
    QList<int> ids;
    int unread = 0;
    for (const QString& key : keys) {
        const SM_PARAM_DECODE whole = parts.joined(key, newWord);
        ids << store.appendSmsItem(whole, "inbox");
        unread += whole.state == newWord ? 1 : 0;
    }
    if (!store.saveDom()) {
        store.delSmsItems(ids, "inbox");
        return 0;
    }
    for (const QString& key : keys)
        parts.remove(key);
    parts.save();
    return unread;
}

namespace {

// The parts of a long message found in a list, joined as PartStore joins
// arriving ones: texts in order, a missing part marked, all storage indexes.
SM_PARAM_DECODE joinListedParts(const QMap<int, SM_PARAM_DECODE>& parts, int total,
                                const QString& newWord) {
    SM_PARAM_DECODE whole = parts.first();
    whole.contentStr.clear();
    QStringList pdus;
    bool anyNew = false;
    for (int n = 1; n <= total; ++n) {
        const auto part = parts.constFind(n);
        if (part == parts.constEnd()) {
            whole.contentStr += missingPartText(n, total);
            continue;
        }
        whole.contentStr += part->contentStr;
        whole.partIndexes << part->index;
        pdus << part->pduSrc;
        anyNew = anyNew || part->state == newWord;
    }
    whole.pduSrc = pdus.join(',');
    if (anyNew)
        whole.state = newWord;
    return whole;
}

} // namespace

int parseListReply(const QList<ModemMessage>& messages, SmsList& in, SmsList& out, SmsList& draft,
                   const QString& newWord, const QString& readWord) {
    in.clear();
    out.clear();
    draft.clear();
    // Long messages: where each stands in its list, and its parts so far.
    struct Long {
        SmsList* list;
        int id;
        int total;
        QMap<int, SM_PARAM_DECODE> parts;
    };
    QMap<QString, Long> longs;
    for (const ModemMessage& message : messages) {
        SM_PARAM_DECODE rec;
        std::optional<ConcatInfo> concat;
        const QByteArray hex = message.pdu.toLatin1();
        SmsList* list = nullptr;
        // A status report kept in the storage is no message to list.
        if (isStatusReportPdu(hex.constData()))
            continue;
        // A stored outgoing message carries no time stamp: it has none.
        if (message.stat == 0 || message.stat == 1) {
            gsmDecodePart(hex.constData(), &rec, true, &concat);
            list = &in;
            rec.state = message.stat == 0 ? newWord : readWord;
        } else if (message.stat == 3) {
            gsmDecodePart(hex.constData(), &rec, false, &concat);
            list = &out;
            rec.state = QStringLiteral("send");
        } else if (message.stat == 2) {
            gsmDecodePart(hex.constData(), &rec, false, &concat);
            list = &draft;
            rec.state = QStringLiteral("unsent");
        } else {
            continue;
        }
        fillSource(&rec, message.index, message);
        const int id = SmsData::getNoUsedId(list);
        if (!concat || concat->total < 2) {
            list->insert(id, rec);
            continue;
        }
        const QString key = QString("%1|%2|%3|%4|%5")
                                .arg(quintptr(list))
                                .arg(QString::fromLatin1(rec.TPA))
                                .arg(concat->reference)
                                .arg(concat->total)
                                .arg(concat->wideReference);
        auto found = longs.find(key);
        if (found == longs.end()) {
            list->insert(id, rec); // holds the message's place in the list
            found = longs.insert(key, Long{list, id, concat->total, {}});
        }
        found->parts.insert(concat->sequence, rec);
    }
    for (const Long& l : std::as_const(longs))
        l.list->insert(l.id, joinListedParts(l.parts, l.total, newWord));
    return static_cast<int>(messages.size());
}
