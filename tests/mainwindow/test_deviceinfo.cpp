#include "mainwindow/ui/deviceinfo.h"

#include <QtTest>

// What the information panel shows of the modem's replies.
class TestDeviceInfo : public QObject {
    Q_OBJECT
private slots:
    void shownFromReply_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* field, const char* name, const char* reply,
                            const char* shown) {
            QTest::addRow("%s: %s", field, name)
                << QString(field) << QString(reply) << QString(shown);
        };
        row("firmware", "echo", "AT+GMR\r\r\nV1.2.3B04\r\n\r\nOK\r\n", "V1.2.3B04");
        row("firmware", "no echo", "\r\nV1.2.3B04\r\n\r\nOK\r\n", "V1.2.3B04");
        row("firmware", "prefixed", "AT+GMR\r\r\n+GMR: V2.0 build 7\r\n\r\nOK\r\n", "V2.0");
        row("firmware", "first word", "AT+GMR\r\r\nR1A01 2007/01/02\r\n\r\nOK\r\n", "R1A01");
        row("firmware", "empty", "", "");
        row("firmware", "bare OK", "AT+GMR\r\r\nOK\r\n", "");
        row("imei", "echo", "AT+CGSN\r\r\n356938035643809\r\n\r\nOK\r\n", "356938035643809");
        row("imei", "prefixed", "AT+CGSN\r\r\n+CGSN: 356938035643809\r\n\r\nOK\r\n",
            "356938035643809");
        row("imei", "error", "AT+CGSN\r\r\n+CME ERROR: 10\r\n", "Not Found");
        row("imei", "too short", "AT+CGSN\r\r\n12345\r\n\r\nOK\r\n", "");
        row("imei", "empty", "", "");
        row("isdn", "named", "AT+CNUM\r\r\n+CNUM: \"Own\",\"+46701234567\",145\r\n\r\nOK\r\n",
            "+46701234567");
        row("isdn", "unnamed", "AT+CNUM\r\r\n+CNUM: ,\"0701234567\",129\r\n\r\nOK\r\n",
            "0701234567");
        row("isdn", "no digits", "AT+CNUM\r\r\n+CNUM: \"\",\"\",129\r\n\r\nOK\r\n", "");
        row("isdn", "no entry", "AT+CNUM\r\r\nOK\r\n", "");
        row("isdn", "truncated", "+CNUM: \"Own\"", "");
    }
    void shownFromReply() {
        QFETCH(QString, field);
        QFETCH(QString, reply);
        QFETCH(QString, expected);
        const QString shown = field == "firmware" ? firmwareFromReply(reply)
                              : field == "imei"   ? imeiFromReply(reply)
                                                  : isdnFromReply(reply);
        QCOMPARE(shown, expected);
    }
};

QTEST_GUILESS_MAIN(TestDeviceInfo)
#include "test_deviceinfo.moc"
