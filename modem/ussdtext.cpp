#include "modem/ussdtext.h"

#include "sms/gsmalphabet.h"

#include <optional>

namespace {

enum class UssdAlphabet { Gsm7, Data8, Ucs2 };

// The alphabet of a cell-broadcast data coding scheme (3GPP TS 23.038,
// section 5), which USSD uses.
UssdAlphabet alphabetOf(int dcs) {
    if (dcs < 0 || dcs > 0xFF)
        return UssdAlphabet::Gsm7;
    const int group = dcs >> 4;
    if (dcs == 0x11)
        return UssdAlphabet::Ucs2; // UCS2 after a two-character language
    if ((group >= 0x4 && group <= 0x7) || group == 0x9) {
        switch ((dcs >> 2) & 0x3) {
        case 1:
            return UssdAlphabet::Data8;
        case 2:
            return UssdAlphabet::Ucs2;
        default:
            return UssdAlphabet::Gsm7;
        }
    }
    if (group == 0xF)
        return (dcs & 0x04) ? UssdAlphabet::Data8 : UssdAlphabet::Gsm7;
    return UssdAlphabet::Gsm7;
}

bool isHexText(QByteArrayView text, int unit) {
    if (text.isEmpty() || text.size() % unit != 0)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// Characters that real answers hold: anything printable, and line ends.
bool isTextCharacter(char16_t c) {
    return c == '\n' || c == '\r' || (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0));
}

std::optional<QString> fromUcs2Hex(QByteArrayView hex) {
    if (!isHexText(hex, 4))
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromHex(hex.toByteArray());
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                            static_cast<unsigned char>(bytes[i + 1])));
    for (const QChar c : text) {
        if (!isTextCharacter(c.unicode()))
            return std::nullopt;
    }
    return text;
}

// Packed septets (3GPP TS 23.038, section 6.1.2.3) in the default alphabet.
// Seven spare bits at the end hold a carriage return as filler, which is
// dropped. Nothing when the result doesn't look like text: mostly Latin
// letters, digits, blanks and punctuation, as a network's answer is.
std::optional<QString> fromPackedHex(QByteArrayView hex) {
    if (!isHexText(hex, 2))
        return std::nullopt;
    const QByteArray octets = QByteArray::fromHex(hex.toByteArray());
    const qsizetype count = octets.size() * 8 / 7;
    QString text;
    bool escaped = false;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype bit = i * 7;
        unsigned value = static_cast<unsigned char>(octets[bit / 8]);
        if (bit / 8 + 1 < octets.size())
            value |= static_cast<unsigned>(static_cast<unsigned char>(octets[bit / 8 + 1])) << 8;
        const auto septet = static_cast<unsigned char>((value >> (bit % 8)) & 0x7F);
        if (escaped) {
            const char16_t c = gsmExtensionToChar(septet);
            text += QChar(c != 0 ? c : u' ');
            escaped = false;
        } else if (septet == GSM_ESCAPE) {
            escaped = true;
        } else {
            text += QChar(gsmToChar(septet));
        }
    }
    if (octets.size() % 7 == 0 && text.endsWith(u'\r'))
        text.chop(1);
    int plain = 0;
    for (const QChar c : text) {
        if (!isTextCharacter(c.unicode()))
            return std::nullopt;
        if (c.unicode() < 0x80 && c.unicode() != '@' && c.unicode() != '$')
            ++plain;
    }
    if (text.isEmpty() || plain * 10 < text.size() * 9)
        return std::nullopt;
    return text;
}

bool inGsmAlphabet(QStringView text) {
    for (const QChar c : text) {
        if (gsmSeptetCount(c.unicode()) == 0 && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

} // namespace

bool isServiceCode(QStringView code) {
    if (code.isEmpty() || code.size() > kUssdMaxLength)
        return false;
    for (const QChar c : code) {
        if (!(c.isDigit() && c.unicode() < 0x80) && c != u'*' && c != u'#' && c != u'+')
            return false;
    }
    return true;
}

QByteArray encodeUssdString(QStringView code, bool ucs2Charset) {
    if (!ucs2Charset)
        return code.toLatin1();
    QByteArray hex;
    for (const QChar c : code)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

QByteArray encodePackedUssd(QStringView code) {
    QByteArray septets;
    for (const QChar c : code)
        septets += asciiToGsm(static_cast<unsigned char>(c.unicode()));
    // Seven spare bits at the end would read as one more "@": a carriage
    // return fills them instead.
    if (septets.size() % 8 == 7)
        septets += '\r';
    QByteArray octets((septets.size() * 7 + 7) / 8, '\0');
    for (qsizetype i = 0; i < septets.size(); ++i) {
        const qsizetype bit = i * 7;
        const unsigned value = static_cast<unsigned>(septets[i] & 0x7F) << (bit % 8);
        octets[bit / 8] = char(octets[bit / 8] | (value & 0xFF));
        if (bit / 8 + 1 < octets.size())
            octets[bit / 8 + 1] = char(octets[bit / 8 + 1] | (value >> 8));
    }
    return octets.toHex().toUpper();
}

QString decodeUssdText(QByteArrayView text, int dcs, bool ucs2Charset) {
    switch (alphabetOf(dcs)) {
    case UssdAlphabet::Ucs2:
        // With a language first (dcs 0x11), the two characters before the text.
        if (const std::optional<QString> ucs2 = fromUcs2Hex(text))
            return dcs == 0x11 ? ucs2->mid(2) : *ucs2;
        break;
    case UssdAlphabet::Data8:
        if (isHexText(text, 2))
            return QString::fromLatin1(QByteArray::fromHex(text.toByteArray()));
        break;
    case UssdAlphabet::Gsm7:
        // 7-bit text in the UCS2 character set holds only characters of the
        // 7-bit alphabet; packed septets whose hexadecimal length happens to
        // fit UCS2 read as other characters (CJK, mostly) and are packed.
        if (ucs2Charset) {
            if (const std::optional<QString> ucs2 = fromUcs2Hex(text); ucs2 && inGsmAlphabet(*ucs2))
                return *ucs2;
        }
        if (const std::optional<QString> packed = fromPackedHex(text))
            return *packed;
        break;
    }
    return QString::fromUtf8(text);
}
