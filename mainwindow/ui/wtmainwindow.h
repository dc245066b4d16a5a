#pragma once

#include "connection/leftoverconnection.h"
#include "mainwindow/monitorview.h"
#include "mainwindow/ui/wtmainwindowbase.h"

#include <QPointer>
#include <QString>

class QCloseEvent;
class QDialog;
class QLabel;
class QSplashScreen;
class AlertPlayer;
class CentreWidget;
class CSetting;
class CShortMsg;
class ModemManagerInhibitor;
class PhoneBook;
class SerialThread;
class StatusMonitor;
class TopBarWidget;
class TrayIcon;
class WirelessWindow;

// The program's one top-level window: its own frame (title bar, home area,
// bottom strip), the pages in the home area's stack, the routing between
// pages, the help and web-site launchers and the device information panel
// on a right click. The status monitor watches the modem and draws into the
// window through the MonitorView side of it.
class WTMainWindow : public WTMainWindowBase, public MonitorView {
    Q_OBJECT
public:
    explicit WTMainWindow(QWidget* parent = nullptr, const char* name = nullptr,
                          Qt::WindowFlags f = {});

    // Shows the window 2000 ms from now and then closes `splash` on it.
    void wait2secsToShow(QSplashScreen* splash);

    TopBarWidget* topbar;
    CentreWidget* centre;
    QWidget* bottom;

    WirelessWindow* wirelesswindow;
    QLabel* tooltipLabel;
    PhoneBook* phonebook;
    CShortMsg* shortmessage;
    CSetting* setting;

    // The device information panel while it is open.
    QPointer<QDialog> infoPopup;
    // The PIN, PUK or new-PIN dialog while one is open.
    QPointer<QDialog> pinDialog;
    StatusMonitor* monitor;
    // Sounds the alerts chosen on the settings page, and shows them on the desktop.
    AlertPlayer* alerts;
    // The icon in the system tray; null where the desktop has no tray.
    TrayIcon* tray = nullptr;
    // The modem link, owned by the window (also the process-wide `serialthread`).
    SerialThread* link = nullptr;

    // Creates the modem link and starts its worker body.
    void initSerial();
    // Gives the modem the default profile's PDP context (before dialling).
    void slotPDPSetCommand();
    // The status monitor's steps (see StatusMonitor).
    int initAtCmd();
    void displayStateBar(bool modem, bool sim, bool validateCanceled);
    void netService();
    void ISPName();
    QString smsnum();
    int singalQuality();
    int isSIMOnline();
    void setButtonStatus(bool enable);
    int checkupPIN();
    int checkupPUK();
    int inputPIN(QString pin);
    int inputPUK(QString puk, QString newPin);

signals:
    void sigClickConnectButton();
    void sendToPhonebook(QString number);

public slots:
    void slotDelayShow();
    // Tells the user once what start-up found of an earlier run's connection.
    void tellLeftover();

    void slotClickHomepageButton();
    void slotClickSmsButton();
    void slotClickPhonebookButton();
    void slotClickSetButton();
    void slotClickSimButton();
    void slotClickHomeButton();
    void slotClickHelpButton();
    void slotDisplayConnectTip();
    void slotDisplaySecurityTip();
    void slotDisplayNetworkTip();
    void slotDisplayMessageTip();
    void slotDisplayAlertTip();
    void slotClickedNewMsgLabel();

    void phonebook_send_sms(QString number);
    void readToPhonebook();
    void SMSToPhonebook();
    void saveToPhonebook(QString number);

    void initMonitor();
    void slotTimer();
    void slotClickedApplyButton();
    void refPINSetStatus();
    void slotChangePIN();
    void slotPINEnabled();
    void slotUpdateConnectPixmap();
    void slotUpdateDisconnectPixmap();
    void slotConnectingStart();
    void slotConnectingEnd();
    void slotSetDefaultName();

private:
    void initTray();
    // Quit was chosen in the tray: closing the window ends the program.
    bool quitting_ = false;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // --- MonitorView ----------------------------------------------------------
    void setStatusPixmap(const QString& label, const QString& image) override;
    void setStatusText(const QString& label, const QString& text) override;
    void setStatusToolTip(const QString& label, const QString& tip) override;
    void resizeStatusLabel(const QString& label, int width, int height) override;
    void setNewMessageIndicator(bool visible) override;
    bool dataAnimationRunning() override;
    void dataConnectAnimated() override;
    void dataConnectStop() override;
    void setPageButtonsEnabled(bool enabled) override;
    ConnectionState connectionState() override;
    bool dialerRunning() override;
    void safeKillWvdail() override;
    void dataState(int state) override;
    void connectBtnValid(bool valid) override;
    QString connectButtonText() override;
    void setConnectButtonText(const QString& text) override;
    void setConnectCaption(const QString& text) override;
    bool connectingAnimationRunning() override;
    void dataStateConnectingStop() override;
    void setConnectStateText(const QString& text) override;
    void showInternetPage() override;
    QString defaultConnectionName() override;
    void setPinCheckBox(bool checked) override;
    bool pinCheckBoxChecked() override;
    void setPinApplyEnabled(bool enabled) override;
    void setNetworkSelection(int mode) override;
    void setSimSettingsEnabled(bool enabled) override;
    void carddispose(bool online) override;
    void setHasSIM(bool hasSim) override;
    bool InsertSave(const QString& reply, int index, const QString& state) override;
    void takeStatusReport(const QString& pdu) override;
    int getSimAllSmsItem(int store, int stat) override;
    void clearSimMessageLists() override;
    std::optional<QString> askPin(const QString& name, const QString& prompt) override;
    std::optional<QString> askNewPin() override;
    void rejectPinDialog() override;
    void message(Box kind, const QString& text) override;
    void terminate(int status) override;

private:
    void init();
    void showPage(int id, const QString& caption);
    void setCaption(const QString& caption);
    void openInfoPopup();
    QLabel* statusLabel(const QString& name) const;
    // Asks ModemManager to leave the card alone while the link holds its ports.
    void watchHeldPorts();

    QPointer<QSplashScreen> splash_;
    ModemManagerInhibitor* modemManager_ = nullptr;
    QString modemTip_; // the modem icon's tool tip as the monitor gave it
    // What start-up found of a connection an earlier run did not take down.
    LeftoverConnection leftover_ = LeftoverConnection::None;
};
