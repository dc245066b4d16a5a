#include "phonebook/coder.h"

namespace {

constexpr int kMaxCharacters = 14;
constexpr int kMaxNonAsciiCharacters = 6;

bool isAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

// The first n characters, one fewer rather than half a surrogate pair.
QString firstCharacters(const QString& text, qsizetype n) {
    if (n < text.size() && n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

// Hexadecimal groups of `width` digits from `from` on, at most `limit` of them.
QString readGroups(const QString& in, qsizetype from, int width, qsizetype limit) {
    QString out;
    for (qsizetype i = from; i + width <= in.size() && out.size() < limit; i += width) {
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
    QString name = firstCharacters(in, kMaxCharacters);
    const bool ascii = isAscii(name);
    if (!ascii)
        name = firstCharacters(name, kMaxNonAsciiCharacters);
    const int width = ucs2 || !ascii ? 4 : 2;
    out = ucs2 || ascii ? QString() : QString("80");
    for (QChar c : name)
        out += QString::number(c.unicode(), 16).rightJustified(width, '0').toUpper();
}

void decode(QString& out, const QString& in, bool ucs2) {
    if (ucs2) {
        out = readGroups(in, 0, 4, kMaxCharacters);
        return;
    }
    bool ok = false;
    const uint first = in.left(2).toUInt(&ok, 16);
    out = ok && first >= 0x80 ? readGroups(in, 2, 4, kMaxCharacters)
                              : readGroups(in, 0, 2, in.size());
}
