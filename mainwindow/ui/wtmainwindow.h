#pragma once

#include "mainwindow/ui/wtmainwindowbase.h"

#include <QPointer>
#include <QString>

class QDialog;
class QLabel;
class QSplashScreen;
class CentreWidget;
class CSetting;
class CShortMsg;
class PhoneBook;
class TopBarWidget;
class WirelessWindow;

// The program's one top-level window: its own frame (title bar, home area,
// bottom strip), the pages in the home area's stack, the routing between
// pages, the help and web-site launchers and the device information panel
// on a right click.
class WTMainWindow : public WTMainWindowBase {
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

signals:
    void sigClickConnectButton();
    void sendToPhonebook(QString number);

public slots:
    void slotDelayShow();

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

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void init();
    void showPage(int id, const QString& caption);
    void setCaption(const QString& caption);
    void openInfoPopup();

    QPointer<QSplashScreen> splash_;
};
