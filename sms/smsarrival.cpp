#include "sms/smsarrival.h"

#include "modem/protocol/replies.h"
#include "sms/smsdataoperation.h"

#include <cstring>

namespace {

void fillSource(SM_PARAM_DECODE* rec, int index, const ModemMessage& message) {
    rec->index = index;
    rec->length = message.length;
    rec->pduSrc = message.pdu;
}

} // namespace

bool parseReadReply(const QString& reply, int index, SM_PARAM_DECODE* rec) {
    const std::optional<ModemMessage> message = parseReadMessage(reply.toLatin1());
    if (!message)
        return false;
    gsmDecodePdu(message->pdu.toLatin1().constData(), rec);
    fillSource(rec, index, *message);
    return true;
}

bool storeArrivedMessage(SmsData& store, const QString& reply, int index, const QString& state) {
    SM_PARAM_DECODE rec;
    if (!parseReadReply(reply, index, &rec))
        return false;
    rec.state = state;
    SmsList inbox;
    store.getPcAllSmsItem(inbox, "inbox");
    store.insertSmsItem(inbox, rec, "inbox", false);
    return store.saveDom();
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
