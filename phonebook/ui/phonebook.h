#pragma once

#include <QWidget>

// The phonebook page: contacts of the PC and the SIM card.
class PhoneBook : public QWidget {
    Q_OBJECT
public:
    explicit PhoneBook(QWidget* parent = nullptr, const char* name = nullptr);

    // Opens the new-contact form, cleared, with `mobileNumber` filled in.
    void showNewContactForm(const QString& mobileNumber);
    // Whether the SIM card can be used for contacts now.
    void setHasSIM(bool hasSim);
    bool hasSIM() const { return hasSim_; }

signals:
    // Asks for a new message to these numbers.
    void sendsms(QString numbers);

private:
    bool hasSim_ = false;
};
