#include "sms/smsdataoperation.h"

#include "app/globals.h"
#include "sms/deliveryreport.h"

#include <QSet>
#include <cstring>

namespace {

// The store of a new installation.
const QByteArray kInitialDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<smsdata><boxes><inbox/><outbox/><draftbox/></boxes></smsdata>";

const QString kItem = QStringLiteral("smsitem");

constexpr int kLastId = 2500;

template <int N> void copyLatin1(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const qsizetype n = std::min<qsizetype>(bytes.size(), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

template <int N> QString fieldText(const char (&field)[N]) {
    return QString::fromLatin1(field, strnlen(field, N));
}

char firstCharacter(const QString& text) {
    return text.isEmpty() ? '\0' : text.at(0).toLatin1();
}

bool isItem(const XmlNode& node) {
    return node.name == kItem;
}

// An item's id: its first child read as a number.
int idOf(const XmlNode& item) {
    return item.children.isEmpty() ? 0 : item.children.first().text.toInt();
}

int itemCount(const XmlNode* box) {
    if (!box)
        return 0;
    return static_cast<int>(std::count_if(box->children.begin(), box->children.end(), isItem));
}

} // namespace

SmsData::SmsData() : file_(dataFile("sms.xml"), kInitialDocument, "can't read the sms.xml file") {
    file_.load(root_);
}

void SmsData::reload() {
    const int loads = loads_;
    *this = SmsData();
    loads_ = loads + 1;
}

XmlNode* SmsData::container() {
    return root_.children.isEmpty() ? nullptr : &root_.children.last();
}

const XmlNode* SmsData::container() const {
    return const_cast<SmsData*>(this)->container();
}

XmlNode* SmsData::findBox(const QString& box) {
    XmlNode* boxes = container();
    return boxes ? boxes->child(box) : nullptr;
}

const XmlNode* SmsData::findBox(const QString& box) const {
    return const_cast<SmsData*>(this)->findBox(box);
}

int SmsData::getPcAllSmsItem(QMap<int, SM_PARAM_DECODE>& map, const QString& box) {
    const XmlNode* boxNode = findBox(box);
    if (!boxNode)
        return 0;
    int count = 0;
    for (const XmlNode& item : boxNode->children) {
        if (!isItem(item))
            continue;
        SM_PARAM_DECODE rec;
        int id = -1;
        for (const XmlNode& e : item.children) {
            const QString& name = e.name;
            const QString& text = e.text;
            if (name == u"id")
                id = text.toInt();
            else if (name == u"tp_smsc")
                copyLatin1(rec.SCA, text);
            else if (name == u"tp_da")
                copyLatin1(rec.TPA, text);
            else if (name == u"tp_scts")
                copyLatin1(rec.TP_SCTS, text);
            else if (name == u"tp_ud")
                copyLatin1(rec.TP_UD, text);
            else if (name == u"tp_pid")
                rec.TP_PID = firstCharacter(text);
            else if (name == u"tp_dcs")
                rec.TP_DCS = firstCharacter(text);
            else if (name == u"index")
                rec.index = static_cast<unsigned char>(firstCharacter(text));
            else if (name == u"contentstr")
                rec.contentStr = text;
            else if (name == u"length")
                rec.length = text.toInt();
            else if (name == u"pduSrc")
                rec.pduSrc = text;
            else if (name == u"state")
                rec.state = text;
            else if (name == u"delivery")
                rec.delivery = deliveryFromText(text);
        }
        map.insert(id, rec);
        ++count;
    }
    return count;
}

int SmsData::countOf(const QString& box) const {
    return itemCount(findBox(box));
}

int SmsData::selectSmsItem(SM_PARAM_DECODE& rec, const QString& box, int id) {
    const XmlNode* boxNode = findBox(box);
    if (!boxNode)
        return 1;
    if (boxNode->children.isEmpty())
        return 0;
    // The fields after "id", in the order they are written; the walk fills
    // only those that stand at their place.
    static const char16_t* const order[] = {u"tp_smsc", u"tp_da", u"tp_pid", u"tp_dcs",
                                            u"tp_scts", u"tp_ud", u"index",  u"contentstr",
                                            u"length",  u"pduSrc"};
    for (const XmlNode& item : boxNode->children) {
        if (!isItem(item) || item.children.isEmpty())
            continue;
        const XmlNode& first = item.children.first();
        if (first.name != u"id" || first.text.toInt() != id)
            continue;
        qsizetype at = 1;
        for (const char16_t* expected : order) {
            if (at >= item.children.size())
                break;
            const XmlNode& e = item.children.at(at++);
            if (e.name != expected)
                continue;
            if (e.name == u"tp_da")
                copyLatin1(rec.TPA, e.text);
            else if (e.name == u"tp_scts")
                copyLatin1(rec.TP_SCTS, e.text);
            else if (e.name == u"tp_ud")
                copyLatin1(rec.TP_UD, e.text);
            else if (e.name == u"contentstr")
                rec.contentStr = e.text;
            else if (e.name == u"length")
                rec.length = e.text.toInt();
            else if (e.name == u"pduSrc")
                rec.pduSrc = e.text;
        }
        break;
    }
    return 1;
}

XmlNode* SmsData::boxForInsert(const QString& box) {
    XmlNode* boxes = container();
    if (!boxes)
        return nullptr;
    if (boxes->children.isEmpty())
        boxes->children.append(XmlNode{box, {}, {}});
    return findBox(box);
}

void SmsData::appendItem(XmlNode& box, const SM_PARAM_DECODE& rec, int id) {
    XmlNode item{kItem, {}, {}};
    item.children.reserve(12);
    item.append("id", QString::number(id));
    item.append("tp_smsc", fieldText(rec.SCA));
    item.append("tp_da", fieldText(rec.TPA));
    item.append("tp_pid", "0");
    item.append("tp_dcs", "0");
    item.append("tp_scts", fieldText(rec.TP_SCTS));
    item.append("tp_ud", fieldText(rec.TP_UD));
    item.append("index", "0");
    item.append("contentstr", rec.contentStr);
    item.append("length", QString::number(rec.length));
    item.append("pduSrc", rec.pduSrc);
    item.append("state", rec.state);
    if (!rec.delivery.isEmpty())
        item.append("delivery", deliveryToText(rec.delivery));
    box.children.append(std::move(item));
}

int SmsData::insertSmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec,
                           const QString& box, bool save) {
    XmlNode* boxNode = boxForInsert(box);
    if (!boxNode)
        return 1;
    const int id = getNoUsedId(&map);
    appendItem(*boxNode, rec, id);
    // A caller that inserts several messages in a row with the same listing
    // must still get distinct ids.
    map.insert(id, rec);
    if (save)
        saveDom();
    return 1;
}

int SmsData::appendSmsItem(const SM_PARAM_DECODE& rec, const QString& box) {
    XmlNode* boxNode = boxForInsert(box);
    if (!boxNode)
        return -1;
    QSet<int> used;
    for (const XmlNode& item : std::as_const(boxNode->children)) {
        if (isItem(item))
            used.insert(idOf(item));
    }
    int id = 0;
    while (id <= kLastId && used.contains(id))
        ++id;
    appendItem(*boxNode, rec, id);
    return id;
}

int SmsData::delSmsItem(int id, const QString& box, bool save) {
    XmlNode* boxNode = findBox(box);
    if (!boxNode)
        return 1;
    if (boxNode->children.isEmpty())
        return 0;
    QList<XmlNode>& items = boxNode->children;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (isItem(items.at(i)) && idOf(items.at(i)) == id) {
            items.removeAt(i);
            break;
        }
    }
    if (save)
        saveDom();
    return 1;
}

int SmsData::delSmsItems(const QList<int>& ids, const QString& box) {
    XmlNode* boxNode = findBox(box);
    if (!boxNode)
        return 0;
    QSet<int> wanted(ids.begin(), ids.end());
    const qsizetype before = boxNode->children.size();
    boxNode->children.removeIf([&wanted](const XmlNode& item) {
        // The first item of each id only, as delSmsItem removes.
        return isItem(item) && wanted.remove(idOf(item));
    });
    return static_cast<int>(before - boxNode->children.size());
}

int SmsData::modifySmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, int id,
                           const QString& box) {
    // One write for both steps: the file never lacks the message in between.
    delSmsItem(id, box, false);
    insertSmsItem(map, rec, box, false);
    return saveDom() ? 1 : 0;
}

bool SmsData::setSmsState(const QString& box, int id, const QString& state) {
    return setField(box, id, "state", state);
}

bool SmsData::setSmsDelivery(const QString& box, int id, const QList<PartDelivery>& parts) {
    return setField(box, id, "delivery", deliveryToText(parts));
}

bool SmsData::setField(const QString& box, int id, const QString& field, const QString& value) {
    XmlNode* boxNode = findBox(box);
    if (!boxNode)
        return false;
    for (XmlNode& item : boxNode->children) {
        if (!isItem(item) || idOf(item) != id)
            continue;
        if (XmlNode* leaf = item.child(field))
            leaf->text = value;
        else
            item.append(field, value);
        return true;
    }
    return false;
}

QList<int> SmsData::idsInOrder(const QString& box) const {
    QList<int> ids;
    if (const XmlNode* boxNode = findBox(box)) {
        for (const XmlNode& item : boxNode->children)
            if (isItem(item))
                ids << idOf(item);
    }
    return ids;
}

int SmsData::getNoUsedId(QMap<int, SM_PARAM_DECODE>* map) {
    for (int id = 0; id <= kLastId; ++id) {
        if (!map->contains(id))
            return id;
    }
    return kLastId + 1;
}

bool SmsData::saveDom() {
    return file_.save(root_);
}
