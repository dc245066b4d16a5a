#pragma once

// The typed results of the reply readers and the link's commands as short
// texts, so that tables can state them as a user would read them.

#include "modem/protocol/replies.h"

#include <QStringList>

#include <initializer_list>
#include <optional>
#include <utility>

template <typename E>
QString named(E value, std::initializer_list<std::pair<E, const char*>> names) {
    for (const auto& [known, name] : names) {
        if (known == value)
            return name;
    }
    return QString("?%1").arg(static_cast<int>(value));
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
    using enum SimState;
    return named(state, {{Ready, "ready"},
                         {PinRequired, "PIN"},
                         {PukRequired, "PUK"},
                         {Busy, "busy"},
                         {Failure, "failure"},
                         {NotInserted, "not inserted"},
                         {Unknown, "unknown"}});
}
inline QString shown(PinEntry entry) {
    using enum PinEntry;
    return named(entry, {{Accepted, "accepted"},
                         {Wrong, "wrong"},
                         {PukRequired, "PUK"},
                         {SimFailure, "failure"},
                         {Error, "error"}});
}
inline QString shown(PinChange change) {
    using enum PinChange;
    return named(change, {{Changed, "changed"},
                          {Wrong, "wrong"},
                          {PukRequired, "PUK"},
                          {NotAllowed, "not allowed"}});
}
inline QString shown(OperatingMode mode) {
    using enum OperatingMode;
    return named(mode, {{Online, "online"}, {Offline, "offline"}, {Unknown, "unknown"}});
}
inline QString shown(SimType type) {
    using enum SimType;
    return named(type, {{Sim, "SIM"}, {Usim, "USIM"}, {Busy, "busy"}, {Unknown, "unknown"}});
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
