#include "app/commonconfig.h"
#include "app/systempaths.h"
#include "connection/dialercontrol.h"
#include "connection/dialerfiles.h"
#include "connection/profilestore.h"
#include "connection/traffic.h"
#include "tests/connection/freshdata.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>
#include <cerrno>
#include <sys/wait.h>

namespace {

const QByteArray OriginalWvdial = "[Dialer Defaults]\nModem = /dev/ttyS0\n";
const QByteArray OriginalOptions = "lock\n";
const QByteArray OriginalPeers = "noauth\n";

QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

QByteArray receivedBytes() {
    char rx[RawCountSize] = {};
    char tx[RawCountSize] = {};
    Read_ip_amount(rx, tx);
    return rx;
}

bool reapedAlready(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

} // namespace

// The whole connect cycle against the demo dialer standing in for wvdial:
// back up and write the dialer files, start the dialer, wait for the link and
// its DNS server, watch the traffic, kill the dialer, wait for it to go and
// restore the files.
class TestDialerCycle : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        env_->writeRootFile("/etc/wvdial.conf", OriginalWvdial);
        env_->writeRootFile("/etc/ppp/options", OriginalOptions);
        env_->writeRootFile("/etc/ppp/peers/wvdial", OriginalPeers);
        env_->writeRootFile("/etc/resolv.conf", "nameserver 9.9.9.9\n");
        env_->writeRootFile("/var/run/.keep", "");
        QVERIFY(QDir().mkpath(env_->rootPath("/usr/bin")));
        QVERIFY(QDir().mkpath(env_->rootPath("/bin")));
        const QString kill = QStandardPaths::findExecutable("kill");
        QVERIFY(!kill.isEmpty());
        QVERIFY(QFile::link(kill, SystemPaths::killProgram()));
        comcfg.builtinProfileName = "Tolva Internet";
        comcfg.builtinDialNumber = "*99#";
        QVERIFY(ProfileStore::initializeFile());
        QVERIFY(ProfileStore::initializeDefaultData());
        QCOMPARE(ProfileStore::resolveDefaultProfile(), QString("Tolva Internet"));
    }
    void cleanup() { env_.reset(); }

    void dialWatchKillRestore() {
        QVERIFY(QFile::link(TestEnv::binary("demodialer"), SystemPaths::wvdialProgram()));
        DialerFiles files;
        QVERIFY(files.saveConfigData());
        QVERIFY(files.readDeafaultConfigData("/dev/ttyUSB0"));

        DialerControl control;
        QVERIFY(control.startDialer());
        QVERIFY(!control.startDialer());
        QVERIFY(control.hasDialer());
        const pid_t pid = control.dialerPid();
        QVERIFY(pid > 0);

        QTRY_VERIFY_WITH_TIMEOUT(DialerControl::linkUp(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(getAutoDNS(), 2, 5000);
        QCOMPARE(TestEnv::readFile(SystemPaths::pppPidFile()).trimmed(), QByteArray::number(pid));
        QTRY_VERIFY_WITH_TIMEOUT(!receivedBytes().isEmpty() && receivedBytes() != "0", 5000);
        const qulonglong first = receivedBytes().toULongLong();
        QTRY_VERIFY_WITH_TIMEOUT(receivedBytes().toULongLong() > first, 5000);
        QVERIFY(!control.dialerGone());

        QVERIFY(control.killDialer());
        QTRY_VERIFY_WITH_TIMEOUT(control.dialerGone(), 10000);
        QVERIFY(!control.hasDialer());
        QVERIFY(reapedAlready(pid));
        QVERIFY(!DialerControl::linkUp());
        QCOMPARE(receivedBytes(), QByteArray("0"));

        QVERIFY(files.recoverConfigData());
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConf()), crlf(OriginalWvdial));
        QCOMPARE(TestEnv::readFile(SystemPaths::pppOptions()), crlf(OriginalOptions));
        QCOMPARE(TestEnv::readFile(SystemPaths::peersWvdial()), crlf(OriginalPeers));
        QVERIFY(!QFile::exists(SystemPaths::wvdialConfBackup()));
        QVERIFY(!QFile::exists(SystemPaths::resolvConfBackup()));
    }

    void aDialerThatCannotStartIsReaped() {
        // No program at /usr/bin/wvdial under the root: the child ends at once.
        DialerControl control;
        QVERIFY(control.startDialer());
        const pid_t pid = control.dialerPid();
        QVERIFY(pid > 0);
        QTRY_VERIFY_WITH_TIMEOUT(reapedAlready(pid), 5000);
        QVERIFY(control.dialerGone());
        QVERIFY(!control.killDialer());
        // A new attempt can start.
        QVERIFY(control.startDialer());
        control.forgetDialer();
        QVERIFY(!control.hasDialer());
    }

private:
    std::unique_ptr<TestEnv> env_;
};

QTEST_GUILESS_MAIN(TestDialerCycle)
#include "test_dialercycle.moc"
