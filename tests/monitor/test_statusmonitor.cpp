// The status monitor against the simulated card: the set-up of a card that
// keeps its echo off, arriving messages and status reports, a card or SIM
// that goes away and comes back, a busy SIM.

#include "connection/connectioncontroller.h"
#include "settings/settingsfiles.h"
#include "sms/deliveryreport.h"
#include "sms/smssend.h"
#include "tests/connection/dialerroot.h"
#include "tests/monitor/monitorfixture.h"

#include <QtTest>

using Sim = ModemStatus::Sim;

class TestStatusMonitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }

    // A card that keeps its echo off whatever it is told (with the echo on,
    // as every other card here): the status, the SIM's and the modem's
    // messages, the network mode, and no nested wait anywhere.
    void startUpWithTheEchoOff() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        QVERIFY(f.sim.command({"set", "echo", "off"}));
        QVERIFY(f.sim.command({"on", "ATE1", "reply", "OK"}));
        f.tick();

        const ModemStatus& status = f.view.status();
        QVERIFY(status.card && !status.settingUp);
        QCOMPARE(status.sim, Sim::Ready);
        QVERIFY(status.canDial());
        QCOMPARE(f.inbox->serviceCentre(), QString("+491760000443"));

        // The inbox is started: the SIM is listed, the modem memory's
        // received messages are taken in (what is taken and how is in
        // test_smsarrival).
        QCOMPARE(f.inbox->lists(MessageStorage::Sim).in.size(), 3);
        QCOMPARE(f.pcBox("inbox").size(), 2);
        QVERIFY(f.sim.control({"messages", "ME"}).trimmed().startsWith("ME 3 3 "));

        // "+YSNT: 2,0,0" is preference 3, stored as the page's choice 2.
        QCOMPARE(f.view.networkSelection, 3);
        QCOMPARE(readNetworkSettings().modePerferred, 2);
    }

    // A read that fails (the SIM away for a moment, no answer) keeps the
    // notice: a later tick reads the message, stores it once and deletes it.
    // A message stored whose delete fails is deleted later, never stored
    // twice, also when the card was pulled out meanwhile. A storage query
    // left unanswered is no full storage.
    void failedReadsAndDeletes() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        const auto onModem = [&f](const QString& text) {
            return f.sim.control({"messages", "ME"}).contains(text);
        };
        QVERIFY(f.sim.command({"on", "AT+CPMS?", "noreply", "count", "1"}));
        QVERIFY(f.sim.command({"on", "AT+CMGR=*", "reply", "+CMS ERROR: 313", "count", "1"}));
        QVERIFY(f.sim.command({"on", "AT+CMGR=*", "noreply", "count", "1"}));
        const qsizetype reads = f.sim.received().filter("AT+CMGR=").size();
        QVERIFY(f.sim.deliver("+491700000444", "Read me later", "ME") > 0);
        QTRY_VERIFY(f.sim.received().filter("AT+CMGR=").size() > reads);
        QTRY_VERIFY(f.link->idle()); // the first read ends
        f.tick();                    // no answer at all
        QCOMPARE(f.inboxCopies("Read me later"), 0);
        f.tick();
        QCOMPARE(f.inboxCopies("Read me later"), 1);
        QVERIFY(!onModem("Read me later"));

        QVERIFY(f.sim.command({"on", "AT+CMGD=*", "reply", "+CMS ERROR: 500", "count", "1"}));
        QVERIFY(f.sim.deliver("+491700000555", "Delete me later", "ME") > 0);
        QTRY_COMPARE(f.inboxCopies("Delete me later"), 1);
        QVERIFY(onModem("Delete me later"));
        f.tick();
        QVERIFY(!onModem("Delete me later"));

        QVERIFY(f.sim.command({"on", "AT+CMGD=*", "reply", "+CMS ERROR: 500", "count", "1"}));
        QVERIFY(f.sim.deliver("+491700000666", "Pulled out before the delete", "ME") > 0);
        QTRY_COMPARE(f.inboxCopies("Pulled out before the delete"), 1);
        QVERIFY(f.sim.unplug());
        f.tick();
        QVERIFY(f.sim.plug());
        for (int i = 0; i < 4 && !f.status().card; ++i)
            f.tick();
        QVERIFY(!onModem("Pulled out before the delete"));
        QCOMPARE(f.inboxCopies("Pulled out before the delete"), 1);
        QCOMPARE(f.inboxCopies("Delete me later"), 1);
        QCOMPARE(f.inboxCopies("Read me later"), 1);
        QVERIFY(f.view.messageTexts().isEmpty());
    }

    void fullStorageKeepsTheMessageOnTheModem() {
        MonitorFixture f;
        QVERIFY(f.start("mefull"));
        f.tick();
        const int inboxBefore = f.pcBox("inbox").size();
        QVERIFY(f.sim.deliver("+491700000333", "No room", "ME") > 0);
        QSignalSpy full(f.inbox.get(), &SmsInbox::storageFull);
        QVERIFY(full.wait(5000));
        QCOMPARE(f.pcBox("inbox").size(), inboxBefore);
        QVERIFY(f.sim.control({"messages", "ME"}).contains("No room"));
    }

    // Reports on sent messages, stored on the card with "+CDSI" (as the
    // program's AT+CNMI asks; whole ones with "+CDS" are in the table of
    // every card), and out of order: each reaches its message in the PC
    // outbox, the card's copy is deleted, and no report counts as an
    // arriving message. A report storage that
    // can't be selected now is read later, never at another storage's place.
    void deliveryReportsReachTheSentMessages() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        QVERIFY(f.sim.command({"reports", "hold"}));
        SubmitOptions options;
        options.statusReport = true;
        const auto sendOne = [&](const QString& text) {
            std::optional<SendReport> report;
            sendToRecipients(*f.link, f.link.get(), f.inbox->store(), {"+491700000777"}, text,
                             "+491710760000", options, "failed", "261207150000",
                             [&](const SendReport& r) { report = r; });
            return QTest::qWaitFor([&] { return report.has_value(); }) ? report->sent : -1;
        };
        QCOMPARE(sendOne("first"), 1);
        QVERIFY(f.sim.command({"set", "report-status", "70"}));
        QCOMPARE(sendOne(QString(200, 'x')), 1);
        const int unread = f.inbox->unreadCount();
        const int inbox = f.pcBox("inbox").size();
        f.newCommands();

        QVERIFY(f.sim.command({"on", "AT+CPMS=\"SR\"", "reply", "+CMS ERROR: 302", "count", "1"}));
        QVERIFY(f.sim.command({"reports", "release", "reverse"}));
        QTRY_VERIFY_WITH_TIMEOUT(f.sim.received().contains("AT+CPMS=\"SR\""), 5000);
        QTRY_VERIFY(f.link->idle());
        f.tick();
        QTRY_COMPARE(f.sim.control({"messages", "SR"}), QString());
        const QStringList commands = f.sim.received();
        const qsizetype refused = commands.indexOf("AT+CPMS=\"SR\"");
        QVERIFY(refused >= 0 && !commands.value(refused + 1).startsWith("AT+CMGR"));

        QTRY_COMPARE_WITH_TIMEOUT(
            f.outboxDeliveries(),
            (QStringList{QString("first|%1|0").arg(int(DeliveryOutcome::Delivered)),
                         QString(200, 'x') + QString("|%1|70").arg(int(DeliveryOutcome::Failed))}),
            5000);
        QCOMPARE(f.inbox->unreadCount(), unread);
        QCOMPARE(f.pcBox("inbox").size(), inbox);
    }

    // A card pulled out while connected: the connection ends and the dialer
    // files end as they were. Two checks the card, still there, leaves
    // unanswered keep the connection; the third ends it.
    void modemLostStopsTheDialer() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        QVERIFY(DialerRoot::prepare(f.env));
        DialerRoot::dialer(f.env, "");
        DialerRoot::RecordingPage page;
        ConnectionController connection(page, f.link.get());
        connection.setTiming({1000, 200, 59, 100, 10000, 100, 100, 2});
        f.view.connection = &connection;
        f.tick();
        connection.isConnectButton_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(connection.state(), ConnectionController::State::Connected,
                                  10000);

        QVERIFY(f.sim.command({"on", "AT+CSQ", "noreply", "count", "2"}));
        for (int i = 0; i < 3; ++i)
            f.tick();
        QVERIFY(f.status().card);
        QCOMPARE(connection.state(), ConnectionController::State::Connected);

        QVERIFY(f.sim.unplug());
        f.tick();
        QVERIFY(!f.status().card);
        QTRY_COMPARE_WITH_TIMEOUT(connection.state(), ConnectionController::State::Disconnected,
                                  10000);
        QVERIFY(DialerRoot::asBefore());
        QVERIFY(!f.link->isSuspended());
        f.view.connection = nullptr;
    }

    // Pulled out, the card is shown gone at once; ModemManager holding its
    // port is named while it lasts; plugged in again, it is found and set up.
    // A card that is there but stops answering is gone at the third check.
    void unpluggedModemIsShownOffAndFoundAgain() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        QVERIFY(f.sim.unplug());
        f.tick();
        QVERIFY(!f.status().card);
        QVERIFY(!f.monitor->modemAttached());
        f.tick();
        QVERIFY(!f.view.status().card && !f.view.status().canDial());

        f.env.writeRootFile("/proc/321/comm", "ModemManager\n");
        QVERIFY(QDir().mkpath(f.env.rootPath("/proc/321/fd")));
        QVERIFY(QFile::link(f.sim.atPort(), f.env.rootPath("/proc/321/fd/9")));
        f.tick();
        QCOMPARE(f.view.status().heldByModemManager, QStringList{f.sim.atPort()});
        QVERIFY(QDir(f.env.rootPath("/proc/321")).removeRecursively());
        f.tick();
        QVERIFY(f.view.status().heldByModemManager.isEmpty());

        QVERIFY(f.sim.plug());
        for (int i = 0; i < 3 && !f.status().card; ++i)
            f.tick();
        QCOMPARE(f.view.status().sim, Sim::Ready);
        QVERIFY(f.view.status().canDial());

        QVERIFY(f.sim.command({"on", "AT+CSQ", "noreply"}));
        f.tick();
        f.tick();
        QVERIFY(f.monitor->modemAttached());
        f.tick();
        QVERIFY(!f.monitor->modemAttached());
    }

    // A SIM taken out is shown gone at the next check; put back with its
    // PIN lock on, the PIN is asked for and the SIM is usable again.
    void simAbsentAndBack() {
        MonitorFixture f;
        QVERIFY(f.start("ready"));
        f.tick();
        QVERIFY(f.sim.command({"set", "pin-lock", "on"}));
        QVERIFY(f.sim.command({"sim", "remove"}));
        f.tick();
        QCOMPARE(f.view.status().sim, Sim::Absent);
        QVERIFY(!f.view.status().canDial());
        QVERIFY(f.inbox->lists(MessageStorage::Sim).in.isEmpty());

        QVERIFY(f.sim.command({"sim", "insert"}));
        f.view.answers = {QString("1234")};
        f.tick();
        QCOMPARE(f.view.asked, QStringList{"CheckPIN: Please enter PIN!"});
        QCOMPARE(f.view.status().sim, Sim::Ready);
        QVERIFY(!f.inbox->lists(MessageStorage::Sim).in.isEmpty());
    }

    // A SIM state the program can't use while the card still gives the
    // IMSI, or a card without a SIM: each tick asks once and ends, the SIM
    // shown absent, nothing of the SIM's messages set up.
    void unusableSimEndsTheTick_data() {
        QTest::addColumn<QStringList>("reply");
        QTest::newRow("MM: network-locked card") << QStringList{"+CPIN: PH-NET PIN", "OK"};
        QTest::newRow("card: failing SIM") << QStringList{"+CME ERROR: SIM failure"};
        QTest::newRow("card without a SIM") << QStringList(); // the simulator's own answer
    }
    void unusableSimEndsTheTick() {
        QFETCH(QStringList, reply);
        MonitorFixture f;
        QVERIFY(f.start(reply.isEmpty() ? "nosim" : "ready"));
        QVERIFY(reply.isEmpty() || f.sim.command(QStringList{"on", "AT+CPIN?", "reply"} + reply));
        for (int i = 0; i < 2; ++i) {
            f.tick();
            QCOMPARE(f.newCommands().count("AT+CPIN?"), 1);
            QVERIFY(f.view.status().card);
            QCOMPARE(f.view.status().sim, Sim::Absent);
            QVERIFY(!f.view.status().canDial());
        }
        QVERIFY(!f.sim.received().contains("AT+CNMI=3,1,0,2,0"));
    }

    // A SIM that stays busy beyond its bound counts as failed and nothing of
    // its set-up is sent; within the bound it comes up.
    void busySim_data() {
        QTest::addColumn<int>("busyAnswers");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("simQueries");
        QTest::addColumn<bool>("ready");
        QTest::newRow("beyond the bound") << 5 << 1 << 2 << false;
        QTest::newRow("within the bound") << 2 << 5 << 3 << true;
    }
    void busySim() {
        QFETCH(int, busyAnswers);
        QFETCH(int, limit);
        QFETCH(int, simQueries);
        QFETCH(bool, ready);
        MonitorFixture f;
        QVERIFY(f.start("busy"));
        QVERIFY(f.sim.command({"set", "sim-busy", QString::number(busyAnswers)}));
        f.monitor->setSimBusyLimit(limit);
        f.tick();
        const QStringList commands = f.newCommands();
        QCOMPARE(commands.mid(0, commands.indexOf("AT+CIMI")).count("AT+CPIN?"), simQueries);
        QCOMPARE(commands.contains("AT+CNMI=3,1,0,2,0"), ready);
        QCOMPARE(f.status().sim == Sim::Ready, ready);
    }
};

QTEST_GUILESS_MAIN(TestStatusMonitor)
#include "test_statusmonitor.moc"
