// Radio and network of the simulator (signal, service, operator list and
// manual selection, mode preference, operating mode) and the data port
// (dialling as a dialer does, data, escape, hang-up, the port closed).

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
}

class TestModemSimNetwork : public QObject {
    Q_OBJECT

private slots:
    void statusQueriesFollowControl();
    void operatorListAndManualSelection();
    void modePreferenceAndOperatingMode();
    void dialsLikeADialerExpects();
    void callEndsWhenThePortCloses();
    void noCallWithoutSimOrOnTheAtPort();
};

void TestModemSimNetwork::statusQueriesFollowControl() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+YPAS?"), "\r\n+YPAS: \"UMTS\",\"CS_PS\"\r\n" + OK);
    QCOMPARE(at.answer("AT+YDON?"), "\r\n+YDON: \"Tolva Mobile\"\r\n" + OK);
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 22,99\r\n" + OK);
    QVERIFY(sim.command({"signal", "3"}));
    QVERIFY(sim.command({"service", "GSM", "CS_ONLY"}));
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 3,99\r\n" + OK);
    QCOMPARE(at.answer("AT+YPAS?"), "\r\n+YPAS: \"GSM\",\"CS_ONLY\"\r\n" + OK);
    // Without service or operator the vendor queries give OK alone.
    QVERIFY(sim.command({"service", "none"}));
    QVERIFY(sim.command({"operator", "none"}));
    QCOMPARE(at.answer("AT+YPAS?"), OK);
    QCOMPARE(at.answer("AT+YDON?"), OK);
    QCOMPARE(at.answer("AT+COPS?"), "\r\n+COPS: 0\r\n" + OK);
    QCOMPARE(at.answer("AT+CREG?"), "\r\n+CREG: 0,2\r\n" + OK);
}

void TestModemSimNetwork::operatorListAndManualSelection() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(
        at.answer("AT+COPS=?"),
        "\r\n+COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26207\",2),(1,\"Mirel\",\"Mirel\",\"26201\",2),"
        "(1,\"Mirel\",\"Mirel\",\"26201\",0),(3,\"Borra Net\",\"Borra\",\"26203\",0),,"
        "(0,1,3,4),(0,2)\r\n" +
            OK);
    // The numeric code with or without quotes; the technology must match.
    QCOMPARE(at.answer("AT+COPS=1,2,26201,0"), OK);
    QCOMPARE(at.answer("AT+YDON?"), "\r\n+YDON: \"Mirel\"\r\n" + OK);
    QCOMPARE(at.answer("AT+COPS?"), "\r\n+COPS: 1,2,\"26201\",0\r\n" + OK);
    QCOMPARE(at.answer("AT+COPS=1,2,\"26207\",2"), OK);
    QCOMPARE(at.answer("AT+COPS=3,0"), OK);
    QCOMPARE(at.answer("AT+COPS?"), "\r\n+COPS: 1,0,\"Tolva Mobile\",2\r\n" + OK);
    QCOMPARE(at.answer("AT+COPS=1,2,26207,0"),
             QByteArray("\r\n+CME ERROR: no network service\r\n"));
    QCOMPARE(at.answer("AT+COPS=1,2,26203,0"),
             QByteArray("\r\n+CME ERROR: network not allowed - emergency calls only\r\n"));
    QCOMPARE(at.answer("AT+COPS=1,2,26201,"), OK); // empty technology: any
    QCOMPARE(at.answer("AT+COPS=0"), OK);
    QVERIFY(at.answer("AT+COPS=?").startsWith("\r\n+COPS: (1,\"Tolva Mobile\""));
    QVERIFY(sim.events().contains("registered on 26201 Mirel"));
}

void TestModemSimNetwork::modePreferenceAndOperatingMode() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+YSNT?"), "\r\n+YSNT: 2,0,0\r\n" + OK);
    QCOMPARE(at.answer("AT+YSNT=0,0,1"), OK);
    QCOMPARE(at.answer("AT+YSNT?"), "\r\n+YSNT: 0,0,1\r\n" + OK);
    QCOMPARE(at.answer("AT+YSNT=0,0"), QByteArray("\r\nERROR\r\n"));
    QCOMPARE(at.answer("AT+YOPRT?"), "\r\n+YOPRT: 5\r\n" + OK);
    QCOMPARE(at.answer("AT+YOPRT=6"), OK);
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 99,99\r\n" + OK);
    QCOMPARE(at.answer("AT+YPAS?"), OK);
    QCOMPARE(at.answer("AT+CFUN?"), "\r\n+CFUN: 4\r\n" + OK);
    QCOMPARE(at.answer("AT+CFUN=1"), OK);
    QCOMPARE(at.answer("AT+YOPRT?"), "\r\n+YOPRT: 5\r\n" + OK);
    QCOMPARE(at.answer("AT+CGDCONT=1,\"IP\",\"internet.tolva\""), OK);
    QCOMPARE(at.answer("AT+CGDCONT?"), "\r\n+CGDCONT: 1,\"IP\",\"internet.tolva\"\r\n" + OK);
    QCOMPARE(at.answer("AT+CGDCONT=17,\"IP\",\"x\""), QByteArray("\r\nERROR\r\n"));
}

void TestModemSimNetwork::dialsLikeADialerExpects() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient data(sim.dataPort());
    QCOMPARE(data.command("ATZ"), "ATZ\r\n" + OK);
    QCOMPARE(data.command("ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0"),
             "ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0\r\n" + OK);
    QCOMPARE(data.command("ATDT*99#"), QByteArray("ATDT*99#\r\n\r\nCONNECT\r\n"));
    // Now bytes are data, not commands.
    data.write("AT\r\n");
    QCOMPARE(data.readFor(150), QByteArray());
    data.write("+++");
    QCOMPARE(data.readUntil(OK, 2000), OK);
    QCOMPARE(data.answer("ATH"), OK);
    QCOMPARE(data.command("ATD*99#"), QByteArray("ATD*99#\r\n\r\nCONNECT\r\n"));
    QVERIFY(sim.command({"hangup"}));
    QCOMPARE(data.readUntil("NO CARRIER\r\n", 2000), QByteArray("\r\nNO CARRIER\r\n"));
    QCOMPARE(data.answer("AT"), OK);
    QVERIFY(sim.events().contains("dial *99#"));
    QVERIFY(sim.received("data").contains("data 4 bytes"));
}

void TestModemSimNetwork::callEndsWhenThePortCloses() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    {
        PtyClient data(sim.dataPort());
        QCOMPARE(data.command("ATDT*99#"), QByteArray("ATDT*99#\r\n\r\nCONNECT\r\n"));
    }
    // The next dialer starts in command mode, as after a DTR drop.
    QTRY_VERIFY(sim.events().contains("call ended: port closed"));
    PtyClient again(sim.dataPort());
    QCOMPARE(again.command("ATZ"), "ATZ\r\n" + OK);
}

void TestModemSimNetwork::noCallWithoutSimOrOnTheAtPort() {
    ModemSim sim;
    QVERIFY(sim.start("pin"));
    PtyClient data(sim.dataPort());
    QCOMPARE(data.answer("ATDT*99#"), QByteArray("\r\nNO CARRIER\r\n"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPIN=\"1234\""), OK);
    QCOMPARE(at.answer("ATDT*99#"), QByteArray("\r\nNO CARRIER\r\n"));
    QCOMPARE(data.answer("ATDT*99#"), QByteArray("\r\nCONNECT\r\n"));
}

QTEST_GUILESS_MAIN(TestModemSimNetwork)
#include "test_modemsim_network.moc"
