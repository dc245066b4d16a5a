#include "app/heartbeat.h"

#include <QElapsedTimer>
#include <QFile>
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
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int longest = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.value(0) != "stall")
                continue;
            QCOMPARE(words.size(), 8);
            QCOMPARE(words.value(2), QByteArray("wait"));
            QCOMPARE(words.value(4), QByteArray("run"));
            QVERIFY(QDateTime::fromString(QString::fromLatin1(words.value(7)), Qt::ISODateWithMs)
                        .isValid());
            longest = std::max(longest, words.value(1).toInt());
        }
        QVERIFY2(longest >= 250, qPrintable(QString::number(longest)));
    }
};

QTEST_GUILESS_MAIN(TestHeartbeat)
#include "test_heartbeat.moc"
