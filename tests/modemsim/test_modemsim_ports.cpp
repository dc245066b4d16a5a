// The simulator's ports: echo and basic results, the transcript and the
// control client. Unplugging, plugging and the ports under a system root are
// used and checked by tests/modem (test_transport, test_portdiscovery).

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QProcess>
#include <QtTest>

class TestModemSimPorts : public QObject {
    Q_OBJECT
private slots:
    void answersLikeAModem();
    void controlClient();
};

// Echo, framing and results as a modem sends them; ATE and ATZ. (The
// transcript and the port that never answers serve every test of the link.)
void TestModemSimPorts::answersLikeAModem() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QVERIFY(at.isOpen());
    QCOMPARE(at.command("AT"), QByteArray("AT\r\n\r\nOK\r\n"));
    QCOMPARE(at.command("AT+NOSUCH"), QByteArray("AT+NOSUCH\r\n\r\nERROR\r\n"));
    QCOMPARE(at.command("AT+CGMI"), QByteArray("AT+CGMI\r\n\r\nVelto\r\n\r\nOK\r\n"));
    // Several commands on one line, as a dialer's init string sends them.
    QCOMPARE(at.command("ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0"),
             QByteArray("ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0\r\n\r\nOK\r\n"));
    // A line ended by CR alone is answered too.
    at.write("AT\r");
    QCOMPARE(at.readUntil("OK\r\n", 2000), QByteArray("AT\r\r\nOK\r\n"));
    QCOMPARE(at.command("ATE0"), QByteArray("ATE0\r\n\r\nOK\r\n"));
    QCOMPARE(at.command("AT"), QByteArray("\r\nOK\r\n"));
    QCOMPARE(at.command("ATE1"), QByteArray("\r\nOK\r\n"));
    QCOMPARE(at.command("AT"), QByteArray("AT\r\n\r\nOK\r\n"));
    // ATZ goes back to the power-on settings.
    at.command("ATE0");
    QCOMPARE(at.command("ATZ"), QByteArray("\r\nOK\r\n"));
    QCOMPARE(at.command("AT"), QByteArray("AT\r\n\r\nOK\r\n"));
}

void TestModemSimPorts::controlClient() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    QProcess ctl;
    ctl.start(TestEnv::binary("modemsim-ctl"), {"--socket", sim.controlSocket(), "signal", "7"});
    QVERIFY(ctl.waitForFinished(5000));
    QCOMPARE(ctl.exitCode(), 0);
    PtyClient at(sim.atPort());
    QVERIFY(at.command("AT+CSQ").contains("+CSQ: 7,99"));

    ctl.start(TestEnv::binary("modemsim-ctl"), {"--socket", sim.controlSocket(), "no-such-thing"});
    QVERIFY(ctl.waitForFinished(5000));
    QCOMPARE(ctl.exitCode(), 1);

    // Commands from standard input, one per line.
    ctl.start(TestEnv::binary("modemsim-ctl"), {"--socket", sim.controlSocket()});
    ctl.write("ping\noperator \"Mirel\"\n");
    ctl.closeWriteChannel();
    QVERIFY(ctl.waitForFinished(5000));
    QCOMPARE(ctl.exitCode(), 0);
    QCOMPARE(ctl.readAllStandardOutput(), QByteArray("pong\n"));
    QVERIFY(at.command("AT+YDON?").contains("+YDON: \"Mirel\""));

    // Raw text on a port, a mark in the transcript, the port list.
    QVERIFY(sim.command({"raw", "at", "\r\n+CUSTOM: 1\r\n"}));
    QCOMPARE(at.readUntil("+CUSTOM: 1\r\n", 2000), QByteArray("\r\n+CUSTOM: 1\r\n"));
    QVERIFY(sim.command({"mark", "phase two"}));
    QVERIFY(sim.events().contains("phase two"));
    QCOMPARE(sim.control({"ports"}),
             QString("at=%1\ndata=%2\nplugged=1").arg(sim.device("at"), sim.device("data")));
}

QTEST_GUILESS_MAIN(TestModemSimPorts)
#include "test_modemsim_ports.moc"
