#pragma once

#include <QString>
#include <QSystemTrayIcon>

class QAction;

// The program in the system tray: the signal bars of the status row, marked
// green while a connection is up; the operator and the connection state in
// the tooltip; a menu to connect or disconnect, show the window and quit. A
// click on the icon shows or hides the window.
class TrayIcon : public QSystemTrayIcon {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);

    // The status row's signal image (a file under res/component).
    void setSignalImage(const QString& image);
    void setOperator(const QString& name);
    void setConnected(bool connected);
    // Whether a connection can be made or ended now (the connect button's state).
    void setConnectEnabled(bool enabled);

    QAction* connectAction() const { return connectAction_; }
    QAction* showAction() const { return showAction_; }
    QAction* quitAction() const { return quitAction_; }

signals:
    void connectToggled(); // the connect or disconnect entry
    void showRequested();
    void toggleRequested(); // a click on the icon
    void quitRequested();

private:
    void refresh();

    QString signalImage_ = QStringLiteral("ImageList_TrayMain2.png");
    QString operator_;
    bool connected_ = false;
    QAction* connectAction_;
    QAction* showAction_;
    QAction* quitAction_;
};
