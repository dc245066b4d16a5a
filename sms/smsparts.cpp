#include "sms/smsparts.h"

#include "app/globals.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>
#include <cstring>

namespace {

const QByteArray kInitialDocument = "<smsparts/>";

template <int N> QString fieldText(const char (&field)[N]) {
    return QString::fromLatin1(field, strnlen(field, N));
}

template <int N> void setField(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const qsizetype n = std::min<qsizetype>(bytes.size(), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

QString text(const XmlNode& node, const char* name) {
    const XmlNode* c = node.child(QString::fromLatin1(name));
    return c ? c->text : QString();
}

QString keyOf(const SM_PARAM_DECODE& part, const ConcatInfo& info) {
    return QString("%1|%2|%3|%4")
        .arg(fieldText(part.TPA))
        .arg(info.reference)
        .arg(info.total)
        .arg(info.wideReference ? 16 : 8);
}

// The parts of a message node by their number.
QMap<int, const XmlNode*> partsOf(const XmlNode& message) {
    QMap<int, const XmlNode*> parts;
    for (const XmlNode& c : message.children) {
        if (c.name == u"part")
            parts.insert(text(c, "sequence").toInt(), &c);
    }
    return parts;
}

} // namespace

QString missingPartText(int sequence, int total) {
    return QCoreApplication::translate("PartStore", "[part %1 of %2 missing]")
        .arg(sequence)
        .arg(total);
}

PartStore::PartStore(const QString& path)
    : file_(path.isEmpty() ? dataFile("smsparts.xml") : path, kInitialDocument,
            "can't read the smsparts.xml file") {
    file_.load(root_);
}

XmlNode* PartStore::message(const QString& key) {
    for (XmlNode& m : root_.children) {
        if (text(m, "key") == key)
            return &m;
    }
    return nullptr;
}

const XmlNode* PartStore::message(const QString& key) const {
    return const_cast<PartStore*>(this)->message(key);
}

PartStore::Added PartStore::add(const SM_PARAM_DECODE& part, const ConcatInfo& info,
                                const QDateTime& now, QString* key) {
    *key = keyOf(part, info);
    XmlNode* m = message(*key);
    if (!m) {
        XmlNode fresh{"message", {}, {}};
        fresh.append("key", *key);
        fresh.append("total", QString::number(info.total));
        fresh.append("arrived", now.toUTC().toString(Qt::ISODate));
        root_.children.append(fresh);
        m = &root_.children.last();
    }
    const int sequence = info.sequence;
    m->children.removeIf([sequence](const XmlNode& c) {
        return c.name == u"part" && text(c, "sequence").toInt() == sequence;
    });
    XmlNode p{"part", {}, {}};
    p.append("sequence", QString::number(info.sequence));
    p.append("tp_smsc", fieldText(part.SCA));
    p.append("tp_da", fieldText(part.TPA));
    p.append("tp_scts", fieldText(part.TP_SCTS));
    p.append("contentstr", part.contentStr);
    p.append("length", QString::number(part.length));
    p.append("pduSrc", part.pduSrc);
    p.append("state", part.state);
    m->children.append(p);

    if (partsOf(*m).size() >= info.total)
        return Added::Complete;
    if (save())
        return Added::Waiting;
    removePart(*key, info.sequence);
    return Added::Failed;
}

void PartStore::removePart(const QString& key, int sequence) {
    XmlNode* m = message(key);
    if (!m)
        return;
    m->children.removeIf([sequence](const XmlNode& c) {
        return c.name == u"part" && text(c, "sequence").toInt() == sequence;
    });
    if (partsOf(*m).isEmpty())
        remove(key);
}

SM_PARAM_DECODE PartStore::joined(const QString& key, const QString& newWord) const {
    SM_PARAM_DECODE rec;
    const XmlNode* m = message(key);
    if (!m)
        return rec;
    const int total = text(*m, "total").toInt();
    const QMap<int, const XmlNode*> parts = partsOf(*m);
    QStringList pdus;
    bool anyNew = false;
    for (int n = 1; n <= total; ++n) {
        const XmlNode* p = parts.value(n);
        if (!p) {
            rec.contentStr += missingPartText(n, total);
            continue;
        }
        if (pdus.isEmpty()) {
            setField(rec.SCA, text(*p, "tp_smsc"));
            setField(rec.TPA, text(*p, "tp_da"));
            setField(rec.TP_SCTS, text(*p, "tp_scts"));
            rec.length = text(*p, "length").toInt();
        }
        rec.contentStr += text(*p, "contentstr");
        pdus << text(*p, "pduSrc");
        anyNew = anyNew || text(*p, "state") == newWord;
        rec.state = text(*p, "state");
    }
    if (anyNew)
        rec.state = newWord;
    rec.pduSrc = pdus.join(',');
    // The 8-bit form of the text, as a received message keeps it.
    QByteArray bytes;
    for (QChar c : rec.contentStr.left(SMS_MAX_SEPTETS))
        bytes += static_cast<char>(c.unicode() & 0xFF);
    setField(rec.TP_UD, QString::fromLatin1(bytes));
    return rec;
}

QStringList PartStore::expired(const QDateTime& now) const {
    QStringList keys;
    for (const XmlNode& m : root_.children) {
        const QDateTime arrived = QDateTime::fromString(text(m, "arrived"), Qt::ISODate);
        if (!arrived.isValid() || arrived.secsTo(now) >= kWaitSeconds)
            keys << text(m, "key");
    }
    return keys;
}

QStringList PartStore::keys() const {
    QStringList all;
    for (const XmlNode& m : root_.children)
        all << text(m, "key");
    return all;
}

QStringList PartStore::pdusOf(const QString& key) const {
    QStringList pdus;
    if (const XmlNode* m = message(key)) {
        for (const XmlNode* p : partsOf(*m))
            pdus << text(*p, "pduSrc");
    }
    return pdus;
}

void PartStore::remove(const QString& key) {
    root_.children.removeIf([&key](const XmlNode& m) { return text(m, "key") == key; });
}

bool PartStore::save() {
    return file_.save(root_);
}
