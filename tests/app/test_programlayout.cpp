#include "app/programlayout.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void write(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

} // namespace

class TestProgramLayout : public QObject {
    Q_OBJECT

private slots:
    void layout_data() {
        QTest::addColumn<QStringList>("folders"); // made below the temporary folder
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("resources");
        QTest::addColumn<QString>("shipped");

        const auto row = [](const char* name, const QStringList& folders, const char* exe,
                            const char* dataHome, const char* base, const char* resources,
                            const char* shipped) {
            QTest::newRow(name) << folders << QString(exe) << QString(dataHome) << QString(base)
                                << QString(resources) << QString(shipped);
        };
        const QStringList installed{"usr/bin", "usr/share/velto/Data"};
        row("installed, XDG_DATA_HOME set", installed, "usr/bin", "/xdg", "/xdg/velto",
            "usr/share/velto", "usr/share/velto/Data");
        row("installed, XDG_DATA_HOME unset", installed, "usr/bin", "", "home/.local/share/velto",
            "usr/share/velto", "usr/share/velto/Data");
        row("installed, relative XDG_DATA_HOME is ignored", installed, "usr/bin", "xdg",
            "home/.local/share/velto", "usr/share/velto", "usr/share/velto/Data");
        row("build runs in place", {"build/bin/Data"}, "build/bin", "/xdg", "build/bin",
            "build/bin", "");
        row("Data beside an installed-looking executable wins",
            {"opt/bin/Data", "opt/share/velto/Data"}, "opt/bin", "/xdg", "opt/bin", "opt/bin", "");
        row("a bin folder without shared files", {"x/bin"}, "x/bin", "/xdg", "x/bin", "x/bin", "");
    }

    void layout() {
        QFETCH(QStringList, folders);
        QFETCH(QString, exe);
        QFETCH(QString, dataHome);
        QFETCH(QString, base);
        QFETCH(QString, resources);
        QFETCH(QString, shipped);
        QTemporaryDir dir;
        for (const QString& folder : folders)
            QVERIFY(QDir(dir.path()).mkpath(folder));
        const auto at = [&](const QString& p) {
            return p.isEmpty() || p.startsWith('/') ? p : dir.filePath(p);
        };
        const ProgramLayout got = programLayout(dir.filePath(exe), dataHome, dir.filePath("home"));
        QCOMPARE(got.base, at(base));
        QCOMPARE(got.resources, at(resources));
        QCOMPARE(got.shippedData, at(shipped));
    }

    // First start fills the user's folder; later starts bring the program's
    // own files up to date and never touch the user's.
    void userDataFromShippedDefaults() {
        QTemporaryDir dir;
        const QString shipped = dir.filePath("share/velto/Data");
        write(shipped + "/sms.xml", "<shipped/>");
        write(shipped + "/modem_types.xml", "v1");
        write(shipped + "/help/help.html", "help");
        write(shipped + "/launchFirefox.sh", "#!/bin/sh\n");
        QFile::setPermissions(shipped + "/launchFirefox.sh",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const ProgramLayout layout{dir.filePath("user"), dir.filePath("share/velto"), shipped};
        const QString user = layout.base + "/Data";

        QString error;
        QVERIFY(prepareUserData(layout, &error));
        QCOMPARE(TestEnv::readFile(user + "/sms.xml"), QByteArray("<shipped/>"));
        QCOMPARE(TestEnv::readFile(user + "/help/help.html"), QByteArray("help"));
        QVERIFY(QFileInfo(user + "/launchFirefox.sh").isExecutable());

        write(user + "/sms.xml", "<mine/>");
        write(shipped + "/sms.xml", "<newer shipped/>");
        write(shipped + "/modem_types.xml", "v2");
        QFile::remove(user + "/help/help.html");
        QVERIFY(prepareUserData(layout, &error));
        QCOMPARE(TestEnv::readFile(user + "/sms.xml"), QByteArray("<mine/>"));
        QCOMPARE(TestEnv::readFile(user + "/modem_types.xml"), QByteArray("v2"));
        QCOMPARE(TestEnv::readFile(user + "/help/help.html"), QByteArray("help"));

        // A folder that can't be made is reported, not ignored.
        write(dir.filePath("blocked"), "a file, not a folder");
        const ProgramLayout blocked{dir.filePath("blocked"), layout.resources, shipped};
        QVERIFY(!prepareUserData(blocked, &error));
        QVERIFY(error.contains("blocked"));
    }
};

QTEST_GUILESS_MAIN(TestProgramLayout)
#include "test_programlayout.moc"
