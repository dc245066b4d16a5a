// Identity, status, SIM and network commands of the modem link.

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

namespace {

AtLine quotedArgument(AtCmd id, const QString& value) {
    return std::move(AtLine(atCommand(id)).quoted(value.toLatin1().constData()).text("\""));
}

} // namespace

void SerialThread::getIMEI(const AtCaller& caller, AtDone<AtAnswer<QString>> done) {
    ask(
        caller, AtCmd::Imei, AtLine(atCommand(AtCmd::Imei)),
        [](const AtReply& reply) {
            AtAnswer<QString> answer{std::nullopt, reply.result};
            if (reply.ok())
                answer.value = parseImei(reply.text);
            return answer;
        },
        std::move(done));
}

void SerialThread::getGMR(const AtCaller& caller, AtDone<std::optional<QString>> done) {
    ask(
        caller, AtCmd::Firmware, AtLine(atCommand(AtCmd::Firmware)),
        [](const AtReply& reply) { return reply.ok() ? parseFirmware(reply.text) : std::nullopt; },
        std::move(done));
}

void SerialThread::getISDN(const AtCaller& caller, AtDone<std::optional<QString>> done) {
    ask(
        caller, AtCmd::OwnNumber, AtLine(atCommand(AtCmd::OwnNumber)),
        [](const AtReply& reply) -> std::optional<QString> {
            // Any error line ("SIM busy", "SIM not inserted", ...) gives none.
            if (!reply.ok())
                return std::nullopt;
            for (const OwnNumber& own : parseOwnNumbers(reply.text)) {
                if (std::any_of(own.number.begin(), own.number.end(),
                                [](QChar c) { return c.isDigit(); }))
                    return own.number;
            }
            return std::nullopt;
        },
        std::move(done));
}

void SerialThread::getCIMI(const AtCaller& caller, AtDone<std::optional<QString>> done) {
    ask(
        caller, AtCmd::Imsi, AtLine(atCommand(AtCmd::Imsi)),
        [](const AtReply& reply) {
            return reply.ok() ? parseIdentity(reply.text, "AT+CIMI") : std::nullopt;
        },
        std::move(done));
}

void SerialThread::getSignalQuality(const AtCaller& caller, AtDone<int> done) {
    ask(
        caller, AtCmd::SignalQuality, AtLine(atCommand(AtCmd::SignalQuality)),
        [](const AtReply& reply) { return reply.answered() ? signalBarsOf(reply.text) : -1; },
        std::move(done));
}

void SerialThread::getServiceStatus(const AtCaller& caller,
                                    AtDone<std::optional<ServiceStatus>> done) {
    ask(
        caller, AtCmd::ServiceStatus, AtLine(atCommand(AtCmd::ServiceStatus)),
        [](const AtReply& reply) { return parseServiceStatus(reply.text); }, std::move(done));
}

void SerialThread::getOperatorName(const AtCaller& caller, AtDone<std::optional<QString>> done) {
    ask(
        caller, AtCmd::OperatorName, AtLine(atCommand(AtCmd::OperatorName)),
        [](const AtReply& reply) { return parseOperatorName(reply.text); }, std::move(done));
}

void SerialThread::getUSIM(const AtCaller& caller, AtDone<SimType> done) {
    ask(
        caller, AtCmd::SimType, AtLine(atCommand(AtCmd::SimType)),
        [this](const AtReply& reply) {
            usimType = reply.answered() ? simTypeOf(reply.text) : SimType::Unknown;
            return usimType;
        },
        std::move(done));
}

void SerialThread::isNewPlatform(const AtCaller& caller, AtDone<bool> done) {
    // The newer generation refuses the extended read ("not support"), or
    // takes the extended write.
    send(caller, AtCmd::ProbeExtendedRead, [this, caller, done](const AtReply& read) {
        const auto decide = [this, done](bool newer) {
            newPlatform = newer;
            if (done)
                done(newer);
        };
        if (!read.answered())
            return decide(newPlatform);
        if (read.result == FinalResult::NotSupported)
            return decide(true);
        send(caller, AtCmd::ProbeExtendedWrite, [this, decide](const AtReply& write) {
            decide(write.answered() ? write.ok() : newPlatform);
        });
    });
}

void SerialThread::netCardStatus(const AtCaller& caller, AtDone<AtAnswer<OperatingMode>> done) {
    ask(
        caller, AtCmd::OperatingModeQuery, AtLine(atCommand(AtCmd::OperatingModeQuery)),
        [](const AtReply& reply) {
            AtAnswer<OperatingMode> answer{std::nullopt, reply.result};
            const OperatingMode mode = operatingModeOf(reply.text);
            if (reply.ok() && mode != OperatingMode::Unknown)
                answer.value = mode;
            return answer;
        },
        std::move(done));
}

void SerialThread::probeDialect(const AtCaller& caller, AtDone<Dialect> done) {
    probeDialectFrom(caller, 0, std::move(done));
}

void SerialThread::probeDialectFrom(const AtCaller& caller, size_t probe, AtDone<Dialect> done) {
    static constexpr std::pair<AtCmd, Dialect> kProbes[] = {
        {AtCmd::SyscfgexQuery, Dialect::Syscfgex},
        {AtCmd::ScanModeQuery, Dialect::Nwscanmode},
        {AtCmd::ZsntQuery, Dialect::Zsnt},
    };
    if (probe == std::size(kProbes)) {
        dialect = Dialect::Standard;
        if (done)
            done(dialect);
        return;
    }
    send(caller, kProbes[probe].first, [this, caller, probe, done](const AtReply& reply) {
        if (!reply.ok())
            return probeDialectFrom(caller, probe + 1, done);
        dialect = kProbes[probe].second;
        if (done)
            done(dialect);
    });
}

void SerialThread::reportErrors(const AtCaller& caller, AtDone<bool> done) {
    ask(
        caller, AtCmd::ErrorReports, AtLine(atCommand(AtCmd::ErrorReports)),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::netCardPowOn(const AtCaller& caller, bool on, AtDone<bool> done) {
    ask(
        caller, AtCmd::SetOperatingMode,
        AtLine(atCommand(AtCmd::SetOperatingMode)).number(on ? 5 : 6),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::stopScrollScreen(const AtCaller& caller, AtDone<bool> done) {
    // The bare command is answered with ERROR: that is its success.
    ask(
        caller, AtCmd::StopScroll, AtLine(atCommand(AtCmd::StopScroll)),
        [](const AtReply& reply) { return reply.result == FinalResult::Error; }, std::move(done));
}

void SerialThread::connectDeviceNeedInputPIN(const AtCaller& caller, AtDone<SimState> done) {
    ask(
        caller, AtCmd::SimState, AtLine(atCommand(AtCmd::SimState)),
        [](const AtReply& reply) { return simStateOf(reply.text); }, std::move(done));
}

void SerialThread::inputPIN(const AtCaller& caller, const QString& pin, AtDone<PinEntry> done) {
    ask(
        caller, AtCmd::EnterPin, quotedArgument(AtCmd::EnterPin, pin),
        [](const AtReply& reply) { return pinEntryOf(reply.text); }, std::move(done));
}

void SerialThread::inputPUK(const AtCaller& caller, const QString& puk, const QString& newPin,
                            AtDone<PinEntry> done) {
    AtLine line(atCommand(AtCmd::EnterPuk));
    line.quoted(puk.toLatin1().constData())
        .text("\",\"")
        .quoted(newPin.toLatin1().constData())
        .text("\"");
    ask(
        caller, AtCmd::EnterPuk, line, [](const AtReply& reply) { return pinEntryOf(reply.text); },
        std::move(done));
}

void SerialThread::PINSetStatus(const AtCaller& caller, AtDone<std::optional<bool>> done) {
    ask(
        caller, AtCmd::PinLockState, AtLine(atCommand(AtCmd::PinLockState)),
        [](const AtReply& reply) -> std::optional<bool> {
            const std::optional<int> lock = parseFacilityLock(reply.text);
            if (!lock)
                return std::nullopt;
            return *lock == 1;
        },
        std::move(done));
}

void SerialThread::setPinLock(const AtCaller& caller, bool on, const QString& pin,
                              AtDone<PinEntry> done) {
    const AtCmd id = on ? AtCmd::LockPin : AtCmd::UnlockPin;
    ask(
        caller, id, quotedArgument(id, pin),
        [](const AtReply& reply) { return pinEntryOf(reply.text); }, std::move(done));
}

void SerialThread::changePWD(const AtCaller& caller, const QString& oldPin, const QString& newPin,
                             AtDone<PinChange> done) {
    AtLine line(atCommand(AtCmd::ChangePin));
    line.quoted(oldPin.toLatin1().constData())
        .text("\",\"")
        .quoted(newPin.toLatin1().constData())
        .text("\"");
    ask(
        caller, AtCmd::ChangePin, line,
        [](const AtReply& reply) { return pinChangeOf(reply.text); }, std::move(done));
}

void SerialThread::getNetworkList(const AtCaller& caller,
                                  AtDone<std::optional<QList<OperatorEntry>>> done) {
    ask(
        caller, AtCmd::OperatorList, AtLine(atCommand(AtCmd::OperatorList)),
        [](const AtReply& reply) -> std::optional<QList<OperatorEntry>> {
            if (!reply.ok())
                return std::nullopt;
            return parseOperatorList(reply.text);
        },
        std::move(done));
}

// Without an access technology the line ends with the operator: modems
// refuse an empty last argument.
void SerialThread::setManualNetworkMode(const AtCaller& caller, const QString& numeric, int act,
                                        AtDone<bool> done) {
    AtLine line(atCommand(AtCmd::SelectOperator));
    line.text("1,2,\"").quoted(numeric.toLatin1().constData()).text("\"");
    if (act >= 0)
        line.text(",").number(act);
    ask(
        caller, AtCmd::SelectOperator, line, [](const AtReply& reply) { return reply.ok(); },
        std::move(done));
    // The numeric format chosen here would hold for "AT+COPS?" too: another
    // maker's card is told again to name the operator in full.
    if (dialect != Dialect::Maker)
        send(caller, AtCmd::OperatorLongName, nullptr);
}

void SerialThread::getNetworkSelectionMode(const AtCaller& caller, AtDone<int> done) {
    ask(
        caller, AtCmd::ModePreferenceQuery, AtLine(atCommand(AtCmd::ModePreferenceQuery)),
        [](const AtReply& reply) {
            if (!reply.answered())
                return -1;
            const std::optional<std::array<int, 3>> value = parseModePreference(reply.text);
            for (size_t i = 0; value && i < kModePreferences.size(); ++i) {
                if (*value == kModePreferences[i])
                    return static_cast<int>(i) + 1;
            }
            return 0;
        },
        std::move(done));
}

void SerialThread::setNetworkSelectionMode(const AtCaller& caller, int mode, AtDone<bool> done) {
    const bool known = mode >= 1 && mode <= static_cast<int>(kModePreferences.size());
    AtLine line(atCommand(AtCmd::SetModePreference));
    if (known) {
        const std::array<int, 3>& value = kModePreferences[static_cast<size_t>(mode - 1)];
        line.number(value[0]).text(",").number(value[1]).text(",").number(value[2]);
    } else {
        line.arg(nullptr); // refused: nothing is sent
    }
    ask(
        caller, AtCmd::SetModePreference, line, [](const AtReply& reply) { return reply.ok(); },
        std::move(done));
}

void SerialThread::setConnectPara(const AtCaller& caller, const QString& type, const QString& apn,
                                  const QString& address, AtDone<bool> done) {
    AtLine line(atCommand(AtCmd::PdpContext));
    line.quoted(type.toLatin1().constData()).text("\",\"").quoted(apn.toLatin1().constData());
    if (!address.isEmpty())
        line.text("\",\"").quoted(address.toLatin1().constData());
    line.text("\"");
    ask(
        caller, AtCmd::PdpContext, line, [](const AtReply& reply) { return reply.ok(); },
        std::move(done));
}

void SerialThread::setChset(const AtCaller& caller, const QString& charset,
                            AtDone<std::optional<bool>> done) {
    ask(
        caller, AtCmd::CharacterSet, quotedArgument(AtCmd::CharacterSet, charset),
        [](const AtReply& reply) -> std::optional<bool> {
            if (!reply.answered())
                return std::nullopt;
            return reply.ok();
        },
        std::move(done));
}
