#include "settings/settingsfiles.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QtTest>

namespace {

bool write(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contents) == contents.size();
}

} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
private slots:
    void missingFilesGetTheDefaults() {
        TestEnv env;
        // The build's Data folder, copied here, may hold settings of a run.
        for (const QString& path :
             {networkSettingsFile(), messageSettingsFile(), alertSettingsFile()})
            QFile::remove(path);
        writeMissingSettingsFiles();
        // What they mean is shown on the settings page (test_settingspage).
        QCOMPARE(readMessagesSettings(), MessageSettings());
        QCOMPARE(readNetworkSettings(), NetworkSettings());
        QCOMPARE(readAlertSettings(), AlertSettings());
        const QByteArray network = TestEnv::readFile(env.dataPath("networksetconfigrc"));
        QVERIFY(network.startsWith("[netWorkSetConfig]\n"));
        for (const char* line :
             {"\nmodePerferred=0\n", "\nnetworkSlect=0\n", "\nmonthlyLimitMB=0\n",
              "\nbillingDay=1\n", "\nlimitDisconnect=0\n"})
            QVERIFY2(network.contains(line), line);

        // Existing files are left alone.
        QVERIFY(writeNetworkSettings({1, 2}));
        writeMissingSettingsFiles();
        QCOMPARE(readNetworkSettings().modePerferred, 2);
    }

    void valuesRoundTripAndMissingKeysReadZero() {
        TestEnv env;
        AlertSettings alerts;
        alerts.conAlert = "/home/me/sounds/ring, loud.wav";
        alerts.smsMute = 1;
        alerts.desktopNotices = 0;
        alerts.closeToTray = 1;
        QVERIFY(writeAlertSettings(alerts));
        QCOMPARE(readAlertSettings(), alerts);
        // A file of an older version: notifications on, the window closes.
        QVERIFY(write(env.dataPath("alertsetconfigrc"), "[alertSetConfig]\nsmsMute=1\n"));
        QCOMPARE(readAlertSettings().desktopNotices, 1);
        QCOMPARE(readAlertSettings().closeToTray, 0);

        const QString file = env.dataPath("messagesetconfigrc");
        QVERIFY(write(file, "[messageSetConfig]\nsmsCenter=12345\nvalidPeriod=x\n"));
        const MessageSettings partial = readMessagesSettings();
        QCOMPARE(partial.smsCenter, QString("12345"));
        QCOMPARE(partial.validPeriod, 0);
        QCOMPARE(partial.deliveReport, 0);

        // A line QSettings can't parse: the next write succeeds, says so,
        // and leaves the line out.
        QVERIFY(write(file, "[messageSetConfig]\nsmsCenter=12345\nbroken line\n"));
        QVERIFY(writeMessagesSettings(readMessagesSettings()));
        QCOMPARE(readMessagesSettings().smsCenter, QString("12345"));
        QVERIFY(!TestEnv::readFile(file).contains("broken"));
    }

    // Lock files of a run that ended while writing a settings file: those
    // whose owner is gone or never got written go; a live owner's stays.
    void staleLocksAreClearedAtStart() {
        TestEnv env;
        const QString network = networkSettingsFile() + ".lock";
        const QString message = messageSettingsFile() + ".lock";
        QVERIFY(write(network, "")); // killed before its owner was written
        QVERIFY(write(message, "999999\nvelto\nanother-host\n")); // maybe alive elsewhere
        QLockFile held(alertSettingsFile() + ".lock");
        QVERIFY(held.tryLock(0));
        clearStaleSettingsLocks();
        QVERIFY(!QFileInfo::exists(network));
        QVERIFY(QFileInfo::exists(message));
        QVERIFY(held.isLocked() && QFileInfo::exists(held.fileName()));
        QVERIFY(writeNetworkSettings({1, 2})); // at once, not after the stale time
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settingsfiles.moc"
