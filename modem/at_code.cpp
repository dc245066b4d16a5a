#include "modem/at_code.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using Text = std::string_view;

bool has(Text text, Text what) {
    return text.find(what) != Text::npos;
}
bool begins(Text text, Text prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A row's tests: the first text found gives its code, else `otherwise`.
struct Test {
    Text text;
    int code;
};

template <size_t N> int firstFound(Text text, const Test (&tests)[N], int otherwise) {
    for (const Test& test : tests) {
        if (has(text, test.text))
            return test.code;
    }
    return otherwise;
}

// Replaces everything from the echo on with `literal`, within the buffer.
int rewrite(char* reply, int size, char* echo, const char* literal, int code) {
    const size_t room = static_cast<size_t>(size - (echo - reply));
    const size_t length = std::min(std::strlen(literal), room - 1);
    std::memcpy(echo, literal, length);
    echo[length] = '\0';
    return code;
}

// Received signal strength indication (3GPP TS 27.007 "+CSQ") to a class.
int signalClass(Text e) {
    const size_t at = e.find("+CSQ: ");
    if (at == Text::npos)
        return AT_UNKNOWN;
    Text rssi = e.substr(at + 6);
    rssi = rssi.substr(0, rssi.find(','));
    if (rssi.empty() || rssi.size() > 2 || rssi.find_first_not_of("0123456789") != Text::npos)
        return AT_CSQ_NONE;
    if (rssi.size() == 2 && rssi[0] == '0')
        return AT_CSQ_NONE; // "05" is not one of the values the modem sends
    const int value = rssi.size() == 1 ? rssi[0] - '0' : (rssi[0] - '0') * 10 + (rssi[1] - '0');
    if (value == 0)
        return AT_CSQ_NONE;
    if (value <= 6)
        return AT_CSQ_CLASS1;
    if (value <= 9)
        return AT_CSQ_CLASS2;
    if (value <= 12)
        return AT_CSQ_CLASS3;
    if (value <= 16)
        return AT_CSQ_CLASS4;
    if (value <= 31)
        return AT_CSQ_CLASS5;
    return AT_CSQ_NONE;
}

// PIN entry, or PUK entry with a new PIN when the command line holds two
// quoted parameters.
int pinEntry(Text e) {
    const Text firstLine = e.substr(0, e.find('\n'));
    if (has(firstLine, "\",\"")) {
        static const Test puk[] = {{"\r\nOK", AT_PUK_OK},
                                   {"+CME ERROR: incorrect password", AT_PUK_WRONG},
                                   {"+CME ERROR: SIM failure", AT_PUK_SIM_FAILURE},
                                   {"\r\nERROR", AT_PUK_ERROR}};
        return firstFound(e, puk, AT_UNKNOWN);
    }
    static const Test pin[] = {{"\r\nOK", AT_PIN_OK},
                               {"+CME ERROR: incorrect password", AT_PIN_WRONG},
                               {"+CME ERROR: SIM PUK required", AT_PIN_PUK_REQUIRED},
                               {"\r\nERROR", AT_PIN_ERROR}};
    return firstFound(e, pin, AT_UNKNOWN);
}

int storage(Text e) {
    if (begins(e, "AT+CPMS="))
        return has(e, "+CPMS: ") ? AT_CPMS_SET_OK : AT_CPMS_SET_FAILED;
    if (begins(e, "AT+CPMS?\r\n"))
        return has(e, "+CPMS: ") ? AT_CPMS_QUERY_OK : AT_CPMS_QUERY_FAILED;
    return has(e, "\r\nERROR") ? AT_CPMS_BARE_ERROR : AT_UNKNOWN;
}

int pinLock(Text e) {
    if (has(e, "+CLCK: 1"))
        return AT_CLCK_ON;
    if (has(e, "+CLCK: 0"))
        return AT_CLCK_OFF;
    if (begins(e, "AT+CLCK=\"SC\",1,\"")) {
        static const Test lock[] = {{"+CME ERROR: incorrect password", AT_CLCK_LOCK_WRONG},
                                    {"\r\nOK", AT_CLCK_LOCK_OK}};
        return firstFound(e, lock, AT_UNKNOWN);
    }
    if (begins(e, "AT+CLCK=\"SC\",0,\"")) {
        static const Test unlock[] = {{"+CME ERROR: incorrect password", AT_CLCK_UNLOCK_WRONG},
                                      {"\r\nOK", AT_CLCK_UNLOCK_OK}};
        return firstFound(e, unlock, AT_UNKNOWN);
    }
    return AT_UNKNOWN;
}

int okOr(Text e, int ok, int otherwise) {
    return has(e, "\r\nOK") ? ok : otherwise;
}

} // namespace

int Parse_At_Res(char* reply, int size) {
    if (reply == nullptr || size <= 0)
        return AT_UNKNOWN;
    const Text whole(reply, strnlen(reply, static_cast<size_t>(size)));

    const size_t echoAt = whole.find("AT+");
    if (echoAt == Text::npos) {
        const size_t bare = whole.find("AT\r");
        if (bare == Text::npos)
            return AT_UNKNOWN;
        return whole.find("\r\nOK", bare) != Text::npos ? AT_OK : AT_UNKNOWN;
    }

    const Text e = whole.substr(echoAt);
    char* const echo = reply + echoAt;

    // The order matters where one prefix begins another ("AT+COPS=?" before
    // "AT+COPS=", "AT+YSMSD=2" before nothing broader, ...).
    if (begins(e, "AT+CPMS"))
        return storage(e);
    if (begins(e, "AT+YOPRT?")) {
        static const Test tests[] = {{"+YOPRT: 5", AT_YOPRT_ONLINE}, {"\r\nOK", AT_YOPRT_OTHER}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+YOPRT="))
        return okOr(e, AT_YOPRT_SET_OK, AT_UNKNOWN);
    if (begins(e, "AT+CPIN?")) {
        static const Test tests[] = {{"+CPIN: READY", AT_CPIN_READY},
                                     {"+CPIN: SIM PIN", AT_CPIN_SIM_PIN},
                                     {"+CPIN: SIM PUK", AT_CPIN_SIM_PUK},
                                     {"+CME ERROR: SIM busy", AT_CPIN_SIM_BUSY},
                                     {"+CME ERROR: SIM failure", AT_CPIN_SIM_FAILURE}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+CPIN=\""))
        return pinEntry(e);
    if (begins(e, "AT+CLCK=\"SC\""))
        return pinLock(e);
    if (begins(e, "AT+CPWD=\"SC\",\"")) {
        static const Test tests[] = {{"+CME ERROR: incorrect password", AT_CPWD_WRONG},
                                     {"+CME ERROR: SIM PUK required", AT_CPWD_PUK_REQUIRED},
                                     {"\r\nOK", AT_CPWD_OK},
                                     {"+CME ERROR: operation not allowed", AT_CPWD_NOT_ALLOWED}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+CGDCONT=")) {
        static const Test tests[] = {{"\r\nOK", AT_CGDCONT_OK}, {"\r\nERROR", AT_CGDCONT_ERROR}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+YPAS?")) {
        if (has(e, "+YPAS: \""))
            return AT_YPAS_OK;
        return rewrite(reply, size, echo, "No Service", AT_YPAS_NO_SERVICE);
    }
    if (begins(e, "AT+CSCA?"))
        return has(e, "+CSCA: \"") ? AT_CSCA_OK : 0;
    if (begins(e, "AT+COPS=?"))
        return has(e, "+COPS: ") ? AT_COPS_LIST_OK : AT_COPS_LIST_FAILED;
    if (begins(e, "AT+COPS="))
        return okOr(e, AT_COPS_SET_OK, AT_COPS_SET_FAILED);
    if (begins(e, "AT+CNMI="))
        return okOr(e, AT_CNMI_OK, AT_CNMI_FAILED);
    if (begins(e, "AT+GMR"))
        return okOr(e, AT_GMR_OK, AT_GMR_FAILED);
    if (begins(e, "AT+YUSIM")) {
        static const Test tests[] = {{"+YUSIM: 0", AT_YUSIM_SIM},
                                     {"+YUSIM: 1", AT_YUSIM_USIM},
                                     {"+CME ERROR: SIM busy", AT_YUSIM_SIM_BUSY}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+CMGL="))
        return okOr(e, AT_CMGL_OK, AT_CMGL_FAILED);
    if (begins(e, "AT+CMGR="))
        return okOr(e, AT_CMGR_OK, AT_CMGR_FAILED);
    if (begins(e, "AT+YSNT="))
        return okOr(e, AT_YSNT_SET_OK, AT_YSNT_SET_FAILED);
    if (begins(e, "AT+YSNT?"))
        return has(e, "+YSNT: ") ? AT_YSNT_QUERY_OK : AT_YSNT_QUERY_FAILED;
    if (begins(e, "AT+YSMSD=2"))
        return okOr(e, AT_YSMSD_SET_OK, AT_YSMSD_SET_FAILED);
    if (begins(e, "AT+YSMSD?")) {
        static const Test tests[] = {
            {"+YSMSD: 0", AT_YSMSD_0}, {"+YSMSD: 1", AT_YSMSD_1}, {"+YSMSD: 2", AT_YSMSD_2}};
        return firstFound(e, tests, AT_YSMSD_FAILED);
    }
    if (begins(e, "AT+YDON?")) {
        if (has(e, "+YDON: \""))
            return AT_YDON_OK;
        return rewrite(reply, size, echo, "Not Found", AT_YDON_NOT_FOUND);
    }
    if (begins(e, "AT+CSQ"))
        return signalClass(e);
    if (begins(e, "AT+CIMI")) {
        static const Test tests[] = {{"+CME ERROR: SIM failure", AT_CIMI_ERROR},
                                     {"ERROR", AT_CIMI_ERROR}};
        return firstFound(e, tests, AT_CIMI_OK);
    }
    // Message format (3GPP TS 27.005 "+CMGF": 0 = PDU, 1 = text).
    if (begins(e, "AT+CMGF?")) {
        static const Test tests[] = {{"+CMGF: 0", AT_CMGF_PDU}, {"+CMGF: 1", AT_CMGF_TEXT}};
        return firstFound(e, tests, AT_UNKNOWN);
    }
    if (begins(e, "AT+CMGF="))
        return okOr(e, AT_CMGF_SET_OK, AT_CMGF_SET_FAILED);
    if (begins(e, "AT+CSCS="))
        return okOr(e, AT_OK, AT_UNKNOWN);

    static const Test rest[] = {
        {"AT+CMGD=", AT_OK}, {"+CMS ERROR", AT_CMS_ERROR}, {"+CMGW", AT_CMGW_SEEN}};
    return firstFound(e, rest, 0);
}
