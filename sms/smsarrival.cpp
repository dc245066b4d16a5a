#include "sms/smsarrival.h"

#include "sms/smsdataoperation.h"

#include <cstring>

namespace {

// The line after the header that starts at `from`: the PDU of a "+CMGR:" or
// "+CMGL:" entry.
QString pduAfter(const QString& reply, int from) {
    const int start = reply.indexOf("\r\n", from);
    if (start < 0)
        return QString();
    const int end = reply.indexOf("\r\n", start + 2);
    return reply.mid(start + 2, end < 0 ? -1 : end - start - 2).trimmed();
}

// The header values "<a>,<b>,[alpha],<length>" after a "+CMGR:" or "+CMGL:".
QStringList headerFields(const QString& reply, int from) {
    const int end = reply.indexOf("\r\n", from);
    return reply.mid(from, end < 0 ? -1 : end - from).split(',');
}

void fillSource(SM_PARAM_DECODE* rec, int index, int length, const QString& pdu) {
    rec->index = static_cast<unsigned char>(index);
    rec->length = length;
    rec->pduSrc = pdu;
}

} // namespace

bool parseReadReply(const QString& reply, int index, SM_PARAM_DECODE* rec) {
    const int at = reply.indexOf("+CMGR:");
    if (at < 0)
        return false;
    const QStringList fields = headerFields(reply, at + 6);
    const QString pdu = pduAfter(reply, at);
    if (pdu.isEmpty())
        return false;
    gsmDecodePdu(pdu.toLatin1().constData(), rec);
    fillSource(rec, index, fields.size() > 2 ? fields.last().trimmed().toInt() : 0, pdu);
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
    int entries = 0;
    for (int at = reply.indexOf("+CMGL:"); at >= 0; at = reply.indexOf("+CMGL:", at + 6)) {
        ++entries;
        const QStringList fields = headerFields(reply, at + 6);
        if (fields.size() < 2)
            continue;
        const int index = fields[0].trimmed().toInt();
        const int status = fields[1].trimmed().toInt();
        const QString pdu = pduAfter(reply, at);
        if (pdu.isEmpty())
            continue;
        SM_PARAM_DECODE rec;
        const QByteArray hex = pdu.toLatin1();
        SmsList* list = nullptr;
        if (status == 0 || status == 1) {
            gsmDecodePdu(hex.constData(), &rec);
            list = &in;
        } else if (status == 3) {
            gsmDecodePdu4Move(hex.constData(), &rec);
            const QByteArray stamp = now.toLatin1().left(sizeof rec.TP_SCTS - 1);
            std::memset(rec.TP_SCTS, 0, sizeof rec.TP_SCTS);
            std::memcpy(rec.TP_SCTS, stamp.constData(), stamp.size());
            list = &out;
        } else if (status == 2) {
            gsmDecodePdu4Move(hex.constData(), &rec);
            list = &draft;
        } else {
            continue;
        }
        fillSource(&rec, index, fields.size() > 2 ? fields.last().trimmed().toInt() : 0, pdu);
        rec.state = status == 0 ? newWord : readWord;
        list->insert(SmsData::getNoUsedId(list), rec);
    }
    return entries;
}
