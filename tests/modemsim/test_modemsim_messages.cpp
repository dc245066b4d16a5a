// Message storages of the simulator: capacities and counts, listing and
// reading with status changes, writing and sending with the "> " prompt
// (Ctrl-Z sends, Esc cancels), deletion, arriving messages and +CMTI.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
// SMS-SUBMIT of "hello" to +0987654321 via +1234567890: TPDU of 18 octets.
const QByteArray kSubmit = "0691214365870911000A91907856341200000005E8329BFD06";
} // namespace

class TestModemSimMessages : public QObject {
    Q_OBJECT

private slots:
    void storageCounts();
    void listingMarksUnreadAsRead();
    void writeStoresWithIndexUntilFull();
    void sendRecordsPduAndEscCancels();
    void bodyLengthMustMatch();
    void deleteFlags();
    void arrivingMessageIsAnnounced();
};

void TestModemSimMessages::storageCounts() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPMS=?"),
             "\r\n+CPMS: (\"SM\",\"ME\",\"SR\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS?"), "\r\n+CPMS: \"SM\",5,20,\"SM\",5,20,\"SM\",5,20\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS=\"ME\",\"ME\",\"ME\""), "\r\n+CPMS: 3,100,3,100,3,100\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS=\"SM\""), "\r\n+CPMS: 5,20,3,100,3,100\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS?"), "\r\n+CPMS: \"SM\",5,20,\"ME\",3,100,\"ME\",3,100\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS=\"XX\",\"ME\",\"ME\""), QByteArray("\r\n+CMS ERROR: 302\r\n"));
    // Status reports are only read from, never written or received into.
    QCOMPARE(at.answer("AT+CPMS=\"SR\""), "\r\n+CPMS: 0,20,3,100,3,100\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS=\"SM\",\"SR\""), QByteArray("\r\n+CMS ERROR: 302\r\n"));
    // The bare command is not a valid storage selection.
    QCOMPARE(at.answer("AT+CPMS"), QByteArray("\r\nERROR\r\n"));

    ModemSim full;
    QVERIFY(full.start("mefull"));
    PtyClient fullAt(full.atPort());
    QCOMPARE(fullAt.answer("AT+CPMS?"),
             "\r\n+CPMS: \"ME\",100,100,\"ME\",100,100,\"ME\",100,100\r\n" + OK);
}

void TestModemSimMessages::listingMarksUnreadAsRead() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    const QByteArray unread = at.answer("AT+CMGL=0");
    QCOMPARE(unread.count("+CMGL: "), 1);
    QVERIFY(unread.startsWith("\r\n+CMGL: 1,0,,46\r\n0791947106004034040C91947111325476"));
    QVERIFY(unread.endsWith(OK));
    QCOMPARE(at.answer("AT+CMGL=0"), OK);
    QCOMPARE(at.answer("AT+CMGL=1").count("+CMGL: "), 3);
    QCOMPARE(at.answer("AT+CMGL=2").count("+CMGL: 5,2,,"), 1);
    QCOMPARE(at.answer("AT+CMGL=3").count("+CMGL: 4,3,,"), 1);
    QCOMPARE(at.answer("AT+CMGL=4").count("+CMGL: "), 5);

    QCOMPARE(at.answer("AT+CPMS=\"ME\",\"ME\",\"ME\"").count("+CPMS"), 1);
    QVERIFY(at.answer("AT+CMGR=1").startsWith("\r\n+CMGR: 0,,"));
    QVERIFY(at.answer("AT+CMGR=1").startsWith("\r\n+CMGR: 1,,"));
    QCOMPARE(at.answer("AT+CMGR=50"), OK); // empty place
    QCOMPARE(at.answer("AT+CMGR=101"), QByteArray("\r\n+CMS ERROR: 321\r\n"));
}

void TestModemSimMessages::writeStoresWithIndexUntilFull() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QVERIFY(sim.command({"storage", "SM", "7"}));
    QCOMPARE(at.answer("AT+CMGW=18,2"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMGW: 6\r\n" + OK);
    QCOMPARE(at.answer("AT+CMGW=18,3"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMGW: 7\r\n" + OK);
    QCOMPARE(at.answer("AT+CPMS?"), "\r\n+CPMS: \"SM\",7,7,\"SM\",7,7,\"SM\",7,7\r\n" + OK);
    QCOMPARE(at.answer("AT+CMGW=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMS ERROR: 322\r\n");
    QVERIFY(at.answer("AT+CMGL=3").contains("+CMGL: 7,3,,18\r\n" + kSubmit + "\r\n"));
    QVERIFY(sim.events().contains("sms-written storage=SM index=6 status=2 pdu=" + kSubmit +
                                  " | SUBMIT to +0987654321 7bit: hello"));
}

void TestModemSimMessages::sendRecordsPduAndEscCancels() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CMGS=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1b"), kSubmit + OK);
    QVERIFY(sim.sentPdus().isEmpty());
    QVERIFY(sim.events().contains("sms-cancelled"));

    QCOMPARE(at.answer("AT+CMGS=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMGS: 1\r\n" + OK);
    QCOMPARE(at.answer("AT+CMGS=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMGS: 2\r\n" + OK);
    QCOMPARE(sim.sentPdus(), QStringList({kSubmit, kSubmit}));
    QCOMPARE(sim.received().at(1), QString(kSubmit + "\x1b"));

    // Nothing is sent without a network.
    QVERIFY(sim.command({"operator", "none"}));
    QCOMPARE(at.answer("AT+CMGS=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMS ERROR: 331\r\n");
    QCOMPARE(sim.sentPdus().size(), 2);
}

void TestModemSimMessages::bodyLengthMustMatch() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CMGS=17"), QByteArray("\r\n> "));
    QCOMPARE(at.command(kSubmit + "\x1a"), kSubmit + "\r\n+CMS ERROR: 304\r\n");
    QCOMPARE(at.answer("AT+CMGW=18"), QByteArray("\r\n> "));
    QCOMPARE(at.command("0691ZZ\x1a"), QByteArray("0691ZZ\r\n+CMS ERROR: 304\r\n"));
    QCOMPARE(at.answer("AT+CMGS"), QByteArray("\r\n+CMS ERROR: 304\r\n"));
    QVERIFY(sim.sentPdus().isEmpty());
    // Commands work normally afterwards.
    QCOMPARE(at.answer("AT"), OK);
}

void TestModemSimMessages::deleteFlags() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CMGD=4"), OK);
    QCOMPARE(at.answer("AT+CMGD=4"), OK); // already empty
    QCOMPARE(at.answer("AT+CMGD=21"), QByteArray("\r\n+CMS ERROR: 321\r\n"));
    QCOMPARE(at.answer("AT+CMGD=1,1"), OK); // read messages only: 2 and 3
    QCOMPARE(at.answer("AT+CMGL=4").count("+CMGL: "), 2);
    QCOMPARE(at.answer("AT+CMGD=1,4"), OK);
    QCOMPARE(at.answer("AT+CMGL=4"), OK);
    QCOMPARE(at.answer("AT+CPMS?"), "\r\n+CPMS: \"SM\",0,20,\"SM\",0,20,\"SM\",0,20\r\n" + OK);
}

void TestModemSimMessages::arrivingMessageIsAnnounced() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(sim.deliver("+4917012345", "Hi there"), 6);
    QCOMPARE(at.readUntil("\r\n", 2000).append(at.readFor(50)),
             QByteArray("\r\n+CMTI: \"SM\",6\r\n"));
    // After AT+YSMSD=2 arriving messages go to the modem memory.
    QCOMPARE(at.answer("AT+YSMSD=2"), OK);
    QCOMPARE(at.answer("AT+YSMSD?"), "\r\n+YSMSD: 2\r\n" + OK);
    QCOMPARE(sim.deliver("+4917012345", "Zweite Nachricht"), 4);
    QCOMPARE(at.readUntil("\r\n+CMTI: \"ME\",4\r\n", 2000), QByteArray("\r\n+CMTI: \"ME\",4\r\n"));
    // A raw PDU, as another tool made it.
    const QString pdu =
        "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07";
    QCOMPARE(sim.deliverPdu(pdu, "SM"), 7);
    at.readUntil("+CMTI: \"SM\",7\r\n", 2000);
    QCOMPARE(at.answer("AT+CMGR=7"), "\r\n+CMGR: 0,,30\r\n" + pdu.toLatin1() + "\r\n" + OK);
    QVERIFY(
        sim.control({"messages", "SM"}).contains("DELIVER from +31641600986 7bit: How are you?"));
    // No announcement while the client has switched indications off.
    QCOMPARE(at.answer("AT+CNMI=2,0,0,0,0"), OK);
    QCOMPARE(sim.deliver("+4917012345", "quiet"), 5);
    QCOMPARE(at.readFor(200), QByteArray());
    // A full storage refuses the message.
    QVERIFY(sim.command({"storage", "SM", "7"}));
    bool ok = true;
    sim.control({"deliver", "+4917012345", "one too many", "SM"}, &ok);
    QVERIFY(!ok);
}

QTEST_GUILESS_MAIN(TestModemSimMessages)
#include "test_modemsim_messages.moc"
