// The PDU decoders, the parts of long messages and the PC message file.

#include "tests/fuzz/fuzztargets.h"

#include "app/xmltree.h"
#include "sms/deliveryreport.h"
#include "sms/pducodec.h"
#include "sms/smsdataoperation.h"
#include "sms/smsparts.h"

#include <QDateTime>
#include <QMap>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A record's fixed fields end within their buffers. Its text has no bound:
// a joined long message or a stored one may be of any length.
void requireTerminatedFields(const SM_PARAM_DECODE& d) {
    requireTerminated(d.SCA);
    requireTerminated(d.TPA);
    requireTerminated(d.TP_SCTS);
    requireTerminated(d.TP_UD);
}

// A decoded PDU: also a result in range and a text within one message.
void requireSound(const SM_PARAM_DECODE& d, int result) {
    requireTerminatedFields(d);
    require(result >= -1 && result <= 255 && d.contentStr.size() <= SMS_MAX_SEPTETS);
}

} // namespace

void fuzzPduDecoders(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const std::string text =
        (bytes.startsWith('\0') ? bytes.mid(1).toHex().toUpper() : bytes).toStdString();

    SM_PARAM_DECODE received;
    requireSound(received, gsmDecodePdu(text.c_str(), &received));
    SM_PARAM_DECODE stored;
    requireSound(stored, gsmDecodePdu4Move(text.c_str(), &stored));

    if (const std::optional<StatusReport> report = gsmDecodeStatusReport(text.c_str()))
        require(isStatusReportPdu(text.c_str()) && report->reference >= 0 &&
                report->reference <= 0xFF && report->status >= 0 && report->status <= 0xFF &&
                report->recipient.size() <= 21 && report->dischargeTime.size() <= 14);

    // The same with the header of a long message read.
    for (bool deliver : {true, false}) {
        SM_PARAM_DECODE part;
        std::optional<ConcatInfo> info;
        requireSound(part, gsmDecodePart(text.c_str(), &part, deliver, &info));
        require(!info ||
                (info->total >= 1 && info->sequence >= 1 && info->sequence <= info->total &&
                 info->reference >= 0 && info->reference <= 0xFFFF));
    }
}

void fuzzLongMessageParts(const uint8_t* data, size_t size) {
    // One received PDU per line. Every part goes to the store, which is read
    // again from its file after each step: nothing waiting is lost, and a
    // complete message joins into a sound record.
    const QString path = scratchDataFile("smsparts.xml");
    writeScratch(path, QByteArray());
    PartStore store(path);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1800000000, Qt::UTC);
    for (const QByteArray& line : bytesOf(data, size).split('\n')) {
        SM_PARAM_DECODE part;
        std::optional<ConcatInfo> info;
        if (gsmDecodePart(line.constData(), &part, true, &info) < 0 || !info)
            continue;
        QString key;
        const PartStore::Added added = store.add(part, *info, now, &key);
        require(added != PartStore::Added::Failed);
        if (added == PartStore::Added::Complete) {
            const SM_PARAM_DECODE whole = store.joined(key, "new");
            requireTerminatedFields(whole);
            require(whole.pduSrc.count(',') < info->total);
            store.remove(key);
            require(store.save());
        }
        require(PartStore(path).waitingCount() == store.waitingCount());
        require(store.expired(now.addSecs(PartStore::kWaitSeconds)).size() == store.waitingCount());
    }
}

namespace {

template <size_t N> QString fieldText(const char (&field)[N]) {
    return QString::fromLatin1(field, qsizetype(strnlen(field, N)));
}

// The fields the store keeps of a message (it writes its own protocol,
// coding and index values), without the characters XML cannot hold, which
// the store leaves out when it writes.
QStringList keptFields(const SM_PARAM_DECODE& r) {
    QStringList fields = {fieldText(r.SCA),   fieldText(r.TPA), fieldText(r.TP_SCTS),
                          fieldText(r.TP_UD), r.contentStr,     QString::number(r.length),
                          r.pduSrc,           r.state,          deliveryToText(r.delivery)};
    for (QString& field : fields)
        field = xmlSafe(field);
    return fields;
}

QList<QStringList> boxContents(SmsData& store, const QString& box) {
    QMap<int, SM_PARAM_DECODE> map;
    store.getPcAllSmsItem(map, box);
    QList<QStringList> out;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        requireTerminatedFields(it.value());
        out << QStringList{QString::number(it.key())} + keptFields(it.value());
    }
    return out;
}

bool sameTree(const XmlNode& a, const XmlNode& b) {
    return a.name == b.name && a.text == b.text &&
           std::equal(a.children.begin(), a.children.end(), b.children.begin(), b.children.end(),
                      sameTree);
}

} // namespace

void fuzzMessageFile(const uint8_t* data, size_t size) {
    // Read without its indentation, a file gives the tree it gives as it
    // stands, or fails as it does.
    XmlNode verbatim, compact;
    const bool parsed = readXmlTree(bytesOf(data, size), &verbatim, nullptr);
    require(parsed == readXmlTree(withoutIndentation(bytesOf(data, size)), &compact, nullptr));
    require(!parsed || sameTree(verbatim, compact));

    // The file as sms.xml. What was read, written and read again is the
    // same; a message copied into the inbox reads back as it was.
    const QString path = scratchDataFile("sms.xml");
    writeScratch(path, bytesOf(data, size));
    static const QString boxes[] = {"inbox", "outbox", "draftbox"};
    SmsData first;
    QList<QList<QStringList>> read;
    for (const QString& box : boxes)
        read << boxContents(first, box);
    if (!first.saveDom())
        return; // an unparsable file is moved aside and never overwritten
    SmsData second;
    for (int i = 0; i < 3; ++i)
        require(boxContents(second, boxes[i]) == read[i]);

    QMap<int, SM_PARAM_DECODE> map;
    second.getPcAllSmsItem(map, "outbox");
    if (map.isEmpty())
        return;
    const int id = second.appendSmsItem(map.first(), "inbox");
    if (id < 0 || !second.saveDom())
        return;
    SmsData third;
    QMap<int, SM_PARAM_DECODE> inbox;
    third.getPcAllSmsItem(inbox, "inbox");
    require(inbox.contains(id) && keptFields(inbox.value(id)) == keptFields(map.first()));
}
