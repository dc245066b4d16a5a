// Identity, status, SIM and network commands against the simulator: what
// each sends (from the simulator's transcript) and what it makes of the
// answers.

#include "modem/portdiscovery.h"
#include "modem/serialthread.h"
#include "tests/modem/simlink.h"

#include <QTest>

#include <memory>
#include <vector>

class TestStatusCommands : public SimLinkTest {
    Q_OBJECT

private slots:
    void cleanup() {
        if (link)
            link->closePort();
        link.reset();
        sim.stop();
    }

    void identity() {
        QVERIFY(startWith("ready"));
        std::vector<char> out(AT_REPLY_SIZE);
        QCOMPARE(link->getIMEI(out.data()), 1);
        QVERIFY(QByteArray(out.data()).contains("358011020345678"));
        QCOMPARE(link->getGMR(out.data()), 1);
        QVERIFY(QByteArray(out.data()).contains("11.608.13.02.55"));
        QCOMPARE(link->getISDN(out.data()), 1);
        QVERIFY(QByteArray(out.data()).contains("+491701234567"));
        // A small buffer gets what fits.
        char small[8];
        QCOMPARE(link->getIMEI(small, sizeof small), 1);
        QCOMPARE(QByteArray(small), QByteArray("AT+CGSN"));
        QCOMPARE(sim.received(), (QStringList{"AT+CGSN", "AT+GMR", "AT+CNUM", "AT+CGSN"}));

        QVERIFY(sim.command({"on", "AT+CGSN", "reply", "ERROR"}));
        QCOMPARE(link->getIMEI(out.data()), -1);
        QVERIFY(sim.command({"on", "AT+GMR", "reply", "ERROR"}));
        QCOMPARE(link->getGMR(out.data()), 0);
        QVERIFY(sim.command({"sim", "remove"}));
        QCOMPARE(link->getISDN(out.data()), -1);
        QCOMPARE(link->getCIMI(), -1);
    }

    void status() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->getCIMI(), 1);
        QCOMPARE(link->getSignalQuality(), 5);
        const QList<std::pair<const char*, int>> levels = {
            {"15", 4}, {"0", 0}, {"99", 0}, {"3", 1}};
        for (const auto& [rssi, bars] : levels) {
            QVERIFY(sim.command({"signal", rssi, "99"}));
            QCOMPARE(link->getSignalQuality(), bars);
        }
        QVERIFY(link->get_YPAS_Res_Str().contains("CS_PS"));
        QVERIFY(link->get_YDON_Res_Str().contains("Tolva Mobile"));
        QVERIFY(sim.command({"on", "AT+YPAS?", "reply", "OK"}));
        QVERIFY(sim.command({"on", "AT+YDON?", "reply", "OK"}));
        QCOMPARE(link->get_YPAS_Res_Str(), QString("No Service"));
        QCOMPARE(link->get_YDON_Res_Str(), QString("Not Found"));

        QCOMPARE(link->getUSIM(), 1);
        QCOMPARE(int(link->usimType), 1);
        QCOMPARE(link->netCardStatus(), 1);
        QVERIFY(link->netCardPowOn(false));
        QCOMPARE(link->netCardStatus(), 0);
        QVERIFY(link->netCardPowOn(true));
        QCOMPARE(sim.received().mid(sim.received().size() - 4),
                 (QStringList{"AT+YOPRT?", "AT+YOPRT=6", "AT+YOPRT?", "AT+YOPRT=5"}));
        QVERIFY(link->stopScrollScreen());
        QCOMPARE(lastSent(), QString("AT+CPMS"));
        QCOMPARE(link->setChset("UCS2"), 1);
        QCOMPARE(lastSent(), QString("AT+CSCS=\"UCS2\""));
    }

    void platformProbe() {
        QVERIFY(startWith("ready"));
        link->isNewPlatform();
        QVERIFY(link->newPlatform);
        QCOMPARE(sim.received(), QStringList{"AT+YCPBR=?"});

        QVERIFY(startWith("oldusim"));
        link->newPlatform = true;
        link->isNewPlatform();
        QVERIFY(!link->newPlatform);
        QCOMPARE(sim.received(), (QStringList{"AT+YCPBR=?", "AT+YCPBM=?"}));
        QCOMPARE(link->getUSIM(), 1);
    }

    void simStates_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<int>("state");
        QTest::newRow("ready") << "ready" << 0;
        QTest::newRow("puk") << "puk" << 1;
        QTest::newRow("pin") << "pin" << 2;
        QTest::newRow("busy") << "busy" << 3;
        QTest::newRow("no sim") << "nosim" << 4;
    }
    void simStates() {
        QFETCH(QString, scenario);
        QFETCH(int, state);
        QVERIFY(startWith(scenario));
        QCOMPARE(link->connectDeviceNeedInputPIN(), state);
        QCOMPARE(lastSent(), QString("AT+CPIN?"));
    }

    // Three wrong PINs ask for the PUK; a wrong PUK, then the right one with a
    // new PIN.
    void pinAndPuk() {
        QVERIFY(startWith("pin"));
        QCOMPARE(link->inputPIN("0000"), 0);
        QCOMPARE(lastSent(), QString("AT+CPIN=\"0000\""));
        QCOMPARE(link->inputPIN("0001"), 0);
        QCOMPARE(link->inputPIN("0002"), 2);
        QCOMPARE(link->connectDeviceNeedInputPIN(), 1);
        QCOMPARE(link->inputPUK("00000000", "4321"), 0);
        QCOMPARE(link->inputPUK("12345678", "4321"), 1);
        QCOMPARE(lastSent(), QString("AT+CPIN=\"12345678\",\"4321\""));
        QCOMPARE(link->connectDeviceNeedInputPIN(), 0);
    }

    void pinLock() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->PINSetStatus(), 0);
        QCOMPARE(lastSent(), QString("AT+CLCK=\"SC\",2"));
        QCOMPARE(link->changePWD("1234", "4321"), -1); // not allowed while the lock is off
        QVERIFY(!link->lockPIN("9999"));
        QVERIFY(link->lockPIN("1234"));
        QCOMPARE(lastSent(), QString("AT+CLCK=\"SC\",1,\"1234\""));
        QCOMPARE(link->PINSetStatus(), 1);
        QCOMPARE(link->changePWD("9999", "4321"), 0);
        QCOMPARE(link->changePWD("1234", "4321"), 1);
        QCOMPARE(lastSent(), QString("AT+CPWD=\"SC\",\"1234\",\"4321\""));
        QVERIFY(link->unLockPIN("4321"));
        QCOMPARE(lastSent(), QString("AT+CLCK=\"SC\",0,\"4321\""));
        QCOMPARE(link->PINSetStatus(), 0);
    }

    // Arguments that would end the command line or close its quotes, and
    // lines too long for the command buffer, are refused without sending.
    void unsafeArgumentsRefused() {
        QVERIFY(startWith("ready"));
        const QByteArray longPin(300, '1');
        QCOMPARE(link->inputPIN("12\"34"), 0);
        QCOMPARE(link->inputPIN("1234\"\r\nAT+CFUN=0\r\n"), 0);
        QCOMPARE(link->inputPIN(longPin.constData()), 0);
        QCOMPARE(link->inputPIN(nullptr), 0);
        QCOMPARE(link->inputPUK("12345678", "1\x1a"), 0);
        QVERIFY(!link->lockPIN("1\"2"));
        QCOMPARE(link->changePWD("1234", "1\x1b"), 0);
        QCOMPARE(link->setManualNetworkMode("1", "2", "\"26201\"\r\nAT+CFUN=0", "2"), -1);
        QCOMPARE(link->setConnectPara("IP", "net\",\"x", nullptr), -1);
        QCOMPARE(link->setChset(nullptr), -1);
        QVERIFY(sim.received().isEmpty());
    }

    void network() {
        QVERIFY(startWith("ready"));
        std::vector<char> list(AT_REPLY_SIZE);
        QCOMPARE(link->getNetworkList(list.data()), 1);
        QVERIFY(QByteArray(list.data()).contains("\"Tolva Mobile\""));
        // The operator list is cut to the caller's buffer.
        char small[1024];
        std::fill(std::begin(small), std::end(small), 'x');
        QVERIFY(sim.command({"on", "AT+COPS=?", "reply", "+COPS: " + QString(3000, '('), "OK"}));
        QCOMPARE(link->getNetworkList(small, sizeof small), 1);
        QCOMPARE(qstrlen(small), 1023u);

        QCOMPARE(link->setManualNetworkMode("1", "2", "\"26201\"", "2"), 1);
        QCOMPARE(lastSent(), QString("AT+COPS=1,2,\"26201\",2"));
        QCOMPARE(link->setManualNetworkMode("1", "2", "\"26203\"", "0"), 0); // forbidden

        QCOMPARE(link->getNetworkSelectionMode(), 3);
        for (int mode = 1; mode <= 4; ++mode) {
            QCOMPARE(link->setNetworkSelectionMode(mode), 1);
            QCOMPARE(link->getNetworkSelectionMode(), mode);
        }
        const qsizetype sent = sim.received().size();
        QCOMPARE(link->setNetworkSelectionMode(0), -1);
        QCOMPARE(link->setNetworkSelectionMode(5), -1);
        QCOMPARE(sim.received().size(), sent);
    }

    void pdpContext() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->setConnectPara("IP", "internet.example", nullptr), 1);
        QCOMPARE(lastSent(), QString("AT+CGDCONT=1,\"IP\",\"internet.example\""));
        QCOMPARE(link->setConnectPara("IP", "web", "10.1.2.3"), 1);
        QCOMPARE(lastSent(), QString("AT+CGDCONT=1,\"IP\",\"web\",\"10.1.2.3\""));
    }
};

QTEST_GUILESS_MAIN(TestStatusCommands)
#include "test_statuscommands.moc"
