#include "sms/pducodec.h"

#include "sms/gsmalphabet.h"

#include <QtDebug>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// First-octet bits of SMS-DELIVER and SMS-SUBMIT (3GPP TS 23.040).
constexpr int kUserDataHeaderIndicator = 0x40;
constexpr int kValidityPeriodFormat = 0x18;
constexpr int kValidityRelative = 0x10;
constexpr int kSubmit = 0x01;
constexpr int kStatusReportRequest = 0x20;
constexpr int kMessageTypeMask = 0x03;
constexpr int kStatusReportType = 0x02;

// An address holds at most 10 octets of semi-octets.
constexpr size_t kMaxAddressDigits = 20;

// Type-of-address octets.
constexpr int kInternational = 0x91;
constexpr int kUnknown = 0x81;
constexpr int kTypeOfNumberMask = 0x70;
constexpr int kAlphanumeric = 0x50;

enum class Alphabet { Gsm7, Eight, Ucs2 };

bool isInternational(int typeOfAddress) {
    return (typeOfAddress & kTypeOfNumberMask) == (kInternational & kTypeOfNumberMask);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void appendOctet(std::string& out, int value) {
    static const char digits[] = "0123456789ABCDEF";
    out += digits[(value >> 4) & 0xF];
    out += digits[value & 0xF];
}

// Copies `text` into a fixed field of `size` bytes, cut to fit, NUL-terminated.
void copyToField(char* field, int size, const char* text, int length) {
    const int n = std::clamp(length, 0, size - 1);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

template <int N> void copyToField(char (&field)[N], const std::string& text) {
    copyToField(field, N, text.data(), static_cast<int>(text.size()));
}

// The characters of a number that fit a semi-octet address: digits, with "*"
// and "#" as their codes A and B. A leading "+" or "00" marks an international
// number and is dropped: the type of address carries it.
std::string addressDigits(const char* field, int size, bool* international) {
    std::string number(field, strnlen(field, size));
    *international = false;
    if (number.starts_with('+')) {
        number.erase(0, 1);
        *international = true;
    } else if (number.starts_with("00")) {
        number.erase(0, 2);
        *international = true;
    }
    std::string digits;
    for (char c : number) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c == '*')
            digits += 'A';
        else if (c == '#')
            digits += 'B';
    }
    return digits;
}

// Address field: `lengthOctet` (digits, or octets for the service centre),
// the type of address, the digits in semi-octets.
void appendAddress(std::string& out, const std::string& digits, bool international,
                   bool serviceCentre) {
    const int n = static_cast<int>(digits.size());
    appendOctet(out, serviceCentre ? (n + n % 2) / 2 + 1 : n);
    appendOctet(out, international ? kInternational : kUnknown);
    char inverted[64];
    gsmInvertNumbers(digits.data(), inverted, n);
    out += inverted;
}

// The hexadecimal digits at the start of a PDU text, read octet by octet.
// Every read is bounded by the text; a read past its end reports failure.
class PduReader {
public:
    explicit PduReader(const char* pdu) {
        if (!pdu)
            return;
        while (hexValue(pdu[end_]) >= 0)
            ++end_;
        text_.assign(pdu, end_);
        for (char& c : text_)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }

    int remainingOctets() const { return (end_ - pos_) / 2; }

    bool octet(int* value) {
        if (remainingOctets() < 1)
            return false;
        unsigned char byte;
        gsmString2Bytes(text_.data() + pos_, &byte, 2);
        pos_ += 2;
        *value = byte;
        return true;
    }

    // Up to n octets; fewer when the text ends first.
    std::string octets(int n) {
        n = std::clamp(n, 0, remainingOctets());
        std::string bytes(n, '\0');
        gsmString2Bytes(text_.data() + pos_, reinterpret_cast<unsigned char*>(bytes.data()), 2 * n);
        pos_ += 2 * n;
        return bytes;
    }

    // Up to n octets as semi-octet characters, digits in reading order.
    std::string semiOctets(int n) {
        n = std::clamp(n, 0, remainingOctets());
        std::string digits(2 * n + 1, '\0');
        const int count = gsmSerializeNumbers(text_.data() + pos_, digits.data(), 2 * n);
        pos_ += 2 * n;
        digits.resize(count);
        return digits;
    }

private:
    std::string text_;
    int end_ = 0;
    int pos_ = 0;
};

// Septets of 7-bit user data packed into `packed`, at most `count` of them.
std::string unpackSeptets(const std::string& packed, int count) {
    std::string septets(packed.size() * 8 / 7 + 1, '\0');
    const int n = gsmDecode7bit(reinterpret_cast<const unsigned char*>(packed.data()),
                                septets.data(), static_cast<int>(packed.size()));
    septets.resize(std::min(n, std::max(count, 0)));
    return septets;
}

// Received septets through the program's character table; an escape septet
// followed by an extension-table code gives that code's character.
QString septetsToText(const std::string& septets) {
    QString text;
    for (size_t i = 0; i < septets.size(); ++i) {
        const auto septet = static_cast<unsigned char>(septets[i]);
        const char16_t extension =
            septet == GSM_ESCAPE && i + 1 < septets.size()
                ? gsmExtensionToChar(static_cast<unsigned char>(septets[i + 1]))
                : 0;
        if (extension) {
            text += QChar(extension);
            ++i;
        } else {
            text += QChar(gsmToChar(septet));
        }
    }
    return text;
}

// The 8-bit form of a text for a record field: the low 8 bits of each character.
std::string lowBytes(const QString& text) {
    std::string bytes;
    for (QChar c : text)
        bytes += static_cast<char>(c.unicode() & 0xFF);
    return bytes;
}

// The sender or destination address: "+" before the digits of an
// international number, the digits alone for any other type of number (a
// short code or a national number is dialled as it is).
void readAddress(PduReader& in, char* field, int size) {
    int digits = 0, type = 0;
    if (!in.octet(&digits) || !in.octet(&type))
        return;
    const int octets = (digits + 1) / 2;
    if ((type & kTypeOfNumberMask) == kAlphanumeric) {
        // A name in packed 7-bit characters: `digits` counts its semi-octets.
        const std::string name =
            lowBytes(septetsToText(unpackSeptets(in.octets(octets), digits * 4 / 7)));
        copyToField(field, size, name.data(), static_cast<int>(name.size()));
        return;
    }
    const std::string number = (isInternational(type) ? "+" : "") + in.semiOctets(octets);
    copyToField(field, size, number.data(), static_cast<int>(number.size()));
}

// The alphabet of a data coding scheme (3GPP TS 23.038, section 4).
Alphabet alphabetOf(int dcs) {
    int bits = -1; // the two alphabet bits, where the group has them
    switch (dcs >> 4) {
    case 0x0:
    case 0x1:
    case 0x2:
    case 0x3: // general data coding
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7: // automatic deletion group
        if (dcs & 0x20)
            return Alphabet::Eight; // compressed: shown as it arrives
        bits = (dcs >> 2) & 0x3;
        break;
    case 0xC:
    case 0xD:
        return Alphabet::Gsm7; // message waiting, GSM alphabet
    case 0xE:
        return Alphabet::Ucs2; // message waiting, UCS2
    case 0xF:
        return (dcs & 0x04) ? Alphabet::Eight : Alphabet::Gsm7;
    default:
        return Alphabet::Eight;
    }
    return bits == 0 ? Alphabet::Gsm7 : bits == 2 ? Alphabet::Ucs2 : Alphabet::Eight;
}

// The concatenation element of a user-data header (its length octet first):
// an 8-bit (0x00) or 16-bit (0x08) reference, the number of parts and this
// part's number. Nothing when there is none or it is not sound.
std::optional<ConcatInfo> readConcatHeader(const std::string& data) {
    if (data.empty())
        return std::nullopt;
    const auto octet = [&data](size_t i) { return static_cast<unsigned char>(data[i]); };
    const size_t end = std::min<size_t>(octet(0) + 1, data.size());
    for (size_t i = 1; i + 1 < end;) {
        const int id = octet(i);
        const size_t length = octet(i + 1);
        const size_t value = i + 2;
        if (value + length > end)
            break;
        const bool wide = id == 0x08 && length == 4;
        if ((id == 0x00 && length == 3) || wide) {
            ConcatInfo info;
            info.wideReference = wide;
            info.reference = wide ? (octet(value) << 8) | octet(value + 1) : octet(value);
            info.total = octet(value + (wide ? 2 : 1));
            info.sequence = octet(value + (wide ? 3 : 2));
            if (info.total >= 1 && info.sequence >= 1 && info.sequence <= info.total)
                return info;
            return std::nullopt;
        }
        i = value + length;
    }
    return std::nullopt;
}

// The user data from its length octet on. A user-data header, when the first
// octet announces one, is skipped (its concatenation element read into
// `concat`), and so are the fill bits that align 7-bit text behind it.
// Returns UDL, or -1 when the PDU ends before the user data it announces.
int readUserData(PduReader& in, int firstOctet, bool deliver, SM_PARAM_DECODE* dst,
                 std::optional<ConcatInfo>* concat) {
    int udl = 0;
    if (!in.octet(&udl))
        return -1;
    const bool header = firstOctet & kUserDataHeaderIndicator;
    const Alphabet alphabet = alphabetOf(static_cast<unsigned char>(dst->TP_DCS));

    if (alphabet == Alphabet::Gsm7) {
        const int needed = (udl * 7 + 7) / 8;
        const std::string packed = in.octets(needed);
        std::string septets = unpackSeptets(packed, udl);
        if (header && !packed.empty()) {
            if (concat)
                *concat = readConcatHeader(packed);
            const int headerOctets = static_cast<unsigned char>(packed[0]) + 1;
            septets.erase(0, std::min<size_t>((headerOctets * 8 + 6) / 7, septets.size()));
        }
        septets.resize(std::min<size_t>(septets.size(), SMS_MAX_SEPTETS));
        // TP_UD holds the 8-bit form of the text, or for a stored outgoing
        // message the septet codes; the text shown keeps every character.
        dst->contentStr = septetsToText(septets);
        copyToField(dst->TP_UD, deliver ? lowBytes(dst->contentStr) : septets);
        return static_cast<int>(packed.size()) < needed ? -1 : udl;
    }

    std::string data = in.octets(udl);
    const bool complete = static_cast<int>(data.size()) == udl;
    if (header && concat)
        *concat = readConcatHeader(data);
    if (header && !data.empty())
        data.erase(0, std::min<size_t>(static_cast<unsigned char>(data[0]) + 1, data.size()));
    data.resize(std::min<size_t>(data.size(), SMS_MAX_OCTETS));

    if (alphabet == Alphabet::Ucs2) {
        QString text;
        for (size_t i = 0; i + 1 < data.size(); i += 2)
            text += QChar(static_cast<char16_t>((static_cast<unsigned char>(data[i]) << 8) |
                                                static_cast<unsigned char>(data[i + 1])));
        dst->contentStr = text;
    } else {
        gsmDecode8bit(reinterpret_cast<const unsigned char*>(data.data()), dst->TP_UD,
                      static_cast<int>(data.size()));
        dst->contentStr = QString::fromLatin1(dst->TP_UD);
    }
    return complete ? udl : -1;
}

// SMS-DELIVER (`deliver`) or SMS-SUBMIT as kept in storage.
int decodePdu(const char* pdu, SM_PARAM_DECODE* dst, bool deliver,
              std::optional<ConcatInfo>* concat) {
    PduReader in(pdu);

    int scaLength = 0, value = 0;
    if (!in.octet(&scaLength))
        return -1;
    if (scaLength > 0) { // 0: no service-centre address, as stored messages may have
        in.octet(&value);
        copyToField(dst->SCA, in.semiOctets(scaLength - 1));
    } else {
        dst->SCA[0] = '\0';
    }

    int firstOctet = 0;
    if (!in.octet(&firstOctet))
        return -1;
    if (!deliver && !in.octet(&value)) // message reference
        return -1;
    readAddress(in, dst->TPA, sizeof dst->TPA);

    if (!in.octet(&value))
        return -1;
    dst->TP_PID = static_cast<char>(value);
    if (!in.octet(&value))
        return -1;
    dst->TP_DCS = static_cast<char>(value);

    if (deliver) {
        copyToField(dst->TP_SCTS, in.semiOctets(7));
    } else {
        const int format = firstOctet & kValidityPeriodFormat;
        in.octets(format == 0 ? 0 : format == kValidityRelative ? 1 : 7);
    }
    return readUserData(in, firstOctet, deliver, dst, concat);
}

// Skips the service-centre part of a PDU. False when the PDU ends in it.
bool skipServiceCentre(PduReader& in) {
    int scaLength = 0;
    return in.octet(&scaLength) && in.octets(scaLength).size() == static_cast<size_t>(scaLength);
}

} // namespace

int gsmString2Bytes(const char* src, unsigned char* dst, int n) {
    for (int i = 0; i + 1 < n; i += 2)
        dst[i / 2] = static_cast<unsigned char>((std::max(hexValue(src[i]), 0) << 4) |
                                                std::max(hexValue(src[i + 1]), 0));
    return n / 2;
}

int gsmBytes2String(const unsigned char* src, char* dst, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        appendOctet(text, src[i]);
    std::memcpy(dst, text.c_str(), text.size() + 1);
    return 2 * n;
}

int gsmInvertNumbers(const char* src, char* dst, int n) {
    int written = 0;
    for (int i = 0; i < n; i += 2) {
        const char last = i + 1 < n ? src[i + 1] : 'F';
        dst[written++] = last;
        dst[written++] = src[i];
    }
    dst[written] = '\0';
    return written;
}

int gsmSerializeNumbers(const char* src, char* dst, int n) {
    int written = 0;
    for (int i = 0; i + 1 < n; i += 2) {
        dst[written++] = src[i + 1];
        dst[written++] = src[i];
    }
    if (written > 0 && (dst[written - 1] == 'F' || dst[written - 1] == 'f'))
        --written;
    dst[written] = '\0';
    return written;
}

int gsmEncode7bit(const char* src, unsigned char* dst, int n) {
    int written = 0;
    unsigned int bits = 0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        bits |= (static_cast<unsigned char>(src[i]) & 0x7Fu) << count;
        count += 7;
        while (count >= 8) {
            dst[written++] = static_cast<unsigned char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        dst[written++] = static_cast<unsigned char>(bits & 0xFF);
    return written;
}

int gsmDecode7bit(const unsigned char* src, char* dst, int n) {
    int written = 0;
    unsigned int left = 0;
    int leftBits = 0;
    for (int i = 0; i < n; ++i) {
        dst[written++] = static_cast<char>(((src[i] << leftBits) | left) & 0x7F);
        left = src[i] >> (7 - leftBits);
        if (++leftBits == 7) {
            dst[written++] = static_cast<char>(left);
            left = 0;
            leftBits = 0;
        }
    }
    dst[written] = '\0';
    return written;
}

int gsmDecode8bit(const unsigned char* src, char* dst, int n) {
    std::memcpy(dst, src, n);
    dst[n] = '\0';
    return n;
}

int gsmDecodePdu(const char* pdu, SM_PARAM_DECODE* dst) {
    return decodePdu(pdu, dst, true, nullptr);
}

int gsmDecodePdu4Move(const char* pdu, SM_PARAM_DECODE* dst) {
    return decodePdu(pdu, dst, false, nullptr);
}

bool isStatusReportPdu(const char* pdu) {
    PduReader in(pdu);
    int firstOctet = 0;
    return skipServiceCentre(in) && in.octet(&firstOctet) &&
           (firstOctet & kMessageTypeMask) == kStatusReportType;
}

std::optional<StatusReport> gsmDecodeStatusReport(const char* pdu) {
    PduReader in(pdu);
    int firstOctet = 0;
    if (!skipServiceCentre(in) || !in.octet(&firstOctet) ||
        (firstOctet & kMessageTypeMask) != kStatusReportType)
        return std::nullopt;
    StatusReport report;
    int digits = 0, type = 0;
    if (!in.octet(&report.reference) || !in.octet(&digits) || !in.octet(&type))
        return std::nullopt;
    std::string number = in.semiOctets((digits + 1) / 2);
    number.resize(std::min(number.size(), kMaxAddressDigits));
    report.recipient = QString::fromLatin1(isInternational(type) ? "+" + number : number);
    if (in.remainingOctets() < 15)
        return std::nullopt;
    report.serviceCentreTime = QString::fromLatin1(in.semiOctets(7));
    report.dischargeTime = QString::fromLatin1(in.semiOctets(7));
    in.octet(&report.status);
    return report;
}

int gsmDecodePart(const char* pdu, SM_PARAM_DECODE* dst, bool deliver,
                  std::optional<ConcatInfo>* concat) {
    if (concat)
        concat->reset();
    return decodePdu(pdu, dst, deliver, concat);
}

namespace {

// The septets of a text that needs no UCS2: extension characters as escape
// pairs, everything else through the program's ASCII table.
std::string textSeptets(const QString& text) {
    std::string septets;
    for (QChar qc : text) {
        const auto c = static_cast<unsigned char>(qc.unicode() & 0xFF);
        const int extension = qc.unicode() < 0x80 ? gsmExtensionCode(c) : -1;
        if (extension >= 0) {
            septets += GSM_ESCAPE;
            septets += static_cast<char>(extension);
        } else {
            septets += qc.unicode() > 0x7F ? '?' : asciiToGsm(c);
        }
    }
    return septets;
}

// `header` (octets, its length octet first) followed by `septets`, packed
// from the first septet boundary after the header.
std::string packBehindHeader(const std::string& header, const std::string& septets) {
    const size_t start = (header.size() * 8 + 6) / 7 * 7;
    std::string out(header);
    out.resize((start + 7 * septets.size() + 7) / 8, '\0');
    for (size_t i = 0; i < septets.size(); ++i) {
        const size_t bit = start + 7 * i;
        const unsigned value = static_cast<unsigned char>(septets[i]) & 0x7Fu;
        out[bit / 8] = static_cast<char>(out[bit / 8] | (value << (bit % 8)));
        if (bit % 8 > 1)
            out[bit / 8 + 1] = static_cast<char>(out[bit / 8 + 1] | (value >> (8 - bit % 8)));
    }
    return out;
}

// The user-data header of a part: its length, then the concatenation
// element (identifier, length, reference, number of parts, this part).
std::string concatHeader(const ConcatInfo& info) {
    std::string header;
    if (info.wideReference) {
        header = {6, 0x08, 4, static_cast<char>(info.reference >> 8),
                  static_cast<char>(info.reference & 0xFF)};
    } else {
        header = {5, 0x00, 3, static_cast<char>(info.reference & 0xFF)};
    }
    header += static_cast<char>(info.total);
    header += static_cast<char>(info.sequence);
    return header;
}

} // namespace

QString gsmEncodeSubmit(const QString& sca, const QString& number, int pid, const QString& text,
                        bool ucs2, const SubmitOptions& options, const ConcatInfo* concat) {
    bool scaInternational = false, international = false;
    const QByteArray scaText = sca.toLatin1();
    const QByteArray numberText = number.toLatin1();
    const std::string scaDigits =
        addressDigits(scaText.constData(), static_cast<int>(scaText.size()), &scaInternational);
    const std::string digits =
        addressDigits(numberText.constData(), static_cast<int>(numberText.size()), &international);
    if (digits.empty() || digits.size() > kMaxAddressDigits || scaDigits.size() > kMaxAddressDigits)
        return {};

    const std::string header = concat ? concatHeader(*concat) : std::string();
    std::string userData;
    int udl = 0;
    if (ucs2) {
        if (text.size() * 2 + header.size() > SMS_MAX_OCTETS)
            return {};
        userData = header;
        for (QChar c : text) {
            userData += static_cast<char>(c.unicode() >> 8);
            userData += static_cast<char>(c.unicode() & 0xFF);
        }
        udl = static_cast<int>(userData.size());
    } else {
        const std::string septets = textSeptets(text);
        const int headerSeptets = static_cast<int>(header.size() * 8 + 6) / 7;
        udl = headerSeptets + static_cast<int>(septets.size());
        if (udl > SMS_MAX_SEPTETS)
            return {};
        userData = packBehindHeader(header, septets);
    }

    std::string out;
    appendAddress(out, scaDigits, scaInternational, true);
    int first = kSubmit | kValidityRelative;
    if (concat)
        first |= kUserDataHeaderIndicator;
    if (options.statusReport)
        first |= kStatusReportRequest;
    appendOctet(out, first);
    appendOctet(out, 0x00); // message reference: the modem sets it
    appendAddress(out, digits, international, false);
    appendOctet(out, pid & 0xFF);
    appendOctet(out, ucs2 ? 0x08 : 0x00);
    appendOctet(out, options.validityPeriod & 0xFF);
    appendOctet(out, udl);
    // UCS2 user data in lower case, as the single-message encoder writes it.
    std::string hex;
    for (char byte : userData)
        appendOctet(hex, static_cast<unsigned char>(byte));
    if (ucs2) {
        for (char& c : hex)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return QString::fromLatin1(out + hex);
}
