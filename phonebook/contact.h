#pragma once

#include <QString>

// One phonebook entry. A PC contact has an id from 1 to 2000 and all fields;
// a SIM contact has the SIM location as id, a name and a mobile number. The
// name is kept in its stored hexadecimal form (see coder.h).
class Contact {
public:
    Contact() = default;
    Contact(bool isSim, int id, QString name, QString phone, QString homePhone = {},
            QString officePhone = {}, QString group = {});

    int getId() const { return id; }
    void setId(int value) { id = value; }
    bool getIsSim() const { return isSim; }
    void setIsSim(bool value) { isSim = value; }
    QString getName() const { return name; }
    void setName(const QString& value) { name = value; }
    QString getPhone() const { return phone; }
    void setPhone(const QString& value) { phone = value; }
    QString getHomePhone() const { return homePhone; }
    void setHomePhone(const QString& value) { homePhone = value; }
    QString getOfficePhone() const { return officePhone; }
    void setOfficePhone(const QString& value) { officePhone = value; }
    QString getGroup() const { return group; }
    void setGroup(const QString& value) { group = value; }
    QString getEmail() const { return email; }
    void setEmail(const QString& value) { email = value; }

    bool operator==(const Contact&) const = default;

private:
    int id = 0;
    bool isSim = false;
    QString name;
    QString phone;
    QString homePhone;
    QString officePhone;
    QString group;
    QString email;
};
