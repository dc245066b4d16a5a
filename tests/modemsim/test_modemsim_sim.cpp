// The simulated SIM: PIN and PUK counters and their errors, the PIN lock,
// a busy SIM, a missing SIM.

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

namespace {
const QByteArray OK = "\r\nOK\r\n";
QByteArray cme(const char* text) {
    return QByteArray("\r\n+CME ERROR: ") + text + "\r\n";
}
} // namespace

class TestModemSimSim : public QObject {
    Q_OBJECT

private slots:
    void pinTriesLeadToPukAndPukTriesBlock();
    void pukSetsNewPin();
    void pinLockAndChange();
    void numericErrors();
    void busySimAnswersBusyFirst();
    void missingSimAndInsertion();
};

void TestModemSimSim::pinTriesLeadToPukAndPukTriesBlock() {
    ModemSim sim;
    QVERIFY(sim.start("pin"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: SIM PIN\r\n" + OK);
    QCOMPARE(at.answer("AT+CIMI"), cme("SIM PIN required"));
    QCOMPARE(at.answer("AT+CPMS?"), QByteArray("\r\n+CMS ERROR: 311\r\n"));
    QCOMPARE(at.answer("AT+CPIN=\"0000\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CPIN=\"1111\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CPIN=\"2222\""), cme("SIM PUK required"));
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: SIM PUK\r\n" + OK);
    // The right PIN no longer helps.
    QCOMPARE(at.answer("AT+CPIN=\"1234\""), cme("SIM PUK required"));
    for (int i = 0; i < 9; ++i)
        QCOMPARE(at.answer("AT+CPIN=\"00000000\",\"4321\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CPIN=\"00000000\",\"4321\""), cme("SIM failure"));
    QCOMPARE(at.answer("AT+CPIN?"), cme("SIM failure"));
    QCOMPARE(at.answer("AT+CPIN=\"12345678\",\"4321\""), cme("SIM failure"));
    QVERIFY(sim.control({"state"}).contains("sim=blocked"));
}

void TestModemSimSim::pukSetsNewPin() {
    ModemSim sim;
    QVERIFY(sim.start("puk"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPIN=\"1234\""), cme("SIM PUK required"));
    QCOMPARE(at.answer("AT+CPIN=\"12345678\",\"12\""), cme("incorrect parameters"));
    QCOMPARE(at.answer("AT+CPIN=\"12345678\",\"4321\""), OK);
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: READY\r\n" + OK);
    QCOMPARE(at.answer("AT+CLCK=\"SC\",0,\"1234\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CLCK=\"SC\",0,\"4321\""), OK);
    QCOMPARE(at.answer("AT+CPIN=\"4321\""), cme("operation not allowed"));
}

void TestModemSimSim::pinLockAndChange() {
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CLCK=\"SC\",2"), "\r\n+CLCK: 0\r\n" + OK);
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"1234\",\"5678\""), cme("operation not allowed"));
    QCOMPARE(at.answer("AT+CLCK=\"SC\",1,\"9999\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CLCK=\"SC\",1,\"1234\""), OK);
    QCOMPARE(at.answer("AT+CLCK=\"SC\",2"), "\r\n+CLCK: 1\r\n" + OK);
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"1234\",\"5678\""), OK);
    // Wrong PINs in any command share the three tries; a right one resets them.
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"1234\",\"1111\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CLCK=\"SC\",0,\"1234\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CLCK=\"SC\",1,\"5678\""), OK);
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"0000\",\"1111\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"0000\",\"1111\""), cme("incorrect password"));
    QCOMPARE(at.answer("AT+CPWD=\"SC\",\"0000\",\"1111\""), cme("SIM PUK required"));
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: SIM PUK\r\n" + OK);
    // A locked SIM asks for the PIN again after it was taken out and put back.
    QCOMPARE(at.answer("AT+CPIN=\"12345678\",\"2468\""), OK);
    QVERIFY(sim.command({"sim", "remove"}));
    QVERIFY(sim.command({"sim", "insert"}));
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: SIM PIN\r\n" + OK);
    QCOMPARE(at.answer("AT+CPIN=\"2468\""), OK);
}

void TestModemSimSim::numericErrors() {
    ModemSim sim;
    QVERIFY(sim.start("pin"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CMEE=1"), OK);
    QCOMPARE(at.answer("AT+CPIN=\"0000\""), QByteArray("\r\n+CME ERROR: 16\r\n"));
    QCOMPARE(at.answer("AT+CMEE=0"), OK);
    QCOMPARE(at.answer("AT+CPIN=\"0000\""), QByteArray("\r\nERROR\r\n"));
    QCOMPARE(at.answer("AT+CMGL=4"), QByteArray("\r\nERROR\r\n"));
    // Each port has its own setting.
    PtyClient data(sim.dataPort());
    QCOMPARE(data.answer("AT+CPIN=\"0000\""), cme("SIM PUK required"));
}

void TestModemSimSim::busySimAnswersBusyFirst() {
    ModemSim sim;
    QVERIFY(sim.start("busy"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPIN?"), cme("SIM busy"));
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 22,99\r\n" + OK); // not a SIM query
    QCOMPARE(at.answer("AT+YUSIM=?"), cme("SIM busy"));
    QCOMPARE(at.answer("AT+CPMS?"), QByteArray("\r\n+CMS ERROR: 314\r\n"));
    QCOMPARE(at.answer("AT+CPBR=?"), cme("SIM busy"));
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: READY\r\n" + OK);
    QCOMPARE(at.answer("AT+YUSIM=?"), "\r\n+YUSIM: 1\r\n" + OK);
    QVERIFY(sim.command({"sim-busy", "1"}));
    QCOMPARE(at.answer("AT+CIMI"), cme("SIM busy"));
    QCOMPARE(at.answer("AT+CIMI"), "\r\n262019876543210\r\n" + OK);
}

void TestModemSimSim::missingSimAndInsertion() {
    ModemSim sim;
    QVERIFY(sim.start("nosim"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.answer("AT+CPIN?"), cme("SIM failure"));
    QCOMPARE(at.answer("AT+CIMI"), cme("SIM failure"));
    QCOMPARE(at.answer("AT+CMGL=4"), QByteArray("\r\n+CMS ERROR: 313\r\n"));
    QCOMPARE(at.answer("AT+CREG?"), "\r\n+CREG: 0,0\r\n" + OK);
    QVERIFY(sim.command({"sim-absent-error", "not-inserted"}));
    QCOMPARE(at.answer("AT+CPIN?"), cme("SIM not inserted"));
    QVERIFY(sim.command({"sim", "insert"}));
    QCOMPARE(at.answer("AT+CPIN?"), "\r\n+CPIN: READY\r\n" + OK);
    QCOMPARE(at.answer("AT+CREG?"), "\r\n+CREG: 0,1\r\n" + OK);
    QVERIFY(sim.command({"sim", "remove"}));
    QCOMPARE(at.answer("AT+CPBR=1,20"), cme("SIM not inserted"));
}

QTEST_GUILESS_MAIN(TestModemSimSim)
#include "test_modemsim_sim.moc"
