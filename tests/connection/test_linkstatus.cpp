#include "app/systempaths.h"
#include "connection/linkstatus.h"
#include "connection/traffic.h"
#include "tests/support/testenv.h"

#include <QtTest>
#include <cstring>

namespace {

const QByteArray Header =
    "Inter-|   Receive                                                |  Transmit\n"
    " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs "
    "drop fifo colls carrier compressed\n"
    "    lo:  987654     100    0    0    0     0          0         0   987654     100    0 "
    "   0    0     0       0          0\n";

QString formatted(const char* digits) {
    char out[CountTextSize];
    std::memset(out, 'x', sizeof out);
    Convert_Discharge(digits, out);
    return QString::fromLatin1(out);
}

} // namespace

class TestLinkStatus : public QObject {
    Q_OBJECT
private slots:
    void readsThePpp0Line_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("transmitted");
        const auto row = [](const char* tag, const QByteArray& line, const char* received,
                            const char* transmitted) {
            QTest::newRow(tag) << line << QByteArray(received) << QByteArray(transmitted);
        };
        row("glued", "ppp0:1234 5 0 0 0 0 0 0 5678 7 0 0 0 0 0 0\n", "1234", "5678");
        row("spaced", "  ppp0: 1234 5 0 0 0 0 0 0 5678 7 0 0 0 0 0 0\n", "1234", "5678");
        row("kernel layout",
            "  ppp0:123456789012     253    0    0    0     0          0         "
            "0    19710      77    0    0    0     0       0          0\n",
            "123456789012", "19710");
        row("other interfaces only", "ppp01: 11 1 0 0 0 0 0 0 22 2 0 0 0 0 0 0\n", "0", "0");
        row("short line", "ppp0: 42\n", "42", "");
        row("counter too long for its buffer", "ppp0: 123456789012345678901234 1 0 0 0 0 0 0 9 1\n",
            "1234567890123456789", "9");
    }
    void readsThePpp0Line() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, transmitted);
        TestEnv env;
        env.writeRootFile("/proc/net/dev", Header + line);
        char rx[RawCountSize];
        char tx[RawCountSize];
        Read_ip_amount(rx, tx);
        QCOMPARE(QByteArray(rx), received);
        QCOMPARE(QByteArray(tx), transmitted);
    }

    void unreadableStatisticsLeaveTheBuffers() {
        TestEnv env;
        char rx[RawCountSize] = "7";
        char tx[RawCountSize] = "8";
        Read_ip_amount(rx, tx);
        QCOMPARE(QByteArray(rx), QByteArray("7"));
        Read_ip_amount(nullptr, tx);
        char rxText[CountTextSize];
        char txText[CountTextSize];
        env.writeRootFile("/proc/net/dev", Header);
        datastatic(rxText, txText);
        QCOMPARE(QByteArray(rxText), QByteArray("0B"));
        QCOMPARE(QByteArray(txText), QByteArray("0B"));
    }

    void unitsOfTheCounts() {
        QCOMPARE(formatted("1023"), QString("1023B"));
        QCOMPARE(formatted("1024"), QString("1.00KB"));
        QCOMPARE(formatted("1536"), QString("1.50KB"));
        QCOMPARE(formatted("1048576"), QString("1.00MB"));
        QCOMPARE(formatted("1073741824"), QString("1.00GB"));
        QCOMPARE(formatted(""), QString("0B"));
        QCOMPARE(formatted("9999999999999999999"), QString("9313225728.00GB"));
    }

    void connectedTime() {
        QCOMPARE(timeFormat(0), QString("00:00:00"));
        QCOMPARE(timeFormat(3661000), QString("01:01:01"));
        QCOMPARE(timeFormat(90000000), QString("25:00:00"));
        QCOMPARE(timeFormat(359999999), QString("99:59:59"));
        QCOMPARE(timeFormat(360000000), QString("100:00:00"));
        // Counted from when pppd wrote its pid file, not from the connect check.
        TestEnv env;
        QCOMPARE(linkUpForMs(), 0);
        env.writeRootFile("/var/run/ppp0.pid", "4242\n");
        QFile pid(SystemPaths::pppPidFile());
        QVERIFY(pid.open(QIODevice::ReadWrite) &&
                pid.setFileTime(QDateTime::currentDateTime().addSecs(-65),
                                QFileDevice::FileModificationTime));
        QVERIFY(linkUpForMs() >= 65000 && linkUpForMs() < 70000);
    }

    // 192.168.1.1 refused and 172.15.0.1 taken are test_connection's.
    void plausibleDnsServers() {
        QVERIFY(!validateAutoDNS("10.11.0.1"));
        QVERIFY(!validateAutoDNS("172.16.0.1"));
        QVERIFY(!validateAutoDNS("172.31.255.1"));
        QVERIFY(!validateAutoDNS(""));
        QVERIFY(validateAutoDNS("172.32.0.1"));
        QVERIFY(validateAutoDNS("10.12.0.1"));

        TestEnv env;
        QCOMPARE(getAutoDNS(), 0);
        env.writeRootFile("/etc/ppp/resolv.conf", "nameserver \n");
        QCOMPARE(getAutoDNS(), 0);
        env.writeRootFile("/etc/ppp/resolv.conf", "nameserver 192.168.0.1\nnameserver 1.1.1.1\n");
        QCOMPARE(getAutoDNS(), 1);
        env.writeRootFile("/etc/ppp/resolv.conf", "nameserver 203.0.113.53\r\n");
        QCOMPARE(getAutoDNS(), 2);
    }
};

QTEST_GUILESS_MAIN(TestLinkStatus)
#include "test_linkstatus.moc"
