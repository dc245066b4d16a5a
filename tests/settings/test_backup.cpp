// Backup and restore of the user's files: the round trip, refused files, and
// a restore that fails midway (a restore killed at any moment is one of the
// killwrite operations in tests/durability).

#include "app/globals.h"
#include "settings/backup.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>
#include <sys/stat.h>

namespace {

using Files = QMap<QString, QByteArray>;

// The live files as they are now; a missing file reads as "<missing>".
Files liveFiles() {
    Files files;
    for (const QString& name : Backup::memberNames()) {
        QFile file(dataFile(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }
    return files;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void writeLive(const Files& files) {
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writeBytes(dataFile(it.key()), it.value());
}

// A set of live files, each told apart by `tag`; the two XML stores are
// valid XML.
Files sample(const QByteArray& tag) {
    Files files;
    files["sms.xml"] =
        "<?xml version=\"1.0\"?>\n<sms><inbox><item>" + tag + "</item></inbox></sms>\n";
    files["contact.xml"] =
        "<?xml version=\"1.0\"?>\n<contacts><c name=\"Jürgen " + tag + "\"/></contacts>\n";
    files["totalRecord.conf"] = "[ the record of <" + tag + "> ]\r\nconfig file name = " + tag +
                                "-|-Password = geheim\r\n\r\n";
    files["defaultRecord.conf"] = "config file name = " + tag + "-|-Phone = *99#\r\n";
    files["networksetconfigrc"] = "[netWorkSetConfig]\nmodePerferred=2\nnetworkSlect=" + tag + "\n";
    files["messagesetconfigrc"] = "[messageSetConfig]\nsmsCenter=+49" + tag + "\n";
    files["alertsetconfigrc"] = "[alertSetConfig]\nconAlert=/sounds/" + tag + ".wav\n";
    return files;
}

QList<Backup::Member> members(const QByteArray& tag) {
    QList<Backup::Member> list;
    const Files files = sample(tag);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        list.append({it.key(), it.value()});
    return list;
}

// What the data folder holds besides the live files (staged files, journals).
QStringList strayFiles() {
    QStringList stray = QDir(QFileInfo(dataFile("x")).absolutePath())
                            .entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : Backup::memberNames())
        stray.removeAll(name);
    return stray.filter(QRegularExpression("restore"));
}

unsigned mode(const QString& path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        backupPath_ = env_->base() + "/my backup.dat";
    }
    void cleanup() { env_.reset(); }

    void backupChangeEverythingRestore() {
        const Files before = sample("one");
        writeLive(before);
        QString error;
        QVERIFY2(Backup::writeBackup(backupPath_, &error), qPrintable(error));
        // It holds passwords: only its owner reads it.
        QCOMPARE(mode(backupPath_), 0600u);

        writeLive(sample("two"));
        QVERIFY(chmod(QFile::encodeName(dataFile("totalRecord.conf")).constData(), 0600) == 0);
        QVERIFY(QFile::remove(dataFile("contact.xml")));
        QVERIFY2(Backup::restoreBackup(backupPath_, &error), qPrintable(error));
        QCOMPARE(liveFiles(), before);
        QVERIFY(strayFiles().isEmpty());
        // A replaced file keeps the mode of the one it replaced.
        QCOMPARE(mode(dataFile("totalRecord.conf")), 0600u);
    }

    void refusedBackupsChangeNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QByteArray good = Backup::encode(members("old"));
        const QString damaged = Backup::problemText(Backup::Problem::Damaged);
        const QString foreign = Backup::problemText(Backup::Problem::Foreign);
        const qsizetype body = good.indexOf("\n\n") + 2;
        QTest::newRow("cut in the header") << good.left(60) << damaged;
        QTest::newRow("cut in the files") << good.left(body + 40) << damaged;
        QTest::newRow("last byte missing") << good.chopped(1) << damaged;
        QTest::newRow("a byte too many") << good + "x" << damaged;
        QByteArray flipped = good;
        flipped[body + 5] = flipped[body + 5] ^ 0x20;
        QTest::newRow("a changed byte") << flipped << damaged;
        QTest::newRow("empty") << QByteArray() << foreign;
        QTest::newRow("another program's file") << QByteArray("PK\x03\x04 some archive") << foreign;
        QTest::newRow("a later format") << QByteArray(good).replace("version 1\n", "version 2\n")
                                        << Backup::problemText(Backup::Problem::Newer);

        // Well formed, correct checksum, but not what a backup must hold.
        QList<Backup::Member> missing = members("x");
        missing.removeLast();
        QTest::newRow("a file missing") << Backup::encode(missing) << damaged;
        QList<Backup::Member> twice = members("x");
        twice.append(twice.first());
        QTest::newRow("a file twice") << Backup::encode(twice) << damaged;
        QList<Backup::Member> stranger = members("x");
        stranger.last().name = "../../etc/passwd";
        QTest::newRow("a file outside the data folder") << Backup::encode(stranger) << damaged;
        QList<Backup::Member> broken = members("x");
        for (Backup::Member& m : broken)
            if (m.name == "sms.xml")
                m.data = "<sms><inbox>";
        QTest::newRow("a store that is no XML") << Backup::encode(broken) << damaged;
        QList<Backup::Member> binary = members("x");
        binary.last().data = "\xff\xfe\x00garbage";
        QTest::newRow("settings that are no text") << Backup::encode(binary) << damaged;
    }
    void refusedBackupsChangeNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        writeLive(sample("live"));
        const Files before = liveFiles();
        writeBytes(backupPath_, file);
        QString error;
        QVERIFY(!Backup::restoreBackup(backupPath_, &error));
        QCOMPARE(error, message);
        QCOMPARE(liveFiles(), before);
        QVERIFY(strayFiles().isEmpty());
    }

    void unreadableAndUnwritable() {
        writeLive(sample("live"));
        QString error;
        QVERIFY(!Backup::restoreBackup(env_->base() + "/nothing.dat", &error));
        QCOMPARE(error, Backup::problemText(Backup::Problem::Unreadable));
        // A backup needs every file. (A restore that can't copy the live files
        // first is the full disk of tests/durability.)
        QVERIFY(QFile::remove(dataFile("alertsetconfigrc")));
        QVERIFY(!Backup::writeBackup(backupPath_, &error));
        QCOMPARE(error, QString("Backup failed! alertsetconfigrc can't be read."));
        QVERIFY(!QFile::exists(backupPath_));
    }

    // A file that can't be replaced after others were: those are put back.
    void failureMidwayPutsTheOldFilesBack() {
        writeLive(sample("new"));
        QString error;
        QVERIFY(Backup::writeBackup(backupPath_, &error));
        writeLive(sample("old"));
        const Files before = liveFiles();
        // The last file of the backup refuses to be replaced: immutable
        // (which needs root and a file system that knows the flag).
        const QString last = dataFile(Backup::memberNames().last());
        if (QProcess::execute("chattr", {"+i", last}) != 0)
            QSKIP("the file system or the user can't make a file immutable");
        const auto mutableAgain = qScopeGuard([&] { QProcess::execute("chattr", {"-i", last}); });
        QVERIFY(!Backup::restoreBackup(backupPath_, &error));
        QCOMPARE(error, QString("Resume failed! Nothing was changed."));
        QCOMPARE(liveFiles(), before);
        QVERIFY(strayFiles().isEmpty());
    }

private:
    std::unique_ptr<TestEnv> env_;
    QString backupPath_;
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
