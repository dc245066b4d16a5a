// Standard status of any card and the mode preference with 4G, in the
// standard's commands where the card has them and in its dialect's where
// it hasn't.

#include "modem/serialthread.h"

#include <algorithm>

namespace {

// "+WS46" values of the modes (3GPP TS 27.007 section 5.9): no "preferred".
constexpr std::pair<NetworkMode, int> kWs46[] = {
    {NetworkMode::Automatic, 25},
    {NetworkMode::Only4G, 28},
    {NetworkMode::Only3G, 22},
    {NetworkMode::Only2G, 12},
};

// "^SYSCFGEX" acquisition orders: 01 GSM, 02 UMTS, 03 LTE, in the order
// tried; "00" automatic.
constexpr std::pair<NetworkMode, const char*> kAcquisitionOrders[] = {
    {NetworkMode::Automatic, "00"},       {NetworkMode::Only4G, "03"},
    {NetworkMode::Preferred4G, "030201"}, {NetworkMode::Preferred4G, "0302"},
    {NetworkMode::Only3G, "02"},          {NetworkMode::Only2G, "01"},
};

// "+QCFG="nwscanmode"" values; 4G preferred is automatic with LTE first in
// "nwscanseq" (04 LTE).
constexpr std::pair<NetworkMode, int> kScanModes[] = {
    {NetworkMode::Automatic, 0},
    {NetworkMode::Only4G, 3},
    {NetworkMode::Only3G, 2},
    {NetworkMode::Only2G, 1},
};
constexpr char kLteFirst[] = "04";
constexpr char kAnyOrder[] = "00";

// "+ZSNT" <cm_mode> values; the family has no form that lists them.
constexpr std::pair<NetworkMode, int> kZsntModes[] = {
    {NetworkMode::Automatic, 0},
    {NetworkMode::Only4G, 6},
    {NetworkMode::Only3G, 2},
    {NetworkMode::Only2G, 1},
};

QString textOf(int value) {
    return QString::number(value);
}
QString textOf(const char* value) {
    return QString::fromLatin1(value);
}

template <typename Table>
std::optional<NetworkMode> modeOf(const Table& table, const QString& value) {
    for (const auto& [mode, v] : table) {
        if (textOf(v) == value)
            return mode;
    }
    return std::nullopt;
}

QList<NetworkMode> sorted(QList<NetworkMode> modes) {
    std::sort(modes.begin(), modes.end());
    modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
    return modes;
}

} // namespace

// --- status --------------------------------------------------------------------

void SerialThread::enableNetworkReports(const AtCaller& caller, AtDone<bool> done) {
    for (AtCmd id : {AtCmd::RegistrationReports, AtCmd::PacketReports, AtCmd::EpsReports})
        send(caller, id, nullptr);
    if (dialect == Dialect::Nwscanmode)
        send(caller, AtCmd::SignalReports, nullptr);
    ask(
        caller, AtCmd::OperatorLongName, AtLine(atCommand(AtCmd::OperatorLongName)),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::getRegistration(const AtCaller& caller, RegistrationKind kind,
                                   AtDone<std::optional<RegistrationState>> done) {
    static constexpr AtCmd kQueries[] = {AtCmd::RegistrationQuery, AtCmd::PacketQuery,
                                         AtCmd::EpsQuery};
    const AtCmd id = kQueries[static_cast<int>(kind)];
    ask(
        caller, id, AtLine(atCommand(id)),
        [kind](const AtReply& reply) -> std::optional<RegistrationState> {
            if (!reply.ok())
                return std::nullopt;
            return parseRegistrationReply(reply.text, kind);
        },
        std::move(done));
}

void SerialThread::getCurrentOperator(const AtCaller& caller,
                                      AtDone<std::optional<CurrentOperator>> done) {
    ask(
        caller, AtCmd::CurrentOperator, AtLine(atCommand(AtCmd::CurrentOperator)),
        [](const AtReply& reply) -> std::optional<CurrentOperator> {
            if (!reply.ok())
                return std::nullopt;
            return parseCurrentOperator(reply.text);
        },
        std::move(done));
}

void SerialThread::getExtendedSignal(const AtCaller& caller, AtDone<std::optional<int>> done) {
    ask(
        caller, AtCmd::ExtendedSignal, AtLine(atCommand(AtCmd::ExtendedSignal)),
        [](const AtReply& reply) -> std::optional<int> {
            if (!reply.ok())
                return std::nullopt;
            return parseExtendedSignalBars(reply.text);
        },
        std::move(done));
}

// --- mode preference -------------------------------------------------------------

void SerialThread::getNetworkModes(const AtCaller& caller, AtDone<QList<NetworkMode>> done) {
    const auto keep = [this, done](QList<NetworkMode> modes) {
        networkModes = sorted(std::move(modes));
        if (done)
            done(networkModes);
    };
    send(caller, AtCmd::Ws46List, [this, caller, keep](const AtReply& ws46) {
        QList<NetworkMode> modes;
        for (const QString& value :
             ws46.ok() ? parseModeChoices(ws46.text, ModeSetting::Ws46) : QStringList())
            if (const std::optional<NetworkMode> mode = modeOf(kWs46, value))
                modes.append(*mode);
        ws46_ = !modes.isEmpty();
        if (ws46_ || dialect == Dialect::Standard || dialect == Dialect::Maker)
            return keep(modes);
        if (dialect == Dialect::Zsnt) {
            for (const auto& [mode, value] : kZsntModes)
                modes.append(mode);
            return keep(modes);
        }
        if (dialect == Dialect::Syscfgex) {
            return send(caller, AtCmd::SyscfgexList, [this, keep](const AtReply& list) {
                QList<NetworkMode> modes;
                for (const QString& order : list.ok()
                                                ? parseModeChoices(list.text, ModeSetting::Syscfgex)
                                                : QStringList()) {
                    const std::optional<NetworkMode> mode = modeOf(kAcquisitionOrders, order);
                    if (mode == NetworkMode::Preferred4G && preferredOrder_.isEmpty())
                        preferredOrder_ = order.toLatin1();
                    if (mode)
                        modes.append(*mode);
                }
                keep(modes);
            });
        }
        send(caller, AtCmd::QcfgList, [keep](const AtReply& list) {
            QList<NetworkMode> modes;
            const QStringList values =
                list.ok() ? parseModeChoices(list.text, ModeSetting::ScanMode) : QStringList();
            for (const QString& value : values)
                if (const std::optional<NetworkMode> mode = modeOf(kScanModes, value))
                    modes.append(*mode);
            if (values.contains(u"0") &&
                !parseModeChoices(list.text, ModeSetting::ScanSequence).isEmpty())
                modes.append(NetworkMode::Preferred4G);
            keep(modes);
        });
    });
}

void SerialThread::getNetworkMode(const AtCaller& caller, AtDone<std::optional<NetworkMode>> done) {
    const auto answer = [done](std::optional<NetworkMode> mode) {
        if (done)
            done(mode);
    };
    const auto first = [](const AtReply& reply, ModeSetting setting) -> QString {
        return reply.ok() ? parseModeSetting(reply.text, setting).value_or(QString()) : QString();
    };
    if (ws46_ || dialect == Dialect::Standard) {
        return send(caller, AtCmd::Ws46Query, [answer, first](const AtReply& reply) {
            answer(modeOf(kWs46, first(reply, ModeSetting::Ws46)));
        });
    }
    switch (dialect) {
    case Dialect::Syscfgex:
        return send(caller, AtCmd::SyscfgexQuery, [answer, first](const AtReply& reply) {
            const QString order = first(reply, ModeSetting::Syscfgex);
            // LTE first and more after it: 4G preferred, whatever follows.
            if (order.size() > 2 && order.startsWith(u"03"))
                return answer(NetworkMode::Preferred4G);
            answer(modeOf(kAcquisitionOrders, order));
        });
    case Dialect::Nwscanmode:
        return send(
            caller, AtCmd::ScanModeQuery, [this, caller, answer, first](const AtReply& reply) {
                const std::optional<NetworkMode> mode =
                    modeOf(kScanModes, first(reply, ModeSetting::ScanMode));
                if (mode != NetworkMode::Automatic ||
                    !networkModes.contains(NetworkMode::Preferred4G))
                    return answer(mode);
                send(caller, AtCmd::ScanSequenceQuery, [answer, first](const AtReply& sequence) {
                    const bool lteFirst = first(sequence, ModeSetting::ScanSequence)
                                              .startsWith(QLatin1StringView(kLteFirst));
                    answer(lteFirst ? NetworkMode::Preferred4G : NetworkMode::Automatic);
                });
            });
    case Dialect::Zsnt:
        return send(caller, AtCmd::ZsntQuery, [answer, first](const AtReply& reply) {
            answer(modeOf(kZsntModes, first(reply, ModeSetting::Zsnt)));
        });
    default:
        return answer(std::nullopt);
    }
}

void SerialThread::setNetworkMode(const AtCaller& caller, NetworkMode mode, AtDone<bool> done) {
    const auto ok = [](const AtReply& reply) { return reply.ok(); };
    const auto valueOf = [](const auto& table, NetworkMode wanted) -> int {
        for (const auto& [m, value] : table)
            if (m == wanted)
                return value;
        return -1;
    };
    AtLine refused("");
    refused.arg(nullptr); // a mode the card doesn't have: nothing is sent
    if (!networkModes.isEmpty() && !networkModes.contains(mode))
        return ask(caller, AtCmd::SetWs46, refused, ok, std::move(done));
    if (ws46_ || dialect == Dialect::Standard) {
        const int value = valueOf(kWs46, mode);
        return ask(caller, AtCmd::SetWs46,
                   value < 0 ? refused : AtLine(atCommand(AtCmd::SetWs46)).number(value), ok,
                   std::move(done));
    }
    switch (dialect) {
    case Dialect::Syscfgex: {
        // 4G preferred in the order the card listed ("030201" or "0302").
        QByteArray order = mode == NetworkMode::Preferred4G ? preferredOrder_ : QByteArray();
        for (const auto& [m, value] : kAcquisitionOrders) {
            if (m == mode && order.isEmpty() && mode != NetworkMode::Preferred4G)
                order = value;
        }
        AtLine line(atCommand(AtCmd::SetSyscfgex));
        line.arg(order.constData()).text("\",3FFFFFFF,2,4,7FFFFFFFFFFFFFFF,,");
        return ask(caller, AtCmd::SetSyscfgex, order.isEmpty() ? refused : line, ok,
                   std::move(done));
    }
    case Dialect::Nwscanmode: {
        const int value =
            valueOf(kScanModes, mode == NetworkMode::Preferred4G ? NetworkMode::Automatic : mode);
        AtLine line(atCommand(AtCmd::SetScanMode));
        line.number(value).text(",1");
        if (!networkModes.contains(NetworkMode::Preferred4G))
            return ask(caller, AtCmd::SetScanMode, line, ok, std::move(done));
        // The scan order goes with it: LTE first for 4G preferred, the
        // card's own order otherwise.
        return send(
            caller, AtCmd::SetScanMode, line, [this, caller, mode, done](const AtReply& set) {
                if (!set.ok())
                    return done ? done(false) : void();
                AtLine sequence(atCommand(AtCmd::SetScanSequence));
                sequence.arg(mode == NetworkMode::Preferred4G ? kLteFirst : kAnyOrder).text(",1");
                ask(
                    caller, AtCmd::SetScanSequence, sequence,
                    [](const AtReply& reply) { return reply.ok(); }, done);
            });
    }
    case Dialect::Zsnt: {
        const int value = valueOf(kZsntModes, mode);
        return ask(caller, AtCmd::SetZsnt,
                   value < 0 ? refused
                             : AtLine(atCommand(AtCmd::SetZsnt)).number(value).text(",0,0"),
                   ok, std::move(done));
    }
    default:
        return ask(caller, AtCmd::SetWs46, refused, ok, std::move(done));
    }
}
