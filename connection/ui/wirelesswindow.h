#pragma once

#include "connection/connectionglobals.h"

#include <QWidget>

class QLabel;
class MyButton;

// The internet connection page: caption, connect button, state image and
// text, traffic and time, the operator button and the logo.
class WirelessWindow : public QWidget {
    Q_OBJECT
public:
    explicit WirelessWindow(QWidget* parent = nullptr, const char* name = nullptr);

    QLabel* titleLabel;
    QLabel* showLabel;
    MyButton* isConnectButton;
    QLabel* dataStateImage;
    QLabel* dataStateLabel;
    QLabel* sendLabel;
    QLabel* receiveLabel;
    QLabel* timeLabel;
    MyButton* mirelmobileButton;
    QLabel* logoLabel;

signals:
    void sigUpdateDisconnectPixmap();
    void sigUpdateConnectPixmap();
    void sigConnectingEnd();
    void sigConnectingStart();
    void sigPDPSetCommand();

public:
    // A dialer has been started and not yet found gone.
    bool dialerRunning() const;
    // Stops the dialer if there is one.
    void safeKillWvdail();
    // The state shown: 0 disconnected, 1 connected, 2 initialising (the
    // text cycles through its dots at every call).
    void dataState(char state);
    // Enables or disables the connect button.
    void connectBtnValid(bool on);
    // The connecting animation is running.
    bool checkTimerValidation() const;
    void dataStateConnectingStop();

public slots:
    // The operator button opens the web site.
    void slotClickedMirelButton();

private:
    int initialisingCount_ = 0;
};
