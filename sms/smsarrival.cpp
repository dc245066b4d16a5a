#include "sms/smsarrival.h"

#include "modem/protocol/replies.h"
#include "sms/smsdataoperation.h"
#include "sms/smsparts.h"

#include <cstring>

namespace {

void fillSource(SM_PARAM_DECODE* rec, int index, const ModemMessage& message) {
    rec->index = index;
    rec->length = message.length;
    rec->pduSrc = message.pdu;
}

} // namespace

bool parseReadReply(const QString& reply, int index, SM_PARAM_DECODE* rec,
                    std::optional<ConcatInfo>* concat) {
    const std::optional<ModemMessage> message = parseReadMessage(reply.toLatin1());
    if (!message)
        return false;
    gsmDecodePart(message->pdu.toLatin1().constData(), rec, true, concat);
    fillSource(rec, index, *message);
    return true;
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

Arrival storeArrivedMessage(SmsData& store, PartStore& parts, const QString& reply, int index,
                            const QString& state, const QString& newWord, const QDateTime& now) {
    SM_PARAM_DECODE rec;
    std::optional<ConcatInfo> concat;
    if (!parseReadReply(reply, index, &rec, &concat))
        return {};
    rec.state = state;
    if (!concat || concat->total < 2)
        return storeInInbox(store, rec) ? Arrival{true, state == newWord ? 1 : 0} : Arrival{};

    QString key;
    switch (parts.add(rec, *concat, now, &key)) {
    case PartStore::Added::Failed:
        return {};
    case PartStore::Added::Waiting:
        return {true, 0};
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
    return {true, whole.state == newWord ? 1 : 0};
}

bool storeArrivedMessage(SmsData& store, const QString& reply, int index, const QString& state) {
    PartStore parts;
    return storeArrivedMessage(store, parts, reply, index, state, state,
                               QDateTime::currentDateTime())
        .kept;
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

int parseListReply(const QString& reply, SmsList& in, SmsList& out, SmsList& draft,
                   const QString& newWord, const QString& readWord, const QString& now) {
    in.clear();
    out.clear();
    draft.clear();
    const QList<ModemMessage> messages = parseMessageList(reply.toLatin1());
    for (const ModemMessage& message : messages) {
        SM_PARAM_DECODE rec;
        const QByteArray hex = message.pdu.toLatin1();
        SmsList* list = nullptr;
        if (message.stat == 0 || message.stat == 1) {
            gsmDecodePdu(hex.constData(), &rec);
            list = &in;
        } else if (message.stat == 3) {
            gsmDecodePdu4Move(hex.constData(), &rec);
            const QByteArray stamp = now.toLatin1().left(sizeof rec.TP_SCTS - 1);
            std::memset(rec.TP_SCTS, 0, sizeof rec.TP_SCTS);
            std::memcpy(rec.TP_SCTS, stamp.constData(), stamp.size());
            list = &out;
        } else if (message.stat == 2) {
            gsmDecodePdu4Move(hex.constData(), &rec);
            list = &draft;
        } else {
            continue;
        }
        fillSource(&rec, message.index, message);
        rec.state = message.stat == 0 ? newWord : readWord;
        list->insert(SmsData::getNoUsedId(list), rec);
    }
    return static_cast<int>(messages.size());
}
