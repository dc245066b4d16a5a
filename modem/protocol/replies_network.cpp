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
    const int rsrp = fields.value(5).number().value_or(255);
    if (rsrp >= 0 && rsrp <= 97) {
        // 0 is below -140 dBm, 97 -44 dBm or more.
        const int dbm = -141 + rsrp;
        return dbm >= -85    ? 5
               : dbm >= -95  ? 4
               : dbm >= -105 ? 3
               : dbm >= -115 ? 2
               : dbm >= -125 ? 1
                             : 0;
    }
    const int rscp = fields.value(2).number().value_or(255);
    if (rscp >= 0 && rscp <= 96) {
        const int dbm = -121 + rscp;
        return dbm >= -75    ? 5
               : dbm >= -85  ? 4
               : dbm >= -95  ? 3
               : dbm >= -105 ? 2
               : dbm >= -115 ? 1
                             : 0;
    }
    const int rxlev = fields.value(0).number().value_or(99);
    if (rxlev >= 0 && rxlev <= 63) {
        const int dbm = -111 + rxlev;
        return dbm >= -65    ? 5
               : dbm >= -75  ? 4
               : dbm >= -85  ? 3
               : dbm >= -95  ? 2
               : dbm >= -105 ? 1
                             : 0;
    }
    return std::nullopt;
}
