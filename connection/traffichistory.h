#pragma once

// The amounts of data the connections moved, day by day, kept in
// Data/traffichistory: one line per day, "yyyy-MM-dd sent received seconds".
// A connection's bytes and time are added when it ends, shared out over the
// days it spanned in proportion to its time on each. The monthly limit
// counts the days of the current billing period.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <utility>

struct DayUsage {
    QDate day;
    qint64 sent = 0;
    qint64 received = 0;
    qint64 seconds = 0;
    qint64 bytes() const { return sent + received; }
};

class TrafficHistory {
public:
    // Days older than this are dropped when the file is written.
    static constexpr int kKeptDays = 400;

    // Reads `path` (the program's file when empty). A missing file is an
    // empty history; lines that can't be read are skipped.
    explicit TrafficHistory(QString path = {});

    // Adds a connection from `start` to `end` that sent and received so many
    // bytes. Nothing for an end before the start.
    void add(const QDateTime& start, const QDateTime& end, qint64 sent, qint64 received);
    // Writes the file atomically; false, with the old file kept, on failure.
    bool save() const;

    DayUsage day(QDate day) const;
    // The bytes of the days from `first` to `last`, both included.
    qint64 bytesBetween(QDate first, QDate last) const;
    // The `count` days up to `today`, oldest first, days without use included.
    QList<DayUsage> lastDays(QDate today, int count) const;

private:
    QString path_;
    QMap<QDate, DayUsage> days_;
};

QString trafficHistoryFile(); // Data/traffichistory

// The billing period that holds `today` when each starts on `billingDay` of
// a month (1-31; in a shorter month, on its last day): its first and last day.
std::pair<QDate, QDate> billingPeriod(QDate today, int billingDay);

// How far `used` bytes have come to a monthly `limit` (no limit when 0 or less).
enum class LimitLevel { Below, Warning, Reached };
inline constexpr int kLimitWarningPercent = 90;
LimitLevel limitLevel(qint64 used, qint64 limit);

// "1.50 MB" and the like, for the usage shown on the internet page.
QString byteText(qint64 bytes);
