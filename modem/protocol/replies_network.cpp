// Registration, access technology and radio replies of 3GPP TS 27.007 (the
// standard status any card gives).

#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"

namespace {

Registration registrationOf(int stat) {
    switch (stat) {
    case 1:
        return Registration::Home;
    case 2:
        return Registration::Searching;
    case 3:
        return Registration::Denied;
    case 5:
        return Registration::Roaming;
    // "registered for SMS only" (6, 7) and "CSFB not preferred" (9, 10) are
    // registrations too.
    case 6:
    case 9:
        return Registration::Home;
    case 7:
    case 10:
        return Registration::Roaming;
    case 0:
        return Registration::NotRegistered;
    default:
        return Registration::Unknown;
    }
}

int barsOfRsrp(int index) {
    if (index < 0 || index > 97)
        return -1;
    // 0 is below -140 dBm, 97 -44 dBm or more.
    const int dbm = -141 + index;
    return dbm >= -85    ? 5
           : dbm >= -95  ? 4
           : dbm >= -105 ? 3
           : dbm >= -115 ? 2
           : dbm >= -125 ? 1
                         : 0;
}

int barsOfRscp(int index) {
    if (index < 0 || index > 96)
        return -1;
    const int dbm = -121 + index;
    return dbm >= -75 ? 5 : dbm >= -85 ? 4 : dbm >= -95 ? 3 : dbm >= -105 ? 2 : dbm >= -115 ? 1 : 0;
}

int barsOfGsmDbm(int dbm) {
    return dbm >= -65 ? 5 : dbm >= -75 ? 4 : dbm >= -85 ? 3 : dbm >= -95 ? 2 : dbm >= -105 ? 1 : 0;
}

// "^MODE: <sysmode>,<submode>": 3 GSM/GPRS (submode 3 EDGE), 5 WCDMA
// (submode 5-7 and 9 the HSPA family), 7 LTE on the cards that report it.
std::optional<NetworkNotice> modeNotice(const AtFields& fields) {
    const std::optional<int> sysmode = fields.value(0).number();
    if (!sysmode)
        return std::nullopt;
    const int submode = fields.value(1).number().value_or(-1);
    NetworkNotice notice;
    switch (*sysmode) {
    case 0:
        notice.noService = true;
        break;
    case 3:
        notice.act = submode == 3 ? 3 : 0;
        break;
    case 5:
        notice.act = submode >= 5 && submode <= 9 ? 6 : 2;
        break;
    case 7:
        notice.act = 7;
        break;
    default:
        return std::nullopt;
    }
    return notice;
}

// "^HCSQ: "<technology>",<values>": LTE rssi,rsrp,sinr,rsrq; WCDMA
// rssi,rscp,ecio; GSM rssi (indexes of 1 dB from -121 dBm, rsrp from -141,
// rscp from -121).
NetworkNotice hcsqNotice(const AtFields& fields) {
    NetworkNotice notice;
    const QString technology = fields.value(0).value().toUpper();
    if (technology == u"LTE") {
        notice.act = 7;
        notice.bars = barsOfRsrp(fields.value(2).number().value_or(-1));
    } else if (technology == u"WCDMA") {
        notice.act = 2;
        notice.bars = barsOfRscp(fields.value(2).number().value_or(-1));
    } else if (technology == u"GSM") {
        notice.act = 0;
        const int rssi = fields.value(1).number().value_or(-1);
        notice.bars = rssi >= 0 && rssi <= 96 ? barsOfGsmDbm(-121 + rssi) : -1;
    } else {
        notice.noService = true;
        notice.bars = 0;
    }
    if (notice.bars && *notice.bars < 0)
        notice.bars.reset();
    return notice;
}

} // namespace

std::optional<RegistrationState> parseRegistration(QByteArrayView text, QByteArrayView prefix,
                                                   bool notice) {
    const std::optional<AnswerLine> line = answerLine(text, prefix);
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    // The read form begins with the notice setting <n>; a notice with <stat>.
    const qsizetype at = notice ? 0 : 1;
    const std::optional<int> stat = fields.value(at).number();
    if (!stat)
        return std::nullopt;
    RegistrationState state;
    state.stat = registrationOf(*stat);
    // <lac>/<tac>,<ci>, then <AcT> (for +CEREG and +CGREG <rac> may follow).
    state.act = fields.value(at + 3).number().value_or(-1);
    return state;
}

bool registered(Registration stat) {
    return stat == Registration::Home || stat == Registration::Roaming;
}

QString technologyName(int act, bool packet) {
    switch (act) {
    case 0:
    case 1:
        return packet ? QStringLiteral("GPRS") : QStringLiteral("GSM");
    case 3:
        return QStringLiteral("EDGE");
    case 2:
        return QStringLiteral("UMTS");
    case 4:
    case 5:
    case 6:
        return QStringLiteral("HSPA");
    case 7:
    case 9:
    case 10:
        return QStringLiteral("LTE");
    case 11:
    case 12:
    case 13:
        return QStringLiteral("5G");
    default:
        return QString();
    }
}

std::optional<int> parseExtendedSignalBars(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CESQ:");
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    // <rxlev>,<ber>,<rscp>,<ecno>,<rsrq>,<rsrp>: the first measurement the
    // card gives, from the newest technology down (255 or 99: none).
    if (const int bars = barsOfRsrp(fields.value(5).number().value_or(255)); bars >= 0)
        return bars;
    if (const int bars = barsOfRscp(fields.value(2).number().value_or(255)); bars >= 0)
        return bars;
    const int rxlev = fields.value(0).number().value_or(99);
    if (rxlev >= 0 && rxlev <= 63)
        return barsOfGsmDbm(-111 + rxlev);
    return std::nullopt;
}

int signalBarsOfRssi(int rssi) {
    if (rssi <= 0 || rssi > 31)
        return 0;
    return rssi <= 6 ? 1 : rssi <= 9 ? 2 : rssi <= 12 ? 3 : rssi <= 16 ? 4 : 5;
}

int technologyOfName(const QString& name) {
    const QString n = name.trimmed().toUpper();
    if (n.contains(u"LTE"))
        return 7;
    if (n.startsWith(u"HSPA"))
        return 6;
    if (n == u"HSDPA")
        return 4;
    if (n == u"HSUPA")
        return 5;
    if (n == u"UMTS" || n == u"WCDMA" || n == u"TD-SCDMA")
        return 2;
    if (n.contains(u"EDGE"))
        return 3;
    if (n == u"GSM" || n == u"GPRS")
        return 0;
    return -1;
}

std::optional<NetworkNotice> parseNetworkNotice(QByteArrayView line) {
    static constexpr std::pair<QByteArrayView, RegistrationKind> kRegistrations[] = {
        {"+CREG:", RegistrationKind::Circuit},
        {"+CGREG:", RegistrationKind::Packet},
        {"+CEREG:", RegistrationKind::Eps},
    };
    for (const auto& [prefix, kind] : kRegistrations) {
        if (const std::optional<RegistrationState> state = parseRegistration(line, prefix, true)) {
            NetworkNotice notice;
            notice.kind = kind;
            notice.registration = *state;
            notice.act = state->act;
            return notice;
        }
    }
    if (const std::optional<AnswerLine> mode = answerLine(line, "^MODE:"))
        return modeNotice(splitAtFields(mode->params));
    if (const std::optional<AnswerLine> hcsq = answerLine(line, "^HCSQ:"))
        return hcsqNotice(splitAtFields(hcsq->params));
    if (const std::optional<AnswerLine> rssi = answerLine(line, "^RSSI:")) {
        const std::optional<int> value = splitAtFields(rssi->params).value(0).number();
        if (!value)
            return std::nullopt;
        NetworkNotice notice;
        notice.bars = signalBarsOfRssi(*value);
        return notice;
    }
    if (const std::optional<AnswerLine> qind = answerLine(line, "+QIND:")) {
        const AtFields fields = splitAtFields(qind->params);
        const std::optional<int> value = fields.value(1).number();
        if (fields.value(0).value() != u"csq" || !value)
            return std::nullopt;
        NetworkNotice notice;
        notice.bars = signalBarsOfRssi(*value);
        return notice;
    }
    if (const std::optional<AnswerLine> zpasr = answerLine(line, "+ZPASR:")) {
        NetworkNotice notice;
        notice.act = technologyOfName(splitAtFields(zpasr->params).value(0).value());
        notice.noService = notice.act < 0;
        return notice;
    }
    return std::nullopt;
}

namespace {

// The fields of the answer line with `prefix` and, with `key`, its row:
// the fields after the key. A card may leave the prefix out of a test
// command's answer: then the first line that begins with a list is taken.
std::optional<AtFields> settingFields(QByteArrayView reply, QByteArrayView prefix,
                                      QByteArrayView key) {
    for (const AnswerLine& line : answerLines(reply, prefix)) {
        AtFields fields = splitAtFields(line.params);
        if (key.isEmpty())
            return fields;
        if (!fields.isEmpty() && fields.first().value() == QLatin1StringView(key)) {
            fields.removeFirst();
            return fields;
        }
    }
    if (!key.isEmpty())
        return std::nullopt;
    if (const std::optional<AnswerLine> bare = answerLine(reply, "("))
        return splitAtFields(QByteArray("(") + bare->params.toByteArray());
    return std::nullopt;
}

void appendChoice(QStringList& choices, const AtField& item) {
    const QStringList ends = item.text.split(u'-');
    bool firstOk = false;
    bool lastOk = false;
    const int first = ends.value(0).toInt(&firstOk);
    const int last = ends.value(1).toInt(&lastOk);
    // "28-31" is a range of numbers; "00-0102030405" (a scan order's
    // bounds) is no list of choices to spell out.
    if (item.kind == AtField::Bare && ends.size() == 2 && firstOk && lastOk && first <= last &&
        last - first <= 64) {
        for (int value = first; value <= last; ++value)
            choices.append(QString::number(value));
        return;
    }
    choices.append(item.text.trimmed());
}

struct SettingLine {
    QByteArrayView prefix;
    QByteArrayView key;
};
SettingLine settingLine(ModeSetting setting) {
    switch (setting) {
    case ModeSetting::Ws46:
        return {"+WS46:", {}};
    case ModeSetting::Syscfgex:
        return {"^SYSCFGEX:", {}};
    case ModeSetting::ScanMode:
        return {"+QCFG:", "nwscanmode"};
    case ModeSetting::ScanSequence:
        return {"+QCFG:", "nwscanseq"};
    case ModeSetting::Zsnt:
        return {"+ZSNT:", {}};
    }
    return {};
}

QStringList parseChoiceList(QByteArrayView reply, QByteArrayView prefix, QByteArrayView key) {
    const std::optional<AtFields> fields = settingFields(reply, prefix, key);
    QStringList choices;
    if (!fields)
        return choices;
    for (const AtField& field : *fields) {
        if (field.kind != AtField::List)
            continue;
        for (const AtField& item : field.items)
            appendChoice(choices, item);
        break;
    }
    return choices;
}

std::optional<QString> parseSettingValue(QByteArrayView reply, QByteArrayView prefix,
                                         QByteArrayView key) {
    const std::optional<AtFields> fields = settingFields(reply, prefix, key);
    if (!fields || fields->isEmpty())
        return std::nullopt;
    return fields->first().value().trimmed();
}

} // namespace

QStringList parseModeChoices(QByteArrayView reply, ModeSetting setting) {
    const SettingLine line = settingLine(setting);
    return parseChoiceList(reply, line.prefix, line.key);
}

std::optional<QString> parseModeSetting(QByteArrayView reply, ModeSetting setting) {
    const SettingLine line = settingLine(setting);
    return parseSettingValue(reply, line.prefix, line.key);
}

std::optional<RegistrationState> parseRegistrationReply(QByteArrayView reply,
                                                        RegistrationKind kind) {
    static constexpr QByteArrayView kPrefixes[] = {"+CREG:", "+CGREG:", "+CEREG:"};
    return parseRegistration(reply, kPrefixes[static_cast<int>(kind)], false);
}
