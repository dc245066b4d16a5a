#include "app/commonconfig.h"
#include "app/systempaths.h"
#include "connection/dialerfiles.h"
#include "connection/pdpcontext.h"
#include "connection/profilestore.h"
#include "tests/connection/freshdata.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray OriginalWvdial = "[Dialer Defaults]\nPhone = 0\nPassword = mine\n";
const QByteArray OriginalOptions = "# pppd options\nlock\n";
const QByteArray OriginalPeers = "noauth\nname wvdial\nusepeerdns\n";
const QByteArray OriginalResolv = "nameserver 9.9.9.9\n";

struct stat statOf(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return st;
}

unsigned mode(const QString& path) {
    return statOf(path).st_mode & 0777;
}

} // namespace

class TestDialerFiles : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        env_->writeRootFile("/etc/wvdial.conf", OriginalWvdial);
        env_->writeRootFile("/etc/ppp/options", OriginalOptions);
        env_->writeRootFile("/etc/ppp/peers/wvdial", OriginalPeers);
        env_->writeRootFile("/etc/resolv.conf", OriginalResolv);
        QVERIFY(QFile::setPermissions(SystemPaths::wvdialConf(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther));
        comcfg.builtinProfileName = "Tolva Internet";
        QVERIFY(ProfileStore::initializeFile());
    }
    void cleanup() { env_.reset(); }

    void papProfileWithSavedUser() {
        ProfileRecord r;
        r.name = "Work";
        r.phone = "*99***1#";
        r.userName = "anna";
        r.password = "pw";
        r.saveUserName = true;
        useAsDefault(r);
        DialerFiles files;
        QVERIFY(files.readDeafaultConfigData("/dev/ttyUSB0"));
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConf()),
                 QByteArray("[Dialer Defaults]\r\nPhone = *99***1#\r\nUsername = anna\r\n"
                            "Password = pw\r\nStupid Mode = 1\r\nDial Command = ATDT\r\n"
                            "Modem = /dev/ttyUSB0\r\nBaud = 115200\r\n"
                            "Init = ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0\r\nISDN = 0\r\n"
                            "Auto Reconnect = off\r\nModem Type = Analog Modem\r\n"));
        // The password file loses the access others had to it.
        QCOMPARE(mode(SystemPaths::wvdialConf()), 0640u);
        QCOMPARE(TestEnv::readFile(SystemPaths::pppOptions()),
                 QByteArray("/dev/ttyUSB0\r\n115200\r\ndebug\r\nnoauth\r\nnoipdefault\r\n"
                            "defaultroute\r\nusepeerdns\r\ncrtscts\r\nlock\r\nkdebug 4 \r\n"
                            "-detach \r\nlcp-echo-failure 4 \r\nlcp-echo-interval 30 \r\n"
                            "lcp-max-configure 20 \r\nlcp-max-failure 20 \r\n"
                            "ipcp-max-failure 20 \r\nipcp-max-configure 20 \r\n-ccp\r\n-vj\r\n"
                            "mtu 1272\r\nmru 1272\r\nrefuse-chap\r\nrefuse-mschap\r\n"
                            "refuse-mschap-v2\r\nrefuse-eap\r\nname anna\r\nshow-password\r\n"));
        QCOMPARE(TestEnv::readFile(SystemPaths::peersWvdial()),
                 QByteArray("noipdefault\r\nipcp-accept-local\r\nipcp-accept-remote\r\n"
                            "defaultroute\r\ndebug\r\nnoauth\r\nusepeerdns\r\n"
                            "#lcp-echo-failure 0\r\n#lcp-echo-interval 0\r\n"));
        QVERIFY(files.peerDns && !files.chap);
    }

    void chapProfileWithoutSavedUserAndFixedDns() {
        ProfileRecord r;
        r.name = "Other";
        r.phone = "#777";
        r.userName = "ignored";
        r.chapModal = true;
        r.papModal = false;
        r.obtainDns = false;
        r.useDns = true;
        useAsDefault(r);
        QFile::remove(SystemPaths::wvdialConf());
        DialerFiles files;
        QVERIFY(files.readDeafaultConfigData("/dev/ttyUSB2"));
        const QByteArray wvdial = TestEnv::readFile(SystemPaths::wvdialConf());
        QVERIFY(wvdial.contains("\r\nUsername = Ravo\r\nPassword = QXW\r\n"));
        QCOMPARE(mode(SystemPaths::wvdialConf()), 0600u);
        const QByteArray options = TestEnv::readFile(SystemPaths::pppOptions());
        QVERIFY(options.contains("\r\n#usepeerdns\r\n"));
        QVERIFY(options.endsWith("#refuse-chap\r\n#refuse-mschap\r\n#refuse-mschap-v2\r\n"
                                 "#refuse-eap\r\n#name\r\n#show-password\r\n"));
        QVERIFY(TestEnv::readFile(SystemPaths::peersWvdial()).contains("\r\n#usepeerdns\r\n"));
    }

    void savedButEmptyUserName() {
        ProfileRecord r;
        r.name = "Anon";
        r.saveUserName = true;
        useAsDefault(r);
        DialerFiles files;
        QVERIFY(files.readDeafaultConfigData("/dev/ttyUSB0"));
        QVERIFY(TestEnv::readFile(SystemPaths::pppOptions())
                    .endsWith("\r\nname \r\nshow-password\r\n"));
    }

    void noDefaultProfileWritesNothing() {
        DialerFiles files;
        QString error;
        QVERIFY(!files.readDeafaultConfigData("/dev/ttyUSB0", &error));
        QCOMPARE(error, QString("Can't open deault config file!"));
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConf()), OriginalWvdial);
    }

    void missingResolverFileStopsTheBackup() {
        QVERIFY(QFile::remove(SystemPaths::resolvConf()));
        DialerFiles files;
        QVERIFY(!files.saveConfigData());
        QVERIFY(QFile::exists(SystemPaths::wvdialConfBackup()));
        QVERIFY(!QFile::exists(SystemPaths::peersWvdialBackup()));
    }

    void connectAndRestoreLeavesTheFilesAsTheyWere() {
        if (geteuid() == 0) // keeping the group needs root
            QVERIFY(chown(QFile::encodeName(SystemPaths::wvdialConf()).constData(), 0, 20) == 0);
        ProfileRecord r;
        r.name = "Fixed";
        r.phone = "*99#";
        r.obtainDns = false;
        r.useDns = true;
        r.preNameserver = "1.1.1.1";
        r.altNameserver = "8.8.4.4";
        useAsDefault(r);

        DialerFiles files;
        QVERIFY(files.saveConfigData());
        QCOMPARE(mode(SystemPaths::wvdialConfBackup()), 0644u);
        QCOMPARE(statOf(SystemPaths::wvdialConfBackup()).st_gid,
                 statOf(SystemPaths::wvdialConf()).st_gid);
        QVERIFY(files.readDeafaultConfigData("/dev/ttyUSB0"));

        // Fixed DNS once the link is up: the peer's file when pppd wrote one,
        // else resolvconf's when that is installed.
        QString error;
        QVERIFY(!files.saveManualDNS(&error));
        QCOMPARE(error, QString("open file operation error!"));
        QVERIFY(QDir().mkpath(env_->rootPath("/etc/resolvconf/run")));
        QVERIFY(files.saveManualDNS());
        // Plain line ends: the resolver takes a CR for part of the address.
        const QByteArray servers = "nameserver 1.1.1.1\nnameserver 8.8.4.4\n";
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), servers);
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvconfRunResolvConf()), servers);
        env_->writeRootFile("/etc/ppp/resolv.conf", "nameserver 5.5.5.5\n");
        QVERIFY(files.saveManualDNS());
        QCOMPARE(TestEnv::readFile(SystemPaths::pppResolvConf()), servers);

        // A second attempt before the restore keeps the first backups.
        QVERIFY(files.saveConfigData());
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConfBackup()), OriginalWvdial);

        QVERIFY(files.recoverConfigData());
        // All four back byte for byte, the machine's resolver file too.
        QCOMPARE(TestEnv::readFile(SystemPaths::wvdialConf()), OriginalWvdial);
        QCOMPARE(TestEnv::readFile(SystemPaths::pppOptions()), OriginalOptions);
        QCOMPARE(TestEnv::readFile(SystemPaths::peersWvdial()), OriginalPeers);
        QCOMPARE(TestEnv::readFile(SystemPaths::resolvConf()), OriginalResolv);
        QCOMPARE(mode(SystemPaths::wvdialConf()), 0644u);
        if (geteuid() == 0)
            QCOMPARE(statOf(SystemPaths::wvdialConf()).st_gid, gid_t(20));
        for (const QString& backup :
             {SystemPaths::wvdialConfBackup(), SystemPaths::pppOptionsBackup(),
              SystemPaths::peersWvdialBackup(), SystemPaths::resolvConfBackup()})
            QVERIFY2(!QFile::exists(backup), qPrintable(backup));

        // Without backups there is nothing to restore.
        QVERIFY(!files.recoverConfigData());
    }

    void aLinkedResolverFileStaysALink() {
        const QString target = env_->rootPath("/run/resolvconf/resolv.conf");
        env_->writeRootFile("/run/resolvconf/resolv.conf", OriginalResolv);
        QVERIFY(QFile::remove(SystemPaths::resolvConf()));
        QVERIFY(QFile::link("../run/resolvconf/resolv.conf", SystemPaths::resolvConf()));
        env_->writeRootFile("/etc/ppp/resolv.conf", "");
        DialerFiles files;
        files.preferredDns = "1.1.1.1";
        files.alternateDns = "8.8.4.4";
        QVERIFY(files.saveManualDNS());
        QVERIFY(QFileInfo(SystemPaths::resolvConf()).isSymLink());
        QCOMPARE(TestEnv::readFile(target), QByteArray("nameserver 1.1.1.1\nnameserver 8.8.4.4\n"));
    }

    void pdpContextOfTheDefaultProfile() {
        ProfileRecord r;
        r.name = "Fixed";
        r.ipModal = false;
        r.pppModal = true;
        r.usePdp = true;
        r.pdp = "10.1.2.3";
        r.apn = "web.example";
        useAsDefault(r);
        PdpContext context;
        QVERIFY(readPdpContext("Fixed", &context));
        QCOMPARE(context.pdpType, QString("ppp"));
        QCOMPARE(context.apn, QString("web.example"));
        QCOMPARE(context.pdpAddress, QString("10.1.2.3"));

        // Without an APN: "cmnet" or the operator's APN, by the appearance file.
        r.name = "Bare";
        r.apn.clear();
        r.pdp.clear();
        useAsDefault(r);
        comcfg.builtinApn = "internet.tolva.net";
        for (int cmnet : {1, 0}) {
            comcfg.useCmnetApn = cmnet;
            context = PdpContext();
            QVERIFY(readPdpContext("Bare", &context));
            QCOMPARE(context.apn, cmnet ? QString("cmnet") : QString("internet.tolva.net"));
            QVERIFY(context.pdpAddress.isNull());
        }
        context = PdpContext();
        QVERIFY(readPdpContext("Fixed", &context)); // not the default any more
        QVERIFY(context.apn.isNull() && context.pdpType.isNull());
        QVERIFY(QFile::remove(ProfileStore::defaultRecordFilePath()));
        QString error;
        QVERIFY(!readPdpContext("Bare", &context, &error));
        QCOMPARE(error, QString("Can not open the file!"));
    }

    void dealStrCutsTheKey() {
        QCOMPARE(dealStr("Phone = *99#", "Phone = "), QString("*99#"));
        QVERIFY(dealStr("Phone = ", "Phone = ").isNull());
        QVERIFY(dealStr("", "Phone = ").isNull());
    }

private:
    static void useAsDefault(const ProfileRecord& r) {
        QVERIFY(ProfileStore::saveNewText(r));
        QVERIFY(ProfileStore::saveDefaultData(r.name));
    }

    std::unique_ptr<TestEnv> env_;
};

QTEST_GUILESS_MAIN(TestDialerFiles)
#include "test_dialerfiles.moc"
