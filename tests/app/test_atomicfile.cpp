#include "app/atomicfile.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
unsigned mode(const QString& path) {
    struct stat st {};
    return stat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}
} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT
private slots:
    void replacesAndKeepsTheMode() {
        QTemporaryDir dir;
        const QString path = dir.filePath("records");
        QVERIFY(writeFileAtomically(path, "first"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(writeFileAtomically(path, "second"));
        QCOMPARE(TestEnv::readFile(path), QByteArray("second"));
        QCOMPARE(mode(path), 0600u);
        // Nothing else is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"records"});
        // Secrets get the mode they ask for.
        QVERIFY(writeFileAtomically(dir.filePath("secrets"), "password",
                                    QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(mode(dir.filePath("secrets")), 0600u);
    }

    void aLinkStaysALink() {
        QTemporaryDir dir;
        const QString target = dir.filePath("real.conf");
        const QString link = dir.filePath("resolv.conf");
        QVERIFY(writeFileAtomically(target, "old"));
        QVERIFY(QFile::link(target, link));
        QVERIFY(writeFileAtomically(link, "new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(TestEnv::readFile(target), QByteArray("new"));
    }

    void shortWriteLeavesTheOldFile() {
        // A file size limit cuts the write short, as a full disk would.
        QTemporaryDir dir;
        const QString path = dir.filePath("records");
        QVERIFY(writeFileAtomically(path, "old"));
        struct rlimit saved {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        struct rlimit small = saved;
        small.rlim_cur = 10;
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool written = writeFileAtomically(path, QByteArray(100, 'x'));
        QVERIFY(setrlimit(RLIMIT_FSIZE, &saved) == 0);
        QVERIFY(!written);
        QCOMPARE(TestEnv::readFile(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"records"});
    }

    void failureLeavesTheOldFile() {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        const QString path = dir.filePath("records");
        QVERIFY(writeFileAtomically(path, "old"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!writeFileAtomically(path, "new"));
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(TestEnv::readFile(path), QByteArray("old"));
    }

    // Only the new files of the named files' interrupted writes go; a file
    // moved aside, the user's own files and the files themselves stay.
    void interruptedWritesAreRemoved() {
        QTemporaryDir dir;
        const QStringList gone = {"sms.xml.RLGaDy", ".sms.xml.restore-new.a1B2c3"};
        const QStringList kept = {"sms.xml",        "sms.xml.unreadable-20261207-031500",
                                  "sms.xml.backup", "sms.xml.Backup",
                                  "sms.xml.old123", "sms.xml.Ab1",
                                  "sms.xml.AbC-12", "notes.txt.AbC123",
                                  "xsms.xml.AbC123"};
        for (const QString& name : gone + kept)
            QVERIFY(writeFileAtomically(dir.filePath(name), "x"));
        QCOMPARE(removeInterruptedWrites(dir.path(), {"sms.xml", ".sms.xml.restore-new"}),
                 gone.size());
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(left, expected);
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomicfile.moc"
