#pragma once

#include <string>

// The simulator's own small SMS PDU handling (3GPP TS 23.040 / 23.038):
// enough to build messages for its storage and to describe, in the
// transcript, the messages a client sends or writes. PDUs are hexadecimal
// text that starts with the service-centre address, as in PDU mode of
// 3GPP TS 27.005.
namespace pdu {

// SMS-DELIVER from `sender` ("+4917..." or national digits) with the UTF-8
// `text`: GSM 7-bit when every character is in the default alphabet
// (extension table included), otherwise UCS2 (cut to 70 code units).
// `timestamp` is "YYYY-MM-DD HH:MM:SS" (time zone +00); empty: now.
std::string buildDeliver(const std::string& smsc, const std::string& sender,
                         const std::string& text, const std::string& timestamp = {});

// SMS-SUBMIT to `destination`, as a stored outgoing message.
std::string buildSubmit(const std::string& smsc, const std::string& destination,
                        const std::string& text);

// SMS-STATUS-REPORT on the message `reference` sent to `recipient`, with
// the status octet `status` (0 delivered, 0x20.. still trying, 0x40.. failed);
// both times are now.
std::string buildStatusReport(const std::string& smsc, int reference, const std::string& recipient,
                              int status);

// The destination of an SMS-SUBMIT and whether it asks for a status report.
// False when `hex` is no SMS-SUBMIT.
bool readSubmit(const std::string& hex, std::string& destination, bool& statusReport);

// Length in octets of the TPDU (the PDU without its service-centre part), as
// the <length> of +CMGS/+CMGW/+CMGL/+CMGR gives it; -1 when `hex` is not a
// well-formed PDU (odd length, non-hexadecimal characters, service-centre
// length beyond the data, nothing after it).
int tpduLength(const std::string& hex);

// One-line description ("SUBMIT to +4917... 7bit: hello") for logs and the
// control client; says "undecodable" for anything it can't follow.
std::string describe(const std::string& hex);

} // namespace pdu

namespace pdu {
// GSM default alphabet as 8-bit text (one septet per byte, extension
// characters as Esc + code). Characters outside the alphabet become "?".
std::string toGsm(const std::u16string& s);
std::u16string fromGsm(const std::string& bytes);

// The alpha field a SIM phonebook entry keeps `name` in (3GPP TS 31.102
// annex A, as 3GPP TS 51.011 annex B before it): the default alphabet, one
// octet per septet (bit 8 clear; an extension character as Esc and its code),
// when it holds every character; else the shortest UCS2 form: 0x80 and two
// octets per character; 0x81, the count, a base of bits 15-7 and one octet
// per character; or 0x82, the count, a 16-bit base and one octet per
// character. In the last two a character of the default alphabet is its
// septet, any other its offset from the base with bit 8 set.
std::string alphaTag(const std::u16string& name);
} // namespace pdu

namespace pdu {
// A USSD string in packed septets (3GPP TS 23.038, 6.1.2.3), hexadecimal:
// `text` in the default alphabet, with a carriage return as filler when the
// last octet would end in seven spare bits.
std::string packUssd(const std::u16string& text);
// The reverse: false when `hex` is no hexadecimal octet string.
bool unpackUssd(const std::string& hex, std::u16string& text);
} // namespace pdu
