// Faults injected through the control socket, and per-command overrides of
// scenario files.

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

    bool writeScenario(const QString& file, const QByteArray& text) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }

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
        QVERIFY(sim.command({"fault", "clear"}));

        // Noise before one reply only, without flow-control characters.
        QVERIFY(sim.command({"fault", "garbage", "10"}));
        const QByteArray noisy = at.command("AT");
        QCOMPARE(noisy.size(), 10 + 4 + 6);
        QVERIFY(noisy.endsWith("AT\r\n" + OK));
        QVERIFY(!noisy.left(10).contains('\x11') && !noisy.left(10).contains('\x13'));
        QCOMPARE(at.command("AT"), "AT\r\n" + OK);

        QVERIFY(sim.command({"fault", "truncate", "9"}));
        at.write("AT+CPIN?\r\n");
        QCOMPARE(at.readFor(300), QByteArray("AT+CPIN?\r\n\r\n+CPIN: ")); // echo not counted
        QCOMPARE(at.command("AT"), "AT\r\n" + OK);

        QVERIFY(sim.command({"fault", "huge"}));
        const QByteArray big = at.command("AT", 10000);
        QVERIFY(big.size() > 102400);
        QVERIFY(big.startsWith("AT\r\n\r\n+FILLER: "));
        QVERIFY(big.endsWith(OK));
    }

    void overridesFromScenario() {
        const QString file = sim.dir() + "/custom.scn";
        QVERIFY(writeScenario(file,
                              "include " + ModemSim::scenarioPath("ready").toUtf8() +
                                  "\n"
                                  "on \"AT+CSQ\" reply \"+CSQ: 31,0\" \"OK\" count 1\n"
                                  "on \"AT+CGMM\" noreply\n"
                                  "on \"AT+CGMR\" noresult\n"
                                  "on \"AT+CGMI\" raw \"\\r\\nVENDOR\\r\\n\\r\\nOK\\r\\n\" noecho\n"
                                  "on \"at+cimi\" delay 500\n"));
        QVERIFY(sim.start(file));
        PtyClient at(sim.atPort());
        QCOMPARE(at.command("AT+CSQ"), "AT+CSQ\r\n\r\n+CSQ: 31,0\r\n" + OK);
        QCOMPARE(at.command("AT+CSQ"), "AT+CSQ\r\n\r\n+CSQ: 22,99\r\n" + OK); // used up
        QCOMPARE(at.command("AT+CGMM", 300), QByteArray());
        QCOMPARE(at.command("AT+CGMR", 300), QByteArray("AT+CGMR\r\n"));
        QCOMPARE(at.command("AT+CGMI"), "\r\nVENDOR\r\n" + OK);
        at.write("AT+CIMI\r\n");
        QCOMPARE(at.readFor(150), QByteArray());
        QCOMPARE(at.readUntil(OK, 3000), "AT+CIMI\r\n\r\n262019876543210\r\n" + OK);
    }

    void scenarioErrorsAreReported() {
        const QString file = sim.dir() + "/broken.scn";
        QVERIFY(writeScenario(file, "sim ready\nsignal loud\n"));
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
