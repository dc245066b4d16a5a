// What the information panel shows of the simulated card.

#include "mainwindow/ui/deviceinfopanel.h"
#include "modem/serialthread.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QtTest>

class TestDeviceInfo : public QObject {
    Q_OBJECT
private slots:
    // The card's answer to one question, and the panel's line for it.
    void shown_data() {
        QTest::addColumn<QString>("line");       // the label's object name
        QTest::addColumn<QStringList>("answer"); // the simulator's override; none: its own
        QTest::addColumn<QString>("shown");
        QTest::newRow("firmware") << "firmware" << QStringList() << "Firmware Version: ";
        QTest::newRow("firmware, first word")
            << "firmware" << QStringList{"AT+GMR", "reply", "R1A01 2007/01/02", "OK"}
            << "Firmware Version: R1A01";
        QTest::newRow("imei") << "imei" << QStringList() << "IMEI: ";
        QTest::newRow("imei refused")
            << "imei" << QStringList{"AT+CGSN", "reply", "+CME ERROR: 10"} << "IMEI: Not Found";
        QTest::newRow("own number")
            << "isdn"
            << QStringList{"AT+CNUM", "reply", "+CNUM: \"Own\",\"+46701234567\",145", "OK"}
            << "ISDN: +46701234567";
        QTest::newRow("own number without digits")
            << "isdn" << QStringList{"AT+CNUM", "reply", "+CNUM: \"\",\"\",129", "OK"} << "";
    }
    void shown() {
        QFETCH(QString, line);
        QFETCH(QStringList, answer);
        QFETCH(QString, shown);
        TestEnv env;
        ModemSim sim;
        QVERIFY(sim.start("ready"));
        QVERIFY(sim.command({"ping"}));
        if (!answer.isEmpty())
            QVERIFY(sim.command(QStringList{"on"} + answer));
        SerialThread link;
        link.firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link.openPort(sim.atPort()) >= 0);
        DeviceInfoPanel panel(nullptr, &link);
        panel.queryModem();
        QTRY_VERIFY(link.idle());
        const QString text = panel.findChild<QLabel*>(line)->text();
        if (shown.endsWith(": "))
            QVERIFY2(text.startsWith(shown) && text.size() > shown.size(), qPrintable(text));
        else
            QCOMPARE(text, shown);
    }
};

QTEST_MAIN(TestDeviceInfo)
#include "test_deviceinfo.moc"
