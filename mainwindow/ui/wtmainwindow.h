#pragma once

#include "app/cmdline.h"
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
class SmsInbox;
class StatusMonitor;
class TopBarWidget;
class TrayIcon;
class WirelessWindow;

// The program's one top-level window: its own frame (title bar, home area,
// bottom strip), the pages in the home area's stack, the routing between
// pages, the help and web-site launchers and the device information panel
// on a right click. The status monitor watches the card and tells the
// window its state through the MonitorView side of it; the window chooses
// how it looks.
class WTMainWindow : public WTMainWindowBase, public MonitorView {
    Q_OBJECT
public:
    // `ports`: given on the command line (none: the USB scan decides).
    explicit WTMainWindow(QWidget* parent = nullptr, const char* name = nullptr,
                          Qt::WindowFlags f = {}, const FixedPorts& ports = {});

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
    // The modem link and the messages on the card's side, owned by the window.
    SerialThread* link = nullptr;
    SmsInbox* inbox = nullptr;

    // Gives the modem the default profile's PDP context (before dialling).
    void slotPDPSetCommand();

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
    void slotClickedNewMsgLabel();

    void phonebook_send_sms(QString number);
    void readToPhonebook();
    void SMSToPhonebook();
    void saveToPhonebook(QString number);

    void slotUpdateConnectPixmap();
    void slotUpdateDisconnectPixmap();
    void slotConnectingStart();
    void slotConnectingEnd();
    void slotSetDefaultName();

private:
    void initTray();
    // The status area, the tray and what may be clicked, from the card's state.
    void showStatusArea(const ModemStatus& status);
    void showNoNetwork(const QString& modemImage);
    void showNetworkOnly(const NetworkOnlyModem& modem);
    void setStatusPixmap(const QString& label, const QString& image);
    void setStatusText(const QString& label, const QString& text);
    void setStatusToolTip(const QString& label, const QString& tip);
    void updateConnectControls();
    void setConnectCaption();
    void setSimSettingsEnabled(bool enabled);
    void setPageButtonsEnabled(bool enabled);
    // Asks ModemManager to leave the card alone while the link holds its ports.
    void watchHeldPorts();
    // Stops a running dialer before the window closes, then closes it.
    void closeAfterDialer();
    // The card's state as last shown.
    ModemStatus status_;
    // The modem without serial ports the user was last told of.
    QString networkOnlyTold_;
    bool closingAfterDialer_ = false;
    // Quit was chosen in the tray: closing the window ends the program.
    bool quitting_ = false;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // --- MonitorView ----------------------------------------------------------
    void showStatus(const ModemStatus& status) override;
    void setPinCheckBox(bool checked) override;
    bool pinCheckBoxChecked() override;
    void setPinApplyEnabled(bool enabled) override;
    void setNetworkSelection(int mode) override;
    void setNetworkModes(const QList<NetworkMode>& modes,
                         std::optional<NetworkMode> current) override;
    void askPin(const QString& name, const QString& prompt, PinAnswer answer) override;
    void askNewPin(PinAnswer answer) override;
    void rejectPinDialog() override;
    void message(Box kind, const QString& text) override;
    void terminate(int status) override;

private:
    void init(const FixedPorts& ports);
    void showPage(int id, const QString& caption);
    // The caption of the settings section in view (a CSetting::Section).
    void showSettingsCaption(int section);
    void setCaption(const QString& caption);
    void openInfoPopup();
    QLabel* statusLabel(const QString& name) const;

    QPointer<QSplashScreen> splash_;
    ModemManagerInhibitor* modemManager_ = nullptr;
    QString modemTip_; // the modem icon's tool tip before ModemManager's line
    // What start-up found of a connection an earlier run did not take down.
    LeftoverConnection leftover_ = LeftoverConnection::None;
};
