#include "connection/traffichistory.h"

#include "app/atomicfile.h"
#include "app/globals.h"

#include <QFile>
#include <QTimeZone>

#include <algorithm>

namespace {

constexpr const char* kDayFormat = "yyyy-MM-dd";

// `day` of the month of `date`, or the month's last day when it has fewer.
QDate dayInMonth(QDate date, int day) {
    return QDate(date.year(), date.month(), std::min(day, date.daysInMonth()));
}

} // namespace

QString trafficHistoryFile() {
    return dataFile(QStringLiteral("traffichistory"));
}

TrafficHistory::TrafficHistory(QString path)
    : path_(path.isEmpty() ? trafficHistoryFile() : std::move(path)) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().simplified().split(' ');
        if (fields.size() != 4 || fields[0].startsWith('#'))
            continue;
        DayUsage usage;
        usage.day = QDate::fromString(QString::fromLatin1(fields[0]), kDayFormat);
        bool ok[3] = {};
        usage.sent = fields[1].toLongLong(&ok[0]);
        usage.received = fields[2].toLongLong(&ok[1]);
        usage.seconds = fields[3].toLongLong(&ok[2]);
        if (!usage.day.isValid() || !ok[0] || !ok[1] || !ok[2] || usage.sent < 0 ||
            usage.received < 0 || usage.seconds < 0)
            continue;
        days_.insert(usage.day, usage);
    }
}

void TrafficHistory::add(const QDateTime& start, const QDateTime& end, qint64 sent,
                         qint64 received) {
    if (!start.isValid() || !end.isValid() || end < start)
        return;
    const qint64 totalMs = std::max<qint64>(start.msecsTo(end), 1);
    sent = std::max<qint64>(sent, 0);
    received = std::max<qint64>(received, 0);
    qint64 sentLeft = sent;
    qint64 receivedLeft = received;
    qint64 secondsLeft = start.secsTo(end);
    for (QDateTime from = start; from <= end;) {
        const QDate date = from.date();
        const QDateTime midnight(date.addDays(1), QTime(0, 0), from.timeZone());
        const bool last = midnight > end;
        const QDateTime to = last ? end : midnight;
        DayUsage& usage = days_[date];
        usage.day = date;
        if (last) {
            // The last day takes what is left, so nothing is lost to rounding.
            usage.sent += sentLeft;
            usage.received += receivedLeft;
            usage.seconds += secondsLeft;
            break;
        }
        // The day's share of the whole time, in long double: bytes times
        // milliseconds overflows 64 bits for a long, busy connection.
        const long double share = static_cast<long double>(from.msecsTo(to)) / totalMs;
        const auto daySent = static_cast<qint64>(sent * share);
        const auto dayReceived = static_cast<qint64>(received * share);
        const qint64 daySeconds = from.secsTo(to);
        usage.sent += daySent;
        usage.received += dayReceived;
        usage.seconds += daySeconds;
        sentLeft -= daySent;
        receivedLeft -= dayReceived;
        secondsLeft -= daySeconds;
        from = to;
    }
}

bool TrafficHistory::save() const {
    QByteArray text = "# day sent received seconds\n";
    const QDate oldest = days_.isEmpty() ? QDate() : days_.lastKey().addDays(-kKeptDays);
    for (const DayUsage& usage : days_) {
        if (usage.day <= oldest)
            continue;
        text += usage.day.toString(kDayFormat).toLatin1() + ' ' + QByteArray::number(usage.sent) +
                ' ' + QByteArray::number(usage.received) + ' ' + QByteArray::number(usage.seconds) +
                '\n';
    }
    return writeFileAtomically(path_, text);
}

DayUsage TrafficHistory::day(QDate day) const {
    DayUsage usage = days_.value(day);
    usage.day = day;
    return usage;
}

qint64 TrafficHistory::bytesBetween(QDate first, QDate last) const {
    qint64 bytes = 0;
    for (auto it = days_.lowerBound(first); it != days_.end() && it.key() <= last; ++it)
        bytes += it->bytes();
    return bytes;
}

QList<DayUsage> TrafficHistory::lastDays(QDate today, int count) const {
    QList<DayUsage> list;
    for (int i = count - 1; i >= 0; --i)
        list.append(day(today.addDays(-i)));
    return list;
}

std::pair<QDate, QDate> billingPeriod(QDate today, int billingDay) {
    billingDay = std::clamp(billingDay, 1, 31);
    QDate start = dayInMonth(today, billingDay);
    if (start > today)
        start = dayInMonth(today.addMonths(-1), billingDay);
    const QDate next = dayInMonth(start.addDays(1 - start.day()).addMonths(1), billingDay);
    return {start, next.addDays(-1)};
}

LimitLevel limitLevel(qint64 used, qint64 limit) {
    if (limit <= 0)
        return LimitLevel::Below;
    if (used >= limit)
        return LimitLevel::Reached;
    return used * 100 >= limit * kLimitWarningPercent ? LimitLevel::Warning : LimitLevel::Below;
}

QString byteText(qint64 bytes) {
    const double value = static_cast<double>(bytes);
    if (bytes < 1024)
        return QString("%1 B").arg(bytes);
    if (bytes < 1024 * 1024)
        return QString("%1 KB").arg(value / 1024, 0, 'f', 1);
    if (bytes < qint64(1024) * 1024 * 1024)
        return QString("%1 MB").arg(value / (1024 * 1024), 0, 'f', 1);
    return QString("%1 GB").arg(value / (1024.0 * 1024 * 1024), 0, 'f', 2);
}
