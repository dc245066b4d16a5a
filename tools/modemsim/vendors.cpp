// The command sets of other makers' LTE sticks, as their public
// documentation, other projects' code and test data and bug reports show
// them (README.md names the sources): their mode preference, status and
// signal commands, their unsolicited lines and their answer to a command
// they don't know.

#include "levels.h"
#include "modem.h"
#include "text.h"

#include <algorithm>

using text::intParam;
using text::quoted;
using text::upper;
using Params = std::vector<std::string>;

namespace {

// A technology in the names a dialect uses.
struct TechName {
    int sysinfoMode; // ^SYSINFOEX <sysmode>: 1 GSM, 3 WCDMA, 6 LTE
    const char* sysinfoName;
    int sysinfoSubmode; // ^SYSINFOEX <submode>
    const char* submodeName;
    int modeMode, modeSubmode; // ^MODE (no LTE form): 3 GSM/GPRS, 5 WCDMA
    const char* zte;           // +ZPAS / +ZPASR
    const char* quectel;       // +QNWINFO <Act>
};

TechName techName(int act) {
    switch (act) {
    case 3:
        return {1, "GSM", 3, "EDGE", 3, 3, "EDGE", "EDGE"};
    case 2:
        return {3, "WCDMA", 41, "WCDMA", 5, 4, "UMTS", "WCDMA"};
    case 4:
        return {3, "WCDMA", 42, "HSDPA", 5, 5, "HSDPA", "HSDPA"};
    case 5:
        return {3, "WCDMA", 43, "HSUPA", 5, 6, "HSUPA", "HSUPA"};
    case 6:
        return {3, "WCDMA", 44, "HSPA", 5, 7, "HSPA", "HSPA+"};
    case 7:
        return {6, "LTE", 101, "LTE", 0, 0, "LTE", "FDD LTE"};
    default:
        return {1, "GSM", 1, "GSM", 3, 1, "GSM", "GSM"};
    }
}

// ^HCSQ values: the technology and its measurements as indexes.
std::string hcsqValues(const ModemState& s) {
    const SignalLevels l = signalLevels(s.rssi);
    if (!s.registered() || !l.known)
        return "\"NOSERVICE\"";
    const std::string rssi = std::to_string(std::clamp(l.rssiDbm + 121, 0, 96));
    switch (rat::family(s.act)) {
    case rat::G4:
        return "\"LTE\"," + rssi + "," + std::to_string(cesqRsrp(l)) + "," +
               std::to_string(std::clamp((l.sinrDb + 20) * 5 + 1, 0, 251)) + "," +
               std::to_string(cesqRsrq(l));
    case rat::G3:
        return "\"WCDMA\"," + rssi + "," + std::to_string(cesqRscp(l)) + "," +
               std::to_string(std::clamp(l.ecio2 + 65, 0, 65));
    default:
        return "\"GSM\"," + rssi;
    }
}

// +QCSQ values: the technology and its measurements in dBm and dB (SINR in
// fifths of a dB above -20).
std::string qcsqValues(const ModemState& s) {
    const SignalLevels l = signalLevels(s.rssi);
    if (!s.registered() || !l.known)
        return "\"NOSERVICE\"";
    const std::string rssi = std::to_string(l.rssiDbm);
    switch (rat::family(s.act)) {
    case rat::G4:
        return "\"LTE\"," + rssi + "," + std::to_string(l.rsrpDbm) + "," +
               std::to_string((l.sinrDb + 20) * 5) + "," + std::to_string(l.rsrq2 / 2);
    case rat::G3:
        return "\"WCDMA\"," + rssi + "," + std::to_string(l.rscpDbm) + "," +
               std::to_string(l.ecio2 / 2);
    default:
        return "\"GSM\"," + rssi;
    }
}

// The band and channel +QNWINFO names for the technology.
std::string quectelBand(int act) {
    switch (rat::family(act)) {
    case rat::G4:
        return "\"LTE BAND 3\",1275";
    case rat::G3:
        return "\"WCDMA 2100\",10737";
    default:
        return "\"GSM 1800\",698";
    }
}

// The nwscanseq sequence: pairs of digits 00-05 (00 alone: automatic).
bool validSequence(const std::string& seq) {
    if (seq.empty() || seq.size() % 2 || seq.size() > 12)
        return false;
    for (size_t i = 0; i < seq.size(); i += 2) {
        const std::string code = seq.substr(i, 2);
        if (code < "00" || code > "05" || (code == "00" && seq.size() > 2))
            return false;
    }
    return true;
}

} // namespace

Reply Modem::unknownCommand() const {
    // This family ends a command it doesn't know with its own line instead
    // of "ERROR".
    if (state.dialect == Dialect::Syscfgex)
        return Reply::finalText("COMMAND NOT SUPPORT");
    return Reply::error();
}

Reply Modem::vendor(const std::string& name, char kind, const Params& p, bool& known) {
    known = true;
    const Dialect d = state.dialect;
    if (name == "+CEREG" && d != Dialect::Maker)
        return creg(name, kind, p);
    if (name == "+CESQ" && d == Dialect::Standard)
        return cesq(kind);
    if (name == "+WS46" && d == Dialect::Standard)
        return ws46(kind, p);
    known = false;
    if (d == Dialect::Syscfgex && name[0] == '^')
        return caret(name, kind, p, known);
    if (d == Dialect::Nwscanmode && name.rfind("+Q", 0) == 0)
        return quectel(name, kind, p, known);
    if (d == Dialect::Zsnt && name.rfind("+Z", 0) == 0)
        return zte(name, kind, p, known);
    return {};
}

// ---------------------------------------------------------------- "^SYSCFGEX" family

Reply Modem::caret(const std::string& name, char kind, const Params& p, bool& known) {
    ModemState& s = state;
    known = true;
    if (name == "^SYSCFGEX") {
        if (kind == 'T')
            return Reply::ok().line(
                "^SYSCFGEX: (" + s.modeChoices +
                "),((2000004e80380,\"GSM850/GSM900/GSM1800/GSM1900/WCDMA850/WCDMA900/"
                "WCDMA1900/WCDMA2100\"),(3fffffff,\"All Bands\")),(0-3),(0-4),((800c5,"
                "\"LTE2100/LTE1800/LTE2600/LTE900/LTE800\"),(7fffffffffffffff,\"All bands\"))");
        if (kind == 'R')
            return Reply::ok().line("^SYSCFGEX: " + quoted(s.modeValue) +
                                    ",3FFFFFFF,1,2,7FFFFFFFFFFFFFFF");
        // "<acqorder>",<band>,<roam>,<srvdomain>,<lteband>,,
        if (kind != 'S' || p.size() < 5)
            return Reply::cme(cme::IncorrectParameters);
        return setModePreference(p[0]) ? Reply::ok() : Reply::cme(cme::IncorrectParameters);
    }
    if (name == "^SYSINFOEX") {
        if (kind != 'E')
            return unknownCommand();
        const int sim = !s.simPresent ? 255 : s.simReady() ? 1 : 0;
        if (!s.registered())
            return Reply::ok().line("^SYSINFOEX:0,0,0," + std::to_string(sim) + ",,0,\"\",0,\"\"");
        const TechName t = techName(s.act);
        return Reply::ok().line("^SYSINFOEX:2,3,0," + std::to_string(sim) + ",," +
                                std::to_string(t.sysinfoMode) + "," + quoted(t.sysinfoName) + "," +
                                std::to_string(t.sysinfoSubmode) + "," + quoted(t.submodeName));
    }
    if (name == "^HCSQ") {
        if (kind == 'T')
            return Reply::ok().line("^HCSQ: \"NOSERVICE\",\"GSM\",\"WCDMA\",\"LTE\"");
        if (kind != 'R')
            return unknownCommand();
        return Reply::ok().line("^HCSQ: " + hcsqValues(s));
    }
    if (name == "^CURC") {
        int v = 0;
        if (kind == 'R')
            return Reply::ok().line(std::string("^CURC: ") + (s.caretReports ? "1" : "0"));
        if (kind == 'T')
            return Reply::ok().line("^CURC: (0-1)");
        if (kind != 'S' || !intParam(p, 0, 0, 1, v))
            return Reply::error();
        s.caretReports = v == 1;
        return Reply::ok();
    }
    if (name == "^PORTSEL") {
        int v = 0;
        return kind == 'S' && intParam(p, 0, 0, 1, v) ? Reply::ok() : Reply::error();
    }
    known = false;
    return {};
}

// ---------------------------------------------------------------- "+QCFG" family

Reply Modem::quectel(const std::string& name, char kind, const Params& p, bool& known) {
    ModemState& s = state;
    known = true;
    if (name == "+QCFG") {
        if (kind == 'T')
            return Reply::ok()
                .line("+QCFG: \"nwscanmode\",(" + s.modeChoices + "),(0,1)")
                .line("+QCFG: \"nwscanseq\",(00-0102030405),(0,1)")
                .line("+QCFG: \"servicedomain\",(0,1,2),(0,1)")
                .line("+QCFG: \"roamservice\",(1,2,255),(0,1)");
        const std::string what = p.empty() ? "" : text::lower(p[0]);
        // "<name>"[,<value>[,<effect>]]: effect 1 (the default) at once
        int effect = 1;
        if (kind != 'S' || (p.size() > 2 && !intParam(p, 2, 0, 1, effect)))
            return Reply::error();
        if (what == "nwscanmode") {
            if (p.size() == 1)
                return Reply::ok().line("+QCFG: \"nwscanmode\"," + s.modeValue);
            return setModePreference(p[1]) ? Reply::ok() : Reply::cme(cme::IncorrectParameters);
        }
        if (what == "nwscanseq") {
            if (p.size() == 1)
                return Reply::ok().line("+QCFG: \"nwscanseq\"," + s.scanSequence);
            if (!validSequence(p[1]))
                return Reply::cme(cme::IncorrectParameters);
            s.scanSequence = p[1];
            followModePreference();
            return Reply::ok();
        }
        return Reply::error();
    }
    if (name == "+QNWINFO") {
        if (kind == 'T')
            return Reply::ok();
        if (kind != 'E')
            return Reply::error();
        const Network* n = s.currentNetwork();
        if (!s.registered())
            return Reply::ok().line("+QNWINFO: No Service");
        return Reply::ok().line("+QNWINFO: " + quoted(techName(s.act).quectel) + "," +
                                quoted(n ? n->numeric : "00000") + "," + quectelBand(s.act));
    }
    if (name == "+QCSQ") {
        if (kind == 'T')
            return Reply::ok().line("+QCSQ: \"NOSERVICE\",\"GSM\",\"WCDMA\",\"LTE\"");
        if (kind != 'E')
            return Reply::error();
        return Reply::ok().line("+QCSQ: " + qcsqValues(s));
    }
    if (name == "+QINDCFG") {
        // "csq"[,<enable>[,<save>]]: +QIND: "csq" lines when the signal changes
        const std::string what = p.empty() ? "" : text::lower(p[0]);
        int v = 0;
        if (kind == 'T')
            return Reply::ok().line("+QINDCFG: \"csq\",(0,1),(0,1)");
        if (kind != 'S' || what != "csq")
            return Reply::error();
        if (p.size() == 1)
            return Reply::ok().line(std::string("+QINDCFG: \"csq\",") +
                                    (s.signalIndication ? "1" : "0"));
        if (!intParam(p, 1, 0, 1, v))
            return Reply::error();
        s.signalIndication = v == 1;
        return Reply::ok();
    }
    known = false;
    return {};
}

// ---------------------------------------------------------------- "+ZSNT" family

Reply Modem::zte(const std::string& name, char kind, const Params& p, bool& known) {
    ModemState& s = state;
    known = true;
    if (name == "+ZSNT") {
        if (kind == 'R')
            return Reply::ok().line("+ZSNT: " + s.modeValue);
        if (kind != 'S' || p.size() != 3)
            return Reply::error();
        return setModePreference(p[0] + "," + p[1] + "," + p[2])
                   ? Reply::ok()
                   : Reply::cme(cme::OperationNotSupported);
    }
    if (name == "+ZPAS") {
        if (kind != 'R')
            return Reply::error();
        if (!s.registered())
            return Reply::ok().line("+ZPAS: \"No Service\",\"\"");
        return Reply::ok().line("+ZPAS: " + quoted(techName(s.act).zte) + "," +
                                quoted(rat::family(s.act) == rat::G4 ? "PS_ONLY" : "CS_PS"));
    }
    if (name == "+ZOPRT") {
        int v = 0;
        if (kind == 'R')
            return Reply::ok().line("+ZOPRT: " + std::to_string(s.operatingMode));
        if (kind == 'T')
            return Reply::ok().line("+ZOPRT: (5,6)");
        if (kind != 'S' || !intParam(p, 0, 5, 6, v))
            return Reply::error();
        s.operatingMode = v;
        return Reply::ok();
    }
    if (name == "+ZCDRUN") // 8: no disc drive at the next start
        return kind == 'S' && !p.empty() ? Reply::ok() : Reply::error();
    known = false;
    return {};
}

// ---------------------------------------------------------------- notices

void Modem::vendorNotices(const RadioSnapshot& before, const RadioSnapshot& now) {
    const ModemState& s = state;
    const bool moved = before.act != now.act;
    const bool signal = before.rssi != now.rssi;
    switch (s.dialect) {
    case Dialect::Syscfgex:
        if (!s.caretReports)
            return;
        if (moved && now.act >= 0 && techName(now.act).modeMode)
            onNotice("^MODE:" + std::to_string(techName(now.act).modeMode) + "," +
                     std::to_string(techName(now.act).modeSubmode));
        if (signal)
            onNotice("^RSSI:" + std::to_string(now.rssi));
        if (moved || signal)
            onNotice("^HCSQ:" + hcsqValues(s));
        return;
    case Dialect::Nwscanmode:
        if (signal && s.signalIndication)
            onNotice("+QIND: \"csq\"," + std::to_string(now.rssi) + "," + std::to_string(s.ber));
        return;
    case Dialect::Zsnt:
        if (moved)
            onNotice("+ZPASR: " + quoted(now.act >= 0 ? techName(now.act).zte : "No Service"));
        return;
    default:
        return;
    }
}

std::vector<std::string> Modem::chatter() const {
    const ModemState& s = state;
    if (s.dialect == Dialect::Syscfgex && s.caretReports && s.operatingMode == 5)
        return {"^RSSI:" + std::to_string(s.registered() ? s.rssi : 99), "^HCSQ:" + hcsqValues(s)};
    if (s.dialect == Dialect::Zsnt && s.simReportFlood)
        return {"+ZUSIMR:2"};
    return {};
}

std::vector<std::string> Modem::startupLines() const {
    const ModemState& s = state;
    if (s.dialect != Dialect::Nwscanmode)
        return {};
    std::vector<std::string> lines{"RDY", "+CFUN: 1"};
    if (!s.simPresent)
        return lines;
    if (s.sim == SimState::NeedPin || s.sim == SimState::NeedPuk) {
        lines.push_back(s.sim == SimState::NeedPin ? "+CPIN: SIM PIN" : "+CPIN: SIM PUK");
        return lines;
    }
    lines.insert(lines.end(), {"+CPIN: READY", "+QUSIM: 1", "+QIND: SMS DONE", "+QIND: PB DONE"});
    return lines;
}

// ---------------------------------------------------------------- power-on values

namespace {

// Each card's name in scenarios and its own power-on values.
struct DialectDefaults {
    Dialect dialect;
    const char* name;
    const char* modeChoices; // its mode command's "=?" list (empty: it has none)
    const char* modeValue;
    const char* storageChoices; // AT+CPMS=? (empty: the maker card's)
    bool csqUnknownOnLte;
    bool simReportFlood;
};

const DialectDefaults kDialects[] = {
    {Dialect::Maker, "maker", "", "", "", false, false},
    {Dialect::Standard, "standard", "12,22,25,28-31", "25",
     R"(("ME","MT","SM","SR"),("ME","MT","SM"),("ME","SM"))", true, false},
    {Dialect::Syscfgex, "syscfgex", R"("00","03","02","01","99")", "00",
     R"(("SM","ME"),("SM","ME"),("SM","ME"))", false, false},
    {Dialect::Nwscanmode, "nwscanmode", "0-3", "0",
     R"(("SM","ME","MT"),("SM","ME","MT"),("SM","ME","MT"))", false, false},
    {Dialect::Zsnt, "zsnt", "", "0,0,0", R"(("SM","ME","SR"),("SM","ME"),("SM","ME"))", false,
     true},
};

} // namespace

const char* dialectName(Dialect dialect) {
    for (const DialectDefaults& d : kDialects)
        if (d.dialect == dialect)
            return d.name;
    return "?";
}

bool dialectNamed(const std::string& name, Dialect& dialect) {
    for (const DialectDefaults& d : kDialects) {
        if (name == d.name) {
            dialect = d.dialect;
            return true;
        }
    }
    return false;
}

void Modem::setDialect(Dialect d) {
    ModemState& s = state;
    for (const DialectDefaults& x : kDialects) {
        if (x.dialect != d)
            continue;
        s.dialect = d;
        s.modeChoices = x.modeChoices;
        s.modeValue = x.modeValue;
        s.storageChoices = x.storageChoices;
        s.indicationChoices = d == Dialect::Maker ? "" : "(0-2),(0-3),(0,2),(0-2),(0,1)";
        s.csqUnknownOnLte = x.csqUnknownOnLte;
        s.simReportFlood = x.simReportFlood;
        s.scanSequence = "00";
    }
}
