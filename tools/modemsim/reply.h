#pragma once

#include <string>
#include <vector>

// What one command line produces: information lines and a final result. The
// port turns it into bytes according to its V/Q/CMEE settings.
struct Reply {
    enum class Final { Ok, Error, CmeError, CmsError, Connect, NoCarrier, Prompt, Text, None };

    std::vector<std::string> lines;
    Final final = Final::Ok;
    int code = 0; // +CME / +CMS error number
    std::string
        text;        // the final result of Final::Text (a vendor's own, e.g. "COMMAND NOT SUPPORT")
    int delayMs = 0; // the modem works this long before it answers (a network scan)

    static Reply ok() { return {}; }
    static Reply result(Final f, int code = 0) {
        Reply r;
        r.final = f;
        r.code = code;
        return r;
    }
    static Reply error() { return result(Final::Error); }
    static Reply cme(int code) { return result(Final::CmeError, code); }
    static Reply cms(int code) { return result(Final::CmsError, code); }
    static Reply finalText(std::string t) {
        Reply r = result(Final::Text);
        r.text = std::move(t);
        return r;
    }
    Reply& line(std::string text) {
        lines.push_back(std::move(text));
        return *this;
    }
};

// 3GPP TS 27.007 +CME ERROR codes used here.
namespace cme {
constexpr int OperationNotAllowed = 3;
constexpr int OperationNotSupported = 4;
constexpr int SimNotInserted = 10;
constexpr int SimPinRequired = 11;
constexpr int SimPukRequired = 12;
constexpr int SimFailure = 13;
constexpr int SimBusy = 14;
constexpr int IncorrectPassword = 16;
constexpr int MemoryFull = 20;
constexpr int InvalidIndex = 21;
constexpr int NotFound = 22;
constexpr int TextTooLong = 24;
constexpr int InvalidCharacters = 25;
constexpr int DialStringTooLong = 26;
constexpr int NoNetworkService = 30;
constexpr int NetworkNotAllowed = 32;
constexpr int IncorrectParameters = 50;
constexpr int Unknown = 100;

// Verbose text of a code (AT+CMEE=2).
const char* text(int code);
} // namespace cme

// 3GPP TS 27.005 +CMS ERROR codes used here.
namespace cms {
constexpr int OperationNotAllowed = 302;
constexpr int OperationNotSupported = 303;
constexpr int InvalidPduParameter = 304;
constexpr int SimNotInserted = 310;
constexpr int SimPinRequired = 311;
constexpr int SimFailure = 313;
constexpr int SimBusy = 314;
constexpr int SimPukRequired = 316;
constexpr int InvalidIndex = 321;
constexpr int MemoryFull = 322;
constexpr int NoNetworkService = 331;
constexpr int Unknown = 500;
} // namespace cms

struct PortSettings;

// The bytes of a reply for a port's V/Q/CMEE settings (3GPP TS 27.007
// framing: "\r\n" before the information text, each line ended by "\r\n",
// then the final result code framed the same way).
std::string formatReply(const Reply& reply, const PortSettings& port, bool withFinal = true);
