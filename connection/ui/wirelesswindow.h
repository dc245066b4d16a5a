#pragma once

#include "connection/connectionview.h"

#include <QWidget>

class ConnectionController;
class QLabel;
class MyButton;
class QPushButton;
class UsageChart;
class SerialThread;

// The internet connection page: caption, connect button, state image and
// text, traffic and time, the operator button and the logo. The connection
// itself is run by its ConnectionController; the page shows it.
class WirelessWindow : public QWidget, public ConnectionView {
    Q_OBJECT
public:
    // `link` is the modem, held still while the connection goes down.
    explicit WirelessWindow(QWidget* parent = nullptr, const char* name = nullptr,
                            SerialThread* link = nullptr);
    ~WirelessWindow() override;

    ConnectionController* controller() const { return controller_; }

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
    // Opens the service codes dialog (balance queries and the like).
    QPushButton* serviceCodesButton;
    // The data used today and this billing period, and a bar a day for 30 days.
    QLabel* usageLabel;
    UsageChart* usageChart;

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
    // The state shown: 0 disconnected, 1 connected, 2 initialising, 3 no card (the
    // text cycles through its dots at every call).
    void dataState(char state);
    // Enables or disables the connect button.
    void connectBtnValid(bool on);
    // The connecting animation is running.
    bool checkTimerValidation() const;
    void dataStateConnectingStop();

public slots:
    // Connects, or disconnects while connected.
    void isConnectButton_clicked();
    // The operator button opens the web site.
    void slotClickedMirelButton();

protected:
    // --- ConnectionView -------------------------------------------------------
    void setConnectButtonText(const QString& text) override;
    void setConnectButtonEnabled(bool enabled) override;
    void setStateText(const QString& text) override;
    void setStateImage(bool connected) override;
    void setCaptionVisible(bool visible) override;
    void showTraffic(const QString& sent, const QString& received, const QString& time) override;
    void hideTraffic() override;
    void showUsage(const QString& summary, const QList<DayUsage>& days) override;
    void message(Box kind, const QString& text) override;

private:
    ConnectionController* controller_;
};
