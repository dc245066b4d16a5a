// The main window's side of the status monitor: how the card's state looks
// in the status area, the tray and the pages, and the PIN dialogs the
// monitor asks for.

#include "app/globals.h"
#include "connection/connectioncontroller.h"
#include "connection/ui/wirelesswindow.h"
#include "mainwindow/modemmanagerinhibitor.h"
#include "mainwindow/statusmonitor.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/checkpin.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/resetpin.h"
#include "mainwindow/ui/trayicon.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "phonebook/ui/phonebook.h"
#include "settings/settingsfiles.h"
#include "settings/ui/settingmainwindow.h"
#include "sms/ui/shortmessage.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// How long closing waits for a running dialer to go.
constexpr int kDialerCloseWaitMs = 30000;

// The monitor's own status words are shown in the user's language; what the
// card reports (network and operator names) is shown as it comes.
QString shownStatus(const QString& text) {
    static const char* const own[] = {QT_TRANSLATE_NOOP("StatusMonitor", "No Service"),
                                      QT_TRANSLATE_NOOP("StatusMonitor", "Limited Service"),
                                      QT_TRANSLATE_NOOP("StatusMonitor", "Not Found")};
    for (const char* word : own)
        if (text == QLatin1String(word))
            return QCoreApplication::translate("StatusMonitor", word);
    return text;
}

QString domainText(ServiceDomain domain) {
    switch (domain) {
    case ServiceDomain::CircuitOnly:
        return QStringLiteral("C");
    case ServiceDomain::PacketOnly:
        return QStringLiteral("P");
    case ServiceDomain::CircuitAndPacket:
        return QStringLiteral("P C");
    case ServiceDomain::None:
        break;
    }
    return QString();
}

} // namespace

// --- the card's state -----------------------------------------------------------

void WTMainWindow::showStatus(const ModemStatus& status) {
    const bool simUsable = status.card && status.sim == ModemStatus::Sim::Ready;
    // Without a card or a SIM nothing can be dialled; a connection made
    // through them is over.
    if ((!status.card || status.sim != ModemStatus::Sim::Ready) && wirelesswindow->dialerRunning())
        wirelesswindow->safeKillWvdail();
    status_ = status;
    shortmessage->carddispose(simUsable);
    phonebook->setHasSIM(simUsable);
    showStatusArea(status);
    updateConnectControls();
}

void WTMainWindow::showNoNetwork(const QString& modemImage) {
    centre->signalLabel->resize(16, 16);
    setStatusPixmap("signalLabel", "ImageList_TrayMain2.png");
    setStatusPixmap("isConnectLabel", "data_disconnect.png");
    setStatusPixmap("modemLabel", modemImage);
    setStatusPixmap("simLabel", "sim_off.png");
    setStatusText("serviceLabel", tr("No Service"));
    setStatusText("ispLabel", tr("Not Found"));
    setStatusText("pcsimLabel", " ");
    setStatusToolTip("isConnectLabel", tr("Data Not Connected"));
    setStatusToolTip("modemLabel", tr("Tolva Be Not Detected"));
    setStatusToolTip("simLabel", tr("No (U)SIM"));
}

// A modem that has only a network interface, or still shows its disc: the
// status row names it, its tool tips say which software drives it, and the
// user is told so once (a card being switched needs nothing of the user).
void WTMainWindow::showNetworkOnly(const NetworkOnlyModem& modem) {
    QString service = tr("Network only");
    QString tip;
    switch (modem.kind) {
    case NetworkOnlyModem::Kind::Wwan:
        tip = tr("%1 works only as a network interface (QMI, MBIM or NCM), without the serial "
                 "ports through which this program drives modems. NetworkManager with "
                 "ModemManager drives it: connect it in the desktop's network settings or with "
                 "nmcli.");
        break;
    case NetworkOnlyModem::Kind::EthernetLike:
        tip = tr("%1 works as a network card of its own, like a router on USB, without the "
                 "serial ports through which this program drives modems. Connect it on the "
                 "stick's own web page in a browser; NetworkManager uses it as a wired "
                 "connection.");
        break;
    case NetworkOnlyModem::Kind::DiscMode:
        service = tr("Disc mode");
        tip = tr("%1 still shows its disc (CD-ROM) instead of its modem ports. It is being "
                 "switched to its modem mode with usb_modeswitch.");
        break;
    case NetworkOnlyModem::Kind::DiscModeRefused:
        service = tr("Disc mode");
        tip = tr("%1 still shows its disc (CD-ROM) instead of its modem ports, and it was not "
                 "switched to its modem mode: the authorisation was refused or usb_modeswitch "
                 "failed. Unplug the stick and plug it in again to try once more.");
        break;
    case NetworkOnlyModem::Kind::DiscModeNoSwitch:
        service = tr("Disc mode");
        tip = tr("%1 still shows its disc (CD-ROM) instead of its modem ports. Install the "
                 "packages usb-modeswitch and usb-modeswitch-data, which switch such sticks to "
                 "their modem mode, then unplug the stick and plug it in again.");
        break;
    }
    tip = tip.arg(modem.name);
    setStatusText("serviceLabel", service);
    setStatusText("ispLabel", modem.name);
    setStatusToolTip("serviceLabel", tip);
    setStatusToolTip("modemLabel", tip);
    if (modem.kind != NetworkOnlyModem::Kind::DiscMode &&
        std::exchange(networkOnlyTold_, modem.name) != modem.name)
        message(Box::InformationWithEditer, tip);
}

void WTMainWindow::showStatusArea(const ModemStatus& status) {
    // The internet page says "Initializing" while a card is set up, and that
    // there is none while none is found.
    const bool connectionIdle =
        wirelesswindow->controller()->state() == ConnectionState::Disconnected;
    if (status.settingUp)
        wirelesswindow->dataState(2);
    else if (connectionIdle)
        wirelesswindow->dataState(status.card ? 0 : 3);
    if (!status.card) {
        showNoNetwork("modem_off.png");
        if (!status.heldByModemManager.isEmpty()) {
            // The service label is narrow: it names ModemManager, and the tool
            // tips of it and of the modem icon say what that means and what to do.
            const QString tip =
                tr("ModemManager has %1 open, so this program can't use the card. Stop it "
                   "(systemctl stop ModemManager), or unplug the card and plug it in again.")
                    .arg(status.heldByModemManager.join(", "));
            setStatusText("serviceLabel", tr("ModemManager"));
            setStatusToolTip("serviceLabel", tip);
            setStatusToolTip("modemLabel", tip);
        } else if (status.networkOnly) {
            showNetworkOnly(*status.networkOnly);
        } else {
            setStatusToolTip("serviceLabel", tr("Network Type"));
        }
        return;
    }
    if (status.sim == ModemStatus::Sim::Absent) {
        showNoNetwork("modem_on.png");
        return;
    }
    const bool locked = status.sim == ModemStatus::Sim::Locked;
    setStatusPixmap("modemLabel", "modem_on.png");
    setStatusPixmap("simLabel", locked ? "sim_cancel.png" : "sim_on.png");
    setStatusToolTip("modemLabel", tr("Tolva Online"));
    setStatusToolTip("simLabel", locked ? tr("(U)SIM Validate Canceled") : tr("(U)SIM Ready"));
    if (!status.networkShown)
        return;
    setStatusText("serviceLabel", shownStatus(status.service));
    setStatusText("pcsimLabel", domainText(status.domain));
    setStatusText("ispLabel", shownStatus(status.operatorName));
    setStatusToolTip("pcsimLabel", tr("Service Type"));
    if (status.signalBars > 0) {
        centre->signalLabel->resize(32, 17);
        setStatusPixmap("signalLabel", QString("ImageList_RSSILevel%1.png").arg(status.signalBars));
    } else {
        // No signal, or none known.
        centre->signalLabel->resize(16, 16);
        setStatusPixmap("signalLabel", "ImageList_TrayMain2.png");
    }
}

void WTMainWindow::setStatusPixmap(const QString& label, const QString& image) {
    if (QLabel* l = centre->findChild<QLabel*>(label))
        l->setPixmap(QPixmap(resFile("component/" + image)));
    if (tray && label == u"signalLabel")
        tray->setSignalImage(image);
}

void WTMainWindow::setStatusText(const QString& label, const QString& text) {
    if (QLabel* l = centre->findChild<QLabel*>(label))
        l->setText(text);
    if (tray && label == u"ispLabel")
        tray->setOperator(text);
}

void WTMainWindow::setStatusToolTip(const QString& label, const QString& tip) {
    QString shown = tip;
    if (label == u"modemLabel") {
        modemTip_ = tip;
        if (modemManager_ && modemManager_->inhibiting())
            shown += '\n' + tr("ModemManager leaves this card alone while this program uses it.");
    }
    if (QLabel* l = centre->findChild<QLabel*>(label))
        l->setToolTip(shown);
}

// --- the connection's controls ------------------------------------------------------

// Connect needs a card with a usable SIM and packet service, and no dial
// under way; the settings that depend on the SIM can't change while
// connected.
void WTMainWindow::updateConnectControls() {
    const ConnectionState state = wirelesswindow->controller()->state();
    wirelesswindow->connectBtnValid(state == ConnectionState::Connected ||
                                    (state == ConnectionState::Disconnected && status_.canDial()));
    if (tray)
        tray->setConnectEnabled(wirelesswindow->isConnectButton->isEnabled());
    setConnectCaption();
    setSimSettingsEnabled(state == ConnectionState::Disconnected && status_.card &&
                          status_.sim == ModemStatus::Sim::Ready);
}

void WTMainWindow::setConnectCaption() {
    const QString name = setting->conLineedit->text();
    if (name.isEmpty())
        wirelesswindow->showLabel->setText(QString()); // no profile to name yet
    else if (wirelesswindow->controller()->state() != ConnectionState::Connected)
        wirelesswindow->showLabel->setText(tr("Connect to ") + name + "?");
    else
        wirelesswindow->showLabel->setText(tr("Connected to ") + name);
}

void WTMainWindow::setSimSettingsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             setting->PINEnableCheckBox, setting->changePINButton, setting->networkButtongroup,
             setting->modeButtongroup, setting->smscenterLineedit, setting->smsLocaComboBox})
        w->setEnabled(enabled);
}

void WTMainWindow::setPageButtonsEnabled(bool enabled) {
    for (MyButton* button : {centre->homepageButton, centre->smsButton, centre->simButton,
                             centre->phonebookButton, centre->setButton}) {
        button->setEnabled(enabled);
        if (enabled)
            button->setNormalBGPixmap();
        else
            button->setInvalidBGPixmap();
    }
    centre->helpButton->setEnabled(true);
}

void WTMainWindow::slotUpdateConnectPixmap() {
    centre->dataConnectAnimated();
    wirelesswindow->dataState(1);
    updateConnectControls();
}

void WTMainWindow::slotUpdateDisconnectPixmap() {
    if (centre->checkTimerValidation())
        centre->dataConnectStop();
    setStatusPixmap("isConnectLabel", "data_disconnect.png");
    wirelesswindow->dataState(0);
    updateConnectControls();
}

void WTMainWindow::slotConnectingStart() {
    setPageButtonsEnabled(false);
}

void WTMainWindow::slotConnectingEnd() {
    setPageButtonsEnabled(true);
    // The button is usable again at once, not only at the card's next news.
    updateConnectControls();
}

void WTMainWindow::slotSetDefaultName() {
    setConnectCaption();
}

// Closing keeps the program in the tray when the user chose so; Quit in the
// tray's menu ends it. A running dialer is stopped first.
void WTMainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_ && tray && tray->isVisible() && readAlertSettings().closeToTray != 0) {
        hide();
        event->ignore();
        return;
    }
    if (!wirelesswindow->dialerRunning() || closingAfterDialer_) {
        event->accept();
        return;
    }
    event->ignore();
    closeAfterDialer();
}

void WTMainWindow::closeAfterDialer() {
    closingAfterDialer_ = true;
    wirelesswindow->dataStateLabel->setText(tr("Please wait a minute.... "));
    wirelesswindow->connectBtnValid(false);
    slotClickHomepageButton();
    wirelesswindow->safeKillWvdail();
    auto* waited = new QTimer(this);
    auto elapsed = std::make_shared<int>(0);
    connect(waited, &QTimer::timeout, this, [this, waited, elapsed] {
        static const char* const dots[] = {
            QT_TR_NOOP("Please wait a minute.    "), QT_TR_NOOP("Please wait a minute..   "),
            QT_TR_NOOP("Please wait a minute...  "), QT_TR_NOOP("Please wait a minute.... "),
            QT_TR_NOOP("Please wait a minute.....")};
        *elapsed += waited->interval();
        if (!wirelesswindow->dialerRunning() || *elapsed >= kDialerCloseWaitMs) {
            waited->deleteLater();
            close();
            return;
        }
        wirelesswindow->dataStateLabel->setText(tr(dots[(*elapsed / 1000) % 5]));
    });
    waited->start(100);
}

// --- the settings page ------------------------------------------------------------

void WTMainWindow::setPinCheckBox(bool checked) {
    setting->PINEnableCheckBox->setChecked(checked);
}
bool WTMainWindow::pinCheckBoxChecked() {
    return setting->PINEnableCheckBox->isChecked();
}
void WTMainWindow::setPinApplyEnabled(bool enabled) {
    setting->applyButton->setEnabled(enabled);
}
void WTMainWindow::setNetworkSelection(int mode) {
    setting->setNetworkSelection(mode);
}
void WTMainWindow::setNetworkModes(const QList<NetworkMode>& modes,
                                   std::optional<NetworkMode> current) {
    setting->setNetworkModes(modes, current);
}

// --- dialogs ------------------------------------------------------------------

void WTMainWindow::askPin(const QString& name, const QString& prompt, PinAnswer answer) {
    auto* dialog = new CheckPIN(this, name.toLatin1().constData(), true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTitle(name == u"CheckPUK" ? tr("SIM PUK") : tr("SIM PIN"));
    dialog->textLabel1->setText(prompt);
    pinDialog = dialog;
    connect(dialog, &QDialog::finished, this, [dialog, answer](int result) {
        if (result == QDialog::Accepted)
            answer(dialog->PINLineedit->text());
        else
            answer(std::nullopt);
    });
    dialog->open();
}

void WTMainWindow::askNewPin(PinAnswer answer) {
    auto* dialog = new ResetPIN(this, "ResetPIN", true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTitle(tr("New PIN"));
    pinDialog = dialog;
    connect(dialog, &QDialog::finished, this, [dialog, answer](int result) {
        if (result == QDialog::Accepted)
            answer(dialog->PINLineedit->text());
        else
            answer(std::nullopt);
    });
    dialog->open();
}

void WTMainWindow::rejectPinDialog() {
    if (pinDialog)
        pinDialog->reject();
}

// Shown from the event loop: the monitor tells from a command's completion,
// and the box waits for the user.
void WTMainWindow::message(Box kind, const QString& text) {
    QTimer::singleShot(0, this, [this, kind, text] {
        switch (kind) {
        case Box::Information:
            MyMessageBox::information(this, text);
            break;
        case Box::Warning:
            MyMessageBox::warning(this, text);
            break;
        case Box::InformationWithEditer:
            MyMessageBox::informationWithEditer(this, text);
            break;
        case Box::WarningWithEditer:
            MyMessageBox::warningWithEditer(this, text);
            break;
        }
    });
}

void WTMainWindow::terminate(int status) {
    QCoreApplication::exit(status);
}
