#include "reply.h"

namespace cme {

const char* text(int code) {
    switch (code) {
    case OperationNotAllowed:
        return "operation not allowed";
    case OperationNotSupported:
        return "operation not supported";
    case SimNotInserted:
        return "SIM not inserted";
    case SimPinRequired:
        return "SIM PIN required";
    case SimPukRequired:
        return "SIM PUK required";
    case SimFailure:
        return "SIM failure";
    case SimBusy:
        return "SIM busy";
    case IncorrectPassword:
        return "incorrect password";
    case MemoryFull:
        return "memory full";
    case InvalidIndex:
        return "invalid index";
    case NotFound:
        return "not found";
    case TextTooLong:
        return "text string too long";
    case InvalidCharacters:
        return "invalid characters in text string";
    case DialStringTooLong:
        return "dial string too long";
    case NoNetworkService:
        return "no network service";
    case NetworkNotAllowed:
        return "network not allowed - emergency calls only";
    case IncorrectParameters:
        return "incorrect parameters";
    default:
        return "unknown";
    }
}

} // namespace cme

#include "modem.h"

std::string formatReply(const Reply& reply, const PortSettings& port, bool withFinal) {
    std::string out;
    const std::string head = port.verbose ? "\r\n" : "";
    if (!reply.lines.empty()) {
        out += head;
        for (const std::string& l : reply.lines)
            out += l + "\r\n";
    }
    using F = Reply::Final;
    if (reply.final == F::Prompt)
        return out + "\r\n> ";
    if (!withFinal || reply.final == F::None || port.quiet)
        return out;
    auto result = [&](const char* verbose, const char* numeric) {
        return port.verbose ? head + verbose + "\r\n" : std::string(numeric) + "\r";
    };
    switch (reply.final) {
    case F::Ok:
        return out + result("OK", "0");
    case F::Connect:
        return out + result("CONNECT", "1");
    case F::NoCarrier:
        return out + result("NO CARRIER", "3");
    case F::Error:
        return out + result("ERROR", "4");
    case F::Text:
        return out + result(reply.text.c_str(), "4");
    case F::CmeError:
        if (port.cmee == 0)
            return out + result("ERROR", "4");
        return out + head + "+CME ERROR: " +
               (port.cmee == 1 ? std::to_string(reply.code) : std::string(cme::text(reply.code))) +
               "\r\n";
    case F::CmsError:
        if (port.cmee == 0)
            return out + result("ERROR", "4");
        return out + head + "+CMS ERROR: " + std::to_string(reply.code) + "\r\n";
    default:
        return out;
    }
}
