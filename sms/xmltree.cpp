#include "sms/xmltree.h"

#include <QXmlStreamReader>
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
// pair). The writer leaves the others out and the quick reader drops them, so
// a hand-edited file reads the same before and after it is saved.
bool xmlCanHold(char16_t u) {
    return u >= 0x20 ? u != 0xFFFE && u != 0xFFFF : u == '\t' || u == '\n' || u == '\r';
}

void dropWhatXmlCannotHold(QString& text) {
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

// A reader for the files as this program writes them: a declaration,
// elements without attributes, text with the predefined entities and
// character references, blanks between elements. It gives up (returns
// false) on anything else - comments, CDATA, a doctype, attributes, another
// encoding, a file that is not well-formed - and the general reader takes
// over, which also says what is wrong. It is several times faster than the
// general reader on a store of some thousand messages. Unlike the general
// reader it takes characters XML cannot hold (control characters of a
// hand-edited file) and drops them, rather than refusing the whole store.
class FastReader {
public:
    explicit FastReader(const QByteArray& xml)
        : p_(xml.constData()), end_(xml.constData() + xml.size()) {}

    bool read(XmlNode* root) {
        skipBlanks();
        if (startsWith("<?xml") && !skipDeclaration())
            return false;
        skipBlanks();
        if (!element(root, 0))
            return false;
        skipBlanks();
        return p_ == end_;
    }

private:
    bool startsWith(const char* text) const {
        const size_t n = std::strlen(text);
        return size_t(end_ - p_) >= n && std::memcmp(p_, text, n) == 0;
    }
    void skipBlanks() {
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t'))
            ++p_;
    }
    bool skipDeclaration() {
        const char* close = static_cast<const char*>(std::memchr(p_, '>', end_ - p_));
        if (!close || close[-1] != '?')
            return false;
        const QByteArray declaration(p_, close - p_);
        const int at = declaration.indexOf("encoding=");
        if (at >= 0) {
            const QByteArray encoding = declaration.mid(at + 10, 5).toUpper();
            if (encoding != "UTF-8")
                return false;
        }
        p_ = close + 1;
        return true;
    }
    static bool nameStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    static bool nameChar(char c) {
        return nameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }
    // A name at p_, shared with the earlier ones of the same spelling.
    bool name(QString* out) {
        const char* start = p_;
        if (p_ == end_ || !nameStart(*p_))
            return false;
        while (p_ < end_ && nameChar(*p_))
            ++p_;
        const QByteArrayView spelled(start, p_ - start);
        for (const auto& [bytes, text] : names_) {
            if (bytes == spelled) {
                *out = text;
                return true;
            }
        }
        *out = QString::fromLatin1(spelled);
        names_.append({spelled.toByteArray(), *out});
        return true;
    }
    // Text up to the next "<", its references resolved.
    bool text(QString* out) {
        const char* start = p_;
        const char* lt = static_cast<const char*>(std::memchr(p_, '<', end_ - p_));
        if (!lt)
            return false;
        p_ = lt;
        const char* amp = static_cast<const char*>(std::memchr(start, '&', lt - start));
        if (!amp) {
            *out = QString::fromUtf8(start, lt - start);
            dropWhatXmlCannotHold(*out);
            return true;
        }
        QByteArray plain;
        plain.reserve(lt - start);
        for (const char* c = start; c < lt; ++c) {
            if (*c != '&') {
                plain += *c;
                continue;
            }
            const char* semi = static_cast<const char*>(std::memchr(c, ';', lt - c));
            if (!semi)
                return false;
            const QByteArrayView ref(c + 1, semi - c - 1);
            uint code = 0;
            bool ok = true;
            if (ref == "lt")
                code = '<';
            else if (ref == "gt")
                code = '>';
            else if (ref == "amp")
                code = '&';
            else if (ref == "quot")
                code = '"';
            else if (ref == "apos")
                code = '\'';
            else if (ref.startsWith("#x"))
                code = ref.sliced(2).toByteArray().toUInt(&ok, 16);
            else if (ref.startsWith('#'))
                code = ref.sliced(1).toByteArray().toUInt(&ok, 10);
            else
                return false;
            if (!ok || code == 0 || code > 0x10FFFF)
                return false;
            const char32_t unit = code;
            plain += QString::fromUcs4(&unit, 1).toUtf8();
            c = semi;
        }
        *out = QString::fromUtf8(plain);
        dropWhatXmlCannotHold(*out);
        return true;
    }
    // The element at p_ ("<name>...</name>" or "<name/>") into `node`.
    bool element(XmlNode* node, int depth) {
        if (depth > 32 || p_ == end_ || *p_ != '<')
            return false;
        ++p_;
        if (!name(&node->name) || p_ == end_)
            return false;
        if (*p_ == '/') {
            ++p_;
            return p_ < end_ && *p_++ == '>';
        }
        if (*p_++ != '>')
            return false;
        QString content;
        for (;;) {
            QString piece;
            if (!text(&piece))
                return false;
            content += piece;
            if (startsWith("</"))
                break;
            if (startsWith("<!") || startsWith("<?"))
                return false;
            node->children.append(XmlNode());
            if (!element(&node->children.last(), depth + 1))
                return false;
        }
        p_ += 2;
        QString closing;
        if (!name(&closing) || closing != node->name || p_ == end_ || *p_++ != '>')
            return false;
        // The blanks that indent child elements are no text.
        if (node->children.isEmpty())
            node->text = content;
        return true;
    }

    const char* p_;
    const char* end_;
    QList<std::pair<QByteArray, QString>> names_;
};

} // namespace

bool parseXmlTree(const QByteArray& xml, XmlNode* root, QString* error) {
    if (FastReader(xml).read(root))
        return true;
    *root = XmlNode();
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
            if (!open.isEmpty()) {
                // A file in another encoding can decode to characters that
                // XML can't hold; they are dropped here as the writer drops
                // them, so the store reads the same after it is saved.
                QString text = reader.text().toString();
                dropWhatXmlCannotHold(text);
                open.last()->text += text;
            }
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

void appendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// `text` as UTF-8 with "<", ">", "&" and carriage returns escaped, without
// the characters XML cannot hold (as DomFile::xmlSafe leaves them out).
void appendEscaped(QByteArray& out, const QString& text) {
    const qsizetype n = text.size();
    const QChar* chars = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = chars[i].unicode();
        if (u >= 0x20 && u < 0x80 && u != '<' && u != '>' && u != '&') {
            out += char(u);
        } else if (u == '<') {
            out += "&lt;";
        } else if (u == '>') {
            out += "&gt;";
        } else if (u == '&') {
            out += "&amp;";
        } else if (u == '\r') {
            out += "&#xd;";
        } else if (u == '\t' || u == '\n') {
            out += char(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && chars[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(u, chars[i + 1].unicode()));
            ++i;
        } else if (u >= 0x80 && !QChar::isSurrogate(u) && xmlCanHold(u)) {
            appendUtf8(out, u);
        }
    }
}

void writeNode(QByteArray& out, const XmlNode& node, int depth) {
    const QByteArray name = node.name.toUtf8();
    out.append(4 * depth, ' ');
    out += '<';
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
        out.append(4 * depth, ' ');
    }
    out += "</";
    out += name;
    out += ">\n";
}

} // namespace

QByteArray serializeXmlTree(const XmlNode& root) {
    QByteArray out;
    out.reserve(1 << 20);
    out += "<?xml version='1.0' encoding='UTF-8'?>\n";
    writeNode(out, root, 0);
    return out;
}
