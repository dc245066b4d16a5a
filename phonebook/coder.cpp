#include "phonebook/coder.h"

namespace {

bool isAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

// Hexadecimal groups of `width` digits from `from` on.
QString readGroups(const QString& in, qsizetype from, int width) {
    QString out;
    for (qsizetype i = from; i + width <= in.size(); i += width) {
        bool ok = false;
        const uint code = in.mid(i, width).toUInt(&ok, 16);
        if (!ok)
            break;
        out += QChar(static_cast<char16_t>(code));
    }
    return out;
}

} // namespace

void coding(QString& out, const QString& in, bool ucs2) {
    const bool ascii = isAscii(in);
    const int width = ucs2 || !ascii ? 4 : 2;
    out = ucs2 || ascii ? QString() : QString("80");
    for (QChar c : in)
        out += QString::number(c.unicode(), 16).rightJustified(width, '0').toUpper();
}

void decode(QString& out, const QString& in, bool ucs2) {
    if (ucs2) {
        out = readGroups(in, 0, 4);
        return;
    }
    bool ok = false;
    const uint first = in.left(2).toUInt(&ok, 16);
    out = ok && first >= 0x80 ? readGroups(in, 2, 4) : readGroups(in, 0, 2);
}
