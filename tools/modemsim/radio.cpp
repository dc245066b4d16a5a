// Registration, access technology, signal and mode preference: the radio
// side that the standard commands and every dialect's reports share.

#include "levels.h"
#include "modem.h"
#include "text.h"

#include <algorithm>

using text::intParam;
using text::parseInt;
using Params = std::vector<std::string>;

namespace rat {
unsigned family(int act) {
    switch (act) {
    case 0:
    case 1:
    case 3:
        return G2;
    case 2:
    case 4:
    case 5:
    case 6:
        return G3;
    case 7:
        return G4;
    default:
        return 0;
    }
}
} // namespace rat

namespace {

// 3GPP TS 27.007 +WS46 values: the radio families each allows.
unsigned ws46Families(int n) {
    switch (n) {
    case 12:
        return rat::G2;
    case 22:
        return rat::G3;
    case 25:
        return rat::All;
    case 28:
        return rat::G4;
    case 29:
        return rat::G2 | rat::G3;
    case 30:
        return rat::G2 | rat::G4;
    case 31:
        return rat::G3 | rat::G4;
    default:
        return 0;
    }
}

// One two-digit code of a technology sequence: the "^SYSCFGEX" acquisition
// order (01 GSM, 02 WCDMA, 03 LTE) or the "nwscanseq" scan sequence (01 GSM,
// 02 TD-SCDMA, 03 WCDMA, 04 LTE).
unsigned sequenceFamily(const std::string& code, Dialect d) {
    if (code == "01")
        return rat::G2;
    if (code == "02")
        return rat::G3;
    if (code == "03")
        return d == Dialect::Syscfgex ? rat::G4 : rat::G3;
    if (code == "04" && d == Dialect::Nwscanmode)
        return rat::G4;
    return 0;
}

} // namespace

const Network* ModemState::currentNetwork() const {
    const Network* byName = nullptr;
    for (const Network& n : networks) {
        const bool named = n.longName == operatorName || n.shortName == operatorName;
        if (named && n.status == 2)
            return &n;
        if (named && !byName)
            byName = &n;
    }
    return byName;
}

// ---------------------------------------------------------------- registration

int Modem::registrationStat(const std::string& name) const {
    const ModemState& s = state;
    if (!s.simReady() || s.operatingMode != 5)
        return 0;
    if (!s.registered())
        return s.registrationDenied ? 3 : 2;
    if (s.dialect == Dialect::Maker)
        return 1;
    // Circuit-switched registration holds on every technology (a combined
    // attach); packet registration is +CGREG's on GSM and UMTS, +CEREG's on LTE.
    const bool lte = rat::family(s.act) == rat::G4;
    if (name == "+CEREG")
        return lte ? 1 : 0;
    if (name == "+CGREG")
        return lte ? 0 : 1;
    return 1;
}

std::string Modem::registrationFields(const std::string&, int stat) const {
    if (stat != 1 && stat != 5)
        return {};
    if (state.dialect == Dialect::Maker)
        return ",\"00C3\",\"A13F\"";
    const bool lte = rat::family(state.act) == rat::G4;
    return std::string(",\"00C3\",\"") + (lte ? "0A13F01" : "A13F") + "\"," +
           std::to_string(state.act);
}

Reply Modem::creg(const std::string& name, char kind, const Params& p) {
    ModemState& s = state;
    int& mode = name == "+CREG" ? s.cregMode : name == "+CGREG" ? s.cgregMode : s.ceregMode;
    const std::string prefix = name + ": ";
    if (kind == 'T')
        return Reply::ok().line(prefix + "(0-2)");
    if (kind == 'S') {
        int v = 0;
        if (!intParam(p, 0, 0, 2, v))
            return Reply::error();
        mode = v;
        return Reply::ok();
    }
    const int stat = registrationStat(name);
    std::string line = prefix + std::to_string(mode) + "," + std::to_string(stat);
    if (mode == 2)
        line += registrationFields(name, stat);
    return Reply::ok().line(line);
}

RadioSnapshot Modem::radio() const {
    return {registrationStat("+CREG"), registrationStat("+CGREG"), registrationStat("+CEREG"),
            state.registered() ? state.act : -1, state.operatingMode == 5 ? state.rssi : 99};
}

void Modem::announce(const RadioSnapshot& before) {
    if (!onNotice)
        return;
    const RadioSnapshot now = radio();
    auto notice = [&](const std::string& name, int mode, int was, int is) {
        const bool moved = mode == 2 && (is == 1 || is == 5) && before.act != now.act;
        if (mode > 0 && (was != is || moved))
            onNotice(name + ": " + std::to_string(is) +
                     (mode == 2 ? registrationFields(name, is) : std::string()));
    };
    notice("+CREG", state.cregMode, before.creg, now.creg);
    notice("+CGREG", state.cgregMode, before.cgreg, now.cgreg);
    if (state.dialect != Dialect::Maker)
        notice("+CEREG", state.ceregMode, before.cereg, now.cereg);
    vendorNotices(before, now);
}

// ---------------------------------------------------------------- signal

Reply Modem::csq(char kind) const {
    const ModemState& s = state;
    if (kind == 'T')
        return Reply::ok().line("+CSQ: (0-31,99),(0-7,99)");
    if (kind != 'E')
        return Reply::error();
    // Some LTE sticks measure LTE only in +CESQ and answer "not known" here.
    const bool unknown = s.operatingMode != 5 ||
                         (s.csqUnknownOnLte && s.registered() && rat::family(s.act) == rat::G4);
    return Reply::ok().line(
        "+CSQ: " +
        (unknown ? std::string("99,99") : std::to_string(s.rssi) + "," + std::to_string(s.ber)));
}

Reply Modem::cesq(char kind) const {
    if (kind == 'T')
        return Reply::ok().line(
            "+CESQ: (0-63,99),(0-7,99),(0-96,255),(0-49,255),(0-34,255),(0-97,255)");
    if (kind != 'E')
        return Reply::error();
    const SignalLevels l = signalLevels(state.rssi);
    const unsigned f = state.registered() && l.known ? rat::family(state.act) : 0;
    std::string v = "99,99,255,255,255,255";
    if (f == rat::G2)
        v = std::to_string(cesqRxlev(l)) + "," + std::to_string(state.ber) + ",255,255,255,255";
    else if (f == rat::G3)
        v = "99,99," + std::to_string(cesqRscp(l)) + "," + std::to_string(cesqEcno(l)) + ",255,255";
    else if (f == rat::G4)
        v = "99,99,255,255," + std::to_string(cesqRsrq(l)) + "," + std::to_string(cesqRsrp(l));
    return Reply::ok().line("+CESQ: " + v);
}

// ---------------------------------------------------------------- mode preference

Reply Modem::ws46(char kind, const Params& p) {
    if (kind == 'T')
        return Reply::ok().line("+WS46: (" + state.modeChoices + ")");
    if (kind == 'R')
        return Reply::ok().line("+WS46: " + state.modeValue);
    if (kind != 'S' || p.size() != 1)
        return Reply::error();
    return setModePreference(p[0]) ? Reply::ok() : Reply::cme(cme::OperationNotSupported);
}

bool Modem::modeFamilies(const std::string& value, unsigned& allowed, unsigned& preferred) const {
    allowed = rat::All;
    preferred = 0;
    int n = 0;
    switch (state.dialect) {
    case Dialect::Maker:
        return true;
    case Dialect::Standard:
        allowed = parseInt(value, n) ? ws46Families(n) : 0;
        return allowed != 0;
    case Dialect::Syscfgex: {
        // "00" automatic, else the technologies in the order they are tried.
        if (value == "00")
            return true;
        if (value.empty() || value.size() % 2)
            return false;
        allowed = 0;
        for (size_t i = 0; i < value.size(); i += 2) {
            const unsigned f = sequenceFamily(value.substr(i, 2), state.dialect);
            if (!f || (allowed & f))
                return false;
            allowed |= f;
        }
        if (value.size() > 2)
            preferred = sequenceFamily(value.substr(0, 2), state.dialect);
        return true;
    }
    case Dialect::Nwscanmode:
        // 0 automatic (in the order of the scan sequence), 1 GSM, 2 UMTS, 3 LTE only.
        if (!parseInt(value, n) || n < 0 || n > 3)
            return false;
        if (n == 0)
            preferred = sequenceFamily(state.scanSequence.substr(0, 2), state.dialect);
        else
            allowed = n == 1 ? rat::G2 : n == 2 ? rat::G3 : rat::G4;
        return true;
    case Dialect::Zsnt: {
        // <cm_mode>,<net_sel_mode>,<pref_acq>: cm_mode 0 automatic (pref_acq
        // 1 GSM first, 2 WCDMA first), 1 GSM, 2 WCDMA, 6 LTE only.
        const Params f = text::splitParams(value);
        int cm = 0, net = 0, pref = 0;
        if (f.size() != 3 || !intParam(f, 0, 0, 6, cm) || !intParam(f, 1, 0, 1, net) ||
            !intParam(f, 2, 0, 2, pref))
            return false;
        if (cm == 0) {
            preferred = pref == 1 ? rat::G2 : pref == 2 ? rat::G3 : 0;
            return true;
        }
        allowed = cm == 1 ? rat::G2 : cm == 2 ? rat::G3 : cm == 6 ? rat::G4 : 0;
        return allowed != 0;
    }
    }
    return false;
}

unsigned Modem::allowedFamilies() const {
    unsigned allowed = rat::All, preferred = 0;
    modeFamilies(state.modeValue, allowed, preferred);
    return allowed;
}

bool Modem::setModePreference(const std::string& value) {
    ModemState& s = state;
    if (s.dialect == Dialect::Maker)
        return false;
    if (s.dialect == Dialect::Syscfgex && value == "99") // "no change"
        return true;
    unsigned allowed = 0, preferred = 0;
    if (!modeFamilies(value, allowed, preferred))
        return false;
    if (!s.modeChoices.empty()) {
        const auto values = text::listValues(s.modeChoices);
        if (std::find(values.begin(), values.end(), value) == values.end())
            return false;
    }
    s.modeValue = value;
    followModePreference();
    return true;
}

void Modem::registerOn(Network& n) {
    for (Network& other : state.networks)
        if (other.status == 2)
            other.status = 1;
    n.status = 2;
    state.operatorName = n.longName;
    state.act = n.act;
    if (onEvent)
        onEvent("registered on " + n.numeric + " " + n.longName);
}

// After a mode preference change the card moves to the best technology its
// operator offers within what is allowed (the preferred one first), or loses
// service when there is none; a later change brings it back.
void Modem::followModePreference() {
    ModemState& s = state;
    if (s.dialect == Dialect::Maker || s.operatingMode != 5 || !s.simReady())
        return;
    unsigned allowed = rat::All, preferred = 0;
    modeFamilies(s.modeValue, allowed, preferred);
    const Network* now = s.registered() ? s.currentNetwork() : nullptr;
    const std::string home = now ? now->numeric : s.lastNumeric;
    Network* best = nullptr;
    int bestScore = -1;
    for (Network& n : s.networks) {
        const unsigned f = rat::family(n.act);
        if (n.numeric != home || n.status == 3 || !(f & allowed))
            continue;
        const int score = (f == preferred ? 16 : 0) +
                          (f == rat::G4   ? 8
                           : f == rat::G3 ? 4
                                          : 0) +
                          (now && n.act == s.act ? 1 : 0);
        if (score > bestScore) {
            best = &n;
            bestScore = score;
        }
    }
    if (best && best != now) {
        registerOn(*best);
    } else if (!best && now) {
        s.lastNumeric = home;
        for (Network& n : s.networks)
            if (n.status == 2)
                n.status = 1;
        s.operatorName.clear();
        if (onEvent)
            onEvent("no service: the mode preference allows no technology of " + home);
    }
}
