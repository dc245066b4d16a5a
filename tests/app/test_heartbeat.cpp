#include "app/heartbeat.h"
#include "tests/support/testenv.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestHeartbeat : public QObject {
    Q_OBJECT
private slots:
    // A loop blocked past the threshold is logged as a stall with its length,
    // how much of it went to waiting for a CPU and to computing, and when.
    void logsABlockedLoop() {
        QTemporaryDir dir;
        const QString log = dir.filePath("heartbeat.log");
        QObject owner;
        startHeartbeat(&owner, log, 100);
        QTest::qWait(60);

        QElapsedTimer blocked;
        blocked.start();
        while (blocked.elapsed() < 300) {
        }
        QTest::qWait(100);
        static const QRegularExpression stall("^stall (\\d+) wait \\d+ run \\d+ at (\\S+)$",
                                              QRegularExpression::MultilineOption);
        int longest = 0;
        for (const auto& match : stall.globalMatch(QString::fromLatin1(TestEnv::readFile(log)))) {
            QVERIFY(QDateTime::fromString(match.captured(2), Qt::ISODateWithMs).isValid());
            longest = std::max(longest, match.captured(1).toInt());
        }
        QVERIFY2(longest >= 250, qPrintable(QString::number(longest)));
    }
};

QTEST_GUILESS_MAIN(TestHeartbeat)
#include "test_heartbeat.moc"
