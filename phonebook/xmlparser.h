#pragma once

// The PC phonebook file, Data/contact.xml: below the document element, a
// group container (first child) holding one "groupname" per group and a
// contact container (last child) holding one "contactitem" per PC contact.
// Contact changes touch only the document until saveDom; group changes write
// the file unless told not to.

#include "app/xmlstorefile.h"
#include "phonebook/contact.h"

#include <QMap>
#include <QStringList>

class XmlParser {
public:
    // Reads the file; a missing one is created empty, an unparsable one is
    // moved aside (see XmlStoreFile).
    XmlParser();

    void readAllContact(QMap<int, Contact>& map) const;
    void readGroup(QStringList& groups) const;
    // Appends `c` to the contact container. False when there is none.
    bool insertContact(Contact& c);
    // Removes the first contact whose id is `id`. False when there is none.
    bool delContact(int id);
    // Replaces contact `id` by `c` under the same id, now last in the file.
    bool modifyContact(int id, Contact& c);
    // modifyContact for each of `changed` in turn, in one pass over the file.
    void modifyContacts(const QList<Contact>& changed);
    bool insertGroup(const QString& name, bool save = true);
    bool delGroup(const QString& name, bool save = true);
    bool saveDom();

private:
    XmlNode* groups() { return root_.children.isEmpty() ? nullptr : &root_.children.first(); }
    XmlNode* contacts() { return root_.children.isEmpty() ? nullptr : &root_.children.last(); }
    const XmlNode* contacts() const {
        return root_.children.isEmpty() ? nullptr : &root_.children.last();
    }
    const XmlNode* groups() const {
        return root_.children.isEmpty() ? nullptr : &root_.children.first();
    }

    XmlStoreFile file_;
    XmlNode root_;
};
