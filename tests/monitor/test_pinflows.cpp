// Unlocking the SIM at start-up, switching the PIN lock and changing the PIN,
// against the simulated card.

#include "tests/modemsim/controlwords.h"
#include "tests/monitor/monitorfixture.h"

#include <QtTest>

using Box = MonitorView::Box;

namespace {

// Runs a flow of the settings page and waits until it told its outcome.
void runFlow(MonitorFixture& f, void (PinFlows::*flow)()) {
    const qsizetype told = f.view.messages.size();
    (f.monitor->pinFlows().*flow)();
    QVERIFY(QTest::qWaitFor([&] { return f.view.messages.size() > told; }, 10000));
}

} // namespace

class TestPinFlows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }

    // At start-up: the answers given, what the user was told, what the card
    // was sent, and the SIM's state after.
    void unlocking_data() {
        QTest::addColumn<QString>("scenario");    // then a control command of the simulator
        QTest::addColumn<QStringList>("answers"); // "-": the dialog is cancelled
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("sim");
        QTest::newRow("three wrong PINs, then the PUK")
            << "pin" << QStringList{"1111", "2222", "3333", "12345678", "4321"}
            << QStringList{"PIN is incorrect!", "PIN is incorrect!", "PIN is locked!"}
            << "AT+CPIN=\"12345678\",\"4321\"" << int(ModemStatus::Sim::Ready);
        QTest::newRow("PUK-locked card")
            << "puk" << QStringList{"12345678", "4321"} << QStringList{}
            << "AT+CPIN=\"12345678\",\"4321\"" << int(ModemStatus::Sim::Ready);
        QTest::newRow("cancelled")
            << "pin" << QStringList{"-"} << QStringList{} << "" << int(ModemStatus::Sim::Locked);
        QTest::newRow("unanswered: no wrong PIN, asked again")
            << "pin|on AT+CPIN=\"0000\" noreply" << QStringList{"0000", "1234"}
            << QStringList{"The card didn't answer."} << "AT+CPIN=\"1234\""
            << int(ModemStatus::Sim::Ready);
    }
    void unlocking() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, told);
        QFETCH(QString, sent);
        QFETCH(int, sim);
        MonitorFixture f;
        QVERIFY(f.start(scenario.section('|', 0, 0)));
        if (scenario.contains('|'))
            QVERIFY(f.sim.command(controlWords(scenario.section('|', 1))));
        for (const QString& answer : answers)
            f.view.answers.push_back(answer == "-" ? std::nullopt : std::optional(answer));
        f.tick();
        QCOMPARE(f.view.messageTexts(), told);
        if (!sent.isEmpty())
            QVERIFY(f.sim.received().contains(sent));
        QCOMPARE(int(f.view.status().sim), sim);
        QVERIFY(!f.monitor->pinFlows().active());
        if (sim == int(ModemStatus::Sim::Ready)) {
            // The lock is on: the security page's box shows it.
            QVERIFY(f.view.pinCheckBox);
            QVERIFY(f.sim.received().contains("AT+CNMI=3,1,0,2,0"));
        } else {
            // A cancelled entry isn't asked for again by later checks, and
            // nothing can be dialled.
            f.tick();
            f.tick();
            QCOMPARE(f.view.asked.size(), 1);
            QVERIFY(!f.view.status().canDial());
            QVERIFY(!f.view.pinCheckBox);
        }
    }

    void wrongPukStopsAfterTenAttempts() {
        MonitorFixture f;
        QVERIFY(f.start("puk"));
        QVERIFY(f.link->openPort(f.sim.atPort()) >= 0);
        QVERIFY(f.sim.command({"set", "puk-tries", "20"}));
        for (int i = 0; i < 12; ++i)
            f.view.answers.insert(f.view.answers.end(), {QString("00000000"), QString("4321")});
        std::optional<bool> unlocked;
        f.monitor->pinFlows().checkupPUK([&](bool done) { unlocked = done; });
        QTRY_VERIFY_WITH_TIMEOUT(unlocked.has_value(), 20000);
        QVERIFY(!*unlocked);
        QCOMPARE(f.sim.received().count("AT+CPIN=\"00000000\",\"4321\""), 10);
        QCOMPARE(f.view.messageTexts().count("PUK is incorrect!"), 10);
        // The flow can start again: nothing stays marked open.
        f.view.answers = {QString("12345678"), QString("1234")};
        unlocked.reset();
        f.monitor->pinFlows().checkupPUK([&](bool done) { unlocked = done; });
        QTRY_VERIFY(unlocked.has_value());
        QVERIFY(*unlocked);
    }

    void pinLockSwitchesAndRestoresTheCheckBox() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        QVERIFY(!f.view.pinCheckBox);

        // Switching on with a wrong PIN, or without an answer: the box goes
        // back, and the user is told which.
        QVERIFY(f.sim.command({"on", "AT+CLCK=\"SC\",1,*", "noreply", "count", "1"}));
        for (const char* said : {"The card didn't answer.", "PIN is incorrect!"}) {
            f.view.pinCheckBox = true;
            f.view.answers = {QString("9999")};
            runFlow(f, &PinFlows::applyPinLock);
            QCOMPARE(f.view.messages.last(), qMakePair(Box::Warning, QString(said)));
            QVERIFY(!f.view.pinCheckBox);
            QTRY_VERIFY(!f.view.applyEnabled);
        }

        // With the right PIN.
        f.view.pinCheckBox = true;
        f.view.answers = {QString("1234")};
        runFlow(f, &PinFlows::applyPinLock);
        QVERIFY(f.sim.received().contains("AT+CLCK=\"SC\",1,\"1234\""));
        QCOMPARE(f.view.messages.last(),
                 qMakePair(Box::Information, QString("Settings successful!")));
        QVERIFY(f.sim.control({"state"}).contains("pin-lock=on"));

        // Cancelled: the box returns to the lock's state.
        f.view.pinCheckBox = false;
        runFlow(f, &PinFlows::applyPinLock);
        QCOMPARE(f.view.messages.last(),
                 qMakePair(Box::WarningWithEditer,
                           QString("No PIN is entered! PIN enable settings unsuccessful!")));
        QVERIFY(f.view.pinCheckBox);
    }

    void changingThePin() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        // Lock off: nothing is sent.
        runFlow(f, &PinFlows::changePin);
        QCOMPARE(f.view.messages.last(),
                 qMakePair(Box::Information, QString("Please set PIN enable!")));
        QVERIFY(!f.sim.received().join('\n').contains("AT+CPWD"));

        QVERIFY(f.sim.command({"set", "pin-lock", "on"}));
        // The repetition differs once, then matches.
        f.view.answers = {QString("1234"), QString("5678"), QString("5679"), QString("5678"),
                          QString("5678")};
        runFlow(f, &PinFlows::changePin);
        QTRY_COMPARE(f.view.messages.last(),
                     qMakePair(Box::Information, QString("New PIN has been enabled!")));
        QVERIFY(f.view.messageTexts().contains("Different input of PIN code! Please input again!"));
        QVERIFY(f.sim.received().contains("AT+CPWD=\"SC\",\"1234\",\"5678\""));
        QVERIFY(f.sim.control({"state"}).contains("pin=5678"));

        f.view.answers = {QString("0000"), QString("1111"), QString("1111")};
        runFlow(f, &PinFlows::changePin);
        QCOMPARE(f.view.messages.last(), qMakePair(Box::Information, QString("PIN is incorrect!")));

        runFlow(f, &PinFlows::changePin);
        QCOMPARE(f.view.messages.last(), qMakePair(Box::Warning, QString("PIN changes cancel!")));
    }

    // Pulled out while the set-up waits for the PIN: the dialog and the
    // set-up end at once, and the entry the user made is not taken for a
    // wrong one.
    void cardPulledOutDuringPinEntry() {
        MonitorFixture f;
        QVERIFY(f.start("pin"));
        QSignalSpy lost(f.link.get(), &SerialThread::portLost);
        f.view.answers = {QString("1234")};
        f.view.onAsk = [&](const QString&) {
            QVERIFY(f.sim.unplug());
            QVERIFY(lost.wait(5000));
        };
        f.tick();
        QCOMPARE(f.view.rejects, 1);
        QCOMPARE(f.view.asked.size(), 1);
        QVERIFY(f.view.messages.isEmpty());
        QVERIFY(!f.status().card);
        QVERIFY(!f.monitor->modemAttached());
        QVERIFY(!f.monitor->pinFlows().active());
    }

    // While the PUK dialog is open the card goes away: the check that finds
    // it out ends the dialog and the flow.
    void vanishingModemEndsAnOpenPukDialog() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        f.view.onAsk = [&](const QString& name) {
            if (name != "CheckPUK")
                return;
            QVERIFY(f.sim.unplug());
            f.tick();
        };
        std::optional<bool> unlocked;
        f.monitor->pinFlows().checkupPUK([&](bool done) { unlocked = done; });
        QTRY_COMPARE(f.view.rejects, 1);
        QVERIFY(!f.monitor->modemAttached());
        QVERIFY(!f.monitor->pinFlows().active());
    }
};

QTEST_GUILESS_MAIN(TestPinFlows)
#include "test_pinflows.moc"
