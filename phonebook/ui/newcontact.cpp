#include "phonebook/ui/newcontact.h"

#include "phonebook/contactrules.h"
#include "widgets/mymessagebox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

QLineEdit* field(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

NewContact::NewContact(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));

    titleLabel = new QLabel(tr("New Contact"), this);
    titleLabel->setObjectName("pageTitle");

    lineEdit_Name = field(this, "lineEdit_Name", ContactRules::kMaxNameLength);
    lineEdit_MobilePhone = field(this, "lineEdit_MobilePhone", ContactRules::kMaxNumberLength);
    lineEdit_HomePhone = field(this, "lineEdit_HomePhone", ContactRules::kMaxNumberLength);
    lineEdit_OfficePhone = field(this, "lineEdit_OfficePhone", ContactRules::kMaxNumberLength);
    const QRegularExpression numbers(ContactRules::numberPattern());
    for (QLineEdit* edit : {lineEdit_MobilePhone, lineEdit_HomePhone, lineEdit_OfficePhone})
        edit->setValidator(new QRegularExpressionValidator(numbers, edit));
    lineEdit_email = field(this, "lineEdit_email", 64);
    comboBox_group = new QComboBox(this);
    comboBox_group->setObjectName("comboBox_group");

    radioButton_pc = new QRadioButton(tr("PC"), this);
    radioButton_pc->setObjectName("radioButton_pc");
    radioButton_simcard = new QRadioButton(tr("(U)SIM card"), this);
    radioButton_simcard->setObjectName("radioButton_simcard");
    auto* position = new QButtonGroup(this);
    position->addButton(radioButton_pc);
    position->addButton(radioButton_simcard);
    radioButton_pc->setChecked(true);
    connect(radioButton_simcard, &QRadioButton::toggled, this, &NewContact::setSIMMode);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName("cancelButton");
    connect(okButton, &QPushButton::clicked, this, &NewContact::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &NewContact::cancelClicked);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const auto row = [&](int r, int c, const QString& text, QWidget* w) {
        auto* label = new QLabel(text, this);
        label->setBuddy(w);
        grid->addWidget(label, r, c);
        grid->addWidget(w, r, c + 1);
    };
    row(0, 0, tr("Name *"), lineEdit_Name);
    row(1, 0, tr("Mobile phone *"), lineEdit_MobilePhone);
    row(2, 0, tr("Home phone"), lineEdit_HomePhone);
    row(3, 0, tr("Office phone"), lineEdit_OfficePhone);
    row(0, 2, tr("E-mail"), lineEdit_email);
    row(1, 2, tr("Group"), comboBox_group);
    auto* positions = new QHBoxLayout;
    positions->addWidget(radioButton_pc);
    positions->addWidget(radioButton_simcard);
    positions->addStretch();
    grid->addWidget(new QLabel(tr("Save position"), this), 2, 2);
    grid->addLayout(positions, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 90);

    auto* hint = new QLabel(tr("Fields with * must be filled."), this);
    hint->setObjectName("hintLabel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(14);
    layout->addWidget(titleLabel);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    hasSIM(false);
}

void NewContact::setName(const QString& name) {
    lineEdit_Name->setMaxLength(qMax(ContactRules::kMaxNameLength, static_cast<int>(name.size())));
    lineEdit_Name->setText(name);
}

void NewContact::setEditMode(bool edit, const QString& id) {
    editMode_ = edit;
    editId_ = edit ? id : QString();
    titleLabel->setText(edit ? tr("Edit Contact") : tr("New Contact"));
    // A contact stays where it is kept.
    radioButton_pc->setEnabled(!edit);
    radioButton_simcard->setEnabled(!edit && hasSim_);
}

void NewContact::setSIMMode(bool sim) {
    if (sim != radioButton_simcard->isChecked())
        (sim ? radioButton_simcard : radioButton_pc)->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{lineEdit_HomePhone, lineEdit_OfficePhone,
                                                      lineEdit_email, comboBox_group})
        w->setEnabled(!sim);
}

bool NewContact::simMode() const {
    return radioButton_simcard->isChecked();
}

void NewContact::hasSIM(bool hasSim) {
    hasSim_ = hasSim;
    radioButton_simcard->setEnabled(hasSim && !editMode_);
    if (!hasSim && simMode() && !editMode_)
        setSIMMode(false);
}

void NewContact::setGroups(const QStringList& groups, const QString& current) {
    comboBox_group->clear();
    comboBox_group->addItem(tr("(none)"), QString());
    for (const QString& g : groups)
        comboBox_group->addItem(g, g);
    const int index = comboBox_group->findData(current);
    comboBox_group->setCurrentIndex(index < 0 ? 0 : index);
}

QString NewContact::group() const {
    return comboBox_group->currentData().toString();
}

void NewContact::okClicked() {
    const QString email = simMode() ? QString() : lineEdit_email->text().trimmed();
    switch (ContactRules::checkForm(lineEdit_Name->text(), lineEdit_MobilePhone->text(), email)) {
    case ContactRules::FormCheck::MissingField:
        MyMessageBox::warning(window(), tr("Fields with * must be filled."));
        return;
    case ContactRules::FormCheck::BadEmail:
        MyMessageBox::warning(window(), tr("Email address  is invalid"));
        lineEdit_email->setFocus();
        return;
    case ContactRules::FormCheck::Ok:
        break;
    }
    emit accepted();
}

void NewContact::cancelClicked() {
    emit canceled();
}

void NewContact::clear() {
    for (QLineEdit* edit : {lineEdit_Name, lineEdit_MobilePhone, lineEdit_HomePhone,
                            lineEdit_OfficePhone, lineEdit_email})
        edit->clear();
    lineEdit_Name->setMaxLength(ContactRules::kMaxNameLength);
    setEditMode(false);
    setSIMMode(false);
    comboBox_group->setCurrentIndex(0);
    lineEdit_Name->setFocus();
}
