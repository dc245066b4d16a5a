#include "sms/xmltree.h"

#include "app/domfile.h"

#include <QXmlStreamReader>

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

bool parseXmlTree(const QByteArray& xml, XmlNode* root, QString* error) {
    QXmlStreamReader reader(xml);
    // The open elements, outermost first; the root is the first of them.
    QList<XmlNode*> open;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            XmlNode* node = nullptr;
            if (open.isEmpty()) {
                *root = XmlNode{reader.name().toString(), {}, {}};
                node = root;
                haveRoot = true;
            } else {
                XmlNode* parent = open.last();
                parent->children.append(XmlNode{reader.name().toString(), {}, {}});
                node = &parent->children.last();
            }
            open.append(node);
            break;
        }
        case QXmlStreamReader::EndElement:
            // The blanks that indent child elements are no text.
            if (!open.last()->children.isEmpty())
                open.last()->text.clear();
            open.removeLast();
            break;
        case QXmlStreamReader::Characters:
            if (!open.isEmpty())
                open.last()->text += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || !haveRoot) {
        if (error)
            *error = reader.hasError() ? QString("line %1 column %2: %3")
                                             .arg(reader.lineNumber())
                                             .arg(reader.columnNumber())
                                             .arg(reader.errorString())
                                       : QString("no element");
        return false;
    }
    return true;
}

namespace {

void appendEscaped(QByteArray& out, const QString& text) {
    const QString safe = DomFile::xmlSafe(text);
    QString escaped;
    escaped.reserve(safe.size() + 16);
    for (QChar c : safe) {
        switch (c.unicode()) {
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '\r':
            escaped += QLatin1String("&#xd;");
            break;
        default:
            escaped += c;
        }
    }
    out += escaped.toUtf8();
}

void writeNode(QByteArray& out, const XmlNode& node, int depth) {
    out += QByteArray(4 * depth, ' ');
    out += '<';
    const QByteArray name = node.name.toUtf8();
    out += name;
    if (node.children.isEmpty()) {
        if (node.text.isEmpty()) {
            out += "/>\n";
            return;
        }
        out += '>';
        appendEscaped(out, node.text);
    } else {
        out += ">\n";
        for (const XmlNode& c : node.children)
            writeNode(out, c, depth + 1);
        out += QByteArray(4 * depth, ' ');
    }
    out += "</";
    out += name;
    out += ">\n";
}

} // namespace

QByteArray serializeXmlTree(const XmlNode& root) {
    QByteArray out = "<?xml version='1.0' encoding='UTF-8'?>\n";
    writeNode(out, root, 0);
    return out;
}
