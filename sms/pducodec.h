#pragma once

// SMS PDU codec (3GPP TS 27.005 PDU mode, TPDU layouts of 3GPP TS 23.040):
// SMS-SUBMIT encoding for sending, SMS-DELIVER and stored SMS-SUBMIT decoding.
//
// Hexadecimal text is two digits per octet, high nibble first. The encoder
// writes upper-case digits except for UCS2 user data, which it writes in lower
// case. The decoders accept either case and stop at the first character that
// is not a hexadecimal digit (a trailing "\r\n" or Ctrl-Z is harmless).
//
// The decoders never read past the PDU text nor write past a record field,
// whatever lengths the PDU claims: numbers and texts that do not fit are cut
// to their field.

#include <QList>
#include <QString>

#include <optional>

// Most characters or octets one message carries.
constexpr int SMS_MAX_SEPTETS = 160;
constexpr int SMS_MAX_OCTETS = 140;
constexpr int SMS_MAX_UCS2_CHARS = 70;

// The delivery of one part of a sent message that asked for a status report:
// the reference the network gave the part and, once a report came, its
// status (TP-ST, 3GPP TS 23.040 9.2.3.15) and time.
struct PartDelivery {
    int reference = -1;
    int status = -1; // of the latest report; -1 while none came
    QString time;    // the report's discharge time: yyMMddhhmmss + two time-zone digits

    bool operator==(const PartDelivery&) const = default;
};

// A decoded message; also the record of the PC message store and the lists.
struct SM_PARAM_DECODE {
    char SCA[16] = {};     // service-centre digits (at most 15)
    char TPA[160] = {};    // other party: "+digits" for an international number, else the
                           // digits, or the sender's name for an alphanumeric address
    char TP_PID = 0;       // protocol identifier
    char TP_DCS = 0;       // data coding scheme octet as received
    char TP_SCTS[16] = {}; // yyMMddhhmmss + two time-zone digits
    char TP_UD[161] = {};  // user data as 8-bit text (7-bit and 8-bit codings)
    int index = 0;         // storage index on the modem (a card may hold more than 255)
    QString contentStr;    // the text as shown to the user
    int length = 0;
    QString pduSrc;
    QString state;
    // The storage indexes of all parts when the record joins the parts of a
    // long message listed from the modem (then `index` is the first part's).
    QList<int> partIndexes;
    // A sent message that asked for a status report: one entry per part.
    QList<PartDelivery> delivery;
};

// How an outgoing message is sent.
struct SubmitOptions {
    int validityPeriod = 0x00; // the relative validity period octet (0x00: five minutes)
    bool statusReport = false; // ask the network for a status report
};

// The concatenation header of one part of a longer message: the reference
// that the parts share (8 or 16 bits), how many parts there are and which
// one this is (from 1).
struct ConcatInfo {
    int reference = 0;
    int total = 1;
    int sequence = 1;
    bool wideReference = false;
};

// Reads n hexadecimal characters into n/2 octets. Returns n/2.
int gsmString2Bytes(const char* src, unsigned char* dst, int n);
// Writes n octets as 2n upper-case hexadecimal characters, NUL-terminated. Returns 2n.
int gsmBytes2String(const unsigned char* src, char* dst, int n);
// Semi-octet encoding of n digit characters: swaps each pair; an odd count ends
// with "F" and the last digit. dst holds n + 2. Returns n, or n + 1 when n is odd.
int gsmInvertNumbers(const char* src, char* dst, int n);
// Semi-octet decoding: swaps each pair of the n characters and drops a final
// "F". dst holds n + 1. Returns the number of digits.
int gsmSerializeNumbers(const char* src, char* dst, int n);
// Packs n septets into octets, first septet in the low bits (3GPP TS 23.038).
// Returns the octets written: ceil(7n / 8).
int gsmEncode7bit(const char* src, unsigned char* dst, int n);
// Unpacks n octets into septets, NUL-terminated; dst holds n * 8 / 7 + 1.
// Returns the septets written.
int gsmDecode7bit(const unsigned char* src, char* dst, int n);
// Copies n octets, NUL-terminated. Returns n.
int gsmDecode8bit(const unsigned char* src, char* dst, int n);

// Decodes an SMS-DELIVER PDU (a received message). Returns the user-data
// length (septets for 7-bit, octets otherwise); -1 when the PDU ends before
// the user data it announces, with every field decoded as far as it goes.
int gsmDecodePdu(const char* pdu, SM_PARAM_DECODE* dst);

// Decodes an SMS-SUBMIT PDU kept in modem or SIM storage (a sent or unsent
// message). Returns as gsmDecodePdu.
int gsmDecodePdu4Move(const char* pdu, SM_PARAM_DECODE* dst);

// A status report (SMS-STATUS-REPORT) on a message sent earlier.
struct StatusReport {
    int reference = -1;        // the sent message's reference (TP-MR)
    QString recipient;         // "+digits" for an international number, else the digits
    QString serviceCentreTime; // when the centre took the message: yyMMddhhmmss + zone
    QString dischargeTime;     // when it was delivered, or its state last changed
    int status = -1;           // TP-ST
};

// True when `pdu` (service-centre part first) is an SMS-STATUS-REPORT.
bool isStatusReportPdu(const char* pdu);
// Decodes an SMS-STATUS-REPORT; nothing when the PDU is none or ends before
// its status.
std::optional<StatusReport> gsmDecodeStatusReport(const char* pdu);

// gsmDecodePdu (`deliver`) or gsmDecodePdu4Move, and the concatenation
// header of the message into `concat` (nothing when it has none).
int gsmDecodePart(const char* pdu, SM_PARAM_DECODE* dst, bool deliver,
                  std::optional<ConcatInfo>* concat);

// An SMS-SUBMIT as hexadecimal text, service-centre part first, carrying
// `text` to `number` (digits, optionally after "+" or "00") through the
// centre `sca` (may be empty). `ucs2` is the coding of the whole message;
// `concat`, when given, makes this one part of a longer message. `text` must
// fit: 160 septets, 153 behind a header (extension characters take two); 70
// UTF-16 units, 67 behind a header. Empty when it does not, or when a number
// has no digits or more than 20.
QString gsmEncodeSubmit(const QString& sca, const QString& number, int pid, const QString& text,
                        bool ucs2, const SubmitOptions& options, const ConcatInfo* concat);
