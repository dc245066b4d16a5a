#include "phonebook/xmlparser.h"

#include "app/globals.h"

#include <QHash>

namespace {

// The store of a new installation: no groups, no contacts.
const QByteArray kInitialDocument = "<?xml version='1.0' encoding='UTF-8'?>"
                                    "<phonebook><groups/><contacts/></phonebook>";

// The id of a contact item: the text of its first element.
QString itemId(const XmlNode& item) {
    return item.children.isEmpty() ? QString() : item.children.first().text;
}

} // namespace

XmlParser::XmlParser() : file_(dataFile("contact.xml"), kInitialDocument, "can't read xml file") {
    file_.load(root_);
}

void XmlParser::readAllContact(QMap<int, Contact>& map) const {
    const XmlNode* container = contacts();
    if (!container)
        return;
    // The fields of an item by position; each is taken only where it belongs.
    using Setter = void (Contact::*)(const QString&);
    static const std::pair<const char*, Setter> fields[] = {
        {"name", &Contact::setName},           {"phone", &Contact::setPhone},
        {"homephone", &Contact::setHomePhone}, {"officephone", &Contact::setOfficePhone},
        {"email", &Contact::setEmail},         {"group", &Contact::setGroup}};
    for (const XmlNode& item : container->children) {
        Contact c;
        if (!item.children.isEmpty() && item.children.first().name == u"id") {
            c.setId(item.children.first().text.toInt());
            qsizetype at = 1;
            for (const auto& [name, set] : fields) {
                if (at >= item.children.size())
                    break;
                const XmlNode& e = item.children.at(at++);
                if (e.name == QLatin1String(name))
                    (c.*set)(e.text);
            }
        }
        map.insert(c.getId(), c);
    }
}

void XmlParser::readGroup(QStringList& list) const {
    if (const XmlNode* container = groups())
        for (const XmlNode& e : container->children)
            if (e.name == u"groupname")
                list.append(e.text);
}

bool XmlParser::insertContact(Contact& c) {
    XmlNode* container = contacts();
    if (!container)
        return false;
    XmlNode item{QStringLiteral("contactitem"), {}, {}};
    item.append(QStringLiteral("id"), QString::number(c.getId()));
    item.append(QStringLiteral("name"), xmlSafe(c.getName()));
    item.append(QStringLiteral("phone"), xmlSafe(c.getPhone()));
    item.append(QStringLiteral("homephone"), xmlSafe(c.getHomePhone()));
    item.append(QStringLiteral("officephone"), xmlSafe(c.getOfficePhone()));
    item.append(QStringLiteral("email"), xmlSafe(c.getEmail()));
    item.append(QStringLiteral("group"), xmlSafe(c.getGroup()));
    container->children.append(std::move(item));
    return true;
}

bool XmlParser::delContact(int id) {
    XmlNode* container = contacts();
    if (!container)
        return false;
    const QString key = QString::number(id);
    for (qsizetype i = 0; i < container->children.size(); ++i) {
        if (itemId(container->children.at(i)) == key) {
            container->children.removeAt(i);
            return true;
        }
    }
    return false;
}

bool XmlParser::modifyContact(int id, Contact& c) {
    delContact(id);
    c.setId(id);
    return insertContact(c);
}

void XmlParser::modifyContacts(const QList<Contact>& changed) {
    XmlNode* container = contacts();
    if (!container)
        return;
    // The first item of each changed id goes, in one pass; the changed
    // contacts are appended.
    QHash<QString, bool> pending; // id -> its first item is still to be removed
    for (const Contact& c : changed)
        pending.insert(QString::number(c.getId()), true);
    QList<XmlNode> kept;
    kept.reserve(container->children.size());
    for (XmlNode& item : container->children) {
        auto found = pending.find(itemId(item));
        if (found != pending.end() && *found) {
            *found = false;
            continue;
        }
        kept.append(std::move(item));
    }
    container->children = std::move(kept);
    for (Contact c : changed)
        insertContact(c);
}

bool XmlParser::insertGroup(const QString& name, bool save) {
    XmlNode* container = groups();
    if (!container)
        return false;
    container->append(QStringLiteral("groupname"), xmlSafe(name));
    return !save || saveDom();
}

bool XmlParser::delGroup(const QString& name, bool save) {
    if (XmlNode* container = groups()) {
        for (qsizetype i = 0; i < container->children.size(); ++i) {
            const XmlNode& e = container->children.at(i);
            if (e.name == u"groupname" && e.text == name) {
                container->children.removeAt(i);
                break;
            }
        }
    }
    return !save || saveDom();
}

bool XmlParser::saveDom() {
    return file_.save(root_);
}
