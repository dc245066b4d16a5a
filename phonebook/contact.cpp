#include "phonebook/contact.h"

Contact::Contact(bool isSim, int id, QString name, QString phone, QString homePhone,
                 QString officePhone, QString group)
    : id(id), isSim(isSim), name(std::move(name)), phone(std::move(phone)),
      homePhone(std::move(homePhone)), officePhone(std::move(officePhone)),
      group(std::move(group)) {}
