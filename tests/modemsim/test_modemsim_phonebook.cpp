// The simulated SIM phonebook: capacity, range reads, writes and erasures
// with their errors, names in the AT+CSCS character set, and the older card
// generation's "+YCPBR" replies.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
QByteArray cme(const char* text) {
    return QByteArray("\r\n+CME ERROR: ") + text + "\r\n";
}
} // namespace

class TestModemSimPhonebook : public QObject {
    Q_OBJECT

private slots:
    void capacityAndRanges();
    void namesFollowCharacterSet();
    void writeAndEraseErrors();
    void olderGenerationForms();
};

void TestModemSimPhonebook::capacityAndRanges() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPBS?"), "\r\n+CPBS: \"SM\",5,250\r\n" + OK);
    QCOMPARE(at.answer("AT+CPBS=\"SM\""), OK);
    QCOMPARE(at.answer("AT+CPBS=\"ME\""), cme("operation not supported"));
    QCOMPARE(at.answer("AT+CPBR=?"), "\r\n+CPBR: (1-250),40,20\r\n" + OK);
    const QByteArray block = at.answer("AT+CPBR=1,20");
    QCOMPARE(block.count("+CPBR: "), 5);
    QVERIFY(block.contains("\r\n+CPBR: 5,\"0301234567\",129,\"Office\"\r\n"));
    QCOMPARE(at.answer("AT+CPBR=3,5").count("+CPBR: "), 2);
    QCOMPARE(at.answer("AT+CPBR=4"), OK);
    QCOMPARE(at.answer("AT+CPBR=241,250"), OK);
    QCOMPARE(at.answer("AT+CPBR=0,20"), cme("invalid index"));
    QCOMPARE(at.answer("AT+CPBR=241,251"), cme("invalid index"));
    QCOMPARE(at.answer("AT+CPBR=20,1"), cme("invalid index"));
    QVERIFY(sim.command({"phonebook-size", "20"}));
    QCOMPARE(at.answer("AT+CPBR=?"), "\r\n+CPBR: (1-20),40,20\r\n" + OK);
}

void TestModemSimPhonebook::namesFollowCharacterSet() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CSCS=?"), "\r\n+CSCS: (\"IRA\",\"GSM\",\"UCS2\")\r\n" + OK);
    QCOMPARE(at.answer("AT+CPBR=3"),
             "\r\n+CPBR: 3,\"+491625550123\",145,\"J?rgen M?ller\"\r\n" + OK);
    QCOMPARE(at.answer("AT+CSCS=\"UCS2\""), OK);
    QCOMPARE(at.answer("AT+CSCS?"), "\r\n+CSCS: \"UCS2\"\r\n" + OK);
    QCOMPARE(
        at.answer("AT+CPBR=3"),
        "\r\n+CPBR: "
        "3,\"+491625550123\",145,\"004A00FC007200670065006E0020004D00FC006C006C00650072\"\r\n" +
            OK);
    // A name written in UCS2 (with a character outside Latin-1) reads back the same.
    QCOMPARE(at.answer("AT+CPBW=10,\"+48601234567\",145,\"0141006F007400720020004B\""), OK);
    QCOMPARE(at.answer("AT+CPBR=10"),
             "\r\n+CPBR: 10,\"+48601234567\",145,\"0141006F007400720020004B\"\r\n" + OK);
    QVERIFY(sim.control({"contacts"}).contains("10 \"+48601234567\" \"Łotr K\""));
    // The SIM keeps each name in the shortest alpha coding, within name-length octets.
    QVERIFY(sim.events().last().endsWith("alpha=810602C16F7472204B"));
    QVERIFY(sim.command({"name-length", "14"}));
    QCOMPARE(at.answer("AT+CPBW=3,\"+491625550123\",145,"
                       "\"004A00FC007200670065006E0020004D00FC006C006C00650072\""),
             OK);
    QVERIFY(sim.events().last().endsWith("alpha=4A7E7267656E204D7E6C6C6572"));
    QCOMPARE(at.answer("AT+CPBW=3,\"1\",129,\"01410075006B00610073007A0020004E006F00770061006B\""),
             cme("text string too long"));
    QCOMPARE(at.answer("AT+CPBW=11,\"123\",129,\"41G\""), cme("invalid characters in text string"));
    QCOMPARE(at.answer("AT+CPBW=11,\"123\",129,\"004\""), cme("invalid characters in text string"));
    QCOMPARE(at.answer("AT+CSCS=\"GSM\""), OK);
    QCOMPARE(at.answer("AT+CPBR=10"), "\r\n+CPBR: 10,\"+48601234567\",145,\"?otr K\"\r\n" + OK);
    QCOMPARE(at.answer("AT+CSCS=\"KOI8\""), cme("operation not supported"));
}

void TestModemSimPhonebook::writeAndEraseErrors() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QVERIFY(sim.command({"phonebook-size", "8"}));
    QCOMPARE(at.answer("AT+CPBW=,\"111\",129,\"Free place\""), OK); // takes place 4
    QCOMPARE(at.answer("AT+CPBR=4"), "\r\n+CPBR: 4,\"111\",129,\"Free place\"\r\n" + OK);
    QCOMPARE(at.answer("AT+CPBW=,\"222\",129,\"B\""), OK);
    QCOMPARE(at.answer("AT+CPBW=,\"333\",129,\"C\""), OK);
    QCOMPARE(at.answer("AT+CPBW=,\"444\",129,\"D\""), cme("memory full"));
    QCOMPARE(at.answer("AT+CPBW=9,\"444\",129,\"D\""), cme("invalid index"));
    QCOMPARE(at.answer("AT+CPBW=1,\"444\",129,\"A name that is much too long\""),
             cme("text string too long"));
    QCOMPARE(at.answer("AT+CPBW=1,\"" + QByteArray(41, '1') + "\",129,\"x\""),
             cme("dial string too long"));
    // Type 145 makes the number international.
    QCOMPARE(at.answer("AT+CPBW=1,\"4930123\",145,\"Intl\""), OK);
    QCOMPARE(at.answer("AT+CPBR=1"), "\r\n+CPBR: 1,\"+4930123\",145,\"Intl\"\r\n" + OK);
    // An index alone erases.
    QCOMPARE(at.answer("AT+CPBW=5"), OK);
    QCOMPARE(at.answer("AT+CPBR=5"), OK);
    QCOMPARE(at.answer("AT+CPBS?"), "\r\n+CPBS: \"SM\",7,8\r\n" + OK);
    QVERIFY(sim.events().contains("contact-erased index=5"));
}

void TestModemSimPhonebook::olderGenerationForms() {
    ModemSim newer;
    QVERIFY(newer.start("ready"));
    PtyClient at(newer.atPort());
    QCOMPARE(at.answer("AT+YCPBR=?"), QByteArray("\r\ncommand not support\r\n\r\nERROR\r\n"));
    QCOMPARE(at.answer("AT+YCPBM=?"), QByteArray("\r\ncommand not support\r\n\r\nERROR\r\n"));

    ModemSim older;
    QVERIFY(older.start("oldusim"));
    PtyClient old(older.atPort());
    QCOMPARE(old.answer("AT+YCPBR=?"), "\r\n+YCPBR: (1-250),40,20\r\n" + OK);
    QCOMPARE(old.answer("AT+YCPBM=?"), QByteArray("\r\nERROR\r\n"));
    QCOMPARE(old.answer("AT+CSCS=\"UCS2\""), OK);
    // Names in the SIM's own coding: octets for ASCII, else 80 and UCS2.
    QCOMPARE(old.answer("AT+CPBR=1,3"),
             "\r\n+YCPBR: 1,\"+491711234567\",\"416E6E6120426572676572\"\r\n"
             "+YCPBR: 2,\"+491739876543\",\"42656E204F6B61666F72\"\r\n"
             "+YCPBR: "
             "3,\"+491625550123\",\"80004A00FC007200670065006E0020004D00FC006C006C00650072\"\r\n" +
                 OK);
    QCOMPARE(old.answer("AT+CPBW=9,\"555\",129,\"4142\""), OK);
    QVERIFY(older.control({"contacts"}).contains("9 \"555\" \"AB\""));
    // With a plain SIM the older card answers in the standard form.
    QVERIFY(older.command({"sim-type", "sim"}));
    QCOMPARE(old.answer("AT+YUSIM=?"), "\r\n+YUSIM: 0\r\n" + OK);
    QCOMPARE(old.answer("AT+CPBR=9"), "\r\n+CPBR: 9,\"555\",129,\"4142\"\r\n" + OK);
}

QTEST_GUILESS_MAIN(TestModemSimPhonebook)
#include "test_modemsim_phonebook.moc"
