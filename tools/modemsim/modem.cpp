#include "modem.h"

#include "pdu.h"
#include "text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

using text::intParam;
using text::parseInt;
using text::quoted;
using text::upper;
using Params = std::vector<std::string>;

namespace {

bool validPin(const std::string& pin) {
    if (pin.size() < 4 || pin.size() > 8)
        return false;
    for (char c : pin)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

int toCms(int cmeCode) {
    switch (cmeCode) {
    case cme::SimNotInserted:
        return cms::SimNotInserted;
    case cme::SimPinRequired:
        return cms::SimPinRequired;
    case cme::SimPukRequired:
        return cms::SimPukRequired;
    case cme::SimFailure:
        return cms::SimFailure;
    case cme::SimBusy:
        return cms::SimBusy;
    default:
        return cms::Unknown;
    }
}

// The reply of the vendor's newer firmware to the extended phonebook
// commands it dropped.
Reply notSupported() {
    Reply r = Reply::error();
    r.line("command not support");
    return r;
}

// A setting of one number: "?" shows it, "=?" its range, "=n" sets it.
Reply numberSetting(const std::string& name, char kind, const Params& p, int max, const char* range,
                    int& value) {
    if (kind == 'R')
        return Reply::ok().line(name + ": " + std::to_string(value));
    if (kind == 'T')
        return Reply::ok().line(name + ": " + range);
    int v = 0;
    if (!intParam(p, 0, 0, max, v))
        return Reply::error();
    value = v;
    return Reply::ok();
}

// Whether a mode preference that allows the `families` lets the card use
// the technology `act` (one the preference doesn't know is always allowed).
bool allows(unsigned families, int act) {
    return !rat::family(act) || (rat::family(act) & families);
}

// The three lists of an AT+CPMS=? answer: `("ME","SM"),("ME","SM"),("SM")`.
std::vector<std::string> storageLists(const std::string& choices) {
    std::vector<std::string> lists;
    size_t open = choices.find('(');
    while (open != std::string::npos) {
        const size_t close = choices.find(')', open);
        if (close == std::string::npos)
            break;
        lists.push_back(choices.substr(open + 1, close - open - 1));
        open = choices.find('(', close);
    }
    return lists;
}

// Whether `value` is among the values of one AT+CNMI=? list, such as
// "0-2" or "0,2".
bool offered(const std::string& list, int value) {
    for (const std::string& item : text::splitParams(list)) {
        const size_t dash = item.find('-');
        int first = 0, last = 0;
        if (!parseInt(item.substr(0, dash), first) ||
            !parseInt(dash == std::string::npos ? item : item.substr(dash + 1), last))
            continue;
        if (value >= first && value <= last)
            return true;
    }
    return false;
}

} // namespace

int MessageStorage::firstFree() const {
    for (int i = first; i <= last(); ++i)
        if (!slots.count(i))
            return i;
    return -1;
}

void MessageStorage::renumber(int newFirst) {
    std::map<int, StoredMessage> moved;
    for (auto& [index, message] : slots)
        moved[index - first + newFirst] = std::move(message);
    slots = std::move(moved);
    first = newFirst;
}

MessageStorage* ModemState::storage(const std::string& name) {
    const std::string n = upper(name);
    // A card that lists "MT" (its memory and the SIM as one) keeps it here
    // as the memory.
    if (n == "MT" && storageChoices.find("\"MT\"") != std::string::npos)
        return &me;
    return n == "SM" ? &sm : n == "ME" ? &me : n == "SR" ? &sr : nullptr;
}

void Modem::resetPort(PortSettings& port) const {
    const bool data = port.dataPort;
    port = defaults;
    port.dataPort = data;
}

Reply Modem::execute(const std::string& raw, PortSettings& port) {
    // As a modem does, whatever comes before the "AT" prefix is ignored (an
    // Esc that cancelled a message body, noise on the line).
    const std::string line = text::trim(raw);
    const size_t prefix = upper(line).find("AT");
    if (prefix == std::string::npos)
        return Reply::result(Reply::Final::None);
    const std::string rest = line.substr(prefix + 2);
    Reply total;
    size_t i = 0;
    const size_t n = rest.size();
    while (i < n) {
        const char c = rest[i];
        if (c == ' ' || c == ';') {
            ++i;
            continue;
        }
        Reply r;
        if (c == '+' || c == '^' || c == '$' || c == '%') {
            size_t j = i + 1;
            while (j < n && (std::isalnum(static_cast<unsigned char>(rest[j])) || rest[j] == '_'))
                ++j;
            const std::string name = upper(rest.substr(i, j - i));
            char kind = 'E';
            if (j + 1 < n && rest[j] == '=' && rest[j + 1] == '?') {
                kind = 'T';
                j += 2;
            } else if (j < n && rest[j] == '=') {
                kind = 'S';
                ++j;
            } else if (j < n && rest[j] == '?') {
                kind = 'R';
                ++j;
            }
            size_t k = j;
            bool inQuote = false;
            while (k < n && (inQuote || rest[k] != ';')) {
                if (rest[k] == '"')
                    inQuote = !inQuote;
                ++k;
            }
            r = extended(name, kind, rest.substr(j, k - j), port);
            i = k;
        } else {
            const char cmd = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            size_t j = i + 1;
            if (cmd == 'D') {
                r = dial(rest.substr(j), port);
                j = n;
            } else if (cmd == '&') {
                if (j < n)
                    ++j;
                while (j < n && std::isdigit(static_cast<unsigned char>(rest[j])))
                    ++j;
                r = basic('&', rest.substr(i + 1, j - i - 1), port);
            } else if (cmd == 'S') {
                while (j < n && (std::isdigit(static_cast<unsigned char>(rest[j])) ||
                                 rest[j] == '=' || rest[j] == '?'))
                    ++j;
                r = basic('S', rest.substr(i + 1, j - i - 1), port);
            } else {
                while (j < n && std::isdigit(static_cast<unsigned char>(rest[j])))
                    ++j;
                r = basic(cmd, rest.substr(i + 1, j - i - 1), port);
            }
            i = j;
        }
        total.lines.insert(total.lines.end(), r.lines.begin(), r.lines.end());
        total.delayMs += r.delayMs;
        if (r.final != Reply::Final::Ok) {
            total.final = r.final;
            total.code = r.code;
            total.text = r.text;
            return total;
        }
    }
    return total;
}

Reply Modem::basic(char cmd, const std::string& arg, PortSettings& port) {
    int v = 0;
    const bool hasValue = parseInt(arg, v);
    if (!arg.empty() && !hasValue && cmd != '&' && cmd != 'S')
        return Reply::error();
    switch (cmd) {
    case 'E':
        if (v > 1)
            return Reply::error();
        port.echo = v == 1;
        return Reply::ok();
    case 'Q':
        if (v > 1)
            return Reply::error();
        port.quiet = v == 1;
        return Reply::ok();
    case 'V':
        if (v > 1)
            return Reply::error();
        port.verbose = v == 1;
        return Reply::ok();
    case 'Z':
        resetPort(port);
        return Reply::ok();
    case 'H':
        port.online = false;
        return Reply::ok();
    case 'I':
        if (state.dialect == Dialect::Nwscanmode)
            return Reply::ok()
                .line(state.manufacturer)
                .line(state.model)
                .line("Revision: " + state.revision);
        return Reply::ok()
            .line("Manufacturer: " + state.manufacturer)
            .line("Model: " + state.model)
            .line("Revision: " + state.revision)
            .line("IMEI: " + state.imei)
            .line("+GCAP: +CGSM,+DS,+ES");
    case 'A':
    case 'O':
        return Reply::result(Reply::Final::NoCarrier);
    case 'L':
    case 'M':
    case 'X':
        return Reply::ok();
    case '&': {
        const char what = arg.empty() ? 0 : static_cast<char>(std::toupper(arg[0]));
        if (what == 'F') {
            resetPort(port);
            return Reply::ok();
        }
        return std::string("CDKSW").find(what) != std::string::npos && what ? Reply::ok()
                                                                            : Reply::error();
    }
    case 'S': {
        // Sn=v and Sn? are accepted; the registers change nothing here.
        const size_t eq = arg.find_first_of("=?");
        int reg = 0;
        if (eq == std::string::npos || !parseInt(arg.substr(0, eq), reg))
            return Reply::error();
        if (arg[eq] == '?')
            return Reply::ok().line("000");
        return Reply::ok();
    }
    default:
        return Reply::error();
    }
}

Reply Modem::dial(const std::string& dialString, PortSettings& port) {
    std::string number = text::trim(dialString);
    if (!number.empty() &&
        (number[0] == 'T' || number[0] == 't' || number[0] == 'P' || number[0] == 'p'))
        number = number.substr(1);
    Reply r;
    if (number.empty() || number.back() == ';' || !port.dataPort || !simUsable(r, false) ||
        !state.registered()) {
        if (onEvent)
            onEvent("dial-failed " + number);
        return Reply::result(Reply::Final::NoCarrier);
    }
    if (onEvent)
        onEvent("dial " + number);
    port.online = true;
    return Reply::result(Reply::Final::Connect);
}

bool Modem::simUsable(Reply& r, bool sms) {
    int code = 0;
    if (!state.simPresent)
        code = state.absentError;
    else if (state.simBusy > 0) {
        --state.simBusy;
        code = cme::SimBusy;
    } else if (state.sim == SimState::NeedPin)
        code = cme::SimPinRequired;
    else if (state.sim == SimState::NeedPuk)
        code = cme::SimPukRequired;
    else if (state.sim == SimState::Blocked)
        code = cme::SimFailure;
    if (!code)
        return true;
    r = sms ? Reply::cms(toCms(code)) : Reply::cme(code);
    return false;
}

Reply Modem::extended(const std::string& name, char kind, const std::string& args,
                      PortSettings& port) {
    const Params p = text::splitParams(args);
    Reply r;
    const ModemState& s = state;
    const bool online = s.operatingMode == 5;

    // Only the maker's cards know its "+Y" commands; other cards have their own.
    if (s.dialect != Dialect::Maker && name.rfind("+Y", 0) == 0)
        return unknownCommand();
    bool known = false;
    r = vendor(name, kind, p, known);
    if (known)
        return r;

    // identity
    if (name == "+CGSN" || name == "+GSN")
        return kind == 'T' ? Reply::ok() : Reply::ok().line(s.imei);
    if (name == "+CGMI" || name == "+GMI")
        return kind == 'T' ? Reply::ok() : Reply::ok().line(s.manufacturer);
    if (name == "+CGMM" || name == "+GMM")
        return kind == 'T' ? Reply::ok() : Reply::ok().line(s.model);
    if (name == "+CGMR" || name == "+GMR")
        return kind == 'T' ? Reply::ok() : Reply::ok().line(s.revision);
    if (name == "+GCAP")
        return Reply::ok().line("+GCAP: +CGSM,+DS,+ES");
    if (name == "+CIMI") {
        if (kind == 'T')
            return Reply::ok();
        return simUsable(r, false) ? Reply::ok().line(s.imsi) : r;
    }
    if (name == "+CNUM") {
        if (kind == 'T')
            return Reply::ok();
        if (!simUsable(r, false))
            return r;
        r = Reply::ok();
        if (!s.ownNumber.empty())
            r.line("+CNUM: \"\"," + quoted(s.ownNumber) + "," +
                   (s.ownNumber[0] == '+' ? "145" : "129"));
        return r;
    }

    // settings of the port and the modem
    if (name == "+CMEE") {
        int v = 0;
        if (kind == 'R')
            return Reply::ok().line("+CMEE: " + std::to_string(port.cmee));
        if (kind == 'T')
            return Reply::ok().line("+CMEE: (0-2)");
        if (kind == 'E' || !intParam(p, 0, 0, 2, v))
            return Reply::error();
        port.cmee = v;
        return Reply::ok();
    }
    if (name == "+CSCS") {
        if (kind == 'R')
            return Reply::ok().line("+CSCS: " + quoted(s.charset));
        if (kind == 'T')
            return Reply::ok().line("+CSCS: (\"IRA\",\"GSM\",\"UCS2\")");
        const std::string cs = p.empty() ? "" : upper(p[0]);
        if (kind != 'S' || (cs != "IRA" && cs != "GSM" && cs != "UCS2"))
            return Reply::cme(cme::OperationNotSupported);
        state.charset = cs;
        return Reply::ok();
    }
    if (name == "+FCLASS") {
        if (kind == 'R')
            return Reply::ok().line("0");
        if (kind == 'T')
            return Reply::ok().line("(0)");
        return p.size() == 1 && p[0] == "0" ? Reply::ok() : Reply::error();
    }
    if (name == "+CFUN") {
        int v = 0;
        if (kind == 'R')
            return Reply::ok().line(online ? "+CFUN: 1" : "+CFUN: 4");
        if (kind == 'T')
            return Reply::ok().line("+CFUN: (0,1,4),(0-1)");
        if (!intParam(p, 0, 0, 4, v) || (v != 0 && v != 1 && v != 4))
            return Reply::cme(cme::OperationNotSupported);
        state.operatingMode = v == 1 ? 5 : 6;
        return Reply::ok();
    }
    if (name == "+YOPRT")
        return numberSetting(name, kind, p, 7, "(5,6)", state.operatingMode);

    // SIM
    if (name == "+CPIN")
        return cpin(kind, p);
    if (name == "+CLCK")
        return clck(kind, p);
    if (name == "+CPWD")
        return cpwd(kind, p);
    if (name == "+YUSIM") {
        if (kind == 'S' || kind == 'E')
            return Reply::error();
        return simUsable(r, false) ? Reply::ok().line(s.usim ? "+YUSIM: 1" : "+YUSIM: 0") : r;
    }

    // network
    if (name == "+CSQ")
        return csq(kind);
    if (name == "+COPS")
        return cops(kind, p);
    if (name == "+CREG" || name == "+CGREG")
        return creg(name, kind, p);
    if (name == "+CGATT") {
        if (kind == 'R')
            return Reply::ok().line(std::string("+CGATT: ") + (s.registered() ? "1" : "0"));
        if (kind == 'T')
            return Reply::ok().line("+CGATT: (0,1)");
        return Reply::ok();
    }
    if (name == "+YPAS") {
        if (kind != 'R')
            return Reply::error();
        r = Reply::ok();
        if (online && !s.serviceMode.empty())
            r.line("+YPAS: " + quoted(s.serviceMode) + "," + quoted(s.serviceDomain));
        return r;
    }
    if (name == "+YDON") {
        if (kind != 'R')
            return Reply::error();
        r = Reply::ok();
        if (s.registered())
            r.line("+YDON: " + quoted(s.operatorName));
        return r;
    }
    if (name == "+YSNT") {
        if (kind == 'R')
            return Reply::ok().line("+YSNT: " + s.modePreference);
        if (kind == 'T')
            return Reply::ok().line("+YSNT: (0-2),(0-2),(0-2)");
        int a = 0, b = 0, c = 0;
        if (p.size() != 3 || !intParam(p, 0, 0, 2, a) || !intParam(p, 1, 0, 2, b) ||
            !intParam(p, 2, 0, 2, c))
            return Reply::error();
        state.modePreference =
            std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
        return Reply::ok();
    }
    if (name == "+CGDCONT") {
        int cid = 0;
        if (kind == 'T')
            return Reply::ok().line("+CGDCONT: (1-16),\"IP\",,,(0-2),(0-4)");
        if (kind == 'R') {
            r = Reply::ok();
            for (const auto& [id, params] : s.pdpContexts)
                r.line("+CGDCONT: " + std::to_string(id) + "," + params);
            return r;
        }
        if (!intParam(p, 0, 1, 16, cid))
            return Reply::error();
        const size_t comma = args.find(',');
        if (comma == std::string::npos)
            state.pdpContexts.erase(cid);
        else
            state.pdpContexts[cid] = args.substr(comma + 1);
        if (onEvent)
            onEvent("pdp-context " + args);
        return Reply::ok();
    }

    // messages
    if (name == "+CMGF") {
        if (kind == 'R')
            return Reply::ok().line("+CMGF: 0");
        if (kind == 'T')
            return Reply::ok().line("+CMGF: (0)");
        return p.size() == 1 && p[0] == "0" ? Reply::ok() : Reply::cms(cms::OperationNotSupported);
    }
    if (name == "+CSMS") {
        if (kind == 'R')
            return Reply::ok().line("+CSMS: 0,1,1,1");
        if (kind == 'T')
            return Reply::ok().line("+CSMS: (0)");
        return Reply::ok().line("+CSMS: 1,1,1");
    }
    if (name == "+CNMI") {
        if (kind == 'R')
            return Reply::ok().line("+CNMI: " + s.cnmi);
        if (kind == 'T')
            return Reply::ok().line("+CNMI: " + (s.indicationChoices.empty()
                                                     ? "(0-3),(0-3),(0,2),(0-2),(0,1)"
                                                     : s.indicationChoices));
        // A value the card doesn't list is refused, as real cards do.
        const std::vector<std::string> lists = storageLists(s.indicationChoices);
        int v = 0;
        for (size_t i = 0; i < p.size(); ++i)
            if (!p[i].empty() &&
                (!parseInt(p[i], v) || (i < lists.size() && !offered(lists[i], v))))
                return Reply::cms(cms::OperationNotSupported);
        state.cnmi = args;
        return Reply::ok();
    }
    if (name == "+CPMS")
        return cpms(kind, p);
    if (name == "+CMGL")
        return cmgl(kind, p);
    if (name == "+CMGR")
        return cmgr(kind, p);
    if (name == "+CMGD")
        return cmgd(kind, p);
    if (name == "+CMGS")
        return cmgsw(true, kind, p);
    if (name == "+CMGW")
        return cmgsw(false, kind, p);
    if (name == "+CSCA")
        return csca(kind, p);
    if (name == "+YSMSD")
        return numberSetting(name, kind, p, 2, "(0-2)", state.newSmsStorage);

    if (name == "+CUSD")
        return cusd(kind, p);

    // phonebook
    if (name == "+CPBS")
        return cpbs(kind, p);
    if (name == "+CPBR")
        return cpbr(false, kind, p);
    if (name == "+CPBW")
        return cpbw(kind, p);
    if (name == "+YCPBR") {
        if (s.newPlatform)
            return notSupported();
        return cpbr(true, kind, p);
    }
    if (name == "+YCPBM")
        return s.newPlatform ? notSupported() : Reply::error();

    return unknownCommand();
}

// ---------------------------------------------------------------- SIM

bool Modem::wrongPin() {
    if (--state.pinTries > 0)
        return false;
    state.pinTries = 0;
    state.sim = SimState::NeedPuk;
    if (onEvent)
        onEvent("sim PIN blocked, PUK required");
    return true;
}

Reply Modem::cpin(char kind, const Params& p) {
    ModemState& s = state;
    if (kind == 'T')
        return Reply::ok();
    if (!s.simPresent)
        return Reply::cme(s.absentError);
    if (s.simBusy > 0) {
        --s.simBusy;
        return Reply::cme(cme::SimBusy);
    }
    if (kind == 'R' || kind == 'E') {
        switch (s.sim) {
        case SimState::Ready:
            return Reply::ok().line("+CPIN: READY");
        case SimState::NeedPin:
            return Reply::ok().line("+CPIN: SIM PIN");
        case SimState::NeedPuk:
            return Reply::ok().line("+CPIN: SIM PUK");
        case SimState::Blocked:
            return Reply::cme(cme::SimFailure);
        }
    }
    if (p.empty() || p[0].empty())
        return Reply::cme(cme::IncorrectParameters);
    switch (s.sim) {
    case SimState::Ready:
        return Reply::cme(cme::OperationNotAllowed);
    case SimState::Blocked:
        return Reply::cme(cme::SimFailure);
    case SimState::NeedPin:
        if (p[0] == s.pin) {
            s.sim = SimState::Ready;
            s.pinTries = 3;
            return Reply::ok();
        }
        return Reply::cme(wrongPin() ? cme::SimPukRequired : cme::IncorrectPassword);
    case SimState::NeedPuk:
        if (p.size() < 2)
            return Reply::cme(cme::SimPukRequired);
        if (!validPin(p[1]))
            return Reply::cme(cme::IncorrectParameters);
        if (p[0] == s.puk) {
            s.pin = p[1];
            s.sim = SimState::Ready;
            s.pinTries = 3;
            s.pukTries = 10;
            return Reply::ok();
        }
        if (--s.pukTries > 0)
            return Reply::cme(cme::IncorrectPassword);
        s.pukTries = 0;
        s.sim = SimState::Blocked;
        if (onEvent)
            onEvent("sim blocked for good (PUK tries used up)");
        return Reply::cme(cme::SimFailure);
    }
    return Reply::error();
}

Reply Modem::clck(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok().line("+CLCK: (\"SC\")");
    int mode = 0;
    if (kind != 'S' || p.empty() || !intParam(p, 1, 0, 2, mode))
        return Reply::cme(cme::IncorrectParameters);
    if (upper(p[0]) != "SC")
        return Reply::cme(cme::OperationNotSupported);
    Reply r;
    if (!simUsable(r, false))
        return r;
    if (mode == 2)
        return Reply::ok().line(state.pinLock ? "+CLCK: 1" : "+CLCK: 0");
    if (p.size() < 3)
        return Reply::cme(cme::IncorrectParameters);
    if (p[2] != state.pin)
        return Reply::cme(wrongPin() ? cme::SimPukRequired : cme::IncorrectPassword);
    state.pinTries = 3;
    state.pinLock = mode == 1;
    return Reply::ok();
}

Reply Modem::cpwd(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok().line("+CPWD: (\"SC\",8)");
    if (kind != 'S' || p.size() < 3)
        return Reply::cme(cme::IncorrectParameters);
    if (upper(p[0]) != "SC")
        return Reply::cme(cme::OperationNotSupported);
    Reply r;
    if (!simUsable(r, false))
        return r;
    if (!state.pinLock)
        return Reply::cme(cme::OperationNotAllowed);
    if (p[1] != state.pin)
        return Reply::cme(wrongPin() ? cme::SimPukRequired : cme::IncorrectPassword);
    if (!validPin(p[2]))
        return Reply::cme(cme::IncorrectParameters);
    state.pin = p[2];
    state.pinTries = 3;
    return Reply::ok();
}

// ---------------------------------------------------------------- network

Reply Modem::cops(char kind, const Params& p) {
    ModemState& s = state;
    if (kind == 'T') {
        if (s.operatingMode != 5)
            return Reply::cme(cme::NoNetworkService);
        std::string list;
        for (const Network& n : s.networks) {
            if (!list.empty())
                list += ",";
            list += "(" + std::to_string(n.status) + "," + quoted(n.longName) + "," +
                    quoted(n.shortName) + "," + quoted(n.numeric) + "," + std::to_string(n.act) +
                    ")";
        }
        Reply r = Reply::ok().line("+COPS: " + list + ",,(0,1,3,4),(0,2)");
        r.delayMs = s.scanMs; // a scan of every band takes its time
        return r;
    }
    if (kind == 'R' || kind == 'E') {
        if (!s.registered())
            return Reply::ok().line("+COPS: " + std::to_string(s.copsMode));
        const Network* n = s.currentNetwork();
        std::string oper = s.operatorName;
        if (s.copsFormat == 1 && n)
            oper = n->shortName;
        else if (s.copsFormat == 2)
            oper = n ? n->numeric : "00000";
        return Reply::ok().line("+COPS: " + std::to_string(s.copsMode) + "," +
                                std::to_string(s.copsFormat) + "," + quoted(oper) + "," +
                                std::to_string(s.act));
    }
    int mode = 0, format = s.copsFormat;
    if (!intParam(p, 0, 0, 4, mode))
        return Reply::cme(cme::IncorrectParameters);
    if (p.size() > 1 && !p[1].empty() && !intParam(p, 1, 0, 2, format))
        return Reply::cme(cme::IncorrectParameters);
    if (mode == 3) {
        s.copsFormat = format;
        return Reply::ok();
    }
    Reply r;
    if (!simUsable(r, false))
        return r;
    const unsigned allowed = allowedFamilies();
    if (mode == 2) {
        for (Network& other : s.networks)
            if (other.status == 2)
                other.status = 1;
        s.operatorName.clear();
        s.copsMode = 2;
        return Reply::ok();
    }
    s.copsFormat = format;
    if (mode == 1 || mode == 4) {
        const std::string oper = p.size() > 2 ? p[2] : "";
        int act = -1;
        if (p.size() > 3 && !p[3].empty() && !parseInt(p[3], act))
            return Reply::cme(cme::IncorrectParameters);
        Network* found = nullptr;
        for (Network& n : s.networks) {
            const std::string& key = format == 2   ? n.numeric
                                     : format == 1 ? n.shortName
                                                   : n.longName;
            if (key == oper && (act < 0 || act == n.act) && allows(allowed, n.act))
                found = &n;
        }
        if (found && found->status != 3) {
            registerOn(*found);
            s.copsMode = 1;
            return Reply::ok();
        }
        if (mode == 1)
            return Reply::cme(found ? cme::NetworkNotAllowed : cme::NoNetworkService);
    }
    s.copsMode = 0;
    if (!s.currentNetwork()) {
        for (Network& n : s.networks) {
            if ((n.status == 1 || n.status == 2) && allows(allowed, n.act)) {
                registerOn(n);
                break;
            }
        }
    }
    return Reply::ok();
}

// ---------------------------------------------------------------- messages

Reply Modem::cpms(char kind, const Params& p) {
    ModemState& s = state;
    if (kind == 'T')
        return Reply::ok().line("+CPMS: " +
                                (s.storageChoices.empty()
                                     ? "(\"SM\",\"ME\",\"SR\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")"
                                     : s.storageChoices));
    if (kind == 'E')
        return Reply::error();
    Reply r;
    if (!simUsable(r, true))
        return r;
    auto counts = [&](const std::string& mem) {
        const MessageStorage* st = s.storage(mem);
        return std::to_string(st->used()) + "," + std::to_string(st->capacity);
    };
    if (kind == 'R') {
        s.simReportFlood = false; // the query calms a card that repeats its SIM state
        return Reply::ok().line("+CPMS: " + quoted(s.mem[0]) + "," + counts(s.mem[0]) + "," +
                                quoted(s.mem[1]) + "," + counts(s.mem[1]) + "," + quoted(s.mem[2]) +
                                "," + counts(s.mem[2]));
    }
    if (p.empty() || p.size() > 3)
        return Reply::cms(cms::OperationNotAllowed);
    const std::vector<std::string> lists = storageLists(s.storageChoices);
    for (size_t i = 0; i < p.size(); ++i) {
        const bool listed =
            lists.size() <= i || lists[i].find(quoted(upper(p[i]))) != std::string::npos;
        if (!s.storage(p[i]) || (i > 0 && upper(p[i]) == "SR") || !listed)
            return Reply::cms(cms::OperationNotAllowed);
    }
    for (size_t i = 0; i < p.size(); ++i)
        s.mem[i] = upper(p[i]);
    return Reply::ok().line("+CPMS: " + counts(s.mem[0]) + "," + counts(s.mem[1]) + "," +
                            counts(s.mem[2]));
}

Reply Modem::cmgl(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok().line("+CMGL: (0-4)");
    if (kind == 'R')
        return Reply::error();
    Reply r;
    if (!simUsable(r, true))
        return r;
    int stat = 0;
    if (!p.empty() && !intParam(p, 0, 0, 4, stat))
        return Reply::cms(cms::InvalidPduParameter);
    MessageStorage* st = state.storage(state.mem[0]);
    r = Reply::ok();
    for (auto& [index, msg] : st->slots) {
        if (stat != 4 && msg.status != stat)
            continue;
        r.line("+CMGL: " + std::to_string(index) + "," + std::to_string(msg.status) + ",," +
               std::to_string(pdu::tpduLength(msg.pdu)));
        r.line(msg.pdu);
        if (msg.status == 0)
            msg.status = 1;
    }
    return r;
}

Reply Modem::cmgr(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok();
    Reply r;
    if (!simUsable(r, true))
        return r;
    MessageStorage* st = state.storage(state.mem[0]);
    int index = 0;
    if (kind != 'S' || !intParam(p, 0, st->first, st->last(), index))
        return Reply::cms(cms::InvalidIndex);
    auto it = st->slots.find(index);
    r = Reply::ok();
    if (it == st->slots.end())
        return r;
    StoredMessage& msg = it->second;
    r.line("+CMGR: " + std::to_string(msg.status) + ",," +
           std::to_string(pdu::tpduLength(msg.pdu)));
    r.line(msg.pdu);
    if (msg.status == 0)
        msg.status = 1;
    return r;
}

Reply Modem::cmgd(char kind, const Params& p) {
    Reply r;
    if (!simUsable(r, true))
        return r;
    MessageStorage* st = state.storage(state.mem[0]);
    if (kind == 'T') {
        std::string used;
        for (const auto& slot : st->slots)
            used += (used.empty() ? "" : ",") + std::to_string(slot.first);
        return Reply::ok().line("+CMGD: (" + used + "),(0-4)");
    }
    int index = 0, flag = 0;
    if (p.size() > 1 && !p[1].empty() && !intParam(p, 1, 0, 4, flag))
        return Reply::cms(cms::OperationNotAllowed);
    if (flag == 0) {
        if (!intParam(p, 0, st->first, st->last(), index))
            return Reply::cms(cms::InvalidIndex);
        st->slots.erase(index);
        return Reply::ok();
    }
    for (auto it = st->slots.begin(); it != st->slots.end();) {
        const int status = it->second.status;
        const bool erase =
            flag == 4 || status == 1 || (flag >= 2 && status == 3) || (flag == 3 && status == 2);
        it = erase ? st->slots.erase(it) : std::next(it);
    }
    return Reply::ok();
}

Reply Modem::cmgsw(bool send, char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok();
    Reply r;
    if (!simUsable(r, true))
        return r;
    int length = 0, status = 2;
    if (kind != 'S' || !intParam(p, 0, 1, 255, length))
        return Reply::cms(cms::InvalidPduParameter);
    if (!send && p.size() > 1 && !intParam(p, 1, 0, 3, status))
        return Reply::cms(cms::InvalidPduParameter);
    pendingBody_ = send ? BodyKind::Send : BodyKind::Write;
    pendingLength_ = length;
    pendingStatus_ = status;
    return Reply::result(Reply::Final::Prompt);
}

Reply Modem::finishBody(const std::string& body, bool cancelled, PortSettings&) {
    const BodyKind kind = pendingBody_;
    pendingBody_ = BodyKind::None;
    if (cancelled || kind == BodyKind::None) {
        if (onEvent)
            onEvent("sms-cancelled");
        return Reply::ok();
    }
    std::string hex;
    for (char c : body)
        if (!std::isspace(static_cast<unsigned char>(c)))
            hex += c;
    hex = upper(hex);
    if (pdu::tpduLength(hex) != pendingLength_) {
        if (onEvent)
            onEvent("sms-rejected length=" + std::to_string(pendingLength_) + " pdu=" + hex);
        return Reply::cms(cms::InvalidPduParameter);
    }
    if (kind == BodyKind::Send) {
        if (!state.registered())
            return Reply::cms(cms::NoNetworkService);
        state.messageReference = (state.messageReference + 1) % 256;
        state.sent.push_back({state.messageReference, hex});
        std::string destination;
        bool statusReport = false;
        if (pdu::readSubmit(hex, destination, statusReport) && statusReport)
            state.reports.push_back(
                {std::chrono::steady_clock::now() + std::chrono::milliseconds(state.reportDelayMs),
                 state.messageReference, destination, state.reportStatus});
        if (onEvent)
            onEvent("sms-sent ref=" + std::to_string(state.messageReference) + " length=" +
                    std::to_string(pendingLength_) + " pdu=" + hex + " | " + pdu::describe(hex));
        return Reply::ok().line("+CMGS: " + std::to_string(state.messageReference));
    }
    MessageStorage* st = state.storage(state.mem[1]);
    const int index = st->firstFree();
    if (index < 0)
        return Reply::cms(cms::MemoryFull);
    st->slots[index] = {pendingStatus_, hex};
    if (onEvent)
        onEvent("sms-written storage=" + st->name + " index=" + std::to_string(index) + " status=" +
                std::to_string(pendingStatus_) + " pdu=" + hex + " | " + pdu::describe(hex));
    return Reply::ok().line("+CMGW: " + std::to_string(index));
}

Reply Modem::csca(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok();
    Reply r;
    if (!simUsable(r, true))
        return r;
    if (kind == 'S') {
        if (p.empty() || p[0].empty())
            return Reply::cms(cms::OperationNotAllowed);
        state.smsc = p[0];
        return Reply::ok();
    }
    return Reply::ok().line("+CSCA: " + quoted(state.smsc) + "," +
                            (!state.smsc.empty() && state.smsc[0] == '+' ? "145" : "129"));
}

int Modem::deliver(const std::string& pduHex, std::string storageName, std::string& error) {
    if (storageName.empty())
        storageName = state.newSmsStorage == 2 ? "ME" : state.mem[2];
    MessageStorage* st = state.storage(storageName);
    if (!st) {
        error = "unknown storage " + storageName;
        return -1;
    }
    if (pdu::tpduLength(pduHex) < 0) {
        error = "not a PDU";
        return -1;
    }
    if (st == &state.sm && (!state.simPresent || state.sim != SimState::Ready)) {
        error = "SIM not usable";
        return -1;
    }
    const Params cnmi = text::splitParams(state.cnmi);
    const std::string mt = cnmi.size() > 1 ? cnmi[1] : "0";
    if (mt == "2" && onNotice) {
        // Routed to the computer at once, not stored (a class 0 or plain message).
        onNotice("+CMT: ," + std::to_string(pdu::tpduLength(pduHex)) + "\r\n" + upper(pduHex));
        if (onEvent)
            onEvent("sms-received +CMT pdu=" + pduHex + " | " + pdu::describe(pduHex));
        return Routed;
    }
    const int index = st->firstFree();
    if (index < 0) {
        error = st->name + " storage full";
        if (onEvent)
            onEvent("sms-lost (" + error + ") pdu=" + pduHex);
        return -1;
    }
    st->slots[index] = {0, upper(pduHex)};
    if (onEvent)
        onEvent("sms-received storage=" + st->name + " index=" + std::to_string(index) +
                " pdu=" + pduHex + " | " + pdu::describe(pduHex));
    if ((mt == "1" || mt == "3") && onNewMessage)
        onNewMessage(upper(storageName), index);
    return index;
}

// ---------------------------------------------------------------- phonebook

Reply Modem::cpbs(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok().line("+CPBS: (\"SM\")");
    Reply r;
    if (!simUsable(r, false))
        return r;
    if (kind == 'R')
        return Reply::ok().line("+CPBS: \"SM\"," + std::to_string(state.contacts.size()) + "," +
                                std::to_string(state.phonebookSize));
    if (p.empty() || upper(p[0]) != "SM")
        return Reply::cme(cme::OperationNotSupported);
    return Reply::ok();
}

std::string Modem::encodeName(const std::u16string& name) const {
    if (!state.newPlatform) {
        // The older firmware hands out the SIM's own alpha coding as
        // hexadecimal: one octet per ASCII character, else 0x80 and UCS2.
        bool ascii = true;
        for (char16_t c : name)
            ascii = ascii && c < 0x80;
        std::string bytes = ascii ? "" : "\x80";
        for (char16_t c : name) {
            if (!ascii)
                bytes += static_cast<char>(c >> 8);
            bytes += static_cast<char>(c & 0xFF);
        }
        return text::toHex(bytes);
    }
    if (state.charset == "UCS2") {
        std::string bytes;
        for (char16_t c : name) {
            bytes += static_cast<char>(c >> 8);
            bytes += static_cast<char>(c & 0xFF);
        }
        return text::toHex(bytes);
    }
    if (state.charset == "GSM")
        return pdu::toGsm(name);
    std::string out;
    for (char16_t c : name)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

bool Modem::decodeName(const std::string& t, std::u16string& name) const {
    name.clear();
    const bool ucs2 = state.newPlatform ? state.charset == "UCS2" : true;
    if (!ucs2) {
        if (state.charset == "GSM") {
            name = pdu::fromGsm(t);
            return true;
        }
        for (unsigned char c : t)
            name += static_cast<char16_t>(c);
        return true;
    }
    if (!text::isHex(t) || t.size() % 2)
        return false;
    std::string bytes = text::fromHex(t);
    if (!state.newPlatform && (bytes.empty() || static_cast<unsigned char>(bytes[0]) != 0x80)) {
        for (unsigned char c : bytes)
            name += static_cast<char16_t>(c);
        return true;
    }
    if (!state.newPlatform)
        bytes.erase(0, 1);
    if (bytes.size() % 2)
        return false;
    for (size_t i = 0; i < bytes.size(); i += 2)
        name += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                      static_cast<unsigned char>(bytes[i + 1]));
    return true;
}

std::string Modem::contactLine(int index, const Contact& c, bool vendorForm) const {
    const std::string name = quoted(encodeName(c.name));
    if (vendorForm)
        return "+YCPBR: " + std::to_string(index) + "," + quoted(c.number) + "," + name;
    const char* type = !c.number.empty() && c.number[0] == '+' ? "145" : "129";
    return "+CPBR: " + std::to_string(index) + "," + quoted(c.number) + "," + type + "," + name;
}

Reply Modem::cpbr(bool vendor, char kind, const Params& p) {
    Reply r;
    if (!simUsable(r, false))
        return r;
    const std::string prefix = vendor ? "+YCPBR: " : "+CPBR: ";
    if (kind == 'T')
        return Reply::ok().line(prefix + "(1-" + std::to_string(state.phonebookSize) + ")," +
                                std::to_string(state.numberLength) + "," +
                                std::to_string(state.nameLength));
    int first = 0, last = 0;
    if (kind != 'S' || !intParam(p, 0, 1, state.phonebookSize, first))
        return Reply::cme(cme::InvalidIndex);
    last = first;
    if (p.size() > 1 && !intParam(p, 1, first, state.phonebookSize, last))
        return Reply::cme(cme::InvalidIndex);
    // The older firmware answers a USIM's entries in its own form.
    const bool vendorForm = vendor || (!state.newPlatform && state.usim);
    r = Reply::ok();
    for (auto it = state.contacts.lower_bound(first);
         it != state.contacts.end() && it->first <= last; ++it)
        r.line(contactLine(it->first, it->second, vendorForm));
    return r;
}

Reply Modem::cpbw(char kind, const Params& p) {
    ModemState& s = state;
    if (kind == 'T')
        return Reply::ok().line("+CPBW: (1-" + std::to_string(s.phonebookSize) + ")," +
                                std::to_string(s.numberLength) + ",(129,145)," +
                                std::to_string(s.nameLength));
    Reply r;
    if (!simUsable(r, false))
        return r;
    if (kind != 'S' || p.empty())
        return Reply::cme(cme::IncorrectParameters);
    int index = 0;
    if (!p[0].empty() && !intParam(p, 0, 1, s.phonebookSize, index))
        return Reply::cme(cme::InvalidIndex);
    if (p.size() == 1) {
        if (!index)
            return Reply::cme(cme::InvalidIndex);
        s.contacts.erase(index);
        if (onEvent)
            onEvent("contact-erased index=" + std::to_string(index));
        return Reply::ok();
    }
    Contact c;
    c.number = p[1];
    int type = 129;
    if (p.size() > 2 && !p[2].empty() && !parseInt(p[2], type))
        return Reply::cme(cme::IncorrectParameters);
    if (type == 145 && (c.number.empty() || c.number[0] != '+'))
        c.number = "+" + c.number;
    if (static_cast<int>(c.number.size()) > s.numberLength)
        return Reply::cme(cme::DialStringTooLong);
    if (p.size() > 3 && !decodeName(p[3], c.name))
        return Reply::cme(cme::InvalidCharacters);
    // The SIM keeps the name in an alpha field of nameLength octets.
    const std::string alpha = pdu::alphaTag(c.name);
    if (static_cast<int>(alpha.size()) > s.nameLength)
        return Reply::cme(cme::TextTooLong);
    if (!index) {
        for (int i = 1; i <= s.phonebookSize && !index; ++i)
            if (!s.contacts.count(i))
                index = i;
        if (!index)
            return Reply::cme(cme::MemoryFull);
    }
    s.contacts[index] = c;
    if (onEvent)
        onEvent("contact-written index=" + std::to_string(index) + " number=" + c.number +
                " name=" + text::quote(text::utf16ToUtf8(c.name)) + " alpha=" + text::toHex(alpha));
    return Reply::ok();
}

// --- service codes (USSD) ------------------------------------------------------

namespace {

std::string ucs2Hex(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c & 0xFF);
    }
    return text::toHex(bytes);
}

bool fromUcs2Hex(const std::string& hex, std::string& out) {
    if (!text::isHex(hex) || hex.size() % 4 != 0)
        return false;
    const std::string bytes = text::fromHex(hex);
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                       static_cast<unsigned char>(bytes[i + 1]));
    out = text::utf16ToUtf8(units);
    return true;
}

} // namespace

// The network's side: *100# answers the balance, *105# answers in UCS2,
// *123# opens a menu (1 balance, 2 a submenu in UCS2, 3 ends the session),
// *135# is never answered, and every other code is not supported.
Reply Modem::cusd(char kind, const std::vector<std::string>& p) {
    if (kind == 'R')
        return Reply::ok().line("+CUSD: 1");
    if (kind == 'T')
        return Reply::ok().line("+CUSD: (0-2)");
    int n = 0;
    if (kind != 'S' || !intParam(p, 0, 0, 2, n))
        return Reply::error();
    if (n == 2) {
        state.ussdMenu.clear();
        return Reply::ok();
    }
    if (p.size() < 2)
        return Reply::ok();
    Reply r;
    if (!simUsable(r, false))
        return r;
    if (!state.registered())
        return Reply::cme(cme::NoNetworkService);
    // The string comes in the character set: hexadecimal UCS2 when it is
    // "UCS2". A "^SYSCFGEX" card takes it only as packed septets in
    // hexadecimal, whatever the character set, and refuses any other form.
    std::string code = p[1];
    if (state.dialect == Dialect::Syscfgex) {
        std::u16string unpacked;
        if (!pdu::unpackUssd(p[1], unpacked))
            return Reply::error();
        code = text::utf16ToUtf8(unpacked);
    } else if (state.charset == "UCS2" && !fromUcs2Hex(p[1], code)) {
        return Reply::cme(cme::InvalidCharacters);
    }
    if (code.empty() || code.size() > 160 ||
        code.find_first_not_of("0123456789*#+") != std::string::npos)
        return Reply::cme(cme::InvalidCharacters);
    if (onEvent)
        onEvent("USSD " + code);

    const std::string menu = state.ussdMenu;
    state.ussdMenu.clear();
    if (menu == "*123#") {
        if (code == "1")
            answerUssd(0, u"Your balance is 12.34 EUR.");
        else if (code == "2") {
            state.ussdMenu = "*123*2#";
            answerUssd(1, u"Datenpakete:\n1 Tag 1,99 \u20AC\n2 Woche 4,99 \u20AC", true);
        } else if (code == "3")
            answerUssd(2);
        else {
            state.ussdMenu = menu;
            answerUssd(1, u"Unknown choice.\n1 Balance\n2 Data packs\n3 Quit");
        }
        return Reply::ok();
    }
    if (menu == "*123*2#") {
        if (code == "1" || code == "2")
            answerUssd(0, code == "1" ? u"Tagespaket gebucht." : u"Wochenpaket gebucht.", true);
        else
            answerUssd(2);
        return Reply::ok();
    }
    if (code == "*100#")
        answerUssd(0, u"Your balance is 12.34 EUR, valid until 31.12.2026.");
    else if (code == "*105#")
        answerUssd(0, u"\u0411\u0430\u043B\u0430\u043D\u0441: 150,00 \u20BD", true);
    else if (code == "*123#") {
        state.ussdMenu = code;
        answerUssd(1, u"Tolva menu\n1 Balance\n2 Data packs\n3 Quit");
    } else if (code != "*135#")
        answerUssd(4);
    return Reply::ok();
}

std::chrono::steady_clock::time_point
Modem::sendDueReports(std::chrono::steady_clock::time_point now) {
    auto next = std::chrono::steady_clock::time_point::max();
    if (state.reportsHeld)
        return next;
    std::vector<PendingReport> waiting;
    for (const PendingReport& report : state.reports) {
        if (report.due <= now)
            sendReport(report);
        else {
            waiting.push_back(report);
            next = std::min(next, report.due);
        }
    }
    state.reports = std::move(waiting);
    return next;
}

void Modem::releaseReports(bool reverse) {
    std::vector<PendingReport> reports = std::move(state.reports);
    state.reports.clear();
    if (reverse)
        std::reverse(reports.begin(), reports.end());
    for (const PendingReport& report : reports)
        sendReport(report);
}

void Modem::sendReport(const PendingReport& report) {
    const std::string hex =
        pdu::buildStatusReport(state.smsc, report.reference, report.recipient, report.status);
    // The fourth AT+CNMI field says how reports are routed.
    const Params cnmi = text::splitParams(state.cnmi);
    int ds = 0;
    if (cnmi.size() < 4 || !parseInt(cnmi[3], ds))
        ds = 0;
    std::string how = "dropped (AT+CNMI ds=" + std::to_string(ds) + ")";
    if (ds == 1 && onNotice) {
        onNotice("+CDS: " + std::to_string(pdu::tpduLength(hex)) + "\r\n" + hex);
        how = "+CDS";
    } else if (ds == 2) {
        const int index = state.sr.firstFree();
        if (index >= 0) {
            state.sr.slots[index] = {0, hex};
            if (onNotice)
                onNotice("+CDSI: \"SR\"," + std::to_string(index));
            how = "+CDSI SR:" + std::to_string(index);
        } else {
            how = "dropped (SR full)";
        }
    }
    if (onEvent)
        onEvent("status-report " + how + " pdu=" + hex + " | " + pdu::describe(hex));
}

void Modem::answerUssd(int status, const std::u16string& message, bool ucs2) {
    if (!onNotice)
        return;
    std::string line = "+CUSD: " + std::to_string(status);
    if (status <= 2 && !message.empty()) {
        std::string str;
        int dcs = 15;
        if (ucs2) {
            str = ucs2Hex(message);
            dcs = 72;
        } else if (state.ussdPacked) {
            str = pdu::packUssd(message);
        } else if (state.charset == "UCS2") {
            str = ucs2Hex(message);
        } else if (state.charset == "GSM") {
            str = pdu::toGsm(message);
        } else {
            for (char16_t c : message)
                str += c < 0x80 ? static_cast<char>(c) : '?';
        }
        line += ",\"" + str + "\"," + std::to_string(dcs);
    }
    onNotice(line);
}
