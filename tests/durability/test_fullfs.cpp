// The store writers on a full file system: the data folder lies on a small
// tmpfs, mounted in a private mount namespace, that a filler file has filled
// to the last byte or to a few pages. Every write must fail, say so, and
// leave the data folder exactly as it was.

#include "app/globals.h"
#include "tests/durability/storeops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Fills the file system of `path` until no byte more fits, then gives back
// `room` bytes.
void fill(const QString& path, qint64 room) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    QVERIFY(fd >= 0);
    static const QByteArray chunk(64 * 1024, 'x');
    qint64 size = 0;
    for (qsizetype piece = chunk.size(); piece > 0; piece /= 2) {
        ssize_t n = 0;
        while ((n = ::write(fd, chunk.constData(), piece)) > 0)
            size += n;
        QCOMPARE(errno, ENOSPC);
    }
    if (room > 0)
        QCOMPARE(::ftruncate(fd, std::max<qint64>(0, size - room)), 0);
    ::close(fd);
}

} // namespace

class TestFullFs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (geteuid() != 0)
            QSKIP("needs root: the small file system is mounted in a private mount namespace");
        if (unshare(CLONE_NEWNS) != 0)
            QSKIP("mount namespaces are not available here");
        QVERIFY(mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0);
        QVERIFY(mount_.isValid() && seeded_.isValid());
        if (mount("tmpfs", QFile::encodeName(mount_.path()).constData(), "tmpfs", 0,
                  "size=2m,mode=0700") != 0)
            QSKIP("tmpfs can't be mounted here");
        mounted_ = true;
        savedBase_ = programFolder();
        setProgramFolders(seeded_.path());
        StoreOps::seed();
        StoreOps::nextStart();
    }

    void cleanupTestCase() {
        setProgramFolders(savedBase_);
        if (mounted_)
            umount(QFile::encodeName(mount_.path()).constData());
    }

    void writeFailsCleanly_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<qint64>("room");
        QTest::addColumn<QString>("message");
        // The texts the store code gives; the others' are the pages' own.
        const QString openError = "open file operation error!";
        const QMap<QString, QString> messages = {
            {"profile add", openError},
            {"profile edit", openError},
            {"profile delete", "open file error!"},
            {"backup restore", "Resume failed! Nothing was changed."}};
        for (const StoreOps::Operation& op : StoreOps::operations()) {
            const QString name = QString::fromLatin1(op.name);
            QTest::addRow("%s, full", op.name) << name << qint64(0) << messages.value(name);
            // The settings files are small enough to fit in what is left.
            if (name != "settings apply")
                QTest::addRow("%s, nearly full", op.name)
                    << name << qint64(4096) << messages.value(name);
        }
    }

    void writeFailsCleanly() {
        QFETCH(QString, op);
        QFETCH(qint64, room);
        QFETCH(QString, message);
        const StoreOps::Operation* operation = StoreOps::find(op);
        QVERIFY(operation);

        const QString base = mount_.path() + "/base";
        const QString filler = mount_.path() + "/filler";
        QFile::remove(filler);
        QVERIFY(StoreOps::copyFolder(seeded_.path(), base));
        setProgramFolders(base);
        fill(filler, room);
        const QMap<QString, QByteArray> before = StoreOps::snapshot();

        const StoreOps::Write write = operation->prepare();
        const StoreOps::Outcome outcome = write();
        QVERIFY2(!outcome.ok, "the write was reported as done");
        QCOMPARE(outcome.message, message);
        QCOMPARE(StoreOps::snapshot(), before);
        // Nothing the failed write began survives the next start either.
        QFile::remove(filler);
        StoreOps::nextStart();
        QCOMPARE(StoreOps::snapshot(), before);
    }

private:
    QTemporaryDir mount_;
    QTemporaryDir seeded_;
    QString savedBase_;
    bool mounted_ = false;
};

QTEST_GUILESS_MAIN(TestFullFs)
#include "test_fullfs.moc"
