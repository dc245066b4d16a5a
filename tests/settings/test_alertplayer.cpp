// The alert sounds: played through a stand-in for the sound system when
// their check box is on, silent otherwise, and a bad file reported once; the
// same events as desktop notifications while those are on.

#include "settings/alertplayer.h"
#include "settings/desktopnotifier.h"
#include "settings/settingsfiles.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QtTest>

namespace {

class StandInOutput : public AlertOutput {
public:
    void play(const QString& path) override { played << QFileInfo(path).fileName(); }
    QStringList played;
};

class StandInNotifier : public DesktopNotifier {
public:
    void notify(const QString& summary, const QString&) override { shown << summary; }
    QStringList shown;
};

} // namespace

class TestAlertPlayer : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        for (const char* name : {"connect.wav", "disconnect.ogg", "sms.wav"}) {
            QFile file(env_->base() + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("RIFF");
        }
    }
    void cleanup() { env_.reset(); }

    // Each sound plays while its check box is on, none by default; an
    // applied change counts at the next event. The notifications don't
    // follow the check boxes (what each says is in test_desktopnotifier),
    // only their own.
    void playsWhatIsSwitchedOn() {
        QFile::remove(alertSettingsFile());
        writeMissingSettingsFiles();
        StandInOutput output;
        StandInNotifier notifier;
        AlertPlayer player(&output, &notifier);
        player.connected();
        player.messageArrived();
        player.disconnected();
        QVERIFY(output.played.isEmpty());
        QCOMPARE(notifier.shown.size(), 2);

        AlertSettings alerts;
        alerts.conAlert = env_->base() + "/connect.wav";
        alerts.disconAlert = env_->base() + "/disconnect.ogg";
        alerts.smsAlert = env_->base() + "/sms.wav";
        alerts.connectMute = 1;
        alerts.smsMute = 1;
        QVERIFY(writeAlertSettings(alerts));
        player.disconnected(); // no connection was made: nothing ends
        player.connected();
        player.messageArrived();
        player.disconnected(); // its check box is off
        QCOMPARE(output.played, (QStringList{"connect.wav", "sms.wav"}));

        alerts.disconnectMute = 1;
        alerts.smsMute = 0;
        alerts.desktopNotices = 0;
        QVERIFY(writeAlertSettings(alerts));
        output.played.clear();
        notifier.shown.clear();
        player.connected();
        player.disconnected();
        player.messageArrived();
        player.messageStored("+491701234567", "Hi");
        QCOMPARE(output.played, (QStringList{"connect.wav", "disconnect.ogg"}));
        QVERIFY(notifier.shown.isEmpty());
    }

    void aBadFileIsReportedOnce() {
        AlertSettings alerts;
        alerts.smsAlert = env_->base() + "/gone.wav";
        alerts.smsMute = 1;
        alerts.conAlert = env_->base() + "/connect.wav";
        alerts.connectMute = 1;
        QVERIFY(writeAlertSettings(alerts));
        StandInOutput output;
        AlertPlayer player(&output, nullptr);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("gone\\.wav.*can't be played"));
        player.messageArrived();
        QTest::failOnWarning(QRegularExpression("gone\\.wav"));
        player.messageArrived();
        QVERIFY(output.played.isEmpty());

        // The sound system refuses a file it can't decode: logged once too.
        player.connected();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("connect\\.wav.*no codec"));
        emit output.failed(alerts.conAlert, "no codec");
        QTest::failOnWarning(QRegularExpression("connect\\.wav"));
        emit output.failed(alerts.conAlert, "no codec");
        player.connected();
        QCOMPARE(output.played, (QStringList{"connect.wav", "connect.wav"}));
    }

private:
    std::unique_ptr<TestEnv> env_;
};

QTEST_GUILESS_MAIN(TestAlertPlayer)
#include "test_alertplayer.moc"
