#pragma once

// A small element tree for the store files (messages, contacts): elements with a name, the
// text of a leaf element and child elements, nothing else (the files have no
// attributes). It is read and written with Qt's streaming XML classes, which
// are several times faster than a DOM document for a store of some thousand
// messages, in the layout earlier versions wrote: an XML declaration and the
// elements indented by 4.

#include <QByteArray>
#include <QList>
#include <QString>

struct XmlNode {
    QString name;
    QString text; // a leaf's text; elements with children keep none
    QList<XmlNode> children;

    // The first child named `childName`, or null.
    XmlNode* child(const QString& childName);
    const XmlNode* child(const QString& childName) const;
    // A leaf child named `childName` holding `value`, appended.
    void append(const QString& childName, const QString& value);
};
// Moved as bytes when a list of children grows.
Q_DECLARE_TYPEINFO(XmlNode, Q_RELOCATABLE_TYPE);

// Parses `xml` into `root`. False, with `error` set, when it is not
// well-formed or holds no element. A file with bytes that aren't UTF-8 or
// characters XML can't hold is read with those left out.
bool parseXmlTree(const QByteArray& xml, XmlNode* root, QString* error);

// Reads `xml` into `root` as it stands, every blank handed to the tokenizer.
// False, with `error` set, when it is not well-formed or holds no element.
bool readXmlTree(const QByteArray& xml, XmlNode* root, QString* error);

// `xml` without the blanks between elements, which the tree drops anyway
// (the indentation is about a quarter of a store file, and the tokenizer's
// time grows with every character). A leaf's own blanks ("<x> </x>") stay.
// A document with comments, CDATA sections, a document type or attributes
// is returned as it stands: a '<' or '>' inside them would mislead this
// plain scan. Either way its tree is the same.
QByteArray withoutIndentation(const QByteArray& xml);

// The document of `root`, indented by 4, ending with a line end. Characters
// that XML cannot hold are left out (see xmlSafe); a carriage return is
// written as a character reference so that it reads back unchanged.
QByteArray serializeXmlTree(const XmlNode& root);

// `text` without the characters XML 1.0 cannot hold (control characters
// other than tab, line feed and carriage return; unpaired surrogates;
// U+FFFE and U+FFFF), as the store writes it: whatever a message or a modem
// carried, the file stays readable.
QString xmlSafe(QString text);
