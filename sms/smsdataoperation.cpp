#include "sms/smsdataoperation.h"

#include "app/globals.h"

#include <QtDebug>
#include <cstring>

namespace {

// The store of a new installation.
const QByteArray kInitialDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<smsdata><boxes><inbox/><outbox/><draftbox/></boxes></smsdata>";

constexpr int kLastId = 2500;
constexpr int kMaxDecodedCharacters = 512;

template <int N> void copyLatin1(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const qsizetype n = std::min<qsizetype>(bytes.size(), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

char firstCharacter(const QString& text) {
    return text.isEmpty() ? '\0' : text.at(0).toLatin1();
}

int idOf(const QDomElement& item) {
    return item.firstChildElement().text().toInt();
}

} // namespace

SmsData::SmsData() : file_(dataFile("sms.xml"), kInitialDocument, "can't read the sms.xml file") {
    file_.load(doc_);
}

QDomElement SmsData::container() const {
    return doc_.documentElement().lastChildElement();
}

QDomElement SmsData::findBox(const QString& box) const {
    return container().firstChildElement(box);
}

int SmsData::getPcAllSmsItem(QMap<int, SM_PARAM_DECODE>& map, const QString& box) {
    int count = 0;
    for (QDomElement item = findBox(box).firstChildElement("smsitem"); !item.isNull();
         item = item.nextSiblingElement("smsitem")) {
        SM_PARAM_DECODE rec;
        int id = -1;
        for (QDomElement e = item.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const QString name = e.tagName();
            const QString text = e.text();
            if (name == "id")
                id = text.toInt();
            else if (name == "tp_smsc")
                copyLatin1(rec.SCA, text);
            else if (name == "tp_da")
                copyLatin1(rec.TPA, text);
            else if (name == "tp_scts")
                copyLatin1(rec.TP_SCTS, text);
            else if (name == "tp_ud")
                copyLatin1(rec.TP_UD, text);
            else if (name == "tp_pid")
                rec.TP_PID = firstCharacter(text);
            else if (name == "tp_dcs")
                rec.TP_DCS = firstCharacter(text);
            else if (name == "index")
                rec.index = static_cast<unsigned char>(firstCharacter(text));
            else if (name == "contentstr")
                rec.contentStr = text;
            else if (name == "length")
                rec.length = text.toInt();
            else if (name == "pduSrc")
                rec.pduSrc = text;
            else if (name == "state")
                rec.state = text;
        }
        map.insert(id, rec);
        ++count;
    }
    return count;
}

int SmsData::selectSmsItem(SM_PARAM_DECODE& rec, const QString& box, int id) {
    const QDomElement boxElement = findBox(box);
    if (boxElement.isNull())
        return 1;
    if (!boxElement.hasChildNodes())
        return 0;
    // The fields after "id", in the order they are written; the walk fills
    // only those that stand at their place.
    static const char* const order[] = {"tp_smsc", "tp_da", "tp_pid",     "tp_dcs", "tp_scts",
                                        "tp_ud",   "index", "contentstr", "length", "pduSrc"};
    for (QDomElement item = boxElement.firstChildElement("smsitem"); !item.isNull();
         item = item.nextSiblingElement("smsitem")) {
        const QDomElement first = item.firstChildElement();
        if (first.tagName() != "id" || first.text().toInt() != id)
            continue;
        QDomElement e = first.nextSiblingElement();
        for (const char* expected : order) {
            if (e.isNull())
                break;
            if (e.tagName() == expected) {
                const QString name = e.tagName();
                if (name == "tp_da")
                    copyLatin1(rec.TPA, e.text());
                else if (name == "tp_scts")
                    copyLatin1(rec.TP_SCTS, e.text());
                else if (name == "tp_ud")
                    copyLatin1(rec.TP_UD, e.text());
                else if (name == "contentstr")
                    rec.contentStr = e.text();
                else if (name == "length")
                    rec.length = e.text().toInt();
                else if (name == "pduSrc")
                    rec.pduSrc = e.text();
            }
            e = e.nextSiblingElement();
        }
        break;
    }
    return 1;
}

int SmsData::insertSmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec,
                           const QString& box, bool save) {
    QDomElement boxes = container();
    if (boxes.isNull())
        return 1;
    if (!boxes.hasChildNodes())
        boxes.appendChild(doc_.createElement(box));
    QDomElement boxElement = findBox(box);
    if (boxElement.isNull())
        return 1;

    QDomElement item = doc_.createElement("smsitem");
    boxElement.appendChild(item);
    const int id = getNoUsedId(&map);
    addNewSmsItemNode(item, "id", QString::number(id));
    addNewSmsItemNode(item, "tp_smsc",
                      QString::fromLatin1(rec.SCA, strnlen(rec.SCA, sizeof rec.SCA)));
    addNewSmsItemNode(item, "tp_da",
                      QString::fromLatin1(rec.TPA, strnlen(rec.TPA, sizeof rec.TPA)));
    addNewSmsItemNode(item, "tp_pid", "0");
    addNewSmsItemNode(item, "tp_dcs", "0");
    addNewSmsItemNode(item, "tp_scts",
                      QString::fromLatin1(rec.TP_SCTS, strnlen(rec.TP_SCTS, sizeof rec.TP_SCTS)));
    addNewSmsItemNode(item, "tp_ud",
                      QString::fromLatin1(rec.TP_UD, strnlen(rec.TP_UD, sizeof rec.TP_UD)));
    addNewSmsItemNode(item, "index", "0");
    addNewSmsItemNode(item, "contentstr", rec.contentStr);
    addNewSmsItemNode(item, "length", QString::number(rec.length));
    addNewSmsItemNode(item, "pduSrc", rec.pduSrc);
    addNewSmsItemNode(item, "state", rec.state);
    // A caller that inserts several messages in a row with the same listing
    // must still get distinct ids.
    map.insert(id, rec);

    if (save)
        saveDom();
    return 1;
}

int SmsData::delSmsItem(int id, const QString& box, bool save) {
    QDomElement boxElement = findBox(box);
    if (boxElement.isNull())
        return 1;
    if (!boxElement.hasChildNodes())
        return 0;
    for (QDomElement item = boxElement.firstChildElement("smsitem"); !item.isNull();
         item = item.nextSiblingElement("smsitem")) {
        if (idOf(item) == id) {
            boxElement.removeChild(item);
            break;
        }
    }
    if (save)
        saveDom();
    return 1;
}

int SmsData::modifySmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, int id,
                           const QString& box) {
    // One write for both steps: the file never lacks the message in between.
    delSmsItem(id, box, false);
    return insertSmsItem(map, rec, box, true);
}

int SmsData::getNoUsedId(QMap<int, SM_PARAM_DECODE>* map) {
    for (int id = 0; id <= kLastId; ++id) {
        if (!map->contains(id))
            return id;
    }
    return kLastId + 1;
}

bool SmsData::saveDom() {
    return file_.save(doc_);
}

void SmsData::addNewSmsItemNode(QDomNode parent, const QString& name, const QString& text) {
    QDomElement element = doc_.createElement(name);
    element.appendChild(doc_.createTextNode(DomFile::xmlSafe(text)));
    parent.appendChild(element);
}

QString SmsData::coding(const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() <= 0x7F;
    QString hex = ascii ? QString() : QString("80");
    for (QChar c : text)
        hex += QString::number(c.unicode(), 16).rightJustified(ascii ? 2 : 4, '0');
    return hex.toUpper();
}

QString SmsData::decode(const QString& hex) {
    bool ok = false;
    const bool ucs2 = hex.left(2).toInt(&ok, 16) == 0x80 && ok;
    const int width = ucs2 ? 4 : 2;
    QString text;
    for (qsizetype i = ucs2 ? 2 : 0; i + width <= hex.size(); i += width) {
        if (ucs2 && text.size() == kMaxDecodedCharacters)
            break;
        const uint code = hex.mid(i, width).toUInt(&ok, 16);
        if (!ok)
            break;
        text += QChar(static_cast<char16_t>(code));
    }
    return text;
}
