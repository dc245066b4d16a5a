#include "phonebook/ui/contactview.h"

#include "phonebook/contact.h"
#include "phonebook/contactmodel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

ContactView::ContactView(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    auto* title = new QLabel(tr("Contact"), this);
    title->setObjectName("pageTitle");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    const auto row = [&](int r, const QString& text, const char* objectName) {
        auto* caption = new QLabel(text, this);
        caption->setObjectName("captionLabel");
        auto* value = new QLabel(this);
        value->setObjectName(objectName);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(caption, r, 0);
        grid->addWidget(value, r, 1);
        return value;
    };
    nameLabel = row(0, tr("Name"), "nameLabel");
    mobileLabel = row(1, tr("Mobile phone"), "mobileLabel");
    homeLabel = row(2, tr("Home phone"), "homeLabel");
    officeLabel = row(3, tr("Office phone"), "officeLabel");
    emailLabel = row(4, tr("E-mail"), "emailLabel");
    groupLabel = row(5, tr("Group"), "groupLabel");
    positionLabel = row(6, tr("Save position"), "positionLabel");
    grid->setColumnStretch(1, 1);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &ContactView::done);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(14);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
}

void ContactView::showContact(const Contact& c) {
    nameLabel->setText(ContactTableModel::shownName(c));
    mobileLabel->setText(c.getPhone());
    homeLabel->setText(c.getHomePhone());
    officeLabel->setText(c.getOfficePhone());
    emailLabel->setText(c.getEmail());
    groupLabel->setText(c.getGroup());
    positionLabel->setText(c.getIsSim() ? tr("(U)SIM card") : tr("PC"));
    for (QLabel* l : {homeLabel, officeLabel, emailLabel, groupLabel})
        l->setEnabled(!c.getIsSim());
}
