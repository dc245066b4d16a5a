#include "scenario.h"

#include "pdu.h"
#include "text.h"

#include <fnmatch.h>
#include <fstream>

using text::parseInt;
using Words = std::vector<std::string>;

namespace {

bool onOff(const std::string& w, bool& out) {
    if (w == "on" || w == "1" || w == "yes")
        out = true;
    else if (w == "off" || w == "0" || w == "no")
        out = false;
    else
        return false;
    return true;
}

int keyword(const std::string& w, std::initializer_list<const char*> names) {
    int v = 0;
    if (parseInt(w, v))
        return v >= 0 && v < static_cast<int>(names.size()) ? v : -1;
    int i = 0;
    for (const char* n : names) {
        if (w == n)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

bool Override::matches(const std::string& line) const {
    return fnmatch(pattern.c_str(), line.c_str(), FNM_CASEFOLD) == 0;
}

bool Scenario::loadFile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Words words;
        std::string why;
        bool ok = text::tokenize(line, words, &why);
        if (ok && !words.empty() && words[0] == "include") {
            // Another scenario file, relative to this one.
            if (words.size() != 2 || depth_ >= 8) {
                why = words.size() != 2 ? "include takes one file" : "includes nested too deeply";
                ok = false;
            } else {
                const size_t slash = path.rfind('/');
                const std::string base =
                    slash == std::string::npos ? "" : path.substr(0, slash + 1);
                const std::string file = words[1][0] == '/' ? words[1] : base + words[1];
                ++depth_;
                ok = loadFile(file, why);
                --depth_;
                if (!ok) {
                    error = why;
                    return false;
                }
            }
        } else if (ok && !words.empty()) {
            ok = apply(words, why);
        }
        if (!ok) {
            error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}

bool Scenario::apply(const Words& w, std::string& error) {
    if (w.empty())
        return true;
    ModemState& s = modem_.state;
    const std::string& key = w[0];
    const size_t n = w.size();
    auto need = [&](size_t count) {
        if (n == count + 1)
            return true;
        error = key + " takes " + std::to_string(count) + " value(s)";
        return false;
    };
    auto number = [&](size_t i, int lo, int hi, int& out) {
        if (i < n && parseInt(w[i], out) && out >= lo && out <= hi)
            return true;
        error =
            key + ": expected a number from " + std::to_string(lo) + " to " + std::to_string(hi);
        return false;
    };
    auto flag = [&](bool& out) {
        if (need(1) && onOff(w[1], out))
            return true;
        error = key + ": expected on or off";
        return false;
    };
    auto word = [&](std::string& out) {
        if (!need(1))
            return false;
        out = w[1];
        return true;
    };
    int v = 0;

    if (key == "echo")
        return flag(modem_.defaults.echo);
    if (key == "cmee") {
        if (!need(1) || !number(1, 0, 2, v))
            return false;
        modem_.defaults.cmee = v;
        return true;
    }
    if (key == "manufacturer")
        return word(s.manufacturer);
    if (key == "model")
        return word(s.model);
    if (key == "revision")
        return word(s.revision);
    if (key == "imei")
        return word(s.imei);
    if (key == "imsi")
        return word(s.imsi);
    if (key == "own-number")
        return word(s.ownNumber);
    if (key == "platform") {
        if (!need(1) || (w[1] != "new" && w[1] != "old")) {
            error = "platform: expected new or old";
            return false;
        }
        s.newPlatform = w[1] == "new";
        return true;
    }
    if (key == "sim") {
        if (!need(1))
            return false;
        const std::string& st = w[1];
        s.simPresent = st != "absent";
        if (st == "ready" || st == "absent")
            s.sim = SimState::Ready;
        else if (st == "pin") {
            s.sim = SimState::NeedPin;
            s.pinLock = true;
        } else if (st == "puk") {
            s.sim = SimState::NeedPuk;
            s.pinLock = true;
            s.pinTries = 0;
        } else if (st == "blocked") {
            s.sim = SimState::Blocked;
            s.pinTries = 0;
            s.pukTries = 0;
        } else {
            error = "sim: expected ready, pin, puk, blocked or absent";
            return false;
        }
        return true;
    }
    if (key == "sim-type") {
        if (!need(1) || (w[1] != "sim" && w[1] != "usim")) {
            error = "sim-type: expected sim or usim";
            return false;
        }
        s.usim = w[1] == "usim";
        return true;
    }
    if (key == "sim-absent-error") {
        if (!need(1) || (w[1] != "failure" && w[1] != "not-inserted")) {
            error = "sim-absent-error: expected failure or not-inserted";
            return false;
        }
        s.absentError = w[1] == "failure" ? cme::SimFailure : cme::SimNotInserted;
        return true;
    }
    if (key == "pin")
        return word(s.pin);
    if (key == "puk")
        return word(s.puk);
    if (key == "pin-tries")
        return need(1) && number(1, 0, 3, s.pinTries);
    if (key == "puk-tries")
        return need(1) && number(1, 0, 99, s.pukTries);
    if (key == "pin-lock")
        return flag(s.pinLock);
    if (key == "sim-busy")
        return need(1) && number(1, 0, 1000000, s.simBusy);
    if (key == "operating-mode")
        return need(1) && number(1, 0, 7, s.operatingMode);
    if (key == "signal") {
        if (n != 2 && n != 3) {
            error = "signal takes RSSI [BER]";
            return false;
        }
        return number(1, 0, 99, s.rssi) && (n == 2 || number(2, 0, 99, s.ber));
    }
    if (key == "service") {
        if (n == 2 && w[1] == "none") {
            s.serviceMode.clear();
            return true;
        }
        if (!need(2))
            return false;
        s.serviceMode = w[1];
        s.serviceDomain = w[2];
        return true;
    }
    if (key == "registration") {
        if (!need(1) || (w[1] != "denied" && w[1] != "allowed")) {
            error = "registration: expected denied or allowed";
            return false;
        }
        s.registrationDenied = w[1] == "denied";
        return true;
    }
    if (key == "operator") {
        if (!need(1))
            return false;
        s.operatorName = w[1] == "none" ? "" : w[1];
        // The maker's card marks every entry of the name; other cards the one
        // of the technology in use (else the first).
        const bool maker = s.dialect == Dialect::Maker;
        for (Network& net : s.networks)
            if (net.status == 2)
                net.status = 1;
        Network* marked = nullptr;
        for (Network& net : s.networks) {
            if (s.operatorName.empty() ||
                (net.longName != s.operatorName && net.shortName != s.operatorName))
                continue;
            if (maker)
                net.status = 2;
            if (!marked || (!maker && net.act == s.act && marked->act != s.act))
                marked = &net;
        }
        if (marked)
            marked->status = 2;
        if (!s.operatorName.empty())
            s.act = marked ? marked->act : maker ? 2 : s.act;
        return true;
    }
    if (key == "technology") {
        if (!need(1) || !number(1, 0, 7, v))
            return false;
        s.act = v;
        // The listed network of the operator on that technology becomes the current one.
        const Network* now = s.currentNetwork();
        const std::string numeric = now ? now->numeric : "";
        for (Network& net : s.networks)
            if (!numeric.empty() && net.numeric == numeric && net.status != 3)
                net.status = net.act == v ? 2 : 1;
        return true;
    }
    if (key == "dialect") {
        Dialect d = Dialect::Maker;
        if (!need(1) || !dialectNamed(w[1], d)) {
            error = "dialect: expected maker, standard, syscfgex, nwscanmode or zsnt";
            return false;
        }
        modem_.setDialect(d);
        return true;
    }
    if (key == "mode-choices")
        return word(s.modeChoices);
    if (key == "storage-choices")
        return word(s.storageChoices);
    if (key == "indication-choices")
        return word(s.indicationChoices);
    if (key == "scan-time")
        return need(1) && number(1, 0, 600000, s.scanMs);
    if (key == "chatter")
        return need(1) && number(1, 0, 600000, s.chatterMs);
    if (key == "sms-first-index") {
        if (!need(1) || !number(1, 0, 1, v))
            return false;
        for (MessageStorage* st : {&s.sm, &s.me, &s.sr})
            st->renumber(v);
        return true;
    }
    if (key == "network")
        return network(w, error);
    if (key == "networks-clear") {
        s.networks.clear();
        return need(0);
    }
    if (key == "mode-preference" && s.dialect != Dialect::Maker) {
        if (need(1) && modem_.setModePreference(w[1]))
            return true;
        error = "mode-preference: the card's mode command does not take " + w[1];
        return false;
    }
    if (key == "mode-preference") {
        if (!need(1))
            return false;
        const auto f = text::splitParams(w[1]);
        int a = 0;
        for (const std::string& x : f)
            if (!parseInt(x, a)) {
                error = "mode-preference: expected three numbers such as 2,0,0";
                return false;
            }
        if (f.size() != 3) {
            error = "mode-preference: expected three numbers such as 2,0,0";
            return false;
        }
        s.modePreference = w[1];
        return true;
    }
    if (key == "smsc")
        return word(s.smsc);
    if (key == "storage") {
        if (!need(2))
            return false;
        MessageStorage* st = s.storage(w[1]);
        if (!st) {
            error = "storage: expected SM or ME";
            return false;
        }
        if (!number(2, 1, 1000, v))
            return false;
        if (!st->slots.empty() && st->slots.rbegin()->first > st->first + v - 1) {
            error = "storage: messages stored beyond the new capacity";
            return false;
        }
        st->capacity = v;
        return true;
    }
    if (key == "storages") {
        if (!need(3))
            return false;
        for (int i = 0; i < 3; ++i) {
            if (!s.storage(w[static_cast<size_t>(i) + 1])) {
                error = "storages: expected SM or ME";
                return false;
            }
            s.mem[i] = text::upper(w[static_cast<size_t>(i) + 1]);
        }
        return true;
    }
    if (key == "new-sms-storage")
        return need(1) && number(1, 0, 2, s.newSmsStorage);
    if (key == "cnmi")
        return word(s.cnmi);
    if (key == "report-delay")
        return need(1) && number(1, 0, 600000, s.reportDelayMs);
    if (key == "report-status")
        return need(1) && number(1, 0, 255, s.reportStatus);
    if (key == "message")
        return message(w, error);
    if (key == "messages-clear") {
        if (!need(1) || !s.storage(w[1])) {
            error = "messages-clear: expected SM or ME";
            return false;
        }
        s.storage(w[1])->slots.clear();
        return true;
    }
    if (key == "ussd-packed")
        return flag(s.ussdPacked);
    if (key == "charset") {
        const std::string cs = n == 2 ? text::upper(w[1]) : "";
        if (cs != "IRA" && cs != "GSM" && cs != "UCS2") {
            error = "charset: expected IRA, GSM or UCS2";
            return false;
        }
        s.charset = cs;
        return true;
    }
    if (key == "phonebook-size") {
        if (!need(1) || !number(1, 1, 1000, v))
            return false;
        if (!s.contacts.empty() && s.contacts.rbegin()->first > v) {
            error = "phonebook-size: contacts stored beyond the new size";
            return false;
        }
        s.phonebookSize = v;
        return true;
    }
    if (key == "name-length")
        return need(1) && number(1, 1, 255, s.nameLength);
    if (key == "number-length")
        return need(1) && number(1, 1, 255, s.numberLength);
    if (key == "contact")
        return contact(w, error);
    if (key == "contacts-clear") {
        s.contacts.clear();
        return need(0);
    }
    if (key == "on")
        return addOverride(w, error);
    if (key == "overrides-clear") {
        overrides_.clear();
        return need(0);
    }
    error = "unknown directive " + key;
    return false;
}

// message STORAGE[:INDEX] STATUS deliver SENDER TEXT [TIMESTAMP]
// message STORAGE[:INDEX] STATUS submit DESTINATION TEXT
// message STORAGE[:INDEX] STATUS pdu HEX
bool Scenario::message(const Words& w, std::string& error) {
    ModemState& s = modem_.state;
    if (w.size() < 4) {
        error = "message: expected STORAGE STATUS deliver|submit|pdu ...";
        return false;
    }
    std::string where = w[1];
    int index = 0;
    const size_t colon = where.find(':');
    if (colon != std::string::npos) {
        if (!parseInt(where.substr(colon + 1), index) || index < 0) {
            error = "message: bad index in " + where;
            return false;
        }
        where = where.substr(0, colon);
    }
    MessageStorage* st = s.storage(where);
    if (!st) {
        error = "message: storage must be SM or ME";
        return false;
    }
    const int status = keyword(w[2], {"unread", "read", "unsent", "sent"});
    if (status < 0) {
        error = "message: status must be unread, read, unsent, sent or 0-3";
        return false;
    }
    std::string hex;
    const std::string& form = w[3];
    if (form == "deliver" && (w.size() == 6 || w.size() == 7))
        hex = pdu::buildDeliver(s.smsc, w[4], w[5], w.size() == 7 ? w[6] : "");
    else if (form == "submit" && w.size() == 6)
        hex = pdu::buildSubmit(s.smsc, w[4], w[5]);
    else if (form == "pdu" && w.size() == 5)
        hex = text::upper(w[4]);
    else {
        error = "message: expected deliver SENDER TEXT [TIME], submit NUMBER TEXT or pdu HEX";
        return false;
    }
    if (pdu::tpduLength(hex) < 0) {
        error = "message: not a PDU: " + hex;
        return false;
    }
    if (colon == std::string::npos)
        index = st->firstFree();
    if (!st->holds(index)) {
        error = "message: no room in " + st->name;
        return false;
    }
    st->slots[index] = {status, hex};
    return true;
}

// contact INDEX|next NUMBER NAME
bool Scenario::contact(const Words& w, std::string& error) {
    ModemState& s = modem_.state;
    if (w.size() != 4) {
        error = "contact: expected INDEX|next NUMBER NAME";
        return false;
    }
    int index = 0;
    if (w[1] == "next") {
        for (int i = 1; i <= s.phonebookSize && !index; ++i)
            if (!s.contacts.count(i))
                index = i;
    } else if (!parseInt(w[1], index)) {
        index = 0;
    }
    if (index < 1 || index > s.phonebookSize) {
        error = "contact: index outside the phonebook (or phonebook full)";
        return false;
    }
    s.contacts[index] = {w[2], text::utf8ToUtf16(w[3])};
    return true;
}

// network STATUS LONG SHORT NUMERIC ACT
bool Scenario::network(const Words& w, std::string& error) {
    ModemState& s = modem_.state;
    Network net;
    net.status =
        w.size() == 6 ? keyword(w[1], {"unknown", "available", "current", "forbidden"}) : -1;
    if (net.status < 0 || !parseInt(w[5], net.act)) {
        error = "network: expected STATUS LONG SHORT NUMERIC ACT";
        return false;
    }
    net.longName = w[2];
    net.shortName = w[3];
    net.numeric = w[4];
    if (net.status == 2) {
        for (Network& other : s.networks)
            if (other.status == 2)
                other.status = 1;
        s.operatorName = net.longName;
        s.act = net.act;
    }
    s.networks.push_back(net);
    return true;
}

// on PATTERN [reply LINE...] [raw TEXT] [delay MS] [noreply] [noresult] [noecho] [count N]
bool Scenario::addOverride(const Words& w, std::string& error) {
    if (w.size() < 3) {
        error = "on: expected PATTERN and at least one action";
        return false;
    }
    Override o;
    o.pattern = w[1];
    auto isKeyword = [](const std::string& x) {
        return x == "reply" || x == "raw" || x == "delay" || x == "noreply" || x == "noresult" ||
               x == "noecho" || x == "count";
    };
    for (size_t i = 2; i < w.size(); ++i) {
        const std::string& k = w[i];
        if (k == "reply") {
            o.hasLines = true;
            while (i + 1 < w.size() && !isKeyword(w[i + 1]))
                o.lines.push_back(w[++i]);
        } else if (k == "raw" && i + 1 < w.size()) {
            o.hasRaw = true;
            o.raw = w[++i];
        } else if (k == "delay" && i + 1 < w.size() && parseInt(w[i + 1], o.delayMs) &&
                   o.delayMs >= 0) {
            ++i;
        } else if (k == "count" && i + 1 < w.size() && parseInt(w[i + 1], o.count) && o.count > 0) {
            ++i;
        } else if (k == "noreply") {
            o.noReply = true;
        } else if (k == "noresult") {
            o.noResult = true;
        } else if (k == "noecho") {
            o.noEcho = true;
        } else {
            error = "on: unexpected " + k;
            return false;
        }
    }
    overrides_.push_back(o);
    return true;
}
