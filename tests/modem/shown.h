#pragma once

// The typed results of the reply readers and the link's commands as short
// texts, so that tables can state them as a user would read them.

#include "modem/dialect.h"
#include "modem/protocol/replies.h"

#include <QStringList>

#include <optional>

// The name of an enumerator: `names` in the order the enumeration declares them.
template <typename E, size_t N> QString named(E value, const char* const (&names)[N]) {
    const auto at = static_cast<size_t>(value);
    return at < N ? QString(names[at]) : QString("?%1").arg(at);
}

inline QString shown(bool value) {
    return value ? "yes" : "no";
}
inline QString shown(int value) {
    return QString::number(value);
}
inline QString shown(const QString& value) {
    return value;
}
inline QString shown(SimState state) {
    static const char* const names[] = {"ready",   "PIN",          "PUK",    "busy",
                                        "failure", "not inserted", "unknown"};
    return named(state, names);
}
inline QString shown(PinEntry entry) {
    static const char* const names[] = {"accepted", "wrong", "PUK",
                                        "failure",  "error", "no answer"};
    return named(entry, names);
}
inline QString shown(PinChange change) {
    static const char* const names[] = {"changed", "wrong", "PUK", "not allowed"};
    return named(change, names);
}
inline QString shown(OperatingMode mode) {
    static const char* const names[] = {"online", "offline", "unknown"};
    return named(mode, names);
}
inline QString shown(Dialect dialect) {
    static const char* const names[] = {"maker", "standard", "syscfgex", "nwscanmode", "zsnt"};
    return named(dialect, names);
}
inline QString shown(NetworkMode mode) {
    static const char* const names[] = {"auto", "4G only", "4G preferred", "3G only", "2G only"};
    return named(mode, names);
}
inline QString shown(SimType type) {
    static const char* const names[] = {"SIM", "USIM", "busy", "unknown"};
    return named(type, names);
}
inline QString shown(const ServiceStatus& status) {
    return status.service + "/" + status.domain;
}
inline QString shown(const ServiceCentre& centre) {
    return QString("'%1' %2").arg(centre.number).arg(centre.type);
}
inline QString shown(const OperatorEntry& o) {
    return QString("%1 '%2' '%3' %4 %5")
        .arg(o.stat)
        .arg(o.longName, o.shortName, o.numeric)
        .arg(o.act);
}
// A message: index, status, alpha, length and the start of its PDU.
inline QString shown(const ModemMessage& m) {
    return QString("%1 %2 '%3' %4 %5")
        .arg(m.index)
        .arg(m.stat)
        .arg(m.alpha)
        .arg(m.length)
        .arg(m.pdu.left(12));
}
inline QString shown(const PhonebookEntry& e) {
    return QString("%1 '%2' %3 '%4'").arg(e.index).arg(e.number).arg(e.type).arg(e.name);
}

template <typename T> QString shown(const std::optional<T>& value) {
    return value ? shown(*value) : QString("none");
}
template <typename T> QString shown(const QList<T>& values) {
    QStringList out;
    for (const T& value : values)
        out << shown(value);
    return out.join(" | ");
}
