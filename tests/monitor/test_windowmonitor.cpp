// The main window with its status monitor against the simulated card: what
// the user sees in the status row and on the internet page.

#include "app/cmdline.h"
#include "connection/ui/wirelesswindow.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "sms/ui/shortmessage.h"
#include "tests/monitor/monitorfixture.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QtTest>

class TestWindowMonitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }
    void statusRowShowsTheCard();
};

void TestWindowMonitor::statusRowShowsTheCard() {
    TestEnv env;
    startWithEmptyMessageStore(env);
    ModemSim sim;
    QVERIFY(sim.start("ready"));
    QCOMPARE(sim.control({"ping"}), QString("pong"));
    fixedPorts = {sim.atPort(), sim.dataPort()};

    WTMainWindow window(nullptr, "wtmainwindowbase");
    QVERIFY(serialthread);
    serialthread->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
    window.slotTimer();

    CentreWidget* centre = window.centre;
    QCOMPARE(centre->serviceLabel->text(), QString("UMTS"));
    QCOMPARE(centre->pcsimLabel->text(), QString("P C"));
    QCOMPARE(centre->ispLabel->text(), QString("Tolva Mobile"));
    QCOMPARE(centre->signalLabel->size(), QSize(32, 17));
    QVERIFY(!centre->signalLabel->pixmap().isNull());
    QCOMPARE(centre->simLabel->toolTip(), QString("(U)SIM Ready"));
    QCOMPARE(centre->modemLabel->toolTip(), QString("Tolva Online"));
    QVERIFY(!centre->newMsgLabel->isHidden()); // an unread message came from the modem memory
    QVERIFY(window.wirelesswindow->isConnectButton->isEnabled());
    QCOMPARE(window.shortmessage->SimInBListMap.size(), 3);
    QVERIFY(window.shortmessage->cardOnline());

    serialthread->closePort();
    theATSerialPortName.clear();
    theModemSerialPortName.clear();
    fixedPorts = {};
}

QTEST_MAIN(TestWindowMonitor)
#include "test_windowmonitor.moc"
