// Unlocking the SIM at start-up, switching the PIN lock and changing the PIN,
// against the simulated card.

#include "modem/serialthread.h"
#include "tests/monitor/monitorfixture.h"

#include <QtTest>

using Box = MonitorView::Box;

class TestPinFlows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.monitor.debug=false"); }
    void wrongPinAsksAgainThenRightPinUnlocks();
    void threeWrongPinsLeadToThePukFlow();
    void wrongPukCountsAndStopsAfterTenAttempts();
    void cancelledEntryShowsTheCancelledState();
    void pinLockSwitchesAndRestoresTheCheckBox();
    void changingThePin();
    void vanishingModemEndsAnOpenPukDialog();
};

void TestPinFlows::wrongPinAsksAgainThenRightPinUnlocks() {
    MonitorFixture f;
    QVERIFY(f.start("pin"));
    f.view.answers = {QString("0000"), QString("1234")};
    f.tick();

    QCOMPARE(f.view.asked,
             QStringList({"CheckPIN: Please enter PIN!", "CheckPIN: Please enter PIN!"}));
    QCOMPARE(f.view.messageTexts(), QStringList({"PIN is incorrect!"}));
    QVERIFY(inOrder(f.newCommands(), {"AT+CPIN?", "AT+CPIN=\"0000\"", "AT+CPIN=\"1234\"",
                                      "AT+YOPRT?", "AT+CLCK=\"SC\",2", "AT+CNMI=3,1,0,2,0"}));
    QVERIFY(f.monitor->simOn && !f.monitor->simValidateCanceled);
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_on.png"));
    // The lock is on: the security page's box shows it.
    QVERIFY(f.view.pinCheckBox);
    QCOMPARE(f.monitor->pinEnabled, 1);
    QVERIFY(!f.monitor->pinFlowActive());
}

void TestPinFlows::threeWrongPinsLeadToThePukFlow() {
    MonitorFixture f;
    QVERIFY(f.start("pin"));
    f.view.answers = {QString("1111"), QString("2222"), QString("3333"), QString("12345678"),
                      QString("4321")};
    f.tick();

    QCOMPARE(f.view.messageTexts(),
             QStringList({"PIN is incorrect!", "PIN is incorrect!", "PIN is locked!"}));
    QCOMPARE(f.view.asked.mid(3), QStringList({"CheckPUK: Please enter the PUK!", "ResetPIN: "}));
    QVERIFY(f.newCommands().contains("AT+CPIN=\"12345678\",\"4321\""));
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_on.png"));
    QVERIFY(f.sim.control({"state"}).contains("pin=4321"));
}

void TestPinFlows::wrongPukCountsAndStopsAfterTenAttempts() {
    MonitorFixture f;
    QVERIFY(f.start("puk"));
    for (int i = 0; i < 12; ++i)
        f.view.answers.insert(f.view.answers.end(), {QString("00000000"), QString("4321")});
    QVERIFY(serialthread->openPort(f.sim.atPort()) >= 0);
    f.sim.command({"set", "puk-tries", "20"});

    QCOMPARE(f.monitor->checkupPUK(), 0);
    QCOMPARE(f.newCommands().count("AT+CPIN=\"00000000\",\"4321\""), 10);
    QCOMPARE(f.view.messageTexts().count("PUK is incorrect!"), 10);
    QVERIFY(!f.monitor->pinFlowActive());
    // The flow can start again: nothing stays marked open.
    f.view.answers = {QString("12345678"), QString("1234")};
    QCOMPARE(f.monitor->checkupPUK(), 1);
}

void TestPinFlows::cancelledEntryShowsTheCancelledState() {
    MonitorFixture f;
    QVERIFY(f.start("pin"));
    f.tick(); // no answers: the first prompt is cancelled

    QCOMPARE(f.view.asked.size(), 1);
    QVERIFY(f.monitor->modemOn && f.monitor->simOn && f.monitor->simValidateCanceled);
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_cancel.png"));
    QCOMPARE(f.view.labels["simLabel"].tip, QString("(U)SIM Validate Canceled"));
    QVERIFY(!f.view.connectValid);
    QVERIFY(!f.view.pinCheckBox);
    // Later ticks keep that state and do not ask again.
    f.tick();
    f.tick();
    f.tick();
    QCOMPARE(f.view.asked.size(), 1);
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_cancel.png"));
}

void TestPinFlows::pinLockSwitchesAndRestoresTheCheckBox() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    QVERIFY(!f.view.pinCheckBox);

    // Switching on with a wrong PIN: refused, the box goes back.
    f.view.pinCheckBox = true;
    f.view.answers = {QString("9999")};
    f.monitor->slotClickedApplyButton();
    QCOMPARE(f.view.messages.last(), qMakePair(Box::Warning, QString("PIN is incorrect!")));
    QVERIFY(!f.view.pinCheckBox);
    QVERIFY(!f.view.applyEnabled);

    // With the right PIN.
    f.view.pinCheckBox = true;
    f.view.answers = {QString("1234")};
    f.newCommands();
    f.monitor->slotClickedApplyButton();
    QVERIFY(f.newCommands().contains("AT+CLCK=\"SC\",1,\"1234\""));
    QCOMPARE(f.view.messages.last(), qMakePair(Box::Information, QString("Settings successful!")));
    QCOMPARE(f.monitor->pinEnabled, 1);
    QVERIFY(f.sim.control({"state"}).contains("pin-lock=on"));

    // Cancelled: the box returns to the lock's state.
    f.view.pinCheckBox = false;
    f.monitor->slotClickedApplyButton();
    QCOMPARE(f.view.messages.last(),
             qMakePair(Box::WarningWithEditer,
                       QString("No PIN is entered! PIN enable settings unsuccessful!")));
    QVERIFY(f.view.pinCheckBox);
}

void TestPinFlows::changingThePin() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    f.newCommands();

    // Lock off: nothing is sent.
    f.monitor->slotChangePIN();
    QCOMPARE(f.view.messages.last(),
             qMakePair(Box::Information, QString("Please set PIN enable!")));
    QVERIFY(!f.newCommands().join('\n').contains("AT+CPWD"));

    f.sim.command({"set", "pin-lock", "on"});
    // The repetition differs once, then matches.
    f.view.answers = {QString("1234"), QString("5678"), QString("5679"), QString("5678"),
                      QString("5678")};
    f.monitor->slotChangePIN();
    QCOMPARE(f.view.asked.mid(f.view.asked.size() - 5),
             QStringList({"CheckPIN: Please enter PIN!", "CheckPIN: Please input new PIN",
                          "CheckPIN: Please input new PIN again", "CheckPIN: Please input new PIN",
                          "CheckPIN: Please input new PIN again"}));
    QVERIFY(f.view.messageTexts().contains("Different input of PIN code! Please input again!"));
    QVERIFY(f.newCommands().contains("AT+CPWD=\"SC\",\"1234\",\"5678\""));
    QCOMPARE(f.view.messages.last(),
             qMakePair(Box::Information, QString("New PIN has been enabled!")));
    QVERIFY(f.sim.control({"state"}).contains("pin=5678"));

    // A wrong old PIN.
    f.view.answers = {QString("0000"), QString("1111"), QString("1111")};
    f.monitor->slotChangePIN();
    QCOMPARE(f.view.messages.last(), qMakePair(Box::Information, QString("PIN is incorrect!")));

    // Cancelled at the first step.
    f.monitor->slotChangePIN();
    QCOMPARE(f.view.messages.last(), qMakePair(Box::Warning, QString("PIN changes cancel!")));
}

void TestPinFlows::vanishingModemEndsAnOpenPukDialog() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    // While the PUK dialog is open the card goes away; the running timer's
    // ticks notice it and end the dialog.
    int rejectsSeen = -1;
    f.view.onAsk = [&](const QString& name) {
        if (name != "CheckPUK")
            return;
        f.sim.unplug();
        f.tick();
        f.tick();
        rejectsSeen = f.view.rejects;
    };
    QCOMPARE(f.monitor->checkupPUK(), 0);
    QCOMPARE(rejectsSeen, 1);
    QVERIFY(!f.monitor->modemAttached());
}

QTEST_GUILESS_MAIN(TestPinFlows)
#include "test_pinflows.moc"
