#include "mainwindow/ui/deviceinfo.h"

#include <QtTest>

class TestDeviceInfo : public QObject {
    Q_OBJECT
private slots:
    void firmware_data();
    void firmware();
    void imei_data();
    void imei();
    void isdn_data();
    void isdn();
};

void TestDeviceInfo::firmware_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("expected");
    QTest::newRow("echo") << "AT+GMR\r\r\nV1.2.3B04\r\n\r\nOK\r\n"
                          << "V1.2.3B04";
    QTest::newRow("no echo") << "\r\nV1.2.3B04\r\n\r\nOK\r\n"
                             << "V1.2.3B04";
    QTest::newRow("prefixed") << "AT+GMR\r\r\n+GMR: V2.0 build 7\r\n\r\nOK\r\n"
                              << "V2.0";
    QTest::newRow("first word") << "AT+GMR\r\r\nR1A01 2007/01/02\r\n\r\nOK\r\n"
                                << "R1A01";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("bare OK") << "AT+GMR\r\r\nOK\r\n"
                             << "";
}

void TestDeviceInfo::firmware() {
    QFETCH(QString, reply);
    QFETCH(QString, expected);
    QCOMPARE(firmwareFromReply(reply), expected);
}

void TestDeviceInfo::imei_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("expected");
    QTest::newRow("echo") << "AT+CGSN\r\r\n356938035643809\r\n\r\nOK\r\n"
                          << "356938035643809";
    QTest::newRow("prefixed") << "AT+CGSN\r\r\n+CGSN: 356938035643809\r\n\r\nOK\r\n"
                              << "356938035643809";
    QTest::newRow("error") << "AT+CGSN\r\r\n+CME ERROR: 10\r\n"
                           << "Not Found";
    QTest::newRow("too short") << "AT+CGSN\r\r\n12345\r\n\r\nOK\r\n"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestDeviceInfo::imei() {
    QFETCH(QString, reply);
    QFETCH(QString, expected);
    QCOMPARE(imeiFromReply(reply), expected);
}

void TestDeviceInfo::isdn_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("expected");
    QTest::newRow("named") << "AT+CNUM\r\r\n+CNUM: \"Own\",\"+46701234567\",145\r\n\r\nOK\r\n"
                           << "+46701234567";
    QTest::newRow("unnamed") << "AT+CNUM\r\r\n+CNUM: ,\"0701234567\",129\r\n\r\nOK\r\n"
                             << "0701234567";
    QTest::newRow("no digits") << "AT+CNUM\r\r\n+CNUM: \"\",\"\",129\r\n\r\nOK\r\n"
                               << "";
    QTest::newRow("no entry") << "AT+CNUM\r\r\nOK\r\n"
                              << "";
    QTest::newRow("truncated") << "+CNUM: \"Own\""
                               << "";
}

void TestDeviceInfo::isdn() {
    QFETCH(QString, reply);
    QFETCH(QString, expected);
    QCOMPARE(isdnFromReply(reply), expected);
}

QTEST_GUILESS_MAIN(TestDeviceInfo)
#include "test_deviceinfo.moc"
