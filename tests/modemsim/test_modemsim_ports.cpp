// The simulator's ports: publication, echo and basic results, the
// transcript, unplug and plug, the root layout and the control client.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class TestModemSimPorts : public QObject {
    Q_OBJECT
private slots:
    void answersLikeAModem();
    void unplugHangsUpAndPlugRestoresPaths();
    void publishesUnderRoot();
    void controlClient();
};

// Echo, framing and results as a modem sends them; ATE and ATZ; the
// transcript.
void TestModemSimPorts::answersLikeAModem() {
    ModemSim sim;
    QVERIFY(sim.start("ready", {"--silent-port"}));
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
    // The port that never answers.
    PtyClient silent(sim.silentPort());
    QCOMPARE(silent.command("AT", 300), QByteArray());
    QCOMPARE(sim.received("silent"), QStringList({"AT\r\n"}));

    // The transcript: what each port received and sent, in order, time-stamped.
    PtyClient data(sim.dataPort());
    data.command("ATZ");
    QCOMPARE(sim.received("at").mid(0, 3), QStringList({"AT", "AT+NOSUCH", "AT+CGMI"}));
    QCOMPARE(sim.received("data"), QStringList({"ATZ"}));
    QCOMPARE(sim.sent("at").value(1), QString("\r\nERROR\r\n"));
    const QString first = sim.transcript().split('\n').first();
    QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z ")
                 .match(first)
                 .hasMatch(),
             qPrintable(first));
}

void TestModemSimPorts::unplugHangsUpAndPlugRestoresPaths() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    const QString oldDevice = sim.device("at");
    PtyClient before(sim.atPort());
    QCOMPARE(before.command("AT"), QByteArray("AT\r\n\r\nOK\r\n"));

    QVERIFY(sim.unplug());
    QVERIFY(before.hungUp());
    QVERIFY(!QFileInfo::exists(sim.atPort()));
    QVERIFY(!QFileInfo::exists(sim.dataPort()));
    QVERIFY(sim.device("at").isEmpty());

    QVERIFY(sim.plug());
    QVERIFY(QFileInfo(sim.atPort()).isSymLink());
    QVERIFY(!sim.device("at").isEmpty());
    QVERIFY(sim.device("at") != oldDevice || !before.isOpen());
    PtyClient after(sim.atPort());
    QCOMPARE(after.command("AT"), QByteArray("AT\r\n\r\nOK\r\n"));
    QVERIFY(sim.events().contains("unplugged"));
}

void TestModemSimPorts::publishesUnderRoot() {
    TestEnv env;
    ModemSim sim;
    QVERIFY(sim.startWithRoot(env.root(), "ready", {"--silent-port"}));
    // Default order: data port, the port that never answers, AT port.
    for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB2"}) {
        QVERIFY(QFileInfo(env.rootPath(QString("/dev/") + name)).isSymLink());
        QVERIFY(QFileInfo(env.rootPath(QString("/sys/class/tty/") + name)).isDir());
    }
    QVERIFY(!QFileInfo::exists(env.rootPath("/dev/ttyUSB3")));
    QCOMPARE(QFileInfo(env.rootPath("/dev/ttyUSB0")).symLinkTarget(), sim.device("data"));
    QCOMPARE(QFileInfo(env.rootPath("/dev/ttyUSB2")).symLinkTarget(), sim.device("at"));

    QVERIFY(sim.unplug());
    QVERIFY(!QFileInfo::exists(env.rootPath("/dev/ttyUSB0")));
    QVERIFY(!QFileInfo::exists(env.rootPath("/sys/class/tty/ttyUSB2")));
    QVERIFY(sim.plug());
    PtyClient at(env.rootPath("/dev/ttyUSB2"));
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
