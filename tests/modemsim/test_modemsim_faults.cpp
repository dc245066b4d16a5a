// Faults injected through the control socket that the link's own tests
// don't use (a noisy, cut or huge reply is in tests/modem/test_transport), and
// scenario errors.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QFile>
#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
}

class TestModemSimFaults : public QObject {
    Q_OBJECT
    ModemSim sim;

private slots:
    void faults() {
        QVERIFY(sim.start("ready"));
        PtyClient at(sim.atPort());
        QVERIFY(sim.command({"fault", "noecho", "on"}));
        QCOMPARE(at.command("AT"), OK);
        QVERIFY(sim.command({"fault", "noecho", "off"}));
        QCOMPARE(at.command("AT"), "AT\r\n" + OK);

        QVERIFY(sim.command({"fault", "delay", "600"}));
        at.write("AT\r\n");
        QCOMPARE(at.readFor(150), QByteArray());
        QCOMPARE(at.readUntil(OK, 3000), "AT\r\n" + OK);
        // Byte by byte: far from complete after a short while, whole in the end.
        QVERIFY(sim.command({"fault", "delay", "0"}));
        QVERIFY(sim.command({"fault", "slow", "20"}));
        at.write("AT+CGMI\r\n"); // 24 bytes with the reply
        QVERIFY(at.readFor(100).size() < 12);
        QVERIFY(at.readUntil(OK, 5000).endsWith(OK));
    }

    void scenarioErrorsAreReported() {
        const QString file = sim.dir() + "/broken.scn";
        QFile broken(file);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("sim ready\nsignal loud\n") > 0);
        broken.close();
        QVERIFY(!sim.start(file));
        QVERIFY(sim.start("ready"));
        bool ok = true;
        QCOMPARE(sim.control({"message", "SM", "unread", "pdu", "0791ZZ"}, &ok),
                 QString("ERROR message: not a PDU: 0791ZZ"));
        QVERIFY(!ok);
    }
};

QTEST_GUILESS_MAIN(TestModemSimFaults)
#include "test_modemsim_faults.moc"
