// Other makers' cards in the simulator, where timing counts: reports that
// cut into replies and repeat, and a card's start-up and slow search. What
// they answer is in test_modemsim_dialogues.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
} // namespace

class TestModemSimDialects : public QObject {
    Q_OBJECT

private slots:
    void reportsCutIntoReplies();
    void startsAndSearchesLikeTheCard();
};

void TestModemSimDialects::reportsCutIntoReplies() {
    ModemSim sim;
    QVERIFY(sim.start("syscfgex"));
    PtyClient at(sim.atPort());
    QVERIFY(sim.command({"set", "chatter", "0"}));
    at.readFor(100);
    QVERIFY(sim.command({"interleave", "^RSSI:5"}));
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 22,99\r\n\r\n^RSSI:5\r\n" + OK);
    // Every 200 ms: a reply under way carries them between its lines and its result.
    QVERIFY(sim.command({"set", "chatter", "200"}));
    QByteArray reply;
    const QDeadlineTimer deadline(3000);
    while (!reply.contains("7FFFFFFFFFFFFFFF\r\n\r\n^RSSI:22\r\n") && !deadline.hasExpired())
        reply = at.answer("AT^SYSCFGEX?");
    QVERIFY(reply.endsWith("\r\n^HCSQ:\"LTE\",52,45,156,23\r\n" + OK));

    // The other family repeats its SIM state until the storages are asked for.
    ModemSim zsnt;
    QVERIFY(zsnt.start("zsnt"));
    QVERIFY(zsnt.command({"set", "chatter", "200"}));
    PtyClient zat(zsnt.atPort());
    QVERIFY(zat.readUntil("+ZUSIMR:2\r\n", 2000).contains("+ZUSIMR:2"));
    QVERIFY(zat.answer("AT+CPMS?").contains("+CPMS: \"SM\",5,20"));
    QCOMPARE(zat.readFor(600), QByteArray());
}

void TestModemSimDialects::startsAndSearchesLikeTheCard() {
    ModemSim sim;
    QVERIFY(sim.start("nwscanmode,echooff"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.readUntil("PB DONE\r\n", 2000),
             QByteArray("\r\nRDY\r\n\r\n+CFUN: 1\r\n\r\n+CPIN: READY\r\n\r\n+QUSIM: 1\r\n\r\n"
                        "+QIND: SMS DONE\r\n\r\n+QIND: PB DONE\r\n"));
    QCOMPARE(at.command("AT"), OK); // no echo
    QVERIFY(sim.command({"set", "scan-time", "800"}));
    QElapsedTimer searching;
    searching.start();
    QVERIFY(at.write("AT+COPS=?\r"));
    QCOMPARE(at.readFor(400), QByteArray());
    QVERIFY(
        at.readUntil(OK, 3000).startsWith("\r\n+COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26207\",7),"
                                          "(1,\"Tolva Mobile\",\"Tolva\",\"26207\",2)"));
    QVERIFY(searching.elapsed() >= 800);
}

QTEST_GUILESS_MAIN(TestModemSimDialects)
#include "test_modemsim_dialects.moc"
