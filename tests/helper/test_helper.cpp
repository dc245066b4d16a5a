// The privileged helper's requests, good and bad, against a private root:
// what it writes for each dialer, that it puts everything back however the
// dialer ends, and that it refuses every field it can't use as it is (the
// bad-input table) without touching a file.

#include "app/systempaths.h"
#include "helper/dialerfiles.h"
#include "helper/dialrequest.h"
#include "tests/helper/helperrun.h"
#include "tests/support/badinputs.h"
#include "tests/support/testenv.h"

#include <QFileInfo>
#include <csignal>
#include <sys/stat.h>

namespace {

const QByteArray OriginalWvdial = "[Dialer Defaults]\nPhone = 0\nPassword = mine\n";
const QByteArray OriginalOptions = "# pppd options\nlock\n";
const QByteArray OriginalPeers = "noauth\nname wvdial\nusepeerdns\n";
const QByteArray OriginalResolv = "nameserver 9.9.9.9\n";

// Ended, whether or not its parent has reaped it yet.
bool processGone(pid_t pid) {
    QFile stat("/proc/" + QString::number(pid) + "/stat");
    if (::kill(pid, 0) != 0 || !stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readLine(512);
    return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
}

unsigned mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

} // namespace

class TestHelper : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env_;

    DialRequest request() const {
        DialRequest r;
        r.port = env_->cardPort();
        r.phone = "*99#";
        return r;
    }

    // Nothing of a connection is left, and the machine's files are its own.
    void verifyUntouched() {
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConf()), OriginalWvdial);
        QCOMPARE(TestEnv::readFile(SystemPaths::pppOptions()), OriginalOptions);
        QCOMPARE(TestEnv::readFile(SystemPaths::peersWvdial()), OriginalPeers);
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), OriginalResolv);
        QVERIFY(!DialerFiles::backupsExist());
        for (const QString& own : {SystemPaths::dialerRecord(), SystemPaths::pppdOptionsFile(),
                                   SystemPaths::fixedDnsFile(), SystemPaths::dnsStateFile(),
                                   SystemPaths::resolvConfBackup()})
            QVERIFY2(!QFile::exists(own), qPrintable(own));
    }

    // Starts a connection whose dialer never brings the link up.
    std::unique_ptr<QProcess> startConnection(const DialRequest& r) {
        auto helper = std::make_unique<QProcess>();
        helper->start(SystemPaths::helperProgram(), {"connect"});
        helper->write(dialRequestText(r));
        helper->closeWriteChannel();
        return helper;
    }

    // The dialer runs, its handlers in place: it waits for its link, or has it.
    static bool dialing(QProcess& helper) {
        QByteArray said;
        QDeadlineTimer deadline(10000);
        const auto ready = [&] { return said.contains("waiting") || said.contains("IP address"); };
        while (!ready() && !deadline.hasExpired()) {
            helper.waitForReadyRead(100);
            said += helper.readAllStandardError();
        }
        return helper.readLine().startsWith("dialing ") && ready();
    }

private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        QVERIFY(env_->prepareDialerRoot());
        env_->writeRootFile("/etc/wvdial.conf", OriginalWvdial);
        env_->writeRootFile("/etc/ppp/options", OriginalOptions);
        env_->writeRootFile("/etc/ppp/peers/wvdial", OriginalPeers);
        env_->writeRootFile("/etc/resolv.conf", OriginalResolv);
        env_->writeRootFile("/etc/demodialer.options", "--no-link");
        QVERIFY(QFile::setPermissions(SystemPaths::wvdialConf(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther));
    }
    void cleanup() { env_.reset(); }

    // What each dialer is given, while it runs; afterwards every file is
    // back byte for byte and the helper's own are gone.
    void dialerFilesWhileConnected_data() {
        QTest::addColumn<QString>("dialer");
        QTest::addColumn<bool>("chap");
        QTest::addColumn<bool>("savedUser");
        QTest::addColumn<bool>("fixedDns");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<unsigned>("fileMode");
        const QByteArray wvdialConf =
            "[Dialer Defaults]\r\nPhone = *99#\r\nUsername = an\"na\r\nPassword = p\\w\r\n"
            "Stupid Mode = 1\r\nDial Command = ATDT\r\nModem = @PORT@\r\nBaud = 115200\r\n"
            "Init = ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0\r\nISDN = 0\r\nAuto Reconnect = off\r\n"
            "Modem Type = Analog Modem\r\n";
        // The password file loses the access others had.
        QTest::newRow("wvdial.conf, PAP, saved user")
            << "wvdial" << false << true << false << "/etc/wvdial.conf" << wvdialConf << 0640u;
        QTest::newRow("wvdial.conf, without saved user, fixed DNS")
            << "wvdial" << false << false << true << "/etc/wvdial.conf"
            << QByteArray(wvdialConf).replace("an\"na", "Ravo").replace("p\\w", "QXW") +
                   "Auto DNS = off\r\n"
            << 0640u;
        const QByteArray options =
            "@PORT@\r\n115200\r\ndebug\r\nnoauth\r\nnoipdefault\r\ndefaultroute\r\n"
            "usepeerdns\r\ncrtscts\r\nlock\r\nkdebug 4 \r\n-detach \r\nlcp-echo-failure 4 \r\n"
            "lcp-echo-interval 30 \r\nlcp-max-configure 20 \r\nlcp-max-failure 20 \r\n"
            "ipcp-max-failure 20 \r\nipcp-max-configure 20 \r\n-ccp\r\n-vj\r\nmtu 1272\r\n"
            "mru 1272\r\nrefuse-chap\r\nrefuse-mschap\r\nrefuse-mschap-v2\r\nrefuse-eap\r\n"
            "name an\"na\r\nshow-password\r\n";
        QTest::newRow("options, PAP, saved user")
            << "wvdial" << false << true << false << "/etc/ppp/options" << options << 0644u;
        QByteArray chapOptions = QByteArray(options).replace("usepeerdns", "#usepeerdns");
        for (const char* line : {"refuse-chap", "refuse-mschap", "refuse-eap", "show-password"})
            chapOptions.replace("\n" + QByteArray(line), "\n#" + QByteArray(line));
        QTest::newRow("options, CHAP, fixed DNS, without saved user")
            << "wvdial" << true << false << true << "/etc/ppp/options"
            << chapOptions.replace("name an\"na", "#name") << 0644u;
        QTest::newRow("peers/wvdial")
            << "wvdial" << false << true << false << "/etc/ppp/peers/wvdial"
            << QByteArray("noipdefault\r\nipcp-accept-local\r\nipcp-accept-remote\r\n"
                          "defaultroute\r\ndebug\r\nnoauth\r\nusepeerdns\r\n"
                          "#lcp-echo-failure 0\r\n#lcp-echo-interval 0\r\nipparam velto\r\n")
            << 0644u;
        QTest::newRow("pppd, PAP, quotes and backslashes escaped")
            << "pppd" << false << true << false << "/run/velto/pppd-options"
            << QByteArray("@PORT@\nuser \"an\\\"na\"\npassword \"p\\\\w\"\n"
                          "connect \"@ROOT@/usr/sbin/chat -v -f @ROOT@/etc/chatscripts/velto "
                          "-T '*99#'\"\nusepeerdns\nrefuse-chap\nrefuse-mschap\n"
                          "refuse-mschap-v2\nrefuse-eap\n")
            << 0600u; // it holds the password
        QTest::newRow("pppd, CHAP, fixed DNS")
            << "pppd" << true << false << true << "/run/velto/pppd-options"
            << QByteArray("@PORT@\nuser \"Ravo\"\npassword \"QXW\"\n"
                          "connect \"@ROOT@/usr/sbin/chat -v -f @ROOT@/etc/chatscripts/velto "
                          "-T '*99#'\"\nrefuse-pap\n")
            << 0600u;
        QTest::newRow("fixed DNS servers for the ip-up hook")
            << "pppd" << false << false << true << "/run/velto/fixed-dns"
            << QByteArray("1.1.1.1\n8.8.4.4\n") << 0644u;
    }
    void dialerFilesWhileConnected() {
        QFETCH(QString, dialer);
        QFETCH(bool, chap);
        QFETCH(bool, savedUser);
        QFETCH(bool, fixedDns);
        QFETCH(QString, file);
        QFETCH(QByteArray, expected);
        QFETCH(unsigned, fileMode);
        DialRequest r = request();
        r.dialer = dialer == "pppd" ? Dialer::Pppd : Dialer::Wvdial;
        r.chap = chap;
        r.saveUser = savedUser;
        r.user = "an\"na";
        r.password = "p\\w";
        r.peerDns = !fixedDns;
        if (fixedDns) {
            r.dns1 = "1.1.1.1";
            r.dns2 = "8.8.4.4";
        }
        expected.replace("@PORT@", r.port.toUtf8()).replace("@ROOT@", env_->root().toUtf8());

        std::unique_ptr<QProcess> helper = startConnection(r);
        QVERIFY(dialing(*helper));
        QCOMPARE(TestEnv::readFile(env_->rootPath(file)), expected);
        QCOMPARE(mode(env_->rootPath(file)), fileMode);
        QCOMPARE(runHelper({"hangup"}).reports, QByteArrayList{"signalled"});
        QVERIFY(helper->waitForFinished(10000));
        QCOMPARE(helper->readAllStandardOutput(), QByteArray("ended exit 0\nrestored\n"));
        verifyUntouched();
        QCOMPARE(mode(SystemPaths::wvdialConf()), 0644u);
    }

    // Every bad input in every field: refused, naming the field, with
    // nothing written; what a field can hold is written as it is.
    void badFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("refused");
        for (const char* field : {"phone", "user", "password", "port", "dns1", "dns2"}) {
            for (const auto& [label, input] : kBadInputs) {
                const bool account = QByteArray(field) == "user" || QByteArray(field) == "password";
                const bool fits = !hasControl(input) && input.toUtf8().size() <= 255;
                QTest::newRow(qPrintable(QString("%1: %2").arg(field, label)))
                    << field << input << (!account || !fits);
            }
        }
        const auto row = [](const char* tag, const char* input, bool refused) {
            QTest::newRow(tag) << QString(tag).section(':', 0, 0) << QString(input) << refused;
        };
        row("port: not a serial device", "/dev/null", true);
        row("port: up and out", "@ROOT@/dev/../etc/wvdial.conf", true);
        row("dns1: a leading zero", "01.1.1.1", true);
        row("dns1: above 255", "300.1.1.1", true);
        row("dns2: none", "", false);
    }
    void badFields() {
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(bool, refused);
        input.replace("@ROOT@", env_->root());
        DialRequest r = request();
        r.saveUser = true;
        r.peerDns = !field.startsWith("dns");
        if (!r.peerDns) {
            r.dns1 = "1.1.1.1";
            r.dns2 = "8.8.4.4";
        }
        QString* value = field == "phone"      ? &r.phone
                         : field == "user"     ? &r.user
                         : field == "password" ? &r.password
                         : field == "port"     ? &r.port
                         : field == "dns1"     ? &r.dns1
                                               : &r.dns2;
        *value = input;
        if (refused) {
            const HelperRun run = runHelper({"connect"}, dialRequestText(r));
            QCOMPARE(run.reports, QByteArrayList{"refused " + field.toUtf8()});
            QCOMPARE(run.exitCode, 3);
            verifyUntouched();
            return;
        }
        std::unique_ptr<QProcess> helper = startConnection(r);
        QVERIFY(dialing(*helper));
        const QByteArray conf = TestEnv::readFile(SystemPaths::wvdialConf());
        if (field == "user" || field == "password")
            QVERIFY(conf.contains("\r\n" + QByteArray(field == "user" ? "Username" : "Password") +
                                  " = " + input.toUtf8() + "\r\n"));
        runHelper({"hangup"});
        QVERIFY(helper->waitForFinished(10000));
        verifyUntouched();
    }

    // A request out of shape: refused whole.
    void malformedRequests_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("field");
        const QByteArray good = dialRequestText(DialRequest{});
        QTest::newRow("empty") << QByteArray() << QByteArray("dialer");
        QTest::newRow("a key twice") << good + "phone=*99#\n" << QByteArray("phone");
        QTest::newRow("a key unknown") << "root=/tmp\n" + good << QByteArray("root");
        QTest::newRow("no equals sign") << "dialer\n" + good << QByteArray("dialer");
        QTest::newRow("not UTF-8")
            << QByteArray(good).replace("phone=", "phone=%FF") << QByteArray("phone");
        QTest::newRow("too long") << good + QByteArray(20000, '#') << QByteArray("request");
        QTest::newRow("another dialer")
            << QByteArray(good).replace("wvdial", "/bin/sh") << QByteArray("dialer");
    }
    void malformedRequests() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, field);
        const HelperRun run = runHelper({"connect"}, text);
        QCOMPARE(run.reports, QByteArrayList{"refused " + field});
        QCOMPARE(run.exitCode, 3);
        verifyUntouched();
    }

    // Only its three commands: no option, no path.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("a root") << QStringList{"connect", "--root", "/tmp"};
        QTest::newRow("hangup with a pid") << QStringList{"hangup", "1"};
        QTest::newRow("unknown") << QStringList{"restore-all"};
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        const HelperRun run = runHelper(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.reports.isEmpty());
    }

    // A card in its disc mode: only identifiers the data has a config for
    // get usb_modeswitch, given that config; the data packed or unpacked.
    void modeswitch_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("switchExit"); // -1: usb_modeswitch is not installed
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QByteArray>("switched"); // what usb_modeswitch was given
        const QByteArray huawei =
            "-v 0x12d1 -p 0x1446 -c /run/velto/modeswitch.conf\nHuaweiNewMode=1";
        QTest::newRow("config in the pack")
            << "12d1:1446" << 0 << QByteArray("ended exit 0") << huawei;
        QTest::newRow("config as a file")
            << "19d2:2000" << 0 << QByteArray("ended exit 0")
            << QByteArray("-v 0x19d2 -p 0x2000 -c /run/velto/modeswitch.conf\nStandardEject=1");
        QTest::newRow("switch fails") << "12d1:1446" << 1 << QByteArray("ended exit 1") << huawei;
        QTest::newRow("usb_modeswitch missing")
            << "12d1:1446" << -1 << QByteArray("failed start") << QByteArray();
        for (const char* id :
             {"1234:5678", "12D1:1446", "12d1:14460", "12d1:1446 -W", "../../etc/passwd", "-W"})
            QTest::newRow(id) << id << 0 << QByteArray("refused device") << QByteArray();
    }
    void modeswitch() {
        QFETCH(QString, id);
        QFETCH(int, switchExit);
        QFETCH(QByteArray, report);
        QFETCH(QByteArray, switched);
        const QString log = env_->rootPath("/switched.log");
        if (switchExit >= 0) {
            env_->writeRootFile("/usr/sbin/usb_modeswitch",
                                "#!/bin/sh\necho \"$@\" >> " + log.toLocal8Bit() +
                                    "\ncat \"$6\" >> " + log.toLocal8Bit() + "\nexit " +
                                    QByteArray::number(switchExit) + "\n");
            QVERIFY(QFile::setPermissions(SystemPaths::usbModeswitchProgram(),
                                          QFile::ReadOwner | QFile::ExeOwner));
        }
        const QString data = SystemPaths::usbModeswitchData();
        env_->writeRootFile("/usr/share/usb_modeswitch/19d2:2000", "StandardEject=1\n");
        env_->writeRootFile("/pack/12d1:1446", "HuaweiNewMode=1\n");
        QVERIFY(QFile::link("/usr/bin/tar", SystemPaths::tarProgram()));
        QCOMPARE(QProcess::execute("tar", {"--force-local", "-czf", data + "configPack.tar.gz",
                                           "-C", env_->rootPath("/pack"), "12d1:1446"}),
                 0);

        const HelperRun run = runHelper({"modeswitch", id});
        QCOMPARE(run.reports, QByteArrayList{report});
        QCOMPARE(run.exitCode, report == "ended exit 0" ? 0 : report.startsWith("refused") ? 3 : 5);
        QCOMPARE(TestEnv::readFile(log).replace(env_->root().toLocal8Bit(), "").trimmed(),
                 switched);
        QVERIFY(!QFileInfo::exists(SystemPaths::modeswitchConfig()));
    }

    // The helper itself killed outright while its dialer runs with a link
    // up and DNS servers set: the dialer runs on alone until a restore ends
    // it, undoes the DNS servers and restores the files; a dialer that
    // ignores SIGTERM gets SIGKILL.
    void restoreAfterTheHelperWasKilled_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::newRow("dialer ends") << QByteArray("--delay-ms 50");
        QTest::newRow("dialer ignores SIGTERM") << QByteArray("--delay-ms 50 --ignore-term");
    }
    void restoreAfterTheHelperWasKilled() {
        QFETCH(QByteArray, options);
        env_->writeRootFile("/etc/demodialer.options", options);
        std::unique_ptr<QProcess> helper = startConnection(request());
        QVERIFY(dialing(*helper));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SystemPaths::dnsStateFile()), 5000);
        const pid_t dialer = TestEnv::readFile(SystemPaths::dialerRecord()).trimmed().toInt();
        helper->kill();
        QVERIFY(helper->waitForFinished(5000));
        QVERIFY(!processGone(dialer));
        QVERIFY(TestEnv::readFile(SystemPaths::resolvConf()).startsWith("nameserver 203.0.113"));
        QCOMPARE(runHelper({"restore"}).reports, QByteArrayList{"restored"});
        QTRY_VERIFY_WITH_TIMEOUT(processGone(dialer), 5000);
        verifyUntouched();
        // With nothing left, a restore or hangup does nothing. (A second
        // connection while one runs is test_connection's.)
        QCOMPARE(runHelper({"restore"}).reports, QByteArrayList{"nothing"});
        QCOMPARE(runHelper({"hangup"}).reports, QByteArrayList{"nothing"});
    }
};

QTEST_GUILESS_MAIN(TestHelper)
#include "test_helper.moc"
