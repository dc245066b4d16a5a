// The main window's side of the status monitor: the named methods that
// delegate to it, and the widgets it draws into.

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

// --- named methods ------------------------------------------------------------

void WTMainWindow::initSerial() {
    if (link)
        return;
    link = new SerialThread(this);
    serialthread = link;
    link->start();
}
void WTMainWindow::initMonitor() {
    monitor->initMonitor();
}
void WTMainWindow::slotTimer() {
    monitor->slotTimer();
}
int WTMainWindow::initAtCmd() {
    return monitor->initAtCmd();
}
void WTMainWindow::displayStateBar(bool modem, bool sim, bool validateCanceled) {
    monitor->displayStateBar(modem, sim, validateCanceled);
}
void WTMainWindow::netService() {
    monitor->netService();
}
void WTMainWindow::ISPName() {
    monitor->ISPName();
}
QString WTMainWindow::smsnum() {
    return monitor->smsnum();
}
int WTMainWindow::singalQuality() {
    return monitor->singalQuality();
}
int WTMainWindow::isSIMOnline() {
    return monitor->isSIMOnline();
}
void WTMainWindow::setButtonStatus(bool enable) {
    monitor->setButtonStatus(enable);
}
int WTMainWindow::checkupPIN() {
    return monitor->checkupPIN();
}
int WTMainWindow::checkupPUK() {
    return monitor->checkupPUK();
}
int WTMainWindow::inputPIN(QString pin) {
    return monitor->inputPIN(pin);
}
int WTMainWindow::inputPUK(QString puk, QString newPin) {
    return monitor->inputPUK(puk, newPin);
}
void WTMainWindow::slotClickedApplyButton() {
    monitor->slotClickedApplyButton();
}
void WTMainWindow::refPINSetStatus() {
    monitor->refPINSetStatus();
}
void WTMainWindow::slotChangePIN() {
    monitor->slotChangePIN();
}
void WTMainWindow::slotPINEnabled() {
    monitor->slotPINEnabled(setting->PINEnableCheckBox->isChecked());
}
void WTMainWindow::slotUpdateConnectPixmap() {
    monitor->slotUpdateConnectPixmap();
}
void WTMainWindow::slotUpdateDisconnectPixmap() {
    monitor->slotUpdateDisconnectPixmap();
}
void WTMainWindow::slotConnectingStart() {
    monitor->slotConnectingStart();
}
void WTMainWindow::slotConnectingEnd() {
    monitor->slotConnectingEnd();
}
void WTMainWindow::slotSetDefaultName() {
    monitor->slotSetDefaultName();
}

void WTMainWindow::closeEvent(QCloseEvent* event) {
    // Closing keeps the program in the tray when the user chose so; Quit in
    // the tray's menu ends it.
    if (!quitting_ && tray && tray->isVisible() && readAlertSettings().closeToTray != 0) {
        hide();
        event->ignore();
        return;
    }
    monitor->waitForDialerBeforeClose();
    event->accept();
}

// --- the view -----------------------------------------------------------------

QLabel* WTMainWindow::statusLabel(const QString& name) const {
    for (QLabel* label :
         {centre->serviceLabel, centre->signalLabel, centre->ispLabel, centre->pcsimLabel,
          centre->isConnectLabel, centre->simLabel, centre->modemLabel})
        if (label->objectName() == name)
            return label;
    return nullptr;
}

void WTMainWindow::setStatusPixmap(const QString& label, const QString& image) {
    if (QLabel* l = statusLabel(label))
        l->setPixmap(QPixmap(resFile("component/" + image)));
    if (tray && label == u"signalLabel")
        tray->setSignalImage(image);
}
void WTMainWindow::setStatusText(const QString& label, const QString& text) {
    if (QLabel* l = statusLabel(label))
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
    if (QLabel* l = statusLabel(label))
        l->setToolTip(shown);
}
void WTMainWindow::resizeStatusLabel(const QString& label, int width, int height) {
    if (QLabel* l = statusLabel(label))
        l->resize(width, height);
}
void WTMainWindow::setNewMessageIndicator(bool visible) {
    centre->newMsgLabel->setVisible(visible);
}
bool WTMainWindow::dataAnimationRunning() {
    return centre->checkTimerValidation();
}
void WTMainWindow::dataConnectAnimated() {
    centre->dataConnectAnimated();
}
void WTMainWindow::dataConnectStop() {
    centre->dataConnectStop();
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

ConnectionState WTMainWindow::connectionState() {
    return wirelesswindow->controller()->state();
}
bool WTMainWindow::dialerRunning() {
    return wirelesswindow->dialerRunning();
}
void WTMainWindow::safeKillWvdail() {
    wirelesswindow->safeKillWvdail();
}
void WTMainWindow::dataState(int state) {
    wirelesswindow->dataState(static_cast<char>(state));
}
void WTMainWindow::connectBtnValid(bool valid) {
    wirelesswindow->connectBtnValid(valid);
    if (tray)
        tray->setConnectEnabled(valid);
}
QString WTMainWindow::connectButtonText() {
    return wirelesswindow->isConnectButton->text();
}
void WTMainWindow::setConnectButtonText(const QString& text) {
    wirelesswindow->isConnectButton->setText(text);
}
void WTMainWindow::setConnectCaption(const QString& text) {
    wirelesswindow->showLabel->setText(text);
}
bool WTMainWindow::connectingAnimationRunning() {
    return wirelesswindow->checkTimerValidation();
}
void WTMainWindow::dataStateConnectingStop() {
    wirelesswindow->dataStateConnectingStop();
}
void WTMainWindow::setConnectStateText(const QString& text) {
    wirelesswindow->dataStateLabel->setText(text);
}
void WTMainWindow::showInternetPage() {
    slotClickHomepageButton();
}

QString WTMainWindow::defaultConnectionName() {
    return setting->conLineedit->text();
}
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
void WTMainWindow::setSimSettingsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             setting->PINEnableCheckBox, setting->changePINButton, setting->networkButtongroup,
             setting->modeButtongroup, setting->smscenterLineedit, setting->smsLocaComboBox})
        w->setEnabled(enabled);
}

void WTMainWindow::carddispose(bool online) {
    shortmessage->carddispose(online);
}
void WTMainWindow::setHasSIM(bool hasSim) {
    phonebook->setHasSIM(hasSim);
}
bool WTMainWindow::InsertSave(const QString& reply, int index, const QString& state) {
    return shortmessage->InsertSave(reply, index, state);
}
void WTMainWindow::takeStatusReport(const QString& pdu) {
    shortmessage->takeStatusReport(pdu);
}
int WTMainWindow::getSimAllSmsItem(int store, int stat) {
    return shortmessage->getSimAllSmsItem(store, stat);
}
void WTMainWindow::clearSimMessageLists() {
    shortmessage->clearSimLists();
}

std::optional<QString> WTMainWindow::askPin(const QString& name, const QString& prompt) {
    auto* dialog = new CheckPIN(this, name.toLatin1().constData(), true);
    dialog->textLabel1->setText(prompt);
    pinDialog = dialog;
    const int result = dialog->exec();
    const QString text = dialog->PINLineedit->text();
    delete dialog;
    if (result != QDialog::Accepted)
        return std::nullopt;
    return text;
}

std::optional<QString> WTMainWindow::askNewPin() {
    auto* dialog = new ResetPIN(this, "ResetPIN", true);
    pinDialog = dialog;
    const int result = dialog->exec();
    const QString text = dialog->PINLineedit->text();
    delete dialog;
    if (result != QDialog::Accepted)
        return std::nullopt;
    return text;
}

void WTMainWindow::rejectPinDialog() {
    if (pinDialog)
        pinDialog->reject();
}

void WTMainWindow::message(Box kind, const QString& text) {
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
}

void WTMainWindow::terminate(int status) {
    QCoreApplication::exit(status);
}
