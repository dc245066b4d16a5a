#include "phonebook/xmlparser.h"

#include "app/globals.h"

#include <QHash>

namespace {

// The store of a new installation: no groups, no contacts.
const QByteArray kInitialDocument = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                    "<phonebook><groups/><contacts/></phonebook>";

} // namespace

XmlParser::XmlParser() : file_(dataFile("contact.xml"), kInitialDocument, "can't read xml file") {
    file_.load(doc_);
}

void XmlParser::readAllContact(QMap<int, Contact>& map) const {
    // The fields of an item by position; each is taken only where it belongs.
    using Setter = void (Contact::*)(const QString&);
    static const std::pair<const char*, Setter> fields[] = {
        {"name", &Contact::setName},           {"phone", &Contact::setPhone},
        {"homephone", &Contact::setHomePhone}, {"officephone", &Contact::setOfficePhone},
        {"email", &Contact::setEmail},         {"group", &Contact::setGroup}};
    for (QDomElement item = contacts().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        Contact c;
        QDomElement e = item.firstChildElement();
        if (e.tagName() == "id") {
            c.setId(e.text().toInt());
            e = e.nextSiblingElement();
            for (const auto& [name, set] : fields) {
                if (e.isNull())
                    break;
                if (e.tagName() == name)
                    (c.*set)(e.text());
                e = e.nextSiblingElement();
            }
        }
        map.insert(c.getId(), c);
    }
}

void XmlParser::readGroup(QStringList& list) const {
    for (QDomElement e = groups().firstChildElement("groupname"); !e.isNull();
         e = e.nextSiblingElement("groupname"))
        list.append(e.text());
}

bool XmlParser::insertContact(Contact& c) {
    QDomElement container = contacts();
    if (container.isNull())
        return false;
    QDomElement item = doc_.createElement("contactitem");
    addNewItem(item, "id", QString::number(c.getId()));
    addNewItem(item, "name", c.getName());
    addNewItem(item, "phone", c.getPhone());
    addNewItem(item, "homephone", c.getHomePhone());
    addNewItem(item, "officephone", c.getOfficePhone());
    addNewItem(item, "email", c.getEmail());
    addNewItem(item, "group", c.getGroup());
    container.appendChild(item);
    return true;
}

bool XmlParser::delContact(int id) {
    QDomElement container = contacts();
    const QString key = QString::number(id);
    for (QDomElement item = container.firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        if (item.firstChildElement().text() == key) {
            container.removeChild(item);
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
    QDomElement container = contacts();
    QHash<QString, QDomElement> items; // the first item of each id
    for (QDomElement item = container.firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        const QString id = item.firstChildElement().text();
        if (!items.contains(id))
            items.insert(id, item);
    }
    for (Contact c : changed) {
        const auto found = items.constFind(QString::number(c.getId()));
        if (found != items.constEnd())
            container.removeChild(*found);
        insertContact(c);
    }
}

bool XmlParser::insertGroup(const QString& name, bool save) {
    QDomElement container = groups();
    if (container.isNull())
        return false;
    addNewItem(container, "groupname", name);
    return !save || saveDom();
}

bool XmlParser::delGroup(const QString& name, bool save) {
    QDomElement container = groups();
    for (QDomElement e = container.firstChildElement("groupname"); !e.isNull();
         e = e.nextSiblingElement("groupname")) {
        if (e.text() == name) {
            container.removeChild(e);
            break;
        }
    }
    return !save || saveDom();
}

bool XmlParser::saveDom() {
    return file_.save(doc_);
}

void XmlParser::addNewItem(QDomNode parent, const QString& name, const QString& text) {
    QDomElement element = doc_.createElement(name);
    element.appendChild(doc_.createTextNode(DomFile::xmlSafe(text)));
    parent.appendChild(element);
}
