// The DNS hooks pppd runs when a link of the program comes up and goes down
// (desktop/ppp/velto-dns), under a private root with stand-in resolvectl
// and resolvconf programs that record their calls: the servers go to
// systemd-resolved, to resolvconf, or into the classic file as the machine
// offers, a symlinked /etc/resolv.conf is never touched, and the way down
// undoes the way up.

#include "app/systempaths.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

const QByteArray Original = "# the machine's own\nnameserver 9.9.9.9\noptions edns0\n";
const QByteArray Stub = "nameserver 127.0.0.53\n";

} // namespace

class TestDnsHooks : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env_;

    QString calls() const { return env_->rootPath("/calls"); }

    // A program at `path` below the root that records its name, its
    // arguments and, for "-a", what it reads.
    void standIn(const QString& path) {
        env_->writeRootFile(path, "#!/bin/sh\n{ echo \"$(basename \"$0\") $*\"; "
                                  "[ \"$1\" = -a ] && cat; } >>'" +
                                      calls().toUtf8() + "'\nexit 0\n");
        QFile::setPermissions(env_->rootPath(path), QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ExeOther);
    }

    // Runs the hook of `way` ("up" or "down") as pppd's ip-up or ip-down.
    void runHook(const QString& way, const QString& ipparam, const QStringList& environment) {
        QProcess hook;
        QProcessEnvironment env;
        env.insert("PATH", "/usr/sbin:/usr/bin:/sbin:/bin");
        for (const QString& variable : environment)
            env.insert(variable.section('=', 0, 0), variable.section('=', 1));
        hook.setProcessEnvironment(env);
        hook.start(env_->rootPath("/etc/ppp/ip-" + way + ".d/velto"),
                   {"ppp0", "/dev/ttyUSB0", "115200", "10.64.64.64", "10.64.64.65", ipparam});
        QVERIFY(hook.waitForFinished(10000));
        QCOMPARE(hook.exitCode(), 0);
    }

private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        QVERIFY(env_->prepareDialerRoot());
        env_->writeRootFile("/etc/resolv.conf", Original);
    }
    void cleanup() { env_.reset(); }

    void serversGoWhereTheMachineKeepsThem_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QByteArray>("callsUp");
        QTest::addColumn<QByteArray>("fileUp"); // /etc/resolv.conf while the link is up
        QTest::addColumn<QByteArray>("callsDown");
        const QByteArray peer = "nameserver 203.0.113.53\nnameserver 203.0.113.54\n";
        const QByteArray fixed = "nameserver 1.1.1.1\nnameserver 8.8.4.4\n";
        const QByteArray kept = "# the machine's own\noptions edns0\n";
        const auto row = [](const char* name, const char* machine, bool fixed,
                            const QByteArray& callsUp, const QByteArray& fileUp,
                            const QByteArray& callsDown) {
            QTest::newRow(name) << QString(machine) << fixed << callsUp << fileUp << callsDown;
        };
        const QByteArray resolvedUp = "resolvectl domain ppp0 ~.\n";
        const QByteArray resolvedDown = "resolvectl revert ppp0\n";
        row("systemd-resolved, the peer's servers", "resolved", false,
            "resolvectl dns ppp0 203.0.113.53 203.0.113.54\n" + resolvedUp, Stub, resolvedDown);
        row("systemd-resolved, fixed servers", "resolved", true,
            "resolvectl dns ppp0 1.1.1.1 8.8.4.4\n" + resolvedUp, Stub, resolvedDown);
        row("resolvconf, the peer's servers", "resolvconf", false,
            "resolvconf -a ppp0.velto\n" + peer, Original, "resolvconf -d ppp0.velto\n");
        row("resolvconf, fixed servers", "resolvconf", true, "resolvconf -a ppp0.velto\n" + fixed,
            Original, "resolvconf -d ppp0.velto\n");
        row("the classic file, the peer's servers", "file", false, {}, peer + kept, {});
        row("the classic file, fixed servers", "file", true, {}, fixed + kept, {});
        row("a link without a resolver behind it", "link", false, {}, Stub, {});
        row("pppd's own hook has put the peer's servers in", "debian", false, {}, Original, {});
    }
    void serversGoWhereTheMachineKeepsThem() {
        QFETCH(QString, machine);
        QFETCH(bool, fixed);
        QFETCH(QByteArray, callsUp);
        QFETCH(QByteArray, fileUp);
        QFETCH(QByteArray, callsDown);
        const QString conf = SystemPaths::resolvConf();
        const QString stub = env_->rootPath("/run/systemd/resolve/stub-resolv.conf");
        if (machine == "resolved" || machine == "link") {
            env_->writeRootFile("/run/systemd/resolve/stub-resolv.conf", Stub);
            QVERIFY(QFile::remove(conf) &&
                    QFile::link("../run/systemd/resolve/stub-resolv.conf", conf));
        }
        if (machine == "resolved") {
            standIn("/usr/bin/resolvectl");
            env_->writeRootFile("/run/systemd/resolve/io.systemd.Resolve", "");
        }
        if (machine == "resolvconf")
            standIn("/sbin/resolvconf");
        if (machine == "debian")
            env_->writeRootFile("/etc/resolv.conf.pppd-backup.ppp0", Original);
        if (fixed)
            env_->writeRootFile("/run/velto/fixed-dns", "1.1.1.1\n8.8.4.4\n");
        const QStringList peer = {"USEPEERDNS=1", "DNS1=203.0.113.53", "DNS2=203.0.113.54"};

        runHook("up", "velto", fixed ? QStringList{} : peer);
        QCOMPARE(TestEnv::readFile(calls()), callsUp);
        QCOMPARE(TestEnv::readFile(conf), fileUp);
        // A resolver's link stays a link to the same file.
        QCOMPARE(QFileInfo(conf).isSymLink(), machine == "resolved" || machine == "link");
        QCOMPARE(TestEnv::readFile(stub),
                 machine == "resolved" || machine == "link" ? Stub : QByteArray());

        runHook("down", "velto", fixed ? QStringList{} : peer);
        QCOMPARE(TestEnv::readFile(calls()), callsUp + callsDown);
        QCOMPARE(TestEnv::readFile(conf),
                 machine == "resolved" || machine == "link" ? Stub : Original);
        QVERIFY(!QFile::exists(SystemPaths::resolvConfBackup()));
        QVERIFY(!QFile::exists(SystemPaths::dnsStateFile()));
    }

    // Other links (another ipparam) are not the program's; and what a peer
    // sends that is no address never reaches a file.
    void onlyAddressesOfTheProgramsLinks() {
        runHook("up", "provider", {"USEPEERDNS=1", "DNS1=203.0.113.53"});
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), Original);
        runHook("up", "velto", {"USEPEERDNS=1", "DNS1=1.2.3.4; rm -rf /", "DNS2=5.6.7.8"});
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()),
                 QByteArray("nameserver 5.6.7.8\n# the machine's own\noptions edns0\n"));
        runHook("down", "velto", {});
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), Original);
    }
};

QTEST_GUILESS_MAIN(TestDnsHooks)
#include "test_dnshooks.moc"
