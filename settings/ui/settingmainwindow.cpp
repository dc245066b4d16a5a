#include "settings/ui/settingmainwindow.h"

#include "connection/profilestore.h"
#include "connection/ui/config.h"
#include "mainwindow/ui/manualselect.h"
#include "modem/serialthread.h"
#include "settings/networkchoice.h"
#include "settings/settingsfiles.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace {
const QColor sectionText(31, 41, 55);
const QColor sectionShown(30, 111, 217);
} // namespace

CSetting::CSetting(QWidget* parent, const char* name, SerialThread* link)
    : QWidget(parent), link_(link) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    buildSectionButtons();
    auto* divider = new QFrame(this);
    divider->setGeometry(188, 16, 1, 285);
    divider->setAutoFillBackground(true);
    QPalette dividerPal = divider->palette();
    dividerPal.setColor(QPalette::Window, QColor(221, 227, 234));
    divider->setPalette(dividerPal);

    sectionStack = new QStackedWidget(this);
    sectionStack->setObjectName("sectionStack");
    sectionStack->setGeometry(204, 16, 626 - 204 - 18, 317 - 32);
    sectionStack->addWidget(buildConnectionSection());
    sectionStack->addWidget(buildSecuritySection());
    sectionStack->addWidget(buildNetworkSection());
    sectionStack->addWidget(buildMessageSection());
    sectionStack->addWidget(buildAlertSection());
    connectEdits();

    QString error;
    if (!ProfileStore::initializeFile(&error) || !ProfileStore::initializeDefaultData(&error))
        MyMessageBox::warning(this, error);
    readSettings();
    initConlist();
    config = new Config(this, "config", false, {}, conLineedit->text(), profileContext());
    showDialer();
    connect(dialerComboBox, &QComboBox::activated, this, [this] {
        if (!writeDialerChoice(dialerComboBox->currentData().toString()))
            MyMessageBox::warning(this, tr("open file operation error!"));
    });
    slotClickedListItem();
    connnectButton_clicked();
}

void CSetting::connectEdits() {
    connect(connectButton, &QPushButton::clicked, this, &CSetting::connnectButton_clicked);
    connect(SecurityButton, &QPushButton::clicked, this, &CSetting::securityButton_clicked);
    connect(networkButton, &QPushButton::clicked, this, &CSetting::networkButton_clicked);
    connect(messageButton, &QPushButton::clicked, this, &CSetting::messageButton_clicked);
    connect(alertButton, &QPushButton::clicked, this, &CSetting::alertButton_clicked);
    for (auto abate : {&CSetting::abateApplyButton, &CSetting::abateNetApplyButton,
                       &CSetting::abateSmsApplyButton, &CSetting::abateAlertApplyButton})
        connect(this, &CSetting::sigAbate, this, abate);

    // Only the user's edits enable an Apply button, not the page showing
    // stored values.
    connect(PINEnableCheckBox, &QCheckBox::clicked, this, &CSetting::activeApplyButton);
    connect(networkButtons, &QButtonGroup::idClicked, this, &CSetting::networkButtongroup_clicked);
    connect(modeButtons, &QButtonGroup::idClicked, this, &CSetting::modeButtongroup_clicked);
    for (QButtonGroup* group : {networkButtons, modeButtons})
        connect(group, &QButtonGroup::idClicked, this, &CSetting::activeNetApplyButton);
    for (QSpinBox* box : {limitSpinBox, billingDaySpinBox})
        connect(box, &QSpinBox::valueChanged, this, &CSetting::activeNetApplyButton);
    connect(limitDisconnectCheckBox, &QCheckBox::clicked, this, &CSetting::activeNetApplyButton);
    connect(smscenterLineedit, &QLineEdit::textEdited, this, &CSetting::activeSmsApplyButton);
    for (QComboBox* box : {smsLocaComboBox, validperiodComboBox})
        connect(box, &QComboBox::activated, this, &CSetting::activeSmsApplyButton);
    connect(reportButtons, &QButtonGroup::idClicked, this, &CSetting::activeSmsApplyButton);
    for (QCheckBox* box : {connectAlertCheckBox, disconnectAlertCheckBox, smsAlertCheckBox,
                           desktopNoticeCheckBox, closeToTrayCheckBox})
        connect(box, &QCheckBox::clicked, this, &CSetting::activeAlertApplyButton);
    for (QLineEdit* edit : {connectAlertLineedit, disconnectAlertLineedit, smsAlerLineEdit})
        connect(edit, &QLineEdit::textEdited, this, &CSetting::activeAlertApplyButton);

    for (MyButton* apply : {netApplyButton, smsApplyButton, alertApplyButton})
        connect(apply, &QPushButton::clicked, this, &CSetting::writeSettings);
    connect(cancelButton, &QPushButton::clicked, this, &CSetting::cancelButton_clicked);
    connect(netCancelButton, &QPushButton::clicked, this, &CSetting::netCancelButton_clicked);
    connect(smsCancelButton, &QPushButton::clicked, this, &CSetting::smsCancelButton_clicked);
    connect(alertCancelButton, &QPushButton::clicked, this, &CSetting::alertCancelButton_clicked);
    connect(manualSearchButton, &QPushButton::clicked, this, &CSetting::searchWaitDialog);
    connect(connectAlertButton, &QPushButton::clicked, this, &CSetting::connectFileSelector);
    connect(disconnectAlertButton, &QPushButton::clicked, this, &CSetting::disconFileSelector);
    connect(smsAlertButton, &QPushButton::clicked, this, &CSetting::smsFileSelector);
    connect(BackupButton, &QPushButton::clicked, this, &CSetting::backFileSelector);
    connect(resumeButton, &QPushButton::clicked, this, &CSetting::resumeFileSelector);

    connect(conListBox, &QListWidget::itemSelectionChanged, this, &CSetting::slotClickedListItem);
    connect(conListBox, &QListWidget::itemDoubleClicked, this, &CSetting::editConfigDialog);
    connect(addButton, &QPushButton::clicked, this, &CSetting::addConfigDialog);
    connect(editButton, &QPushButton::clicked, this, &CSetting::editConfigDialog);
    connect(deleteButton, &QPushButton::clicked, this, &CSetting::delConfigDialog);
    connect(setdefaultButton, &QPushButton::clicked, this, &CSetting::setDefault);
}

// --- sections ----------------------------------------------------------------

void CSetting::showSection(Section section) {
    MyButton* const buttons[] = {connectButton, SecurityButton, networkButton, messageButton,
                                 alertButton};
    for (int i = 0; i < 5; ++i) {
        const bool shown = i == section;
        buttons[i]->setEnabled(!shown);
        if (shown)
            buttons[i]->setInvalidBGPixmap();
        else
            buttons[i]->setNormalBGPixmap();
        buttons[i]->setForeground(shown ? sectionShown : sectionText);
    }
    emit sigAbate();
    sectionStack->setCurrentIndex(section);
    emit sectionChosen(section);
}

void CSetting::connnectButton_clicked() {
    showSection(ConnectionSection);
}
void CSetting::securityButton_clicked() {
    showSection(SecuritySection);
}
void CSetting::networkButton_clicked() {
    showSection(NetworkSection);
}
void CSetting::messageButton_clicked() {
    showSection(MessageSection);
}
void CSetting::alertButton_clicked() {
    showSection(AlertSection);
}

void CSetting::cancelButton_clicked() {
    connnectButton_clicked();
}

void CSetting::netCancelButton_clicked() {
    connnectButton_clicked();
    readNetworkSettings();
}

void CSetting::smsCancelButton_clicked() {
    connnectButton_clicked();
    readMessagesSettings();
}

void CSetting::alertCancelButton_clicked() {
    connnectButton_clicked();
    readAlertSettings();
}

void CSetting::activeApplyButton() {
    applyButton->setEnabled(true);
}
void CSetting::activeNetApplyButton() {
    netApplyButton->setEnabled(true);
}
void CSetting::activeSmsApplyButton() {
    smsApplyButton->setEnabled(true);
}
void CSetting::activeAlertApplyButton() {
    alertApplyButton->setEnabled(true);
}
void CSetting::abateApplyButton() {
    applyButton->setEnabled(false);
}
void CSetting::abateNetApplyButton() {
    netApplyButton->setEnabled(false);
}
void CSetting::abateSmsApplyButton() {
    smsApplyButton->setEnabled(false);
}
void CSetting::abateAlertApplyButton() {
    alertApplyButton->setEnabled(false);
}

// --- settings files ------------------------------------------------------------

void CSetting::readSettings() {
    readNetworkSettings();
    readMessagesSettings();
    readAlertSettings();
}

void CSetting::readNetworkSettings() {
    const NetworkSettings stored = ::readNetworkSettings();
    // Setting the values doesn't count as a change to apply.
    for (QSpinBox* box : {limitSpinBox, billingDaySpinBox})
        box->blockSignals(true);
    limitSpinBox->setValue(stored.monthlyLimitMB);
    billingDaySpinBox->setValue(stored.billingDay);
    for (QSpinBox* box : {limitSpinBox, billingDaySpinBox})
        box->blockSignals(false);
    limitDisconnectCheckBox->setChecked(stored.limitDisconnect != 0);
    const bool manual = stored.networkSlect != 0;
    (manual ? manualButton : AutoButton)->setChecked(true);
    showManualChoice(manual);
    if (manual)
        sendModemMode(1);
    if (QAbstractButton* mode = modeButtons->button(stored.modePerferred))
        mode->setChecked(true);
    modeChanged_ = false;
}

void CSetting::readMessagesSettings() {
    const MessageSettings stored = ::readMessagesSettings();
    // Without a centre of its own the page shows the card's.
    smscenterLineedit->setText(stored.smsCenter.isEmpty() ? cardCentre_ : stored.smsCenter);
    if (stored.smsLoca >= 0 && stored.smsLoca < smsLocaComboBox->count())
        smsLocaComboBox->setCurrentIndex(stored.smsLoca);
    if (stored.validPeriod >= 0 && stored.validPeriod < validperiodComboBox->count())
        validperiodComboBox->setCurrentIndex(stored.validPeriod);
    if (QAbstractButton* report = reportButtons->button(stored.deliveReport))
        report->setChecked(true);
}

void CSetting::setCardServiceCentre(const QString& number) {
    cardCentre_ = number;
    if (::readMessagesSettings().smsCenter.isEmpty() && !smsApplyButton->isEnabled())
        smscenterLineedit->setText(number);
}

void CSetting::readAlertSettings() {
    const AlertSettings stored = ::readAlertSettings();
    connectAlertLineedit->setText(stored.conAlert);
    disconnectAlertLineedit->setText(stored.disconAlert);
    smsAlerLineEdit->setText(stored.smsAlert);
    connectAlertCheckBox->setChecked(stored.connectMute != 0);
    disconnectAlertCheckBox->setChecked(stored.disconnectMute != 0);
    smsAlertCheckBox->setChecked(stored.smsMute != 0);
    desktopNoticeCheckBox->setChecked(stored.desktopNotices != 0);
    closeToTrayCheckBox->setChecked(stored.closeToTray != 0);
}

void CSetting::writeSettings() {
    NetworkApply network = planNetworkApply(manualButton->isChecked(), modeButtons->checkedId(),
                                            modeChanged_, ::readNetworkSettings());
    network.stored.monthlyLimitMB = limitSpinBox->value();
    network.stored.billingDay = billingDaySpinBox->value();
    network.stored.limitDisconnect = limitDisconnectCheckBox->isChecked();
    if (network.modemMode != 0)
        sendModemMode(network.modemMode);
    if (network.networkMode && link_)
        link_->setNetworkMode(this, *network.networkMode, nullptr);
    modeChanged_ = false;
    bool written = writeNetworkSettings(network.stored);

    MessageSettings messages;
    messages.smsCenter = smscenterLineedit->text();
    messages.smsLoca = smsLocaComboBox->currentIndex();
    messages.validPeriod = validperiodComboBox->currentIndex();
    messages.deliveReport = turnonRadioButton->isChecked() ? 0 : turnoffRadioButton->isChecked();
    written = writeMessagesSettings(messages) && written;

    AlertSettings alerts;
    alerts.conAlert = connectAlertLineedit->text();
    alerts.disconAlert = disconnectAlertLineedit->text();
    alerts.smsAlert = smsAlerLineEdit->text();
    // An alert is on only with a sound to play.
    bool silentAlert = false;
    for (auto [box, edit] : alertSounds()) {
        if (box->isChecked() && edit->text().trimmed().isEmpty()) {
            box->setChecked(false);
            silentAlert = true;
        }
    }
    alerts.connectMute = connectAlertCheckBox->isChecked();
    alerts.disconnectMute = disconnectAlertCheckBox->isChecked();
    alerts.smsMute = smsAlertCheckBox->isChecked();
    alerts.desktopNotices = desktopNoticeCheckBox->isChecked();
    alerts.closeToTray = closeToTrayCheckBox->isChecked();
    written = writeAlertSettings(alerts) && written;

    abateApplyButton();
    abateNetApplyButton();
    abateSmsApplyButton();
    abateAlertApplyButton();
    if (!written)
        MyMessageBox::warning(this, tr("Settings could not be saved!"));
    else if (silentAlert)
        MyMessageBox::information(this, tr("Settings successful!") + " " +
                                            tr("An alert without a sound file stays off."));
    else
        MyMessageBox::information(this, tr("Settings successful!"));
}

// --- network ---------------------------------------------------------------------

void CSetting::sendModemMode(int mode) {
    // The maker's mode numbers mean nothing to another maker's card.
    if (link_ && link_->dialect == Dialect::Maker)
        link_->setNetworkSelectionMode(this, mode, nullptr);
}

void CSetting::showManualChoice(bool manual) {
    modeButtongroup->setVisible(!manual);
    manualSearchButton->setVisible(manual);
}

void CSetting::networkButtongroup_clicked(int id) {
    showManualChoice(id != 0);
    if (id != 0 || !link_)
        return;
    if (link_->dialect != Dialect::Maker) {
        const QList<NetworkMode> modes = link_->networkModes;
        link_->getNetworkMode(
            this, [this, modes](std::optional<NetworkMode> mode) { setNetworkModes(modes, mode); });
        return;
    }
    link_->getNetworkSelectionMode(this, [this](int mode) { setNetworkSelection(mode); });
}

void CSetting::modeButtongroup_clicked(int) {
    modeChanged_ = true;
}

// Only the choices of the kind of card in use are shown: the maker's four,
// or those of another maker's card among its five.
void CSetting::showModeChoices(const QList<NetworkMode>* cardModes) {
    for (QAbstractButton* button : modeButtons->buttons()) {
        const std::optional<NetworkMode> mode = networkModeOfChoice(modeButtons->id(button));
        button->setVisible(cardModes ? mode && cardModes->contains(*mode) : !mode);
    }
}

void CSetting::setNetworkModes(const QList<NetworkMode>& modes,
                               std::optional<NetworkMode> current) {
    showModeChoices(&modes);
    if (current && modes.contains(*current)) {
        modeButtons->button(storedChoiceOf(*current))->setChecked(true);
    } else {
        modeButtons->setExclusive(false);
        for (QAbstractButton* button : modeButtons->buttons())
            button->setChecked(false);
        modeButtons->setExclusive(true);
    }
    modeButtongroup->setEnabled(!modes.isEmpty());
}

void CSetting::setNetworkSelection(int mode) {
    const std::optional<ModeButtonsState> state = modeButtonsFor(mode);
    if (!state)
        return;
    showModeChoices(nullptr);
    if (state->checked < 0) {
        // An exclusive group keeps one button checked; let go of it to clear all.
        modeButtons->setExclusive(false);
        for (QAbstractButton* button : modeButtons->buttons())
            button->setChecked(false);
        modeButtons->setExclusive(true);
    } else {
        modeButtons->button(state->checked)->setChecked(true);
    }
    modeButtongroup->setEnabled(state->enabled);
    if (state->sendUmtsPreferred)
        sendModemMode(1);
}

void CSetting::searchWaitDialog() {
    if (!link_)
        return;
    ManualSelect select(this, "select", true, {}, *link_);
    select.exec();
}

// --- alert sounds --------------------------------------------------------------------

// Puts a chosen sound file into `edit`, which counts as an edit.
void CSetting::chooseSoundFor(QLineEdit* edit) {
    const QString current = edit->text();
    const QString folder = current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath();
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Choose a sound"), folder,
        tr("Sounds (*.wav *.mp3 *.ogg *.oga *.flac *.mid *.wma);;All files (*)"));
    if (file.isEmpty())
        return;
    edit->setText(file);
    activeAlertApplyButton();
}

QList<std::pair<QCheckBox*, QLineEdit*>> CSetting::alertSounds() const {
    return {{connectAlertCheckBox, connectAlertLineedit},
            {disconnectAlertCheckBox, disconnectAlertLineedit},
            {smsAlertCheckBox, smsAlerLineEdit}};
}

void CSetting::connectFileSelector() {
    chooseSoundFor(connectAlertLineedit);
}

void CSetting::disconFileSelector() {
    chooseSoundFor(disconnectAlertLineedit);
}

void CSetting::smsFileSelector() {
    chooseSoundFor(smsAlerLineEdit);
}
