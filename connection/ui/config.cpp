#include "connection/ui/config.h"

#include "app/globals.h"
#include "app/systempaths.h"
#include "connection/profilestore.h"
#include "modem/serialthread.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int dialogWidth = 560;
constexpr int dialogHeight = 436;
constexpr int footerHeight = 44;

MyinputLineEdit* field(QWidget* parent, const char* name, int maxLength,
                       const QString& pattern = QString()) {
    auto* edit = new MyinputLineEdit(parent, name);
    edit->setMaxLength(maxLength);
    if (!pattern.isEmpty())
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

QButtonGroup* group(QObject* parent, const char* name, QRadioButton* first, QRadioButton* second) {
    auto* buttons = new QButtonGroup(parent);
    buttons->setObjectName(name);
    buttons->addButton(first, 0);
    buttons->addButton(second, 1);
    return buttons;
}

QHBoxLayout* pairRow(QRadioButton* first, QRadioButton* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch();
    return row;
}

MyButton* footerButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new MyButton(parent, name);
    button->setMultiPixmap(QPixmap(resFile("buttons/buttons12.png")),
                           QPixmap(resFile("buttons/buttons14.png")),
                           QPixmap(resFile("buttons/buttons13.png")));
    button->setText(text);
    button->setForeground(Qt::white);
    button->setHoverForeground(Qt::white);
    button->setFixedSize(72, 24);
    return button;
}

void check(QRadioButton* obtain, QRadioButton* use, bool obtainOn, bool useOn) {
    (obtainSelected(obtainOn, useOn) ? obtain : use)->setChecked(true);
}

} // namespace

Config::Config(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags,
               const QString& profileName, const ProfileContext& context)
    : FrameDialog(parent, name, modal, flags), context_(context),
      providers_(SystemPaths::providerDatabase()) {
    build();
    initConf(profileName);
    connect(saveUsernameCheckBox, &QCheckBox::clicked, this, &Config::saveUsernameCheckBox_clicked);
    connect(DNSButtongroup, &QButtonGroup::idClicked, this, &Config::DNSButtongroup_clicked);
    connect(APNButtongroup, &QButtonGroup::idClicked, this, &Config::APNButtongroup_clicked);
    connect(PDPButtongroup, &QButtonGroup::idClicked, this, &Config::PDPButtongroup_clicked);
    connect(apnChoiceComboBox, &QComboBox::activated, this, &Config::showApnChoice);
    connect(configCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(configOK, &QPushButton::clicked, this, &Config::slotSaveConfig);
}

void Config::build() {
    setWindowTitle(tr("Config File"));
    setFixedSize(dialogWidth, dialogHeight);
    setFooterHeight(footerHeight);

    configFilenameLineedit = field(this, "configFilenameLineedit", 40);
    udialNumberLineedit = field(this, "udialNumberLineedit", 40, dialNumberPattern());
    userNameLineedit = field(this, "userNameLineedit", 64);
    passwordLineedit = field(this, "passwordLineedit", 64);
    passwordLineedit->setEchoMode(QLineEdit::Password);
    saveUsernameCheckBox = new QCheckBox(tr("Save User name and Password"), this);
    saveUsernameCheckBox->setObjectName("saveUsernameCheckBox");
    askUsernameCheckBox = new QCheckBox(tr("Ask for User name and Password"), this);
    askUsernameCheckBox->setObjectName("askUsernameCheckBox");
    userNameLabel = new QLabel(tr("User Name"), this);
    passwordLabel = new QLabel(tr("Password"), this);

    auto* general = new QFormLayout;
    general->setVerticalSpacing(7);
    general->addRow(tr("Config Filename"), configFilenameLineedit);
    general->addRow(tr("Dial Number"), udialNumberLineedit);
    general->addRow(saveUsernameCheckBox);
    general->addRow(userNameLabel, userNameLineedit);
    general->addRow(passwordLabel, passwordLineedit);
    general->addRow(askUsernameCheckBox);

    IPRadioButton = radio(this, "IPRadioButton", tr("IP"));
    PPPRadioButton = radio(this, "PPPRadioButton", tr("PPP"));
    group(this, "PDPTypeButtongroup", IPRadioButton, PPPRadioButton);
    PAPRadioButton = radio(this, "PAPRadioButton", tr("PAP"));
    CHAPRadioButton = radio(this, "CHAPRadioButton", tr("CHAP"));
    group(this, "authButtongroup", PAPRadioButton, CHAPRadioButton);
    general->addRow(tr("PDP Type"), pairRow(IPRadioButton, PPPRadioButton));
    general->addRow(tr("Authentication"), pairRow(PAPRadioButton, CHAPRadioButton));

    // The three address choices, each "obtain automatically" or "use this".
    auto addressBox = [this](const QString& title, QRadioButton* obtain, QRadioButton* use,
                             const QList<std::pair<QLabel*, QWidget*>>& rows) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QFormLayout(box);
        layout->setContentsMargins(10, 6, 10, 8);
        layout->setVerticalSpacing(6);
        layout->addRow(obtain);
        layout->addRow(use);
        for (const auto& [label, edit] : rows)
            layout->addRow(label, edit);
        return box;
    };
    obtainDNSRadioButton =
        radio(this, "obtainDNSRadioButton", tr("Obtain DNS address automatically"));
    useDNSRadioButton = radio(this, "useDNSRadioButton", tr("Use the following DNS address"));
    DNSButtongroup = group(this, "DNSButtongroup", obtainDNSRadioButton, useDNSRadioButton);
    preferredDNSLineedit = field(this, "preferredDNSLineedit", 15, ipAddressPattern());
    alterDNSLineedit = field(this, "alterDNSLineedit", 15, ipAddressPattern());
    preferredDNSLabel = new QLabel(tr("Preferred DNS"), this);
    alterDNSLabel = new QLabel(tr("Alternate DNS"), this);

    obtainAPNRadioButton =
        radio(this, "obtainAPNRadioButton", tr("Obtain APN address automatically"));
    useAPNRadioButton = radio(this, "useAPNRadioButton", tr("Use the following APN address"));
    APNButtongroup = group(this, "APNButtongroup", obtainAPNRadioButton, useAPNRadioButton);
    APNLineedit = field(this, "APNLineedit", 64, apnPattern());
    APNLabel = new QLabel(tr("APN"), this);
    apnChoiceComboBox = new QComboBox(this);
    apnChoiceComboBox->setObjectName("apnChoiceComboBox");
    apnChoiceComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    apnChoiceComboBox->setMinimumContentsLength(12);
    auto* apnChoiceLabel = new QLabel(tr("Operator"), this);

    obtainPDPRadioButton =
        radio(this, "obtainPDPRadioButton", tr("Obtain PDP address automatically"));
    usePDPRadioButton = radio(this, "usePDPRadioButton", tr("Use the following PDP address"));
    PDPButtongroup = group(this, "PDPButtongroup", obtainPDPRadioButton, usePDPRadioButton);
    PDPLineedit = field(this, "PDPLineedit", 15, ipAddressPattern());
    PDPLabel = new QLabel(tr("PDP"), this);

    auto* addresses = new QVBoxLayout;
    addresses->setSpacing(6);
    addresses->addWidget(
        addressBox(tr("DNS"), obtainDNSRadioButton, useDNSRadioButton,
                   {{preferredDNSLabel, preferredDNSLineedit}, {alterDNSLabel, alterDNSLineedit}}));
    addresses->addWidget(
        addressBox(tr("APN"), obtainAPNRadioButton, useAPNRadioButton,
                   {{apnChoiceLabel, apnChoiceComboBox}, {APNLabel, APNLineedit}}));
    auto* apnRows = qobject_cast<QFormLayout*>(apnChoiceComboBox->parentWidget()->layout());
    apnRows->setRowVisible(apnChoiceComboBox, false);
    addresses->addWidget(
        addressBox(tr("PDP"), obtainPDPRadioButton, usePDPRadioButton, {{PDPLabel, PDPLineedit}}));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(18);
    auto* left = new QVBoxLayout;
    left->addLayout(general);
    left->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(addresses, 1);

    configOK = footerButton(this, "configOK", tr("OK"));
    configOK->setDefault(true);
    configCancel = footerButton(this, "configCancel", tr("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(configOK);
    buttons->addSpacing(10);
    buttons->addWidget(configCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, TitleHeight + 12, 16, (footerHeight - 24) / 2);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

void Config::initConf(const QString& name) {
    showRecord(ProfileRecord());
    applyState(::initConf(name, shown_, context_));
}

void Config::showRecord(const ProfileRecord& r) {
    shown_ = r;
    configFilenameLineedit->setText(r.name);
    udialNumberLineedit->setText(r.phone);
    userNameLineedit->setText(r.saveUserName ? r.userName : QString());
    passwordLineedit->setText(r.saveUserName ? r.password : QString());
    saveUsernameCheckBox->setChecked(r.saveUserName);
    askUsernameCheckBox->setChecked(r.askUserName);
    check(obtainAPNRadioButton, useAPNRadioButton, r.obtainApn, r.useApn);
    APNLineedit->setText(r.apn);
    (r.ipModal || !r.pppModal ? IPRadioButton : PPPRadioButton)->setChecked(true);
    (r.papModal || !r.chapModal ? PAPRadioButton : CHAPRadioButton)->setChecked(true);
    check(obtainDNSRadioButton, useDNSRadioButton, r.obtainDns, r.useDns);
    preferredDNSLineedit->setText(r.preNameserver);
    alterDNSLineedit->setText(r.altNameserver);
    check(obtainPDPRadioButton, usePDPRadioButton, r.obtainPdp, r.usePdp);
    PDPLineedit->setText(r.pdp);
}

void Config::applyState(const ConfigEnableState& s) {
    configFilenameLineedit->setEnabled(s.nameField);
    udialNumberLineedit->setEnabled(s.dialNumber);
    saveUsernameCheckBox->setEnabled(s.saveUserName);
    askUsernameCheckBox->setEnabled(s.askUserName);
    userNameLabel->setEnabled(s.userName);
    userNameLineedit->setEnabled(s.userName);
    passwordLabel->setEnabled(s.password);
    passwordLineedit->setEnabled(s.password);
    for (QRadioButton* button : {obtainDNSRadioButton, useDNSRadioButton, obtainAPNRadioButton,
                                 useAPNRadioButton, IPRadioButton, PPPRadioButton, PAPRadioButton,
                                 CHAPRadioButton, obtainPDPRadioButton, usePDPRadioButton})
        button->setEnabled(s.radioButtons);
    APNLabel->setEnabled(s.apnField);
    APNLineedit->setEnabled(s.apnField);
    for (QWidget* w : std::initializer_list<QWidget*>{preferredDNSLabel, preferredDNSLineedit,
                                                      alterDNSLabel, alterDNSLineedit})
        w->setEnabled(s.dnsFields);
    PDPLabel->setEnabled(s.pdpField);
    PDPLineedit->setEnabled(s.pdpField);
    configOK->setEnabled(s.okButton);
}

bool Config::loadText(const QString& name) {
    ProfileRecord r;
    QString error;
    if (!ProfileStore::loadText(name, &r, &error)) {
        MyMessageBox::warning(this, error);
        return false;
    }
    showRecord(r);
    configview(name);
    return true;
}

void Config::configview(const QString& name) {
    applyState(::configview(name, record(), configFilenameLineedit->isEnabled(), context_));
}

void Config::setUserFieldsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             userNameLabel, userNameLineedit, passwordLabel, passwordLineedit, askUsernameCheckBox})
        w->setEnabled(enabled);
}

void Config::saveUsernameCheckBox_clicked() {
    const bool on = saveUsernameCheckBox->isChecked();
    setUserFieldsEnabled(on);
    if (!on)
        askUsernameCheckBox->setChecked(false);
}

void Config::DNSButtongroup_clicked(int id) {
    for (QWidget* w : std::initializer_list<QWidget*>{preferredDNSLabel, preferredDNSLineedit,
                                                      alterDNSLabel, alterDNSLineedit})
        w->setEnabled(id != 0);
    if (obtainDNSRadioButton->isChecked()) {
        preferredDNSLineedit->clear();
        alterDNSLineedit->clear();
    }
}

void Config::APNButtongroup_clicked(int id) {
    APNLabel->setEnabled(id != 0);
    APNLineedit->setEnabled(id != 0);
}

void Config::PDPButtongroup_clicked(int id) {
    PDPLabel->setEnabled(id != 0);
    PDPLineedit->setEnabled(id != 0);
}

ProfileRecord Config::record() const {
    ProfileRecord r;
    r.name = configFilenameLineedit->text().trimmed();
    r.phone = udialNumberLineedit->text();
    r.saveUserName = saveUsernameCheckBox->isChecked();
    r.askUserName = r.saveUserName && askUsernameCheckBox->isChecked();
    // Without "Save User name and Password" nothing of them is stored.
    if (r.saveUserName) {
        r.userName = userNameLineedit->text();
        r.password = passwordLineedit->text();
    }
    r.obtainApn = obtainAPNRadioButton->isChecked();
    r.useApn = useAPNRadioButton->isChecked();
    r.apn = APNLineedit->text();
    r.ipModal = IPRadioButton->isChecked();
    r.pppModal = PPPRadioButton->isChecked();
    r.papModal = PAPRadioButton->isChecked();
    r.chapModal = CHAPRadioButton->isChecked();
    r.obtainDns = obtainDNSRadioButton->isChecked();
    r.useDns = useDNSRadioButton->isChecked();
    r.preNameserver = preferredDNSLineedit->text();
    r.altNameserver = alterDNSLineedit->text();
    r.obtainPdp = obtainPDPRadioButton->isChecked();
    r.usePdp = usePDPRadioButton->isChecked();
    r.pdp = PDPLineedit->text();
    r.deleteEnable = shown_.deleteEnable;
    return r;
}

void Config::proposeFromSim(SerialThread* link) {
    if (!link || !configFilenameLineedit->isEnabled())
        return;
    link->getCIMI({this}, [this](std::optional<QString> imsi) {
        if (imsi)
            proposeFor(*imsi);
    });
}

void Config::proposeFor(const QString& imsi) {
    // Only a new profile, and only while the user hasn't begun the fields.
    if (!configFilenameLineedit->isEnabled())
        return;
    // Every 3GPP card dials its packet data service with "*99#".
    if (udialNumberLineedit->text().isEmpty())
        udialNumberLineedit->setText("*99#");
    if (APNLineedit->isModified() || userNameLineedit->isModified() ||
        passwordLineedit->isModified())
        return;
    apnChoices_ = providers_.internetApns(imsi);
    if (apnChoices_.isEmpty())
        return;
    apnChoiceComboBox->clear();
    for (const ApnChoice& choice : std::as_const(apnChoices_)) {
        const QString what =
            choice.name.isEmpty() ? choice.apn : choice.apn + " (" + choice.name + ')';
        apnChoiceComboBox->addItem(choice.provider + ": " + what);
    }
    qobject_cast<QFormLayout*>(apnChoiceComboBox->parentWidget()->layout())
        ->setRowVisible(apnChoiceComboBox, apnChoices_.size() > 1);
    showApnChoice(0);
}

void Config::showApnChoice(int index) {
    if (index < 0 || index >= apnChoices_.size())
        return;
    const ApnChoice& choice = apnChoices_.at(index);
    apnChoiceComboBox->setCurrentIndex(index);
    apnChoiceComboBox->setToolTip(apnChoiceComboBox->currentText()); // cut in the narrow box
    useAPNRadioButton->setChecked(true);
    APNButtongroup_clicked(1);
    APNLineedit->setText(choice.apn);
    const bool credentials = !choice.userName.isEmpty() || !choice.password.isEmpty();
    if (credentials || saveUsernameCheckBox->isChecked()) {
        saveUsernameCheckBox->setChecked(credentials);
        saveUsernameCheckBox_clicked();
        userNameLineedit->setText(choice.userName);
        passwordLineedit->setText(choice.password);
    }
}

bool Config::checkRepeat() {
    if (!configFilenameLineedit->isEnabled())
        return true;
    QString error;
    if (ProfileStore::checkRepeat(configFilenameLineedit->text(), &error))
        return true;
    MyMessageBox::warningWithEditer(this, error);
    return false;
}

bool Config::savedCheck() {
    auto entry = [](const MyinputLineEdit* edit) {
        return ConfigFormField{edit->text(), edit->isEnabled()};
    };
    ConfigForm form;
    form.name = entry(configFilenameLineedit);
    form.dialNumber = entry(udialNumberLineedit);
    form.userName = entry(userNameLineedit);
    form.password = entry(passwordLineedit);
    form.apn = entry(APNLineedit);
    form.preferredDns = entry(preferredDNSLineedit);
    form.alternateDns = entry(alterDNSLineedit);
    form.pdp = entry(PDPLineedit);
    const QString problem = ::savedCheck(form);
    if (problem.isEmpty())
        return true;
    if (problem ==
        QCoreApplication::translate("ProfileStore", "Duplicate Config Filename! Please revise!"))
        MyMessageBox::warningWithEditer(this, problem);
    else
        MyMessageBox::warning(this, problem);
    return false;
}

void Config::slotSaveConfig() {
    if (!savedCheck())
        return;
    const ProfileRecord r = record();
    QString error;
    const bool saved = configFilenameLineedit->isEnabled()
                           ? ProfileStore::saveNewText(r, &error)
                           : ProfileStore::saveEditText(r.name, r, &error);
    if (!saved) {
        MyMessageBox::warning(this, error);
        return;
    }
    shown_ = r;
    savedName_ = r.name;
    accept();
}
