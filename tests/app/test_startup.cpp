#include "app/cmdline.h"
#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "app/systempaths.h"
#include "app/versioninfo.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runProgram(const QStringList& args) {
    QProcess p;
    p.start(TestEnv::binary("velto"), args);
    Run r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QByteArray shippedVersion() {
    return TestEnv::readFile(TestEnv::binary("Data/version.txt")).split('\n').first();
}

// Starts a first copy of the program under `root` and waits until it holds the lock.
bool startFirstCopy(QProcess& first, const QString& root, const QString& pidFile) {
    first.start(TestEnv::binary("velto"), {"--root", root});
    if (!first.waitForStarted(10000))
        return false;
    const QByteArray expected = QByteArray::number(first.processId());
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        if (TestEnv::readFile(pidFile) == expected)
            return true;
        QTest::qWait(20);
    }
    return false;
}

void stop(QProcess& p) {
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
    }
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void versionOption() {
        const QByteArray version = shippedVersion();
        QVERIFY(!version.isEmpty());
        for (const char* option : {"-v", "-version"}) {
            const Run r = runProgram({option});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.out, version + '\n');
        }
    }

    void otherArgumentsAreInvalidParameters() {
        for (const char* arg : {"-ver", "-V", "hello"}) {
            const Run r = runProgram({arg});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.out, QByteArray(arg) +
                                " is a invalidate parameter.\n"
                                "    -v(version): output version information and exit.\n");
        }
        // Only the first remaining argument counts, after our own options.
        const Run r = runProgram({"--root", "/nonexistent", "-v", "-x"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, shippedVersion() + '\n');
    }

    void ownOptions() {
        const Run help = runProgram({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--device AT_PORT[,MODEM_PORT]"));
        QVERIFY(help.out.contains("--root DIR"));

        const Run missing = runProgram({"--device"});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.contains("--device needs a value"));

        CommandLine cmd = parseCommandLine({"--device", "/dev/ttyUSB2,/dev/ttyUSB0", "--root=/r"});
        QCOMPARE(cmd.atPort, QString("/dev/ttyUSB2"));
        QCOMPARE(cmd.modemPort, QString("/dev/ttyUSB0"));
        QCOMPARE(cmd.root, QString("/r"));
        QVERIFY(cmd.rest.isEmpty() && cmd.error.isEmpty() && !wantsTextAnswerOnly(cmd));
        cmd = parseCommandLine({"--device=/dev/a,/dev/b,/dev/c"});
        QVERIFY(!cmd.error.isEmpty());
    }

    void secondCopyShowsTheNoticeAndLeavesTheFirstPid() {
        TestEnv env;
        QDir().mkpath(env.rootPath("/var/run"));
        const QString pidFile = SystemPaths::pidLockFile();
        QProcess first;
        QVERIFY(startFirstCopy(first, env.root(), pidFile));
        const QByteArray firstPid = QByteArray::number(first.processId());

        // The version answer needs no lock, even while a copy runs.
        const Run version = runProgram({"--root", env.root(), "-v"});
        QCOMPARE(version.exitCode, 0);

        // A second start, in this process, shows the notice through the message box.
        QString shownText;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            if (auto* edit = box->findChild<QTextEdit*>("msgEdit"))
                shownText = edit->toPlainText();
            if (auto* ok = box->findChild<QPushButton*>("pb0"))
                ok->click();
        });
        closer.start(20);
        QCOMPARE(runStartup(*qApp, parseCommandLine({"--root", env.root()}),
                            [](QSplashScreen*) -> QWidget* { return nullptr; }),
                 0);
        closer.stop();
        QVERIFY(!shownText.isEmpty());
        QCOMPARE(shownText, comcfg.alreadyRunningText);
        QCOMPARE(TestEnv::readFile(pidFile), firstPid);
        stop(first);
    }

    void staleFileDoesNotBlockAndIsRewritten() {
        TestEnv env;
        env.writeRootFile("/var/run/mirelDaemon.pid", "4194303999");
        QProcess copy;
        QVERIFY(startFirstCopy(copy, env.root(), SystemPaths::pidLockFile()));
        stop(copy);
        // The file stays after the copy ends; only the lock marked it running.
        QVERIFY(QFile::exists(SystemPaths::pidLockFile()));
        QCOMPARE(already_running(), 0);
        QCOMPARE(TestEnv::readFile(SystemPaths::pidLockFile()),
                 QByteArray::number(QCoreApplication::applicationPid()));
    }

    void lockHeldByAnotherProcess() {
        TestEnv env;
        QDir().mkpath(env.rootPath("/var/run"));
        QProcess first;
        QVERIFY(startFirstCopy(first, env.root(), SystemPaths::pidLockFile()));
        QCOMPARE(already_running(), 1);
        stop(first);
    }

    void unopenableLockFileEndsWithStatusOne() {
        // No /var/run under this root: the file can't be created.
        TestEnv env;
        const Run r = runProgram({"--root", env.root()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("can't open"));
    }

    void versionFileMissingOrEmpty() {
        TestEnv env;
        const QString path = env.dataPath("version.txt");
        QVERIFY(QFile::remove(path));
        QCOMPARE(readVersionInfo(), QString(""));
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);

        QCOMPARE(readVersionInfo(), QString(""));

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2.5.1\nbuild notes\n");
        file.close();
        QCOMPARE(readVersionInfo(), QString("2.5.1"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
