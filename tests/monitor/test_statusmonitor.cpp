// The status monitor against the simulated card: start-up, arriving
// messages, a vanishing modem (and ModemManager holding its port), a missing
// or busy SIM.

#include "modem/serialthread.h"
#include "settings/settingsfiles.h"
#include "sms/deliveryreport.h"
#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"
#include "tests/connection/dialerroot.h"
#include "tests/monitor/monitorfixture.h"

#include <QtTest>

class TestStatusMonitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }
    void readyStartInitialisesAndShowsTheNetwork();
    void arrivingMessageGoesToThePcInbox();
    void messageAnnouncedOnTheSimIsTakenFromTheSim();
    void messageThatCantBeReadNowIsReadLater();
    void messageWhoseDeleteFailsIsStoredOnce();
    void fullStorageKeepsTheMessageOnTheModem();
    void deliveryReportsReachTheSentMessages();
    void modemLostStopsTheDialer();
    void unpluggedModemIsShownOffAndFoundAgain();
    void missingSimIsShownFromTheThirdCheck();
    void busySimCountsAsFailedAfterItsBound();
    void malformedRepliesStoreNothing();
};

void TestStatusMonitor::readyStartInitialisesAndShowsTheNetwork() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();

    const QStringList commands = f.newCommands();
    QString missing;
    QVERIFY2(inOrder(commands,
                     {"AT+YOPRT?",
                      "AT+CPIN?",
                      "AT+CLCK=\"SC\",2",
                      "AT+CPMS",
                      "AT+YUSIM=?",
                      "AT+CPBR=?",
                      "AT+CSCS=\"UCS2\"",
                      "AT+YSMSD?",
                      "AT+CNMI=3,1,0,2,0",
                      "AT+CMGF?",
                      "AT+CPMS=\"SM\",\"SM\",\"SM\"",
                      "AT+CMGL=4",
                      "AT+CPMS=\"ME\",\"ME\",\"ME\"",
                      "AT+CMGL=4",
                      "AT+CMGR=1",
                      "AT+CMGD=1",
                      "AT+CSCA?",
                      "AT+YSNT?",
                      "AT+YCPBR=?",
                      "AT+CIMI",
                      "AT+CSQ",
                      "AT+YPAS?",
                      "AT+YDON?"},
                     &missing),
             qPrintable("missing or out of order: " + missing + "\n" + commands.join('\n')));

    QVERIFY(f.monitor->modemOn && f.monitor->simOn && !f.monitor->simValidateCanceled);
    QCOMPARE(f.view.labels["serviceLabel"].text, QString("UMTS"));
    QCOMPARE(f.view.labels["pcsimLabel"].text, QString("P C"));
    QCOMPARE(f.view.labels["ispLabel"].text, QString("Tolva Mobile"));
    QCOMPARE(f.view.labels["signalLabel"].pixmap, QString("ImageList_RSSILevel5.png"));
    QCOMPARE(f.view.labels["signalLabel"].size, QSize(32, 17));
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_on.png"));
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_on.png"));
    QCOMPARE(f.view.labels["simLabel"].tip, QString("(U)SIM Ready"));
    QVERIFY(f.view.connectValid);
    QCOMPARE(f.view.cardOnline, 1);
    QCOMPARE(f.view.hasSim, 1);
    QCOMPARE(smscent_num, QString("+491760000443"));

    // The SIM boxes are listed; received messages of the modem memory end in
    // the PC inbox and leave the modem, the sent one stays there.
    QCOMPARE(f.view.simLists.in.size(), 3);
    QCOMPARE(f.view.simLists.out.size(), 1);
    QCOMPARE(f.view.simLists.draft.size(), 1);
    const QStringList inbox = f.pcBox("inbox");
    QCOMPARE(inbox.size(), 2);
    QVERIFY2(inbox.contains("+4915112345678|Meeting moved to 10:00|new"),
             qPrintable(inbox.join('\n')));
    QVERIFY2(inbox.contains("22550|Your balance is 12.50 EUR|read") ||
                 inbox.contains("+22550|Your balance is 12.50 EUR|read"),
             qPrintable(inbox.join('\n')));
    QCOMPARE(unreadMsgCount, 1);
    QCOMPARE(f.view.meLists.out.size(), 1);
    const QString modemMemory = f.sim.control({"messages", "ME"});
    QCOMPARE(modemMemory.trimmed().split('\n').size(), 1);
    QVERIFY(modemMemory.startsWith("ME 3 3 "));

    // "+YSNT: 2,0,0" is preference 3, stored one lower.
    QCOMPARE(f.view.networkSelection, 3);
    QCOMPARE(readNetworkSettings().modePerferred, 2);
}

void TestStatusMonitor::arrivingMessageGoesToThePcInbox() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    const int before = f.pcBox("inbox").size();
    const int index = f.deliver("+491700000111", "See you at the station");
    QVERIFY(index > 0);
    // The link reads the notice while no command runs, and the message is
    // fetched at once, without waiting for a tick.
    QTRY_VERIFY_WITH_TIMEOUT(f.pcBox("inbox").size() > before, 5000);

    QVERIFY(f.pcBox("inbox").contains("+491700000111|See you at the station|new"));
    QVERIFY(f.sim.received().contains(QString("AT+CMGD=%1").arg(index)));
    QVERIFY(!f.sim.control({"messages", "ME"}).contains("See you at the station"));
    QVERIFY(f.view.indicator);
    QCOMPARE(activeMsgCount, 0);
    QVERIFY(msgData.isEmpty());
}

void TestStatusMonitor::messageAnnouncedOnTheSimIsTakenFromTheSim() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    f.newCommands();
    const int index = f.deliver("+491700000222", "Stored on the card", "SM");
    QVERIFY(index > 0);
    for (int i = 0; i < 3 && !f.pcBox("inbox").join('\n').contains("Stored on the card"); ++i)
        f.tick();

    QVERIFY(f.pcBox("inbox").contains("+491700000222|Stored on the card|new"));
    const QString read = QString("AT+CMGR=%1").arg(index);
    const QString erase = QString("AT+CMGD=%1").arg(index);
    QVERIFY(inOrder(f.newCommands(),
                    {"AT+CPMS=\"SM\",\"SM\",\"SM\"", read, "AT+CPMS=\"SM\",\"SM\",\"SM\"", erase}));
    QVERIFY(!f.sim.control({"messages", "SM"}).contains("Stored on the card"));
}

// A read that fails (the SIM away for a moment, no answer) keeps the
// notice: a later tick reads the message, stores it once and deletes it. A
// storage query left unanswered is no full storage.
void TestStatusMonitor::messageThatCantBeReadNowIsReadLater() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    const int before = f.pcBox("inbox").size();
    QVERIFY(f.sim.command({"on", "AT+CPMS?", "noreply", "count", "1"}));
    QVERIFY(f.sim.command({"on", "AT+CMGR=*", "reply", "+CMS ERROR: 313", "count", "1"}));
    QVERIFY(f.sim.command({"on", "AT+CMGR=*", "noreply", "count", "1"}));
    const int index = f.deliver("+491700000444", "Read me later", "ME");
    QVERIFY(index > 0);
    const QString read = QString("AT+CMGR=%1").arg(index);
    QTRY_VERIFY_WITH_TIMEOUT(f.sim.received().contains(read), 5000);
    QTest::qWait(300); // the arrival step ends
    QCOMPARE(f.pcBox("inbox").size(), before);
    QCOMPARE(msgData.size(), 1);

    f.tick(); // no answer at all
    QCOMPARE(f.pcBox("inbox").size(), before);
    f.tick();
    QCOMPARE(f.pcBox("inbox").size(), before + 1);
    QCOMPARE(f.pcBox("inbox").count("+491700000444|Read me later|new"), 1);
    QVERIFY(f.view.messageTexts().isEmpty());
    QVERIFY(!f.sim.control({"messages", "ME"}).contains("Read me later"));
    QVERIFY(msgData.isEmpty());
    QCOMPARE(activeMsgCount, 0);
}

// A message stored on the PC whose delete fails stays on the modem for a
// while; it is deleted later, never stored a second time: by the next tick,
// or by the listing when the card comes back after being pulled out.
void TestStatusMonitor::messageWhoseDeleteFailsIsStoredOnce() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    const auto copies = [&f](const QString& text) {
        return f.pcBox("inbox").filter("|" + text + "|").size();
    };
    const auto onModem = [&f](const QString& text) {
        return f.sim.control({"messages", "ME"}).contains(text);
    };

    QVERIFY(f.sim.command({"on", "AT+CMGD=*", "reply", "+CMS ERROR: 500", "count", "1"}));
    QVERIFY(f.deliver("+491700000555", "Delete me later", "ME") > 0);
    QTRY_COMPARE_WITH_TIMEOUT(copies("Delete me later"), 1, 5000);
    QVERIFY(onModem("Delete me later"));
    f.tick();
    QVERIFY(!onModem("Delete me later"));
    QCOMPARE(copies("Delete me later"), 1);

    QVERIFY(f.sim.command({"on", "AT+CMGD=*", "reply", "+CMS ERROR: 500", "count", "1"}));
    QVERIFY(f.deliver("+491700000666", "Pulled out before the delete", "ME") > 0);
    QTRY_COMPARE_WITH_TIMEOUT(copies("Pulled out before the delete"), 1, 5000);
    QVERIFY(f.sim.unplug());
    f.tick();
    QVERIFY(f.sim.plug());
    for (int i = 0; i < 4 && !f.monitor->modemAttached(); ++i)
        f.tick();
    QVERIFY(f.monitor->modemAttached());
    QVERIFY(!onModem("Pulled out before the delete"));
    QCOMPARE(copies("Pulled out before the delete"), 1);
    QCOMPARE(copies("Delete me later"), 1);
}

void TestStatusMonitor::fullStorageKeepsTheMessageOnTheModem() {
    MonitorFixture f;
    QVERIFY(f.start("mefull"));
    f.tick();
    const int inboxBefore = f.pcBox("inbox").size();
    QVERIFY(f.deliver("+491700000333", "No room", "ME") > 0);
    for (int i = 0; i < 3 && f.view.messages.isEmpty(); ++i)
        f.tick();

    QVERIFY(f.view.messageTexts().contains("(U)SIM Card is full, please delete some items"));
    QCOMPARE(f.pcBox("inbox").size(), inboxBefore);
    QVERIFY(f.sim.control({"messages", "ME"}).contains("No room"));
    QVERIFY(msgData.isEmpty());
}

// A modem pulled out while connected: the monitor's scan stops the dialer,
// and the dialer files end as they were.
// Reports on sent messages, stored on the card with "+CDSI" (as the
// program's AT+CNMI asks) or sent whole with "+CDS", and out of order: each
// reaches its message in the PC outbox, the card's copy is deleted, and no
// report counts as an arriving message.
void TestStatusMonitor::deliveryReportsReachTheSentMessages() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    QVERIFY(f.sim.command({"reports", "hold"}));
    SubmitOptions options;
    options.statusReport = true;
    const QString number = "+491700000777";
    const auto sendOne = [&](const QString& text) {
        return sendToRecipients(*f.link, f.view.pcStore(), {number}, text, "+491710760000", options,
                                "failed", "261207150000")
            .sent;
    };
    const QString longText(200, 'x');
    QCOMPARE(sendOne("first"), 1);
    QVERIFY(f.sim.command({"set", "report-status", "70"}));
    QCOMPARE(sendOne(longText), 1);
    const int unread = unreadMsgCount;
    const int inbox = f.pcBox("inbox").size();
    f.newCommands();

    // The first selection of the report storage fails: that report waits
    // for a later round instead of being read at another storage's place.
    QVERIFY(f.sim.command({"on", "AT+CPMS=\"SR\"", "reply", "+CMS ERROR: 302", "count", "1"}));
    QVERIFY(f.sim.command({"reports", "release", "reverse"}));
    QTRY_VERIFY_WITH_TIMEOUT(f.view.reports.size() >= 2, 5000);
    f.tick();
    QCOMPARE(f.view.reports.size(), 3);
    const QStringList commands = f.newCommands();
    const qsizetype refused = commands.indexOf("AT+CPMS=\"SR\"");
    QVERIFY(refused >= 0 && !commands.value(refused + 1).startsWith("AT+CMGR"));
    QCOMPARE(commands.filter("AT+CMGR=").size(), 3);
    QCOMPARE(commands.filter(QRegularExpression("^AT\\+CMGD=[123]$")).size(), 3);
    QCOMPARE(f.sim.control({"messages", "SR"}), QString());

    QVERIFY(f.sim.command({"set", "cnmi", "3,1,0,1,0"}));
    QVERIFY(f.sim.command({"set", "report-status", "0"}));
    QCOMPARE(sendOne("third"), 1);
    QVERIFY(f.sim.command({"reports", "release"}));
    QTRY_COMPARE_WITH_TIMEOUT(f.view.reports.size(), 4, 5000);

    SmsData store;
    QMap<int, SM_PARAM_DECODE> outbox;
    store.getPcAllSmsItem(outbox, "outbox");
    QStringList states;
    for (const SM_PARAM_DECODE& rec : std::as_const(outbox)) {
        if (!rec.delivery.isEmpty())
            states << rec.contentStr.left(5) + " " +
                          QString::number(int(summarizeDelivery(rec.delivery).outcome)) + " " +
                          QString::number(summarizeDelivery(rec.delivery).status);
    }
    states.sort();
    const int delivered = int(DeliveryOutcome::Delivered), failed = int(DeliveryOutcome::Failed);
    QCOMPARE(states, (QStringList{QString("first %1 0").arg(delivered),
                                  QString("third %1 0").arg(delivered),
                                  QString("xxxxx %1 70").arg(failed)}));
    QCOMPARE(unreadMsgCount, unread);
    QCOMPARE(f.pcBox("inbox").size(), inbox);
}

void TestStatusMonitor::modemLostStopsTheDialer() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    QVERIFY(DialerRoot::prepare(f.env));
    DialerRoot::dialer(f.env, "");
    struct : ConnectionView {
        void setConnectButtonText(const QString&) override {}
        void setConnectButtonEnabled(bool) override {}
        void setStateText(const QString&) override {}
        void setStateImage(bool) override {}
        void setCaptionVisible(bool) override {}
        void showTraffic(const QString&, const QString&, const QString&) override {}
        void hideTraffic() override {}
        void showUsage(const QString&, const QList<DayUsage>&) override {}
        void message(Box, const QString&) override {}
    } page;
    ConnectionController connection(page, f.link.get());
    connection.setTiming({1000, 200, 59, 100, 10000, 100, 100, 20, 2});
    f.view.connection = &connection;
    f.tick();
    connection.isConnectButton_clicked();
    QTRY_COMPARE_WITH_TIMEOUT(connection.state(), ConnectionController::State::Connected, 10000);

    // Two checks the card, still there, leaves unanswered keep the connection.
    QVERIFY(f.sim.command({"on", "AT+CSQ", "noreply", "count", "2"}));
    f.tick();
    f.tick();
    f.tick();
    QVERIFY(f.monitor->modemAttached());
    QCOMPARE(f.monitor->unansweredChecks, 0);
    QCOMPARE(connection.state(), ConnectionController::State::Connected);

    QVERIFY(f.sim.unplug());
    f.tick(); // the modem is gone
    f.tick(); // the scan finds no modem and stops the dialer
    QTRY_COMPARE_WITH_TIMEOUT(connection.state(), ConnectionController::State::Disconnected, 10000);
    QVERIFY(DialerRoot::asBefore());
    QVERIFY(!f.link->atLocked());
    f.view.connection = nullptr;
}

void TestStatusMonitor::unpluggedModemIsShownOffAndFoundAgain() {
    MonitorFixture f;
    QVERIFY(f.start("ready"));
    f.tick();
    QVERIFY(f.monitor->modemAttached());

    QVERIFY(f.sim.unplug());
    f.tick(); // the signal query goes unanswered: the modem is gone
    QVERIFY(!f.monitor->modemOn);
    QVERIFY(!f.monitor->modemAttached());
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_on.png"));

    // Rescans: the modem-off look only from the third on.
    f.tick();
    f.tick();
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_on.png"));
    f.tick();
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_off.png"));
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_off.png"));
    QCOMPARE(f.view.labels["serviceLabel"].text, QString("No Service"));
    QCOMPARE(f.view.labels["ispLabel"].text, QString("Not Found"));
    QCOMPARE(f.view.labels["modemLabel"].tip, QString("Tolva Be Not Detected"));
    QCOMPARE(f.view.lastDataState, 2);
    QVERIFY(!f.view.connectValid);
    QCOMPARE(f.view.cardOnline, 0);

    // ModemManager holding the port is named as the reason, while it lasts.
    f.env.writeRootFile("/proc/321/comm", "ModemManager\n");
    QVERIFY(QDir().mkpath(f.env.rootPath("/proc/321/fd")));
    QVERIFY(QFile::link(f.sim.atPort(), f.env.rootPath("/proc/321/fd/9")));
    f.tick();
    QCOMPARE(f.monitor->modemManagerPorts, QStringList{f.sim.atPort()});
    QCOMPARE(f.view.labels["serviceLabel"].text, QString("ModemManager"));
    QVERIFY(f.view.labels["modemLabel"].tip.contains(f.sim.atPort()));
    QVERIFY(f.view.labels["serviceLabel"].tip.contains(f.sim.atPort()));
    QVERIFY(QDir(f.env.rootPath("/proc/321")).removeRecursively());
    f.tick();
    QCOMPARE(f.view.labels["serviceLabel"].text, QString("No Service"));
    QCOMPARE(f.view.labels["serviceLabel"].tip, QString("Network Type"));

    f.newCommands();
    QVERIFY(f.sim.plug());
    // A card that is still settling is found by a later scan.
    for (int i = 0; i < 3 && !f.monitor->modemAttached(); ++i)
        f.tick();
    QVERIFY(inOrder(f.newCommands(), {"AT", "AT+YOPRT?", "AT+CPIN?", "AT+CSQ"}));
    QVERIFY(f.monitor->modemAttached());
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_on.png"));
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_on.png"));

    // A card that is there but stops answering is gone at the third check.
    QVERIFY(f.sim.command({"on", "AT+CSQ", "noreply"}));
    f.tick();
    f.tick();
    QVERIFY(f.monitor->modemAttached());
    f.tick();
    QVERIFY(!f.monitor->modemAttached());
}

void TestStatusMonitor::missingSimIsShownFromTheThirdCheck() {
    MonitorFixture f;
    QVERIFY(f.start("nosim"));
    f.tick();
    QVERIFY(f.monitor->modemOn);
    QVERIFY(!f.monitor->simOn);
    QVERIFY(f.view.labels["simLabel"].pixmap.isEmpty());
    f.tick();
    QVERIFY(f.view.labels["simLabel"].pixmap.isEmpty());
    f.tick();
    QCOMPARE(f.view.labels["simLabel"].pixmap, QString("sim_off.png"));
    QCOMPARE(f.view.labels["modemLabel"].pixmap, QString("modem_on.png"));
    QCOMPARE(f.view.labels["simLabel"].tip, QString("No (U)SIM"));
    QCOMPARE(f.view.hasSim, 0);
    QVERIFY(!f.view.connectValid);
    // Nothing of the SIM's message set-up was attempted.
    QVERIFY(!f.sim.received().contains("AT+CNMI=3,1,0,2,0"));
}

void TestStatusMonitor::busySimCountsAsFailedAfterItsBound() {
    {
        MonitorFixture f;
        QVERIFY(f.start("busy"));
        f.monitor->setSimBusyLimit(1);
        f.tick();
        // Given up after the bound: the SIM counts as failed, nothing of its
        // set-up is sent.
        const QStringList commands = f.newCommands();
        QCOMPARE(commands.count("AT+CPIN?"), 2);
        QVERIFY(!commands.contains("AT+CNMI=3,1,0,2,0"));
        QVERIFY(f.monitor->modemOn);
    }
    // With a bound above the busy answers the SIM comes up.
    MonitorFixture f;
    QVERIFY(f.start("busy"));
    QVERIFY(f.sim.command({"set", "sim-busy", "2"}));
    f.monitor->setSimBusyLimit(5);
    f.tick();
    QCOMPARE(f.newCommands().count("AT+CPIN?"), 3);
    QVERIFY(f.monitor->simOn);
}

void TestStatusMonitor::malformedRepliesStoreNothing() {
    TestEnv env;
    startWithEmptyMessageStore(env);
    SmsData store;
    QVERIFY(!storeArrivedMessage(store, "AT+CMGR=3\r\r\nERROR\r\n", 3, "new"));
    QVERIFY(!storeArrivedMessage(store, "AT+CMGR=3\r\r\n+CMGR: 0,,24", 3, "new"));
    QVERIFY(!storeArrivedMessage(store, "AT+CMGR=3\r\r\n+CMGR: 0,,24\r\n\r\nOK\r\n", 3, "new"));
    QMap<int, SM_PARAM_DECODE> inbox;
    QCOMPARE(store.getPcAllSmsItem(inbox, "inbox"), 0);

    // An entry without a PDU line is no message; one with an unknown status
    // is counted but not listed.
    SmsList in, out, draft;
    in.insert(7, SM_PARAM_DECODE());
    const QString list = "AT+CMGL=4\r\r\n+CMGL: 1,5,,20\r\n0791\r\n+CMGL: 2,0,,20";
    QCOMPARE(parseListReply(list, in, out, draft, "new", "read"), 1);
    QVERIFY(in.isEmpty() && out.isEmpty() && draft.isEmpty());

    // Storage indexes above 255 are kept whole.
    const QString big = "+CMGL: 300,1,,22\r\n07913306007110811094904003CF7A1A\r\n";
    QCOMPARE(parseListReply(big, in, out, draft, "new", "read"), 1);
    QCOMPARE(in.first().index, 300);
}

QTEST_GUILESS_MAIN(TestStatusMonitor)
#include "test_statusmonitor.moc"
