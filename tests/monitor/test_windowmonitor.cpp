// The main window with its status monitor against the simulated card, and
// what the window makes of each state of the card: what the user sees in
// the status row and what may be clicked.

#include "connection/ui/wirelesswindow.h"
#include "mainwindow/statusmonitor.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "sms/smsinbox.h"
#include "sms/ui/shortmessage.h"
#include "tests/monitor/monitorfixture.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QtTest>

class TestWindowMonitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }

    void statusRowShowsTheCard() {
        TestEnv env;
        startWithEmptyMessageStore(env);
        ModemSim sim;
        QVERIFY(sim.start("ready"));
        QCOMPARE(sim.control({"ping"}), QString("pong"));
        WTMainWindow window(nullptr, "wtmainwindowbase", {}, {sim.atPort(), sim.dataPort()});
        window.link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QSignalSpy ticked(window.monitor, &StatusMonitor::tickDone);
        window.monitor->slotTimer();
        QVERIFY(ticked.wait(30000));

        CentreWidget* centre = window.centre;
        QCOMPARE(centre->serviceLabel->text(), QString("UMTS"));
        QCOMPARE(centre->pcsimLabel->text(), QString("P C"));
        QCOMPARE(centre->ispLabel->text(), QString("Tolva Mobile"));
        QVERIFY(!centre->signalLabel->pixmap().isNull());
        QCOMPARE(centre->simLabel->toolTip(), QString("(U)SIM Ready"));
        QVERIFY(!centre->newMsgLabel->isHidden()); // an unread message came from the modem memory
        QVERIFY(window.wirelesswindow->isConnectButton->isEnabled());
        QVERIFY(window.shortmessage->cardOnline());
    }

    // Each state of the card as the status row shows it.
    void statesShown_data() {
        QTest::addColumn<ModemStatus>("status");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("operatorName");
        QTest::addColumn<QString>("simTip");
        QTest::addColumn<int>("signalWidth"); // 32: bars, 16: the no-signal image
        QTest::addColumn<bool>("connect");
        const auto row = [](const char* tag, const ModemStatus& status, const char* service,
                            const char* operatorName, const char* simTip, int signalWidth,
                            bool connect) {
            QTest::newRow(tag) << status << QString(service) << QString(operatorName)
                               << QString(simTip) << signalWidth << connect;
        };
        ModemStatus ready;
        ready.card = true;
        ready.sim = ModemStatus::Sim::Ready;
        ready.signalBars = 3;
        ready.service = "HSPA";
        ready.operatorName = "Tolva Mobile";
        ready.domain = ServiceDomain::CircuitAndPacket;
        ready.networkShown = true;
        row("ready", ready, "HSPA", "Tolva Mobile", "(U)SIM Ready", 32, true);
        ModemStatus noSignal = ready;
        noSignal.signalBars = 0;
        row("no signal", noSignal, "HSPA", "Tolva Mobile", "(U)SIM Ready", 16, true);
        ModemStatus circuitOnly = ready;
        circuitOnly.domain = ServiceDomain::CircuitOnly;
        row("no packet service", circuitOnly, "HSPA", "Tolva Mobile", "(U)SIM Ready", 32, false);
        ModemStatus locked = ready;
        locked.sim = ModemStatus::Sim::Locked;
        row("PIN entry cancelled", locked, "HSPA", "Tolva Mobile", "(U)SIM Validate Canceled", 32,
            false);
        ModemStatus noSim;
        noSim.card = true;
        row("no SIM", noSim, "No Service", "Not Found", "No (U)SIM", 16, false);
        ModemStatus held;
        held.heldByModemManager = {"/dev/ttyUSB2"};
        row("held by ModemManager", held, "ModemManager", "Not Found", "No (U)SIM", 16, false);
    }
    void statesShown() {
        QFETCH(ModemStatus, status);
        QFETCH(QString, service);
        QFETCH(QString, operatorName);
        QFETCH(QString, simTip);
        QFETCH(int, signalWidth);
        QFETCH(bool, connect);
        TestEnv env;
        WTMainWindow window(nullptr, "wtmainwindowbase");
        static_cast<MonitorView&>(window).showStatus(status);
        CentreWidget* centre = window.centre;
        QCOMPARE(centre->serviceLabel->text(), service);
        QCOMPARE(centre->ispLabel->text(), operatorName);
        QCOMPARE(centre->simLabel->toolTip(), simTip);
        QCOMPARE(centre->signalLabel->width(), signalWidth);
        QCOMPARE(window.wirelesswindow->isConnectButton->isEnabled(), connect);
        if (!status.heldByModemManager.isEmpty())
            QVERIFY(centre->modemLabel->toolTip().contains("/dev/ttyUSB2"));
    }
};

QTEST_MAIN(TestWindowMonitor)
#include "test_windowmonitor.moc"
