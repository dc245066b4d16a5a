#include "sms/gsmalphabet.h"

#include <array>

namespace {

// The characters of the 128 septets as received.
constexpr char16_t kReceivedAlphabet[128] = {
    u'@',   0x00A3, u'$',   0x00A5, 0x00E8, 0x00E9, 0x00F9, 0x00EC, // 0x00
    0x00F2, 0x00C7, u'\n',  0x00D8, 0x00F8, u'\r',  0x00C5, 0x00E5, // 0x08
    0x0394, u'_',   0x03A6, 0x0393, 0x039B, 0x03A9, 0x03A0, 0x03C8, // 0x10
    0x03A3, 0x03B8, 0x039E, u' ',   0x00C6, 0x00E6, 0x00DF, 0x00C9, // 0x18
    u' ',   u'!',   u'"',   u'#',   0x00A4, u'%',   u'&',   u'\'',  // 0x20
    u'(',   u')',   u'*',   u'+',   u',',   u'-',   u'.',   u'/',   // 0x28
    u'0',   u'1',   u'2',   u'3',   u'4',   u'5',   u'6',   u'7',   // 0x30
    u'8',   u'9',   u':',   u';',   u'<',   u'=',   u'>',   u'?',   // 0x38
    0x00A1, u'A',   u'B',   u'C',   u'D',   u'E',   u'F',   u'G',   // 0x40
    u'H',   u'I',   u'J',   u'K',   u'L',   u'M',   u'N',   u'O',   // 0x48
    u'P',   u'Q',   u'R',   u'S',   u'T',   u'U',   u'V',   u'W',   // 0x50
    u'X',   u'Y',   u'Z',   u'[',   0x00D6, u']',   0x00DC, 0x00A7, // 0x58
    0x00BF, u'a',   u'b',   u'c',   u'd',   u'e',   u'f',   u'g',   // 0x60
    u'h',   u'i',   u'j',   u'k',   u'l',   u'm',   u'n',   u'o',   // 0x68
    u'p',   u'q',   u'r',   u's',   u't',   u'u',   u'v',   u'w',   // 0x70
    u'x',   u'y',   u'z',   0x00E4, 0x00F6, 0x00F1, 0x00FC, 0x00E0, // 0x78
};

// The printable ASCII characters of the default alphabet with their septets;
// the rest of ASCII is either in the extension table or has no septet.
constexpr std::array<char, 128> buildAsciiTable() {
    std::array<char, 128> table{};
    for (int c = 0x20; c < 0x7F; ++c) {
        if (c == '`' || c == '[' || c == ']' || c == '\\' || c == '^' || c == '{' || c == '}' ||
            c == '|' || c == '~')
            continue;
        for (int septet = 0; septet < 128; ++septet) {
            // The received table differs from the default alphabet at these four.
            if (septet == 0x1B || septet == 0x5B || septet == 0x5D)
                continue;
            if (kReceivedAlphabet[septet] == c) {
                table[c] = static_cast<char>(septet);
                break;
            }
        }
    }
    table['\n'] = '\n';
    table['\r'] = '\r';
    return table;
}

constexpr std::array<char, 128> kAsciiToGsm = buildAsciiTable();

} // namespace

char asciiToGsm(unsigned char c) {
    return c < 128 ? kAsciiToGsm[c] : 0;
}

int gsmExtensionCode(unsigned char c) {
    switch (c) {
    case '\f':
        return 0x0A;
    case '^':
        return 0x14;
    case '{':
        return 0x28;
    case '}':
        return 0x29;
    case '\\':
        return 0x2F;
    case '[':
        return 0x3C;
    case '~':
        return 0x3D;
    case ']':
        return 0x3E;
    case '|':
        return 0x40;
    default:
        return -1;
    }
}

char16_t gsmExtensionToChar(unsigned char code) {
    switch (code) {
    case 0x0A:
        return u'\f';
    case 0x14:
        return u'^';
    case 0x28:
        return u'{';
    case 0x29:
        return u'}';
    case 0x2F:
        return u'\\';
    case 0x3C:
        return u'[';
    case 0x3D:
        return u'~';
    case 0x3E:
        return u']';
    case 0x40:
        return u'|';
    case 0x65:
        return 0x20AC;
    default:
        return 0;
    }
}

char16_t gsmToChar(unsigned char septet) {
    return kReceivedAlphabet[septet & 0x7F];
}

int gsmSeptetCount(char16_t c) {
    if ((c < 0x80 && gsmExtensionCode(static_cast<unsigned char>(c)) >= 0) || c == 0x20AC)
        return 2;
    for (int septet = 0; septet < 128; ++septet) {
        // Where the received table departs from the default alphabet.
        char16_t standard = kReceivedAlphabet[septet];
        switch (septet) {
        case 0x17:
            standard = 0x03A8;
            break;
        case 0x19:
            standard = 0x0398;
            break;
        case 0x1B:
            continue; // the escape septet is no character
        case 0x5B:
            standard = 0x00C4;
            break;
        case 0x5D:
            standard = 0x00D1;
            break;
        default:
            break;
        }
        if (standard == c)
            return 1;
    }
    return 0;
}
