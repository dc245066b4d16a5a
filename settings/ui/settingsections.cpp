// The widgets of the settings page's five sections.

#include "settings/networkchoice.h"
#include "settings/ui/settingmainwindow.h"

#include "app/globals.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

MyButton* actionButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new MyButton(parent, name);
    button->setActionLook();
    button->setText(text);
    button->setFixedSize(80, 26);
    return button;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

// The section's Apply and Cancel at its bottom right.
void addApplyRow(QVBoxLayout* layout, MyButton* apply, MyButton* cancel) {
    layout->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(apply);
    row->addSpacing(10);
    row->addWidget(cancel);
    layout->addLayout(row);
    apply->setEnabled(false);
}

QVBoxLayout* sectionLayout(QWidget* section) {
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    return layout;
}

} // namespace

void CSetting::buildSectionButtons() {
    const struct {
        MyButton** button;
        const char* name;
        const char* caption;
    } sections[] = {
        {&connectButton, "connectButton", QT_TR_NOOP("Connection Settings")},
        {&SecurityButton, "SecurityButton", QT_TR_NOOP("Security Settings")},
        {&networkButton, "networkButton", QT_TR_NOOP("Network Settings")},
        {&messageButton, "messageButton", QT_TR_NOOP("Message Settings")},
        {&alertButton, "alertButton", QT_TR_NOOP("Alert Settings")},
    };
    int y = 16;
    for (const auto& s : sections) {
        auto* button = new MyButton(this, s.name);
        button->setMultiPixmap("settings/section1.png", "settings/section3.png",
                               "settings/section2.png", "settings/section0.png");
        button->setText(tr(s.caption));
        button->setGeometry(14, y, 160, 36);
        *s.button = button;
        y += 42;
    }
}

QWidget* CSetting::buildConnectionSection() {
    auto* section = new QWidget;
    auto* layout = sectionLayout(section);

    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(new QLabel(tr("Default Connection"), section));
    conLineedit = new MyinputLineEdit(section, "conLineedit");
    conLineedit->setReadOnly(true);
    defaultRow->addWidget(conLineedit, 1);
    layout->addLayout(defaultRow);

    auto* listRow = new QHBoxLayout;
    listRow->setSpacing(12);
    conListBox = new QListWidget(section);
    conListBox->setObjectName("conListBox");
    conListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    conListBox->setStyleSheet("QListWidget::item { padding: 3px 4px; }");
    listRow->addWidget(conListBox, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    addButton = actionButton(section, "addButton", tr("Add"));
    editButton = actionButton(section, "editButton", tr("Edit"));
    deleteButton = actionButton(section, "deleteButton", tr("Delete"));
    setdefaultButton = actionButton(section, "setdefaultButton", tr("Set Default"));
    for (MyButton* button : {addButton, editButton, deleteButton, setdefaultButton})
        buttons->addWidget(button);
    buttons->addStretch();
    listRow->addLayout(buttons);
    layout->addLayout(listRow, 1);

    // The dialer: wvdial, or pppd with the package's chat script.
    auto* dialerRow = new QHBoxLayout;
    dialerRow->addWidget(new QLabel(tr("Dial with"), section));
    dialerComboBox = new QComboBox(section);
    dialerComboBox->setObjectName("dialerComboBox");
    dialerComboBox->addItem(tr("wvdial"), QStringLiteral("wvdial"));
    dialerComboBox->addItem(tr("pppd and a chat script"), QStringLiteral("pppd"));
    dialerRow->addWidget(dialerComboBox);
    dialerRow->addStretch();
    layout->addLayout(dialerRow);
    return section;
}

QWidget* CSetting::buildSecuritySection() {
    auto* section = new QWidget;
    auto* layout = sectionLayout(section);

    auto* pin = groupBox(section, "PINGroupBox", tr("PIN"));
    auto* pinRow = new QHBoxLayout(pin);
    PINEnableCheckBox = new QCheckBox(tr("PIN Enable"), pin);
    PINEnableCheckBox->setObjectName("PINEnableCheckBox");
    changePINButton = actionButton(pin, "changePINButton", tr("Revise PIN"));
    pinRow->addWidget(PINEnableCheckBox);
    pinRow->addStretch();
    pinRow->addWidget(changePINButton);
    layout->addWidget(pin);

    auto* backup = groupBox(section, "backupGroupBox", tr("Backup"));
    auto* backupLayout = new QVBoxLayout(backup);
    backupLabel = new QLabel(tr("Backup PhoneBook,Internet connection records and SMS"), backup);
    backupLabel->setObjectName("backupLabel");
    backupLabel->setWordWrap(true);
    backupLayout->addWidget(backupLabel);
    auto* backupRow = new QHBoxLayout;
    BackupButton = actionButton(backup, "BackupButton", tr("Backup"));
    resumeButton = actionButton(backup, "resumeButton", tr("Resume"));
    backupRow->addWidget(BackupButton);
    backupRow->addSpacing(10);
    backupRow->addWidget(resumeButton);
    backupRow->addStretch();
    backupLayout->addLayout(backupRow);
    layout->addWidget(backup);

    applyButton = actionButton(section, "applyButton", tr("Apply"));
    cancelButton = actionButton(section, "cancelButton", tr("Cancel"));
    addApplyRow(layout, applyButton, cancelButton);
    return section;
}

QWidget* CSetting::buildNetworkSection() {
    auto* section = new QWidget;
    auto* layout = sectionLayout(section);

    networkButtongroup = groupBox(section, "networkButtongroup", tr("Network Selection"));
    auto* selectionRow = new QHBoxLayout(networkButtongroup);
    AutoButton = radio(networkButtongroup, "AutoButton", tr("Automatically"));
    manualButton = radio(networkButtongroup, "manualButton", tr("Manual"));
    networkButtons = new QButtonGroup(this);
    networkButtons->setObjectName("networkButtons");
    networkButtons->addButton(AutoButton, 0);
    networkButtons->addButton(manualButton, 1);
    manualSearchButton = actionButton(networkButtongroup, "manualSearchButton", tr("Manual"));
    manualSearchButton->setToolTip(tr("Search for the networks and choose one"));
    selectionRow->addWidget(AutoButton);
    selectionRow->addSpacing(16);
    selectionRow->addWidget(manualButton);
    selectionRow->addStretch();
    selectionRow->addWidget(manualSearchButton);
    layout->addWidget(networkButtongroup);

    modeButtongroup = groupBox(section, "modeButtongroup", tr("Mode preference"));
    auto* modeGrid = new QGridLayout(modeButtongroup);
    ThirdGButton = radio(modeButtongroup, "ThirdGButton", tr("UMTS preferred"));
    SecondGButton = radio(modeButtongroup, "SecondGButton", tr("GPRS/EDGE preferred"));
    ThirdGOnlyButton = radio(modeButtongroup, "ThirdGOnlyButton", tr("UMTS Only"));
    SecondGOnlyButton = radio(modeButtongroup, "SecondGOnlyButton", tr("GPRS/EDGE Only"));
    modeButtons = new QButtonGroup(this);
    modeButtons->setObjectName("modeButtons");
    QRadioButton* const modes[] = {ThirdGButton, SecondGButton, ThirdGOnlyButton,
                                   SecondGOnlyButton};
    for (int id = 0; id < 4; ++id) {
        modeButtons->addButton(modes[id], id);
        modeGrid->addWidget(modes[id], id % 2, id / 2);
    }
    // A card of another maker offers those of these it can do
    // (setNetworkModes).
    const std::pair<const char*, QString> networkModes[] = {
        {"AutoModeButton", tr("Automatic")},       {"Only4GButton", tr("4G only")},
        {"Preferred4GButton", tr("4G preferred")}, {"Only3GButton", tr("3G only")},
        {"Only2GButton", tr("2G only")},
    };
    for (int i = 0; i < 5; ++i) {
        QRadioButton* button =
            radio(modeButtongroup, networkModes[i].first, networkModes[i].second);
        modeButtons->addButton(button, NetworkModeChoiceBase + i);
        modeGrid->addWidget(button, i % 3, 2 + i / 3);
        button->hide();
    }
    layout->addWidget(modeButtongroup);

    limitGroup = groupBox(section, "limitGroup", tr("Monthly data limit"));
    auto* limitRow = new QHBoxLayout(limitGroup);
    limitSpinBox = new QSpinBox(limitGroup);
    limitSpinBox->setObjectName("limitSpinBox");
    limitSpinBox->setRange(0, 10000000);
    limitSpinBox->setSingleStep(100);
    limitSpinBox->setSuffix(tr(" MB"));
    limitSpinBox->setSpecialValueText(tr("No limit"));
    billingDaySpinBox = new QSpinBox(limitGroup);
    billingDaySpinBox->setObjectName("billingDaySpinBox");
    billingDaySpinBox->setRange(1, 31);
    billingDaySpinBox->setToolTip(tr("The day of the month your billing period starts"));
    limitDisconnectCheckBox = new QCheckBox(tr("Disconnect at the limit"), limitGroup);
    limitDisconnectCheckBox->setObjectName("limitDisconnectCheckBox");
    limitRow->addWidget(limitSpinBox);
    limitRow->addSpacing(12);
    limitRow->addWidget(new QLabel(tr("from day"), limitGroup));
    limitRow->addWidget(billingDaySpinBox);
    limitRow->addSpacing(12);
    limitRow->addWidget(limitDisconnectCheckBox);
    limitRow->addStretch();
    layout->addWidget(limitGroup);

    netApplyButton = actionButton(section, "netApplyButton", tr("Apply"));
    netCancelButton = actionButton(section, "netCancelButton", tr("Cancel"));
    addApplyRow(layout, netApplyButton, netCancelButton);
    return section;
}

QWidget* CSetting::buildMessageSection() {
    auto* section = new QWidget;
    auto* layout = sectionLayout(section);

    auto* form = new QFormLayout;
    form->setVerticalSpacing(10);
    smscenterLineedit = new MyinputLineEdit(section, "smscenterLineedit");
    smscenterLineedit->setMaxLength(20);
    smscenterLineedit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("\\+?[0-9]*"), smscenterLineedit));
    form->addRow(tr("Message Center"), smscenterLineedit);
    smsLocaComboBox = new QComboBox(section);
    smsLocaComboBox->setObjectName("smsLocaComboBox");
    smsLocaComboBox->addItems({tr("Default"), tr("(U)SIM Card"), tr("PC")});
    form->addRow(tr("Location of Saving New SMS"), smsLocaComboBox);
    validperiodComboBox = new QComboBox(section);
    validperiodComboBox->setObjectName("validperiodComboBox");
    validperiodComboBox->addItems(
        {tr("12 hours"), tr("A day"), tr("A week"), tr("The longest period")});
    form->addRow(tr("Validity Period"), validperiodComboBox);
    layout->addLayout(form);

    deliveryreportButtongroup =
        groupBox(section, "deliveryreportButtongroup", tr("Delivery Report"));
    auto* reportRow = new QHBoxLayout(deliveryreportButtongroup);
    turnonRadioButton = radio(deliveryreportButtongroup, "turnonRadioButton", tr("Turn ON"));
    turnoffRadioButton = radio(deliveryreportButtongroup, "turnoffRadioButton", tr("Turn Off"));
    reportButtons = new QButtonGroup(this);
    reportButtons->setObjectName("reportButtons");
    reportButtons->addButton(turnonRadioButton, 0);
    reportButtons->addButton(turnoffRadioButton, 1);
    reportRow->addWidget(turnonRadioButton);
    reportRow->addSpacing(16);
    reportRow->addWidget(turnoffRadioButton);
    reportRow->addStretch();
    layout->addWidget(deliveryreportButtongroup);

    smsApplyButton = actionButton(section, "smsApplyButton", tr("Apply"));
    smsCancelButton = actionButton(section, "smsCancelButton", tr("Cancel"));
    addApplyRow(layout, smsApplyButton, smsCancelButton);
    return section;
}

QWidget* CSetting::buildAlertSection() {
    auto* section = new QWidget;
    auto* layout = sectionLayout(section);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(12);
    grid->setHorizontalSpacing(10);
    const struct {
        QCheckBox** check;
        QLineEdit** edit;
        MyButton** browse;
        const char* checkName;
        const char* editName;
        const char* browseName;
        const char* caption;
    } rows[] = {
        {&connectAlertCheckBox, &connectAlertLineedit, &connectAlertButton, "connectAlertCheckBox",
         "connectAlertLineedit", "connectAlertButton", QT_TR_NOOP("Connect alert")},
        {&disconnectAlertCheckBox, &disconnectAlertLineedit, &disconnectAlertButton,
         "disconnectAlertCheckBox", "disconnectAlertLineedit", "disconnectAlertButton",
         QT_TR_NOOP("Disconnect alert")},
        {&smsAlertCheckBox, &smsAlerLineEdit, &smsAlertButton, "smsAlertCheckBox",
         "smsAlerLineEdit", "smsAlertButton", QT_TR_NOOP("Incoming SMS alert")},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* check = new QCheckBox(tr(r.caption), section);
        check->setObjectName(r.checkName);
        auto* edit = new MyinputLineEdit(section, r.editName);
        edit->setPlaceholderText(tr("Sound file"));
        auto* browse = actionButton(section, r.browseName, tr("Browser..."));
        grid->addWidget(check, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(browse, row, 2);
        *r.check = check;
        *r.edit = edit;
        *r.browse = browse;
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addSpacing(8);
    desktopNoticeCheckBox =
        new QCheckBox(tr("Show these events as desktop notifications"), section);
    desktopNoticeCheckBox->setObjectName("desktopNoticeCheckBox");
    layout->addWidget(desktopNoticeCheckBox);
    closeToTrayCheckBox =
        new QCheckBox(tr("Keep running in the tray when the window is closed"), section);
    closeToTrayCheckBox->setObjectName("closeToTrayCheckBox");
    layout->addWidget(closeToTrayCheckBox);

    alertApplyButton = actionButton(section, "alertApplyButton", tr("Apply"));
    alertCancelButton = actionButton(section, "alertCancelButton", tr("Cancel"));
    addApplyRow(layout, alertApplyButton, alertCancelButton);
    return section;
}
