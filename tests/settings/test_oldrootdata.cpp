// The data the version that ran as root kept in root's home, moved to the
// user's folder: the helper's copy below a private root hands over only the
// user's data files (never what a link there points at), the program takes
// them only whole and readable, puts them in place as a restore does, and
// root's folder is kept under another name.

#include "app/systempaths.h"
#include "settings/oldrootdata.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

const QByteArray Sms = "<?xml version=\"1.0\"?><smsdata><boxes><inbox/><outbox/><draftbox/>"
                       "</boxes></smsdata>";
const QByteArray Contacts = "<?xml version=\"1.0\"?><contacts/>";
const QByteArray History = "2026-11-30 1000 2000 60\n";

QByteArray oldData(const QStringList& arguments = {}) {
    QProcess helper;
    helper.start(SystemPaths::helperProgram(), QStringList{"old-data"} + arguments);
    return helper.waitForFinished(10000) ? helper.readAllStandardOutput() : QByteArray();
}

} // namespace

class TestOldRootData : public QObject {
    Q_OBJECT
private slots:
    void movedWholeAndOnce() {
        TestEnv env;
        QVERIFY(env.prepareDialerRoot());
        const QString old = "/root/.local/share/velto/Data/";
        env.writeRootFile(old + "sms.xml", Sms);
        env.writeRootFile(old + "contact.xml", Contacts);
        env.writeRootFile(old + "traffichistory", History);
        env.writeRootFile(old + "debug.log", "not the user's\n");
        env.writeRootFile("/etc/secret", "root's own\n");
        QVERIFY(QFile::link(env.rootPath("/etc/secret"), env.rootPath(old + "networksetconfigrc")));
        QVERIFY(!OldRootData::offered());
        env.writeRootFile("/var/lib/velto/root-data", "");
        QVERIFY(OldRootData::offered());

        const std::optional<QList<Backup::Member>> files = OldRootData::read(oldData());
        QVERIFY(files);
        QStringList names;
        for (const Backup::Member& file : *files)
            names << file.name;
        QCOMPARE(names, (QStringList{"sms.xml", "contact.xml", "traffichistory"}));
        QString error;
        QVERIFY(OldRootData::install(*files, &error));
        QCOMPARE(TestEnv::readFile(env.dataPath("sms.xml")), Sms);
        QCOMPARE(TestEnv::readFile(env.dataPath("traffichistory")), History);

        // Root's folder stays, renamed; the offer isn't made again.
        QCOMPARE(oldData({"moved"}), QByteArray("restored\n"));
        QVERIFY(QFile::exists(env.rootPath("/root/.local/share/velto.moved/Data/sms.xml")));
        QVERIFY(!QFile::exists(SystemPaths::oldRootDataMarker()));
        OldRootData::markAnswered();
        env.writeRootFile("/var/lib/velto/root-data", "");
        QVERIFY(!OldRootData::offered());
    }

    // Anything out of place in what the helper hands over: nothing is taken.
    void onlyWholeReadableFiles_data() {
        QTest::addColumn<QByteArray>("output");
        const QByteArray sms = "file sms.xml " + QByteArray::number(Sms.size()) + "\n" + Sms;
        QTest::newRow("good") << sms + "end\n";
        QTest::newRow("cut short") << sms.chopped(5) + "end\n";
        QTest::newRow("no end") << sms;
        QTest::newRow("more after the end") << sms + "end\nx";
        QTest::newRow("a file of another name") << QByteArray("file ../sms.xml 0\nend\n");
        QTest::newRow("a file twice") << sms + sms + "end\n";
        QTest::newRow("XML that doesn't parse") << QByteArray("file contact.xml 3\n<a>end\n");
        QTest::newRow("a size that isn't one") << QByteArray("file sms.xml -1\nend\n");
    }
    void onlyWholeReadableFiles() {
        QFETCH(QByteArray, output);
        TestEnv env;
        QCOMPARE(bool(OldRootData::read(output)), QByteArray(QTest::currentDataTag()) == "good");
    }
};

QTEST_GUILESS_MAIN(TestOldRootData)
#include "test_oldrootdata.moc"
