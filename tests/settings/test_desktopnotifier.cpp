// Desktop notifications over a private session bus (CTest runs this under
// dbus-run-session): a stand-in for the desktop's notification service
// records what the program shows for each event.

#include "settings/alertplayer.h"
#include "settings/desktopnotifier.h"
#include "settings/settingsfiles.h"
#include "tests/support/testenv.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QtTest>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

class SilentOutput : public AlertOutput {
public:
    void play(const QString&) override {}
};

} // namespace

// The notification service's one method the program calls.
class StandInService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown; // "app|icon|summary|body|timeout" of each call

public slots:
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int timeout) {
        shown << QStringList{app, icon, summary, body, QString::number(timeout)}.join('|');
        return uint(shown.size());
    }
};

class TestDesktopNotifier : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus: run under dbus-run-session");
    }

    void eachEventIsShown() {
        TestEnv env;
        writeMissingSettingsFiles();
        StandInService standIn;
        {
            QDBusConnection desktop =
                QDBusConnection::connectToBus(QDBusConnection::SessionBus, "desktop");
            QVERIFY(desktop.registerObject("/org/freedesktop/Notifications", &standIn,
                                           QDBusConnection::ExportAllSlots));
            QVERIFY(desktop.registerService(kService));
        }
        SilentOutput output;
        DesktopNotifier notifier;
        AlertPlayer player(&output, &notifier);
        player.connected();
        player.messageStored("+491701234567", QString(200, 'x'));
        player.disconnected();
        player.usageWarning(90);
        player.limitReached(true);
        const QString app = "Velto Modem Connection|velto|";
        QTRY_COMPARE(
            standIn.shown,
            (QStringList{
                app + "Connected|The internet connection is up.|-1",
                app + "New message from +491701234567|" + QString(159, 'x') + QChar(0x2026) + "|-1",
                app + "Disconnected|The internet connection has ended.|-1",
                app + "Data limit|90 % of this month's data limit is used.|-1",
                app + "Data limit reached|This month's data limit is used up: the connection was "
                      "ended.|-1"}));
        QDBusConnection::disconnectFromBus("desktop");
    }

    // Without a notification service the call goes nowhere (or starts one the
    // bus knows of), and nothing waits.
    void nothingWithoutTheService() {
        QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
        DesktopNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        notifier.notify("Connected", "The internet connection is up.");
        QVERIFY(clock.elapsed() < 1000);
    }
};

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "test_desktopnotifier.moc"
