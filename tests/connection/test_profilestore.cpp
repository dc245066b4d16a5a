#include "app/commonconfig.h"
#include "connection/pdpcontext.h"
#include "connection/profilerules.h"
#include "connection/profilestore.h"
#include "tests/connection/freshdata.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <sys/stat.h>

namespace {

ProfileRecord profile(const QString& name, const QString& phone = "*99#") {
    ProfileRecord r;
    r.name = name;
    r.phone = phone;
    r.apn = "web";
    return r;
}

QByteArray records() {
    return TestEnv::readFile(ProfileStore::recordFilePath());
}

unsigned mode(const QString& path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

} // namespace

class TestProfileStore : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        comcfg.builtinProfileName = "Tolva Internet";
        comcfg.builtinDialNumber = "*99#";
        comcfg.builtinApn = "internet.tolva.net";
        comcfg.builtinUserName = "tolva";
        comcfg.builtinPassword = "secret";
        QVERIFY(ProfileStore::initializeFile());
        QVERIFY(ProfileStore::initializeDefaultData());
    }
    void cleanup() { env_.reset(); }

    void builtinRecordIsWrittenOnceInTheExactFormat() {
        const QByteArray expected =
            "[ the record of <Tolva Internet> ]\r\n"
            "config file name = Tolva Internet-|-Phone = *99#-|-Username = tolva-|-"
            "Password = secret-|-save user name = 0-|-ask user name = 0-|-obtain APN = 1-|-"
            "use APN = 1-|-APN = internet.tolva.net-|-IP modal = 1-|-PPP modal = 0-|-"
            "PAP modal = 1-|-CHAP modal = 0-|-obtain DNS = 1-|-use DNS = 0-|-preNameserver -|-"
            "altNameserver -|-obtain PDP = 1-|-user PDP = 0-|-PDP = -|-delete Enable = cannot-|-"
            "IMSI = \r\n\r\n";
        QCOMPARE(records(), expected);
        QVERIFY(ProfileStore::initializeDefaultData());
        QCOMPARE(records(), expected);
        // The records hold passwords: only their owner reads them.
        QCOMPARE(mode(ProfileStore::recordFilePath()), 0600u);
        // The settings files come with it.
        QVERIFY(QFile::exists(env_->dataPath("networksetconfigrc")));

        QCOMPARE(ProfileStore::resolveDefaultProfile(), QString("Tolva Internet"));
        QCOMPARE(TestEnv::readFile(ProfileStore::defaultRecordFilePath()),
                 expected.mid(expected.indexOf("config"),
                              expected.size() - 2 - expected.indexOf("config")));
    }

    void builtinIsAddedBesideAProfileWithALongerName() {
        env_.reset();
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        QVERIFY(ProfileStore::initializeFile());
        QVERIFY(ProfileStore::saveNewText(profile("Tolva Internet 2")));
        QVERIFY(ProfileStore::initializeDefaultData());
        QStringList names;
        QVERIFY(ProfileStore::profileNames(&names));
        QCOMPARE(names, (QStringList{"Tolva Internet 2", "Tolva Internet"}));
    }

    void editKeepsThePlaceAndDeleteNormalises() {
        for (const char* name : {"A", "B", "C"})
            QVERIFY(ProfileStore::saveNewText(profile(name)));
        ProfileRecord b = profile("B", "555");
        b.useDns = true;
        b.obtainDns = false;
        b.preNameserver = "1.2.3.4";
        b.altNameserver = "5.6.7.8";
        QVERIFY(ProfileStore::saveEditText("B", b));
        QStringList names;
        QVERIFY(ProfileStore::profileNames(&names));
        QCOMPARE(names, (QStringList{"Tolva Internet", "A", "B", "C"}));
        ProfileRecord loaded;
        QVERIFY(ProfileStore::loadText("B", &loaded));
        QCOMPARE(loaded, b);

        // Stray blank lines, then a delete: one empty line after each record.
        QFile file(ProfileStore::recordFilePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("\r\n\n\r\n");
        file.close();
        QVERIFY(ProfileStore::delText("A"));
        const QByteArray text = records();
        QVERIFY(!text.contains("<A>"));
        QCOMPARE(text.count("\r\n\r\n"), 3);
        QVERIFY(text.endsWith("IMSI = \r\n\r\n"));
        QVERIFY(!text.contains("\r\n\r\n\r\n"));

        QString error;
        QVERIFY(!ProfileStore::delText("A", &error));
        QCOMPARE(error, QString("the record is not exist!"));
        const QByteArray before = records();
        QVERIFY(!ProfileStore::saveEditText("Nobody", profile("Nobody"), &error));
        QCOMPARE(error, QString("the record is not exist!"));
        QCOMPARE(records(), before);
    }

    void editingTheDefaultProfileRenewsTheDefaultRecord() {
        QVERIFY(ProfileStore::saveNewText(profile("Work", "123")));
        QVERIFY(ProfileStore::saveDefaultData("Work"));
        QCOMPARE(ProfileStore::resolveDefaultProfile(), QString("Work"));
        QVERIFY(ProfileStore::saveEditText("Work", profile("Work", "456")));
        QVERIFY(TestEnv::readFile(ProfileStore::defaultRecordFilePath()).contains("Phone = 456"));

        // Ended between the edit's two writes: the next start renews the
        // default record from the edited profile.
        const QByteArray edited = TestEnv::readFile(ProfileStore::defaultRecordFilePath());
        QFile stale(ProfileStore::defaultRecordFilePath());
        QVERIFY(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stale.write(QByteArray(edited).replace("Phone = 456", "Phone = 123"));
        stale.close();
        QCOMPARE(ProfileStore::resolveDefaultProfile(), QString("Work"));
        QCOMPARE(TestEnv::readFile(ProfileStore::defaultRecordFilePath()), edited);
        QString error;
        QVERIFY(!ProfileStore::saveDefaultData("Nobody", &error));
        QCOMPARE(error, QString("read default record error!"));
        QCOMPARE(ProfileStore::defaultRecordName(), QString("Work"));
    }

    // The checks on saving that the settings page's dialog tests don't reach.
    void validationOfTheDialog() {
        ConfigForm form;
        form.name = {"   ", true};
        QCOMPARE(savedCheck(form), QString("The Config Filename is empty!"));
        form.name = {"Office", true};
        form.userName = {"", true};
        QCOMPARE(savedCheck(form), QString("The User Name is empty!"));
        form.userName = {"me", true};
        // An address is refused, never changed into another one.
        for (const char* invalid :
             {"1.2.3", "1..2.3", "300.1.1.1", "1.2.3.4.5", "01.2.3.4", "1.2.3.256"}) {
            form.preferredDns = {invalid, true};
            QCOMPARE(savedCheck(form), QString("Invalid Preferred DNS!Please check it!"));
        }
        form.preferredDns.text = "1.2.3.4";
        form.alternateDns = {"5.6.7.8", true};
        QCOMPARE(savedCheck(form), QString());
    }

    void aSeparatorInAStoredValueShiftsButStaysBounded() {
        QFile file(ProfileStore::recordFilePath());
        QVERIFY(file.open(QIODevice::Append));
        ProfileRecord odd = profile("Odd");
        odd.password = "x-|-y";
        file.write((ProfileFormat::recordText(odd) + "\r\n").toUtf8());
        file.close();
        ProfileRecord loaded;
        QVERIFY(ProfileStore::loadText("Odd", &loaded));
        QCOMPARE(loaded.password, QString("x"));
    }

    // Typed characters the dialog takes (its tests type a letter into the
    // number and address fields; the APN's are the provider proposals').
    void validatorExpressions() {
        QVERIFY(QRegularExpression(dialNumberPattern()).match("+49 (30) 123").hasMatch());
    }

    // The rules the settings page's tests don't reach: what a loaded
    // profile enables, a profile marked "cannot", the default profile while
    // disconnected, the last row deleted.
    void enablingRules() {
        ProfileRecord shown = profile("Mine");
        shown.saveUserName = true;
        shown.obtainApn = false;
        shown.useApn = true;
        ProfileContext context;
        ConfigEnableState s = configview("Mine", shown, false, context);
        QVERIFY(s.dialNumber && s.userName && s.password && s.askUserName && s.apnField);
        QVERIFY(!s.dnsFields && !s.pdpField && !s.nameField && s.okButton);
        shown.deleteEnable = "cannot";
        QVERIFY(!configview("Mine", shown, false, context).dialNumber);
        shown.deleteEnable = "can";
        context.defaultProfile = "Mine";
        QVERIFY(initConf("Mine", shown, context).dialNumber);
        QVERIFY(canDeleteProfile("Other", context.defaultProfile));
        QCOMPARE(rowAfterDelete(2, 3), 1);
        QCOMPARE(rowAfterDelete(0, 1), -1);
    }

    void unreadableRecordFile() {
        QVERIFY(QFile::remove(ProfileStore::recordFilePath()));
        QString error;
        ProfileRecord r;
        QVERIFY(!ProfileStore::loadText("x", &r, &error));
        QCOMPARE(error, QString("open file operation error!"));
        QVERIFY(!ProfileStore::checkRepeat("x", &error));
        QCOMPARE(error, QString("open file operation error!"));
        // A first profile creates the file.
        QVERIFY(ProfileStore::saveNewText(profile("First")));
        QVERIFY(ProfileStore::loadText("First", &r));
    }

    void pdpContextOfTheDefaultProfile() {
        ProfileRecord r;
        r.name = "Fixed";
        r.ipModal = false;
        r.pppModal = true;
        r.usePdp = true;
        r.pdp = "10.1.2.3";
        r.apn = "web.example";
        QVERIFY(ProfileStore::saveNewText(r) && ProfileStore::saveDefaultData(r.name));
        PdpContext context;
        QVERIFY(readPdpContext("Fixed", &context));
        QCOMPARE(context.pdpType, QString("ppp"));
        QCOMPARE(context.apn, QString("web.example"));
        QCOMPARE(context.pdpAddress, QString("10.1.2.3"));

        // Without an APN: "cmnet" or the operator's APN, by the appearance file.
        r.name = "Bare";
        r.apn.clear();
        r.pdp.clear();
        QVERIFY(ProfileStore::saveNewText(r) && ProfileStore::saveDefaultData(r.name));
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

private:
    std::unique_ptr<TestEnv> env_;
};

QTEST_GUILESS_MAIN(TestProfileStore)
#include "test_profilestore.moc"
