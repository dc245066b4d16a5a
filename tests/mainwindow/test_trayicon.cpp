// The tray icon: its tooltip, menu and picture follow the operator and the
// connection; its entries ask the window to act.

#include "mainwindow/ui/trayicon.h"
#include "tests/support/testenv.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

class TestTrayIcon : public QObject {
    Q_OBJECT
private slots:
    void followsTheConnection() {
        TestEnv env; // the images under res/
        TrayIcon tray;
        QCOMPARE(tray.toolTip(), "Velto Modem Connection\nDisconnected");
        QCOMPARE(tray.connectAction()->text(), "Connect");
        const QImage disconnected = tray.icon().pixmap(32).toImage();

        tray.setSignalImage("ImageList_RSSILevel4.png");
        const QImage bars = tray.icon().pixmap(32).toImage();
        QVERIFY(bars != disconnected);
        tray.setOperator("Tolva Mobile");
        tray.setConnected(true);
        QCOMPARE(tray.toolTip(), "Velto Modem Connection\nTolva Mobile - Connected");
        QCOMPARE(tray.connectAction()->text(), "Disconnect");
        QVERIFY(tray.icon().pixmap(32).toImage() != bars);

        tray.setConnectEnabled(false);
        QVERIFY(!tray.connectAction()->isEnabled());
    }

    void entriesAskTheWindow() {
        TrayIcon tray;
        QSignalSpy toggled(&tray, &TrayIcon::connectToggled), show(&tray, &TrayIcon::showRequested),
            quit(&tray, &TrayIcon::quitRequested), click(&tray, &TrayIcon::toggleRequested);
        tray.connectAction()->trigger();
        tray.showAction()->trigger();
        tray.quitAction()->trigger();
        emit tray.activated(QSystemTrayIcon::Trigger);
        emit tray.activated(QSystemTrayIcon::Context); // the menu, nothing more
        QCOMPARE((QList<qsizetype>{toggled.count(), show.count(), quit.count(), click.count()}),
                 (QList<qsizetype>{1, 1, 1, 1}));
    }
};

QTEST_MAIN(TestTrayIcon)
#include "test_trayicon.moc"
