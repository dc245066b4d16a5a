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

public slots:
    // The operator button opens the web site.
    void slotClickedMirelButton();
};
