// The day-by-day history of the data used: connections shared out over the
// days they span, the file read back, the billing periods and the amounts
// shown.

#include "connection/traffichistory.h"
#include "tests/support/testenv.h"

#include <QtTest>

namespace {

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), "yyyy-MM-dd hh:mm:ss");
}
QDate date(const char* text) {
    return QDate::fromString(QString::fromLatin1(text), "yyyy-MM-dd");
}
// "sent/received/seconds" of a day.
QString usage(const TrafficHistory& history, const char* day) {
    const DayUsage u = history.day(date(day));
    return QString("%1/%2/%3").arg(u.sent).arg(u.received).arg(u.seconds);
}

} // namespace

class TestTrafficHistory : public QObject {
    Q_OBJECT
private slots:
    void init() { env_ = std::make_unique<TestEnv>(); }
    void cleanup() { env_.reset(); }

    void connectionsAreSharedOutOverTheirDays() {
        TrafficHistory history;
        history.add(at("2026-12-06 10:00:00"), at("2026-12-06 11:00:00"), 100, 900);
        // Two hours over midnight: half on each day.
        history.add(at("2026-12-06 23:00:00"), at("2026-12-07 01:00:00"), 1000, 2001);
        // Over two midnights: a whole day in the middle.
        history.add(at("2026-12-08 12:00:00"), at("2026-12-10 12:00:00"), 4000, 0);
        // An end before its start adds nothing.
        history.add(at("2026-12-11 12:00:00"), at("2026-12-11 11:00:00"), 5, 5);
        QCOMPARE(usage(history, "2026-12-06"), "600/1900/7200");
        QCOMPARE(usage(history, "2026-12-07"), "500/1001/3600");
        QCOMPARE(usage(history, "2026-12-08"), "1000/0/43200");
        QCOMPARE(usage(history, "2026-12-09"), "2000/0/86400");
        QCOMPARE(usage(history, "2026-12-10"), "1000/0/43200");
        QCOMPARE(usage(history, "2026-12-11"), "0/0/0");
        QCOMPARE(history.bytesBetween(date("2026-12-07"), date("2026-12-09")), 4501);
        // A terabyte over a day and a half: bytes times milliseconds doesn't fit 64 bits.
        TrafficHistory big(env_->base() + "/big");
        big.add(at("2026-12-20 12:00:00"), at("2026-12-22 00:00:00"), qint64(1) << 40, 3);
        QCOMPARE(big.day(date("2026-12-20")).sent, (qint64(1) << 40) / 3);
        QCOMPARE(big.bytesBetween(date("2026-12-20"), date("2026-12-22")), (qint64(1) << 40) + 3);
        const QList<DayUsage> week = history.lastDays(date("2026-12-10"), 7);
        QCOMPARE(week.size(), 7);
        QCOMPARE(week.first().day, date("2026-12-04"));
        QCOMPARE(week.last().bytes(), 1000);

        // The file reads back the same; lines that can't be read are skipped,
        // and days too old are dropped when it is written.
        history.add(at("2025-01-01 10:00:00"), at("2025-01-01 10:00:01"), 1, 1);
        QVERIFY(history.save());
        QFile file(trafficHistoryFile());
        QVERIFY(file.open(QIODevice::Append));
        file.write("2026-12-12 1 2\nnot a day 1 2 3\n2026-12-13 -1 0 0\n2026-13-01 1 1 1\n");
        file.close();
        const TrafficHistory read;
        for (const char* day : {"2026-12-06", "2026-12-07", "2026-12-09"})
            QCOMPARE(usage(read, day), usage(history, day));
        QCOMPARE(read.bytesBetween(date("2024-01-01"), date("2026-12-31")),
                 history.bytesBetween(date("2026-01-01"), date("2026-12-31")));
    }

    void billingPeriods_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("billingDay");
        QTest::addColumn<QString>("period"); // first and last day
        QTest::newRow("calendar month") << "2026-12-07" << 1 << "2026-12-01 2026-12-31";
        QTest::newRow("on the billing day") << "2026-12-15" << 15 << "2026-12-15 2027-01-14";
        QTest::newRow("the day before") << "2026-12-14" << 15 << "2026-11-15 2026-12-14";
        QTest::newRow("day 31 in February") << "2026-02-28" << 31 << "2026-02-28 2026-03-30";
        QTest::newRow("day 31 before February's end")
            << "2026-02-27" << 31 << "2026-01-31 2026-02-27";
        QTest::newRow("day 30, leap February") << "2028-02-29" << 30 << "2028-02-29 2028-03-29";
        QTest::newRow("over the year's end") << "2027-01-03" << 20 << "2026-12-20 2027-01-19";
        QTest::newRow("a day out of range counts as the first")
            << "2026-12-07" << 0 << "2026-12-01 2026-12-31";
    }
    void billingPeriods() {
        QFETCH(QString, today);
        QFETCH(int, billingDay);
        QFETCH(QString, period);
        const auto [from, to] = billingPeriod(QDate::fromString(today, Qt::ISODate), billingDay);
        QCOMPARE(from.toString(Qt::ISODate) + ' ' + to.toString(Qt::ISODate), period);
    }

    // The levels of the limit are in test_connection, as the user meets them.
    void amounts() {
        QCOMPARE(byteText(512), "512 B");
        QCOMPARE(byteText(1536), "1.5 KB");
        QCOMPARE(byteText(qint64(5) << 30), "5.00 GB");
    }

private:
    std::unique_ptr<TestEnv> env_;
};

QTEST_GUILESS_MAIN(TestTrafficHistory)
#include "test_traffichistory.moc"
