#include "app/xmltree.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

XmlNode* XmlNode::child(const QString& childName) {
    for (XmlNode& c : children) {
        if (c.name == childName)
            return &c;
    }
    return nullptr;
}

const XmlNode* XmlNode::child(const QString& childName) const {
    return const_cast<XmlNode*>(this)->child(childName);
}

void XmlNode::append(const QString& childName, const QString& value) {
    children.append(XmlNode{childName, value, {}});
}

namespace {

// Whether an XML file can hold the character (a surrogate is judged with its
// pair). The writer leaves the others out and the reader drops them, so a
// hand-edited file reads the same before and after it is saved.
bool xmlCanHold(char16_t u) {
    return u >= 0x20 ? u != 0xFFFE && u != 0xFFFF : u == '\t' || u == '\n' || u == '\r';
}

bool holdsOnlyWhatXmlCan(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (QChar::isSurrogate(u) || !xmlCanHold(u))
            return false;
    }
    return true;
}

void dropWhatXmlCannotHold(QString& text) {
    if (holdsOnlyWhatXmlCan(text))
        return;
    const qsizetype n = text.size();
    qsizetype kept = 0;
    QChar* chars = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = chars[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && chars[i + 1].isLowSurrogate()) {
            chars[kept++] = chars[i];
            chars[kept++] = chars[++i];
        } else if (!QChar::isSurrogate(u) && xmlCanHold(u)) {
            chars[kept++] = chars[i];
        }
    }
    text.truncate(kept);
}

// The bytes of `xml` without what XML cannot hold: control characters
// (other than tab and line ends) written raw or as character references.
// A hand-edited file may have them; they are dropped as saving drops them,
// rather than the whole store being set aside.
QByteArray withoutControlCharacters(const QByteArray& xml) {
    QByteArray out;
    out.reserve(xml.size());
    for (qsizetype i = 0; i < xml.size(); ++i) {
        const char c = xml[i];
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            continue;
        if (c == '&' && i + 2 < xml.size() && xml[i + 1] == '#') {
            const qsizetype semi = xml.indexOf(';', i);
            if (semi > i && semi - i < 12) {
                const QByteArray digits = xml.mid(i + 2, semi - i - 2);
                bool ok = false;
                const uint code =
                    digits.startsWith('x') ? digits.mid(1).toUInt(&ok, 16) : digits.toUInt(&ok, 10);
                if (ok && code <= 0xFFFF && !xmlCanHold(char16_t(code))) {
                    i = semi;
                    continue;
                }
            }
        }
        out += c;
    }
    return out;
}

// Whether the document is UTF-8: it says so, or it declares no encoding.
bool declaresUtf8(const QByteArray& xml) {
    if (!xml.startsWith("<?xml"))
        return true;
    const QByteArray declaration = xml.left(xml.indexOf("?>")).toLower();
    return !declaration.contains("encoding") || declaration.contains("utf-8");
}

// Element names are few: each is allocated once and shared by its elements.
// Siblings come in the same order item after item, so the search starts
// after the name found last.
class NamePool {
public:
    const QString& operator()(QStringView name) {
        const qsizetype n = names_.size();
        for (qsizetype i = 0, at = next_; i < n; ++i, at = at + 1 == n ? 0 : at + 1) {
            if (names_[at] == name) {
                next_ = at + 1 == n ? 0 : at + 1;
                return names_[at];
            }
        }
        names_.append(name.toString());
        next_ = 0;
        return names_.last();
    }

private:
    QList<QString> names_;
    qsizetype next_ = 0;
};

bool isBlank(const char* from, const char* to) {
    for (; from < to; ++from) {
        if (*from != ' ' && *from != '\n' && *from != '\t' && *from != '\r')
            return false;
    }
    return true;
}

constexpr qsizetype kMaxDepth = 32;

} // namespace

bool readXmlTree(const QByteArray& xml, XmlNode* root, QString* error) {
    *root = XmlNode();
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false); // the files have none
    NamePool pooledName;
    // The open elements, outermost first; the root is the first of them.
    QList<XmlNode*> open;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString& name = pooledName(reader.name());
            if (open.isEmpty()) {
                *root = XmlNode{name, {}, {}};
                open.append(root);
                haveRoot = true;
                break;
            }
            if (open.size() > kMaxDepth) {
                reader.raiseError(QStringLiteral("elements nested too deep"));
                break;
            }
            XmlNode* parent = open.last();
            // An element with children keeps no text.
            parent->text.clear();
            // Items of a store have the same fields: room for as many as
            // the item before had saves growing the list field by field
            // (boxes of a thousand items are not taken as a measure).
            if (parent->children.isEmpty() && open.size() > 1) {
                const QList<XmlNode>& siblings = open[open.size() - 2]->children;
                if (siblings.size() > 1)
                    parent->children.reserve(
                        std::min<qsizetype>(siblings[siblings.size() - 2].children.size(), 64));
            }
            parent->children.append(XmlNode{name, {}, {}});
            open.append(&parent->children.last());
            break;
        }
        case QXmlStreamReader::EndElement:
            // A file in another encoding can decode to characters that XML
            // can't hold; they are dropped here as the writer drops them, so
            // the store reads the same after it is saved.
            dropWhatXmlCannotHold(open.last()->text);
            open.removeLast();
            break;
        case QXmlStreamReader::Characters: {
            // Blanks before a child element are its parent's indentation:
            // they are dropped when the child starts.
            if (open.isEmpty() || !open.last()->children.isEmpty())
                break;
            QString& text = open.last()->text;
            if (text.isEmpty())
                text = reader.text().toString();
            else
                text += reader.text(); // a text cut by a character reference
            break;
        }
        default:
            break;
        }
    }
    if (!reader.hasError() && haveRoot)
        return true;
    if (error)
        *error = reader.hasError() ? QString("line %1 column %2: %3")
                                         .arg(reader.lineNumber())
                                         .arg(reader.columnNumber())
                                         .arg(reader.errorString())
                                   : QString("no element");
    return false;
}

QByteArray withoutIndentation(const QByteArray& xml) {
    QByteArray out(xml.size(), Qt::Uninitialized);
    char* to = out.data();
    const char* at = xml.constData();
    const char* const end = at + xml.size();
    const auto copy = [&to](const char* from, const char* upTo) {
        std::memcpy(to, from, upTo - from);
        to += upTo - from;
    };
    // Between a start tag and the next element's tag, blanks may be the
    // element's text.
    bool inLeaf = false;
    while (at < end) {
        const char* open = static_cast<const char*>(std::memchr(at, '<', end - at));
        if (!open)
            open = end;
        const bool endTag = open + 1 < end && open[1] == '/';
        const bool instruction = open + 1 < end && open[1] == '?';
        const bool elementStart = open + 1 < end && !endTag && !instruction;
        // What comes before the first tag is the tokenizer's to judge.
        if (at == xml.constData() || !isBlank(at, open) || (inLeaf && !elementStart))
            copy(at, open);
        if (open == end)
            break;
        if (open + 1 < end && open[1] == '!')
            return xml; // a comment, CDATA section or document type
        // A tag ends at its '>', a processing instruction at its "?>".
        const char* close = static_cast<const char*>(std::memchr(open + 1, '>', end - open - 1));
        while (instruction && close && (close[-1] != '?' || close - open < 3))
            close = static_cast<const char*>(std::memchr(close + 1, '>', end - close - 1));
        if (!close)
            return xml;
        if (!instruction &&
            (std::memchr(open, '"', close - open) || std::memchr(open, '\'', close - open)))
            return xml; // an attribute, whose value may hold a '>'
        if (!instruction)
            inLeaf = !endTag && close[-1] != '/';
        copy(open, close + 1);
        at = close + 1;
    }
    out.truncate(to - out.constData());
    return out;
}

bool parseXmlTree(const QByteArray& xml, XmlNode* root, QString* error) {
    if (readXmlTree(withoutIndentation(xml), root, nullptr))
        return true;
    // Read again as it stands, for the error's true line and column.
    if (readXmlTree(xml, root, error))
        return true;
    // A hand edit or a damaged disk may have left bytes that aren't UTF-8 or
    // characters XML can't hold: the rest of the store is read, the bad
    // bytes replaced and those characters dropped, rather than the whole
    // store set aside.
    const QByteArray repaired =
        withoutControlCharacters(declaresUtf8(xml) ? QString::fromUtf8(xml).toUtf8() : xml);
    if (repaired != xml && readXmlTree(repaired, root, nullptr))
        return true;
    *root = XmlNode();
    return false;
}

namespace {

// `text` without what XML cannot hold, a carriage return as a character
// reference so that it reads back unchanged (a reader turns a raw one into a
// line feed), as the DOM serializer of earlier versions wrote it.
void writeText(QXmlStreamWriter& writer, QString text) {
    dropWhatXmlCannotHold(text);
    QStringView rest(text);
    for (qsizetype cr = rest.indexOf(u'\r'); cr >= 0; cr = rest.indexOf(u'\r')) {
        writer.writeCharacters(rest.first(cr).toString());
        writer.writeEntityReference(QStringLiteral("#xd"));
        rest = rest.sliced(cr + 1);
    }
    writer.writeCharacters(rest.toString());
}

void writeNode(QXmlStreamWriter& writer, const XmlNode& node) {
    if (node.children.isEmpty() && node.text.isEmpty()) {
        writer.writeEmptyElement(node.name);
        return;
    }
    writer.writeStartElement(node.name);
    if (node.children.isEmpty())
        writeText(writer, node.text);
    for (const XmlNode& c : node.children)
        writeNode(writer, c);
    writer.writeEndElement();
}

} // namespace

QByteArray serializeXmlTree(const XmlNode& root) {
    // Written into a string and encoded once: many small writes into a
    // device cost more than the writing itself.
    QString document;
    document.reserve(1 << 20);
    QXmlStreamWriter writer(&document);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writeNode(writer, root);
    writer.writeEndDocument();
    // The declaration as earlier versions wrote it; the writer put the line
    // end before the root element.
    return "<?xml version='1.0' encoding='UTF-8'?>" + document.toUtf8();
}

QString xmlSafe(QString text) {
    dropWhatXmlCannotHold(text);
    return text;
}
