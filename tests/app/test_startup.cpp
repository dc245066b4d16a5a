#include "app/cmdline.h"
#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "app/systempaths.h"
#include "app/versioninfo.h"
#include "tests/support/messageboxes.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
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
    const bool ended = p.waitForFinished(20000);
    if (!ended)
        p.kill();
    p.waitForFinished();
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput(), p.readAllStandardError()};
}

QByteArray shippedVersion() {
    return TestEnv::readFile(TestEnv::binary("Data/version.txt")).split('\n').first();
}

// Starts a first copy of the program under `root` and waits until it holds the lock.
bool startFirstCopy(QProcess& first, const QString& root) {
    first.start(TestEnv::binary("velto"), {"--root", root});
    const auto locked = [&] {
        return TestEnv::readFile(SystemPaths::pidLockFile()) ==
               QByteArray::number(first.processId());
    };
    return first.waitForStarted(10000) && QTest::qWaitFor(locked, 15000);
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
    // What the program answers on its command line, before any window:
    // exact output (null: not compared) and texts its output must hold
    // (parted by "|").
    // "ROOT" stands for a system root without /var/run.
    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("says");
        const QByteArray version = shippedVersion() + '\n';
        QVERIFY(version.size() > 1);
        const auto invalid = [](const char* arg) {
            return QByteArray(arg) + " is a invalidate parameter.\n"
                                     "    -v(version): output version information and exit.\n";
        };
        QTest::newRow("-v") << QStringList{"-v"} << 0 << version << version;
        QTest::newRow("-version") << QStringList{"-version"} << 0 << version << version;
        for (const char* arg : {"-ver", "-V", "hello"})
            QTest::newRow(arg) << QStringList{arg} << 0 << invalid(arg) << QByteArray(arg);
        // Only the first remaining argument counts, after the program's own options.
        QTest::newRow("options first")
            << QStringList{"--root", "/nonexistent", "-v", "-x"} << 0 << version << version;
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray()
                                << QByteArray("--device AT_PORT[,MODEM_PORT]|--root DIR");
        QTest::newRow("--device without a value")
            << QStringList{"--device"} << 2 << QByteArray() << QByteArray("--device needs a value");
        QTest::newRow("lock file can't be made")
            << QStringList{"--root", "ROOT"} << 1 << QByteArray() << QByteArray("can't open");
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, says);
        TestEnv env;
        args.replaceInStrings("ROOT", env.root());
        const Run r = runProgram(args);
        QCOMPARE(r.exitCode, status);
        if (!out.isNull())
            QCOMPARE(r.out, out);
        for (const QByteArray& text : says.split('|'))
            QVERIFY2((r.out + r.err).contains(text), r.out + r.err);
    }

    void deviceOption() {
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
        QVERIFY(startFirstCopy(first, env.root()));
        const QByteArray firstPid = QByteArray::number(first.processId());
        QCOMPARE(already_running(), 1);

        // The version answer needs no lock, even while a copy runs.
        const Run version = runProgram({"--root", env.root(), "-v"});
        QCOMPARE(version.exitCode, 0);

        // A second start, in this process, shows the notice through the message box.
        MessageBoxes boxes;
        QCOMPARE(runStartup(*qApp, parseCommandLine({"--root", env.root()}),
                            [](QSplashScreen*) -> QWidget* { return nullptr; }),
                 0);
        QVERIFY(!comcfg.alreadyRunningText.isEmpty());
        QCOMPARE(boxes.texts(), QStringList{MessageBoxes::squeezed(comcfg.alreadyRunningText)});
        QCOMPARE(TestEnv::readFile(pidFile), firstPid);
        stop(first);
    }

    void staleFileDoesNotBlockAndIsRewritten() {
        TestEnv env;
        env.writeRootFile("/var/run/mirelDaemon.pid", "4194303999");
        QProcess copy;
        QVERIFY(startFirstCopy(copy, env.root()));
        stop(copy);
        // The file stays after the copy ends; only the lock marked it running.
        QVERIFY(QFile::exists(SystemPaths::pidLockFile()));
        QCOMPARE(already_running(), 0);
        QCOMPARE(TestEnv::readFile(SystemPaths::pidLockFile()),
                 QByteArray::number(QCoreApplication::applicationPid()));
    }

    // A missing version file is made empty; only its first line counts.
    void versionFileMissingOrEmpty() {
        TestEnv env;
        const QString path = env.dataPath("version.txt");
        QVERIFY(QFile::remove(path));
        QCOMPARE(readVersionInfo(), QString(""));
        QVERIFY(QFile::exists(path) && QFileInfo(path).size() == 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("2.5.1\nbuild notes\n") > 0);
        file.close();
        QCOMPARE(readVersionInfo(), QString("2.5.1"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
