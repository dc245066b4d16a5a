// A connection's whole life through the controller, against the demo dialer
// standing in for wvdial under a private root: the dialer files backed up,
// written and restored byte for byte, the dialer started, the link and its
// DNS server checked, traffic and time shown, the dialer killed and waited
// for; and the faults of real dialers. The controller's clock runs 10 times
// faster than real time and its timers are shortened to match, so that a
// minute of connect checks takes six seconds.

#include "connection/connectioncontroller.h"
#include "connection/connectionglobals.h"
#include "connection/dialercontrol.h"
#include "connection/leftoverconnection.h"
#include "connection/profilerecord.h"
#include "connection/traffichistory.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"
#include "tests/connection/dialerroot.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/wait.h>

namespace {

constexpr int Speed = 10; // scaled milliseconds per real millisecond

struct RecordingView : ConnectionView {
    QString buttonText = "Connect";
    bool buttonEnabled = true;
    QStringList states;
    bool connectedImage = false;
    bool captionVisible = true;
    QStringList traffic; // sent | received | time, or empty when hidden
    QStringList messages;
    QString usage;
    QList<DayUsage> usageDays;

    void setConnectButtonText(const QString& text) override { buttonText = text; }
    void setConnectButtonEnabled(bool enabled) override { buttonEnabled = enabled; }
    void setStateText(const QString& text) override { states << text; }
    void setStateImage(bool connected) override { connectedImage = connected; }
    void setCaptionVisible(bool visible) override { captionVisible = visible; }
    void showTraffic(const QString& sent, const QString& received, const QString& time) override {
        traffic = {sent, received, time};
    }
    void hideTraffic() override { traffic.clear(); }
    void showUsage(const QString& summary, const QList<DayUsage>& days) override {
        usage = summary;
        usageDays = days;
    }
    void message(Box, const QString& text) override { messages << text; }
};

bool processGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0;
}

} // namespace

class TestConnection : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env_;
    RecordingView view_;
    std::unique_ptr<ConnectionController> controller_;
    QElapsedTimer realTime_;

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
        view_ = RecordingView();
        controller_ = std::make_unique<ConnectionController>(view_, nullptr);
        ConnectionTiming timing;
        // Timer intervals shrink; durations on the clock (the DNS limit, the
        // SIGKILL delay) are kept, as the clock runs faster.
        for (int* ms : {&timing.firstCheckMs, &timing.recheckMs, &timing.killWaitMs,
                        &timing.animationMs, &timing.trafficMs})
            *ms /= Speed;
        controller_->setTiming(timing);
        realTime_.start();
        controller_->setClock([this] { return realTime_.elapsed() * Speed; });
    }

private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        QVERIFY(DialerRoot::prepare(*env_));
        connecting = 0;
        connectOrDisconnectButton = 1;
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
    // then "Connected" with amounts and time; disconnect: the dialer gone and
    // all four files back as they were.
    void connectAndDisconnect() {
        QSignalSpy started(controller_.get(), &ConnectionController::sigConnectingStart);
        QSignalSpy ended(controller_.get(), &ConnectionController::sigConnectingEnd);
        bool dialerBeforeContext = true;
        connect(controller_.get(), &ConnectionController::sigPDPSetCommand, this,
                [&] { dialerBeforeContext = controller_->dialerRunning(); });

        click();
        QCOMPARE(started.size(), 1);
        QVERIFY(!dialerBeforeContext);
        QCOMPARE(controller_->state(), ConnectionController::State::Connecting);
        QCOMPARE(connecting, 1);
        click(); // ignored while connecting
        QCOMPARE(started.size(), 1);
        QVERIFY(!view_.buttonEnabled);
        QVERIFY(waitFor(ConnectionController::State::Connected));
        QVERIFY(view_.states.contains("State: Connecting. ."));
        QCOMPARE(view_.states.last(), QString("State: Connected"));
        QCOMPARE(view_.buttonText, QString("Disconnect"));
        QVERIFY(view_.connectedImage && !view_.captionVisible);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(connectOrDisconnectButton, 0);
        QCOMPARE(connecting, 0);
        QVERIFY(TestEnv::readFile(SystemPaths::wvdialConf()).contains("Phone = *99#\r\n"));
        const pid_t pid = controller_->dialerPid();
        QCOMPARE(TestEnv::readFile(SystemPaths::dialerPidFile()).trimmed(),
                 QByteArray::number(pid));

        // Amounts grow, the time counts.
        QTRY_VERIFY_WITH_TIMEOUT(view_.traffic.value(1).endsWith("KB"), 3000);
        const QString first = view_.traffic.value(1);
        QTRY_VERIFY_WITH_TIMEOUT(view_.traffic.value(1) != first, 3000);
        QVERIFY(view_.traffic.value(0).startsWith("Amount Data of Transported: "));
        QVERIFY(view_.traffic.value(2).startsWith("Connected Time: 00:"));

        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QVERIFY(view_.traffic.isEmpty() && view_.captionVisible);
        QVERIFY(processGone(pid));
        QCOMPARE(view_.buttonText, QString("Connect"));
        QCOMPARE(view_.states.last(), QString("State: Disconnected"));
        QCOMPARE(ended.size(), 2);
        QVERIFY(view_.messages.isEmpty());
        verifyFilesAsBefore();

        // The connection's data is in the history, and on the page.
        const DayUsage today = TrafficHistory().day(QDate::currentDate());
        QVERIFY(today.bytes() > 0 && today.seconds >= 0);
        QVERIFY(view_.usage.startsWith("Today: "));
        QCOMPARE(view_.usageDays.size(), 30);
        QCOMPARE(view_.usageDays.last().bytes(), today.bytes());
    }

    // With this month's data near or at the limit: a warning at 90 %, and
    // at 100 % a notice, and the connection ended when the user chose so.
    void monthlyLimit_data() {
        QTest::addColumn<int>("usedPercent");
        QTest::addColumn<bool>("disconnect");
        QTest::addColumn<QString>("expected");
        QTest::newRow("warning") << 90 << true << "warning 90";
        QTest::newRow("reached, kept") << 100 << false << "reached kept";
        QTest::newRow("reached, ended") << 100 << true << "reached ended";
    }
    void monthlyLimit() {
        QFETCH(int, usedPercent);
        QFETCH(bool, disconnect);
        QFETCH(QString, expected);
        NetworkSettings settings;
        settings.monthlyLimitMB = 10;
        settings.billingDay = 1;
        settings.limitDisconnect = disconnect;
        QVERIFY(writeNetworkSettings(settings));
        const qint64 limit = qint64(10) << 20;
        {
            TrafficHistory history;
            const QDateTime start(QDate::currentDate(), QTime(0, 0));
            history.add(start, start, limit * usedPercent / 100, 0);
            QVERIFY(history.save());
        }
        makeController();
        QStringList seen;
        connect(controller_.get(), &ConnectionController::usageWarning, this,
                [&](int percent) { seen << QString("warning %1").arg(percent); });
        connect(controller_.get(), &ConnectionController::limitReached, this,
                [&](bool ending) { seen << (ending ? "reached ended" : "reached kept"); });
        click();
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty(), 8000);
        QTest::qWait(300); // once only
        QCOMPARE(seen, QStringList{expected});
        QVERIFY(view_.usage.endsWith(" of 10.0 MB"));
        if (disconnect && usedPercent == 100) {
            QVERIFY(waitFor(ConnectionController::State::Disconnected));
            QCOMPARE(view_.messages,
                     QStringList{"This month's data limit of 10.0 MB is reached: the "
                                 "connection was ended."});
            verifyFilesAsBefore();
        } else {
            QCOMPARE(controller_->state(), ConnectionController::State::Connected);
        }
    }

    // Every failure after dialling takes the dialer down and restores the
    // files; the link that never comes is told after the restore.
    void failuresRestoreTheFiles_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("no link") << QByteArray("--no-link")
                                 << "Fail to connect! Link ppp0 was'n built !";
        QTest::newRow("private DNS")
            << QByteArray("--dns 192.168.1.1") << "Fail to connect! DNS isn't valid !";
        QTest::newRow("no DNS within 59 s")
            << QByteArray("--no-dns") << "Fail to connect! Can't get dns!";
        QTest::newRow("aborts three times")
            << QByteArray("--abort-first 3") << "Fail to connect! Link ppp0 was'n built !";
    }
    void failuresRestoreTheFiles() {
        QFETCH(QByteArray, options);
        QFETCH(QString, message);
        dialer(options);
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected, 15000));
        QCOMPARE(view_.messages, QStringList{message});
        QCOMPARE(view_.buttonText, QString("Connect"));
        QCOMPARE(connecting, 0);
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

    // Fixed DNS servers are written once the link is up, with plain line
    // ends; the machine's resolver file comes back afterwards.
    void fixedDnsServers() {
        useProfile(true);
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        const QByteArray servers = "nameserver 1.1.1.1\nnameserver 8.8.4.4\n";
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), servers);
        QCOMPARE(TestEnv::readFile(SystemPaths::pppResolvConf()), servers);
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        verifyFilesAsBefore();
    }

    // A dialer that ignores SIGTERM gets SIGKILL 10 s after the kill.
    void stubbornDialerIsKilled() {
        dialer("--ignore-term");
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        const pid_t pid = controller_->dialerPid();
        const qint64 killedAt = realTime_.elapsed() * Speed;
        click();
        QVERIFY(waitFor(ConnectionController::State::Disconnected));
        QVERIFY(realTime_.elapsed() * Speed - killedAt >= 10000);
        QVERIFY(processGone(pid));
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

    // A connection the program never took down (it died while connected):
    // the next start stops the dialer it left and restores the files.
    void leftoverConnectionIsRestored() {
        QCOMPARE(restoreLeftoverConnection(), LeftoverConnection::None);
        click();
        QVERIFY(waitFor(ConnectionController::State::Connected));
        const pid_t pid = controller_->dialerPid();
        // The program "dies": nothing is taken down.
        controller_.reset();
        QVERIFY(!processGone(pid));
        QCOMPARE(restoreLeftoverConnection(), LeftoverConnection::Restored);
        QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 5000);
        verifyFilesAsBefore();
    }

    // A dialer program that can't be started ends at once and is reaped.
    void dialerThatCannotStartIsReaped() {
        QVERIFY(QFile::remove(SystemPaths::wvdialProgram()));
        DialerControl control;
        QVERIFY(control.startDialer());
        QVERIFY(!control.startDialer());
        const pid_t pid = control.dialerPid();
        QVERIFY(pid > 0);
        QTRY_VERIFY_WITH_TIMEOUT(waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD, 5000);
        QVERIFY(control.dialerGone());
        QVERIFY(!control.lastEndedBySignal());
        QVERIFY(!control.killDialer());
        QVERIFY(control.startDialer()); // a new attempt can start
        control.forgetDialer();
        QVERIFY(!control.hasDialer());
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
