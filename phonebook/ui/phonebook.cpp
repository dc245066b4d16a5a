#include "phonebook/ui/phonebook.h"

PhoneBook::PhoneBook(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
}

void PhoneBook::showNewContactForm(const QString& mobileNumber) {
    Q_UNUSED(mobileNumber);
}

void PhoneBook::setHasSIM(bool hasSim) {
    hasSim_ = hasSim;
}
