// A connection's whole life through the controller and the privileged
// helper, against the demo dialer standing in for wvdial and pppd under a
// private root (the helper's copy there needs no rights): the dialer files
// backed up, written and restored byte for byte, the dialer started, the
// link and its DNS server checked, the DNS hooks run, traffic and time
// shown, the dialer ended and waited for; and the faults of real dialers.
// The controller's clock runs 10 times faster than real time and its
// timers are shortened to match, so that a minute of connect checks takes
// six seconds.

#include "connection/connectioncontroller.h"
#include "connection/profilerecord.h"
#include "connection/traffichistory.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"
#include "tests/connection/dialerroot.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/file.h>

namespace {

constexpr int Speed = 10; // scaled milliseconds per real millisecond

bool processGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0;
}

const QString NoLink = "Fail to connect! Link ppp0 was'n built !";

} // namespace

class TestConnection : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env_;
    DialerRoot::RecordingPage view_;
    SerialThread link_; // no port: it only tells the modem port
    std::unique_ptr<ConnectionController> controller_;
    QElapsedTimer realTime_;
    QString dialer_;

    void dialer(const QByteArray& options) { DialerRoot::dialer(*env_, options); }

    void useProfile(bool fixedDns) {
        ProfileRecord r;
        r.name = "Demo";
        r.phone = "*99#";
        r.apn = "internet.demo";
        r.obtainDns = !fixedDns;
        r.useDns = fixedDns;
        r.preNameserver = "1.1.1.1";
        r.altNameserver = "8.8.4.4";
        QVERIFY(ProfileStore::saveNewText(r));
        QVERIFY(ProfileStore::saveDefaultData("Demo"));
    }

    void verifyFilesAsBefore() { QVERIFY(DialerRoot::asBefore()); }

    void click() { controller_->isConnectButton_clicked(); }

    bool waitFor(ConnectionController::State state, int realMs = 8000) {
        QDeadlineTimer deadline(realMs);
        while (controller_->state() != state && !deadline.hasExpired())
            QTest::qWait(10);
        return controller_->state() == state;
    }

    // A fresh page and controller, on the files as they stand.
    void makeController() {
        controller_.reset();
        view_ = DialerRoot::RecordingPage();
        controller_ = std::make_unique<ConnectionController>(view_, &link_);
        ConnectionTiming timing;
        // Timer intervals shrink; durations on the clock (the DNS limit, the
        // SIGKILL delay) are kept, as the clock runs faster.
        for (int* ms : {&timing.firstCheckMs, &timing.recheckMs, &timing.killWaitMs,
                        &timing.animationMs, &timing.trafficMs})
            *ms /= Speed;
        controller_->setTiming(timing);
        controller_->setDialerSetting([this] { return dialer_; });
        realTime_.start();
        controller_->setClock([this] { return realTime_.elapsed() * Speed; });
    }

private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        QVERIFY(DialerRoot::prepare(*env_));
        link_.setPortNames(env_->cardPort(), env_->cardPort());
        dialer_.clear();
        dialer("");
        makeController();
    }
    void cleanup() {
        if (controller_ && controller_->dialerRunning()) {
            controller_->safeKillWvdail();
            waitFor(ConnectionController::State::Disconnected);
        }
        controller_.reset();
        env_.reset();
    }

    // Connect: the PDP context before the dialer, "Connecting" animated,
    // then "Connected" with amounts and time; disconnect: "Disconnecting"
    // shown, the dialer gone and every file back as it was.
    void connectAndDisconnect_data() {
        QTest::addColumn<QString>("dialer");
        QTest::addColumn<QByteArray>("written"); // a line the dialer was given
        QTest::newRow("wvdial") << "wvdial" << QByteArray("Phone = *99#\r\n");
        QTest::newRow("pppd") << "pppd" << QByteArray("-T '*99#'");
    }
    void connectAndDisconnect() {
        QFETCH(QString, dialer);
        QFETCH(QByteArray, written);
        dialer_ = dialer;
        QSignalSpy started(controller_.get(), &ConnectionController::sigConnectingStart);
        QSignalSpy ended(controller_.get(), &ConnectionController::sigConnectingEnd);
        QSignalSpy states(controller_.get(), &ConnectionController::stateChanged);
        bool helperBeforeContext = true;
        connect(controller_.get(), &ConnectionController::sigPDPSetCommand, this,
                [&] { helperBeforeContext = controller_->dialerRunning(); });

        click();
        QCOMPARE(started.size(), 1);
        QVERIFY(!helperBeforeContext);
        QCOMPARE(controller_->state(), ConnectionController::State::Connecting);
        click(); // ignored while connecting
        QCOMPARE(started.size(), 1);
        QVERIFY(!view_.buttonEnabled);
        QVERIFY(waitFor(ConnectionController::State::Connected));
        QVERIFY(view_.states.contains("State: Connecting. ."));
        QCOMPARE(view_.states.last(), QString("State: Connected"));
        QCOMPARE(view_.buttonText, QString("Disconnect"));
        QVERIFY(view_.connectedImage && !view_.captionVisible);
        QCOMPARE(ended.size(), 1);
        const QString given =
            dialer == "pppd" ? SystemPaths::pppdOptionsFile() : SystemPaths::wvdialConf();
        QVERIFY(TestEnv::readFile(given).contains(written));
        // The ip-up hook gave the peer's servers to the resolver file.
        QVERIFY(TestEnv::readFile(SystemPaths::resolvConf()).startsWith("nameserver 203.0.113.53"));
        const pid_t pid = DialerRoot::recordedDialer();
        QVERIFY(pid > 0);

        // Amounts grow, the time counts.
        QTRY_VERIFY_WITH_TIMEOUT(view_.traffic.value(1).endsWith("KB"), 3000);
        const QString first = view_.traffic.value(1);
        QTRY_VERIFY_WITH_TIMEOUT(view_.traffic.value(1) != first, 3000);
        QVERIFY(view_.traffic.value(0).startsWith("Amount Data of Transported: "));
        QVERIFY(view_.traffic.value(2).startsWith("Connected Time: 00:"));

        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QVERIFY(view_.states.contains("State: Disconnecting."));
        QVERIFY(view_.traffic.isEmpty() && view_.captionVisible);
        QVERIFY(processGone(pid));
        QCOMPARE(view_.buttonText, QString("Connect"));
        QCOMPARE(view_.states.last(), QString("State: Disconnected"));
        QCOMPARE(ended.size(), 2);
        QVERIFY(view_.messages.isEmpty());
        verifyFilesAsBefore();
        QList<ConnectionState> seen;
        for (const QList<QVariant>& change : states)
            seen << change.first().value<ConnectionState>();
        QCOMPARE(seen, (QList<ConnectionState>{
                           ConnectionState::Connecting, ConnectionState::Connected,
                           ConnectionState::Disconnecting, ConnectionState::Disconnected}));

        // The connection's data is in the history, and on the page.
        const DayUsage today = TrafficHistory().day(QDate::currentDate());
        QVERIFY(today.bytes() > 0 && today.seconds >= 0);
        QVERIFY(view_.usage.startsWith("Today: "));
        QCOMPARE(view_.usageDays.size(), 30);
        QCOMPARE(view_.usageDays.last().bytes(), today.bytes());
    }

    // With this month's data near or at the limit: a warning at 90 %, at
    // 100 % a notice and the connection ended when the user chose so; and
    // when the month is over the limit already, no dialling at all.
    void monthlyLimit_data() {
        const qint64 limit = qint64(10) << 20;
        QTest::addColumn<qint64>("used");
        QTest::addColumn<bool>("disconnect");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("warning") << limit * 9 / 10 << true << "warning 90" << QString();
        QTest::newRow("reached, kept") << limit << false << "reached kept" << QString();
        QTest::newRow("reached while connected")
            << limit - 1 << true << "reached ended"
            << "This month's data limit of 10.0 MB is reached: the connection was ended.";
        QTest::newRow("reached before dialling")
            << limit << true << QString()
            << "This month's data limit of 10.0 MB is reached, and the connection would be ended "
               "at once. To connect, raise the limit or switch off \"Disconnect at the limit\" in "
               "the network settings.";
    }
    void monthlyLimit() {
        QFETCH(qint64, used);
        QFETCH(bool, disconnect);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        NetworkSettings settings;
        settings.monthlyLimitMB = 10;
        settings.billingDay = 1;
        settings.limitDisconnect = disconnect;
        QVERIFY(writeNetworkSettings(settings));
        {
            TrafficHistory history;
            const QDateTime start(QDate::currentDate(), QTime(0, 0));
            history.add(start, start, used, 0);
            QVERIFY(history.save());
        }
        makeController();
        QStringList seen;
        connect(controller_.get(), &ConnectionController::usageWarning, this,
                [&](int percent) { seen << QString("warning %1").arg(percent); });
        connect(controller_.get(), &ConnectionController::limitReached, this,
                [&](bool ending) { seen << (ending ? "reached ended" : "reached kept"); });
        click();
        if (expected.isEmpty()) {
            QCOMPARE(controller_->state(), ConnectionController::State::Disconnected);
            QVERIFY(!controller_->dialerRunning());
            QCOMPARE(view_.messages, QStringList{message});
            QVERIFY(view_.buttonEnabled);
            verifyFilesAsBefore();
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty(), 8000);
        QTest::qWait(300); // once only
        QCOMPARE(seen, QStringList{expected});
        QVERIFY(view_.usage.endsWith(" of 10.0 MB"));
        if (message.isEmpty()) {
            QCOMPARE(controller_->state(), ConnectionController::State::Connected);
            return;
        }
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QCOMPARE(view_.messages, QStringList{message});
        verifyFilesAsBefore();
    }

    // Every failure after dialling takes the dialer down and restores the
    // files; the link that never comes is told after the restore. What the
    // helper refuses is never dialled.
    void failuresRestoreTheFiles_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("no link") << QByteArray("--no-link") << NoLink;
        QTest::newRow("private DNS")
            << QByteArray("--dns 192.168.1.1") << "Fail to connect! DNS isn't valid !";
        QTest::newRow("no DNS within 59 s")
            << QByteArray("--no-dns") << "Fail to connect! Can't get dns!";
        QTest::newRow("aborts three times") << QByteArray("--abort-first 3") << NoLink;
        QTest::newRow("no dialer installed")
            << QByteArray("remove dialers")
            << "Neither wvdial nor pppd is installed: there is nothing to dial with.";
        QTest::newRow("helper missing")
            << QByteArray("remove helper")
            << "The connection's helper could not be run: it is missing, or the system did not "
               "authorise it.";
        QTest::newRow("another connection is up")
            << QByteArray("lock")
            << "Another connection is being made or is up. Connect again "
               "once it has ended.";
    }
    void failuresRestoreTheFiles() {
        QFETCH(QByteArray, options);
        QFETCH(QString, message);
        QFile lock(SystemPaths::helperLock());
        if (options == "remove dialers") {
            QVERIFY(QFile::remove(SystemPaths::wvdialProgram()));
            QVERIFY(QFile::remove(SystemPaths::pppdProgram()));
        } else if (options == "remove helper") {
            QVERIFY(QFile::remove(SystemPaths::helperProgram()));
        } else if (options == "lock") {
            QVERIFY(QDir().mkpath(SystemPaths::runDir()) && lock.open(QIODevice::WriteOnly));
            QVERIFY(::flock(lock.handle(), LOCK_EX) == 0);
        } else {
            dialer(options);
        }
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected, 15000));
        QTRY_COMPARE_WITH_TIMEOUT(view_.messages, QStringList{message}, 2000);
        QCOMPARE(view_.buttonText, QString("Connect"));
        lock.close();
        verifyFilesAsBefore();
    }

    // The DNS server may come late: checked every 2 s up to 59 s after
    // dialling. 172.15.x.x is no private address.
    void lateDnsIsAccepted() {
        dialer("--no-dns");
        click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SystemPaths::pppPidFile()), 5000);
        while (realTime_.elapsed() * Speed < 30000)
            QTest::qWait(20);
        QCOMPARE(controller_->state(), ConnectionController::State::Connecting);
        env_->writeRootFile("/etc/ppp/resolv.conf", "nameserver 172.15.0.1\n");
        QVERIFY(waitFor(ConnectionController::State::Connected));
        QVERIFY(view_.messages.isEmpty());
    }

    // Fixed DNS servers of the profile reach the resolver file through the
    // ip-up hook, with plain line ends and the machine's other lines kept;
    // the machine's file comes back afterwards. What each dialer is given
    // for them is test_helper's.
    void fixedDnsServers() {
        useProfile(true);
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()),
                 QByteArray("nameserver 1.1.1.1\nnameserver 8.8.4.4\n# the machine's own\n"));
        // The peer was not asked for servers.
        QVERIFY(!QFile::exists(SystemPaths::pppResolvConf()));
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        verifyFilesAsBefore();
    }

    // A dialer that ignores SIGTERM gets SIGKILL 10 s after the hangup.
    void stubbornDialerIsKilled() {
        dialer("--ignore-term");
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        const pid_t pid = DialerRoot::recordedDialer();
        const qint64 killedAt = realTime_.elapsed() * Speed;
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QVERIFY(realTime_.elapsed() * Speed - killedAt >= 10000);
        QVERIFY(processGone(pid));
        // Killed outright, the dialer ran no ip-down hook: the helper did.
        verifyFilesAsBefore();
    }

    // wvdial sometimes aborts in its first seconds: dialled again, twice at most.
    void abortingDialerIsDialledAgain() {
        dialer("--abort-first 2");
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected, 15000));
        QCOMPARE(TestEnv::readFile(env_->rootPath("/var/run/demodialer.runs")).trimmed(),
                 QByteArray("3"));
        QVERIFY(view_.messages.isEmpty());
    }

    // The network ends a link that is up: the page goes back to
    // "Disconnected" and the files are restored.
    void linkEndedByTheNetwork() {
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        QVERIFY(::kill(DialerRoot::recordedDialer(), SIGHUP) == 0);
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QVERIFY(view_.messages.isEmpty());
        verifyFilesAsBefore();
    }

    // A connection the program never took down (it died while connected):
    // the next start has the helper end the dialer and restore the files,
    // and connecting waits for that.
    void leftoverConnectionIsRestored() {
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        const pid_t pid = DialerRoot::recordedDialer();
        // The program "dies": nothing is taken down.
        controller_.reset();
        QVERIFY(!processGone(pid));
        makeController();
        QSignalSpy restored(controller_.get(), &ConnectionController::leftoverRestored);
        controller_->restoreLeftoverConnection();
        click(); // waits for the restore
        QCOMPARE(controller_->state(), ConnectionController::State::Disconnected);
        QVERIFY(restored.wait(10000));
        QCOMPARE(restored.first().first().value<LeftoverConnection>(),
                 LeftoverConnection::Restored);
        QVERIFY(processGone(pid));
        verifyFilesAsBefore();
        // Without a sign of one, nothing is asked.
        controller_->restoreLeftoverConnection();
        QVERIFY(!restored.wait(300));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
