#include "phonebook/vcard.h"

#include <QStringDecoder>

namespace {

// --- writing -----------------------------------------------------------------

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == '\\' || c == ',' || c == ';')
            out += '\\';
        if (c == '\n') {
            out += QStringLiteral("\\n");
            continue;
        }
        if (c == '\r')
            continue;
        out += c;
    }
    return out;
}

// A telephone number as a TEL value: not escaped (its value type is a phone
// number, not text, and readers take backslashes in it as they stand),
// without line ends, which would cut the content line.
QString numberValue(const QString& number) {
    QString out = number;
    out.remove(QChar('\r'));
    out.remove(QChar('\n'));
    return out;
}

// A content line folded after 75 octets, never inside a UTF-8 sequence.
void appendLine(QByteArray& out, const QString& line) {
    const QByteArray bytes = line.toUtf8();
    qsizetype start = 0;
    int room = 75;
    while (bytes.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (static_cast<unsigned char>(bytes.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += bytes.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        room = 74; // the leading space counts
    }
    out += bytes.mid(start);
    out += "\r\n";
}

// --- reading -----------------------------------------------------------------

struct Property {
    QString name;        // upper case, group prefix removed
    QStringList types;   // upper case
    QByteArray encoding; // upper case
    QByteArray charset;
    QByteArray value; // raw
};

QByteArray quotedPrintable(const QByteArray& in) {
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int code = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString textOf(const Property& p) {
    QByteArray bytes = p.value;
    if (p.encoding == "QUOTED-PRINTABLE")
        bytes = quotedPrintable(bytes);
    else if (p.encoding == "B" || p.encoding == "BASE64")
        bytes = QByteArray::fromBase64(bytes);
    if (!p.charset.isEmpty() && p.charset.toUpper() != "UTF-8") {
        QStringDecoder decoder(p.charset.constData());
        if (decoder.isValid())
            return decoder(bytes);
    }
    return QString::fromUtf8(bytes);
}

// Splits at unescaped `sep` and removes the escapes.
QStringList splitEscaped(const QString& text, QChar sep) {
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == '\\' && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            current += next == 'n' || next == 'N' ? QChar('\n') : next;
        } else if (c == sep) {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    return parts;
}

QString unescaped(const QString& text) {
    return splitEscaped(text, QChar(0)).join(QString());
}

Property parseProperty(const QByteArray& line) {
    Property p;
    // The value starts after the first colon outside a quoted parameter.
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (line.at(i) == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return p;
    p.value = line.mid(colon + 1);
    const QList<QByteArray> head = line.left(colon).split(';');
    QByteArray name = head.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);
    p.name = QString::fromLatin1(name);
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray param = head.at(i).trimmed();
        const qsizetype eq = param.indexOf('=');
        const QByteArray key = eq < 0 ? QByteArray("TYPE") : param.left(eq).trimmed().toUpper();
        QByteArray value = eq < 0 ? param : param.mid(eq + 1).trimmed();
        value.replace('"', QByteArray());
        if (key == "TYPE") {
            for (const QByteArray& t : value.split(','))
                p.types.append(QString::fromLatin1(t.trimmed().toUpper()));
        } else if (key == "ENCODING") {
            p.encoding = value.toUpper();
        } else if (key == "CHARSET") {
            p.charset = value;
        }
    }
    // A bare QUOTED-PRINTABLE or BASE64 parameter of version 2.1.
    for (const QString& t : std::as_const(p.types)) {
        if (t == "QUOTED-PRINTABLE" || t == "BASE64")
            p.encoding = t.toLatin1();
    }
    return p;
}

// Content lines with folding undone: a line that starts with a blank
// continues the one before, and a quoted-printable value that ends in "="
// continues on the next line.
QList<QByteArray> contentLines(const QByteArray& data) {
    QList<QByteArray> lines;
    bool softBreak = false;
    for (QByteArray raw : data.split('\n')) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (softBreak && !lines.isEmpty()) {
            lines.last().chop(1); // the "="
            lines.last() += raw;
        } else if ((raw.startsWith(' ') || raw.startsWith('\t')) && !lines.isEmpty()) {
            lines.last() += raw.mid(1);
        } else if (!raw.isEmpty()) {
            lines.append(raw);
        } else {
            continue;
        }
        const QByteArray upper = lines.last().left(lines.last().indexOf(':')).toUpper();
        softBreak = upper.contains("QUOTED-PRINTABLE") && lines.last().endsWith('=');
    }
    return lines;
}

QString numberOf(const Property& p) {
    QString number = numberValue(textOf(p)).trimmed();
    // Blanks after "tel:" go too, as around the value: the number reads the
    // same when it is written back without the URI.
    if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        number = number.mid(4).trimmed();
    return number;
}

void addProperty(VCard& card, const Property& p, QString& structuredName) {
    if (p.name == "FN") {
        card.name = unescaped(textOf(p)).trimmed();
    } else if (p.name == "N") {
        // family;given;additional;prefixes;suffixes
        const QStringList parts = splitEscaped(textOf(p), ';');
        QStringList shown;
        for (int i : {3, 1, 2, 0, 4}) {
            // NUL characters are dropped as in every other text value, so
            // that the name reads the same from N as from FN.
            const QString part = QString(parts.value(i)).remove(QChar(0)).trimmed();
            if (!part.isEmpty())
                shown.append(part);
        }
        structuredName = shown.join(' ');
    } else if (p.name == "TEL") {
        const QString number = numberOf(p);
        if (number.isEmpty())
            return;
        if (p.types.contains("CELL"))
            card.cell.append(number);
        else if (p.types.contains("HOME"))
            card.home.append(number);
        else if (p.types.contains("WORK"))
            card.work.append(number);
        else
            card.other.append(number);
    } else if (p.name == "EMAIL") {
        const QString email = unescaped(textOf(p)).trimmed();
        if (!email.isEmpty())
            card.emails.append(email);
    } else if (p.name == "CATEGORIES") {
        for (const QString& c : splitEscaped(textOf(p), ','))
            if (!c.trimmed().isEmpty())
                card.categories.append(c.trimmed());
    }
}

} // namespace

QByteArray writeVCard(const VCard& card) {
    QByteArray out;
    appendLine(out, QStringLiteral("BEGIN:VCARD"));
    appendLine(out, QStringLiteral("VERSION:3.0"));
    appendLine(out, QStringLiteral("FN:") + escaped(card.name));
    appendLine(out, QStringLiteral("N:;") + escaped(card.name) + QStringLiteral(";;;"));
    const std::pair<const QStringList*, const char*> numbers[] = {
        {&card.cell, "CELL"}, {&card.home, "HOME"}, {&card.work, "WORK"}, {&card.other, "VOICE"}};
    for (const auto& [list, type] : numbers) {
        for (const QString& number : *list)
            appendLine(out, QStringLiteral("TEL;TYPE=%1:%2").arg(type, numberValue(number)));
    }
    for (const QString& email : card.emails)
        appendLine(out, QStringLiteral("EMAIL;TYPE=INTERNET:") + escaped(email));
    if (!card.categories.isEmpty()) {
        QStringList parts;
        for (const QString& c : card.categories)
            parts.append(escaped(c));
        appendLine(out, QStringLiteral("CATEGORIES:") + parts.join(','));
    }
    appendLine(out, QStringLiteral("END:VCARD"));
    return out;
}

QList<VCard> readVCards(const QByteArray& input) {
    QByteArray data = input;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QList<VCard> cards;
    VCard card;
    QString structuredName;
    int depth = 0; // nested cards (AGENT of version 2.1) are passed over
    for (const QByteArray& line : contentLines(data)) {
        const Property p = parseProperty(line);
        const QString value = QString::fromLatin1(p.value).trimmed().toUpper();
        if (p.name == "BEGIN" && value == "VCARD") {
            if (++depth == 1) {
                card = VCard();
                structuredName.clear();
            }
        } else if (p.name == "END" && value == "VCARD") {
            if (depth == 1) {
                if (card.name.isEmpty())
                    card.name = structuredName;
                cards.append(card);
            }
            depth = qMax(0, depth - 1);
        } else if (depth == 1) {
            addProperty(card, p, structuredName);
        }
    }
    return cards;
}
