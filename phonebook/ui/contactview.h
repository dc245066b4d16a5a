#pragma once

#include <QWidget>

class Contact;
class QLabel;
class QPushButton;

// One contact, read only; OK returns to the table.
class ContactView : public QWidget {
    Q_OBJECT
public:
    explicit ContactView(QWidget* parent = nullptr, const char* name = nullptr);

    void showContact(const Contact& c);

    QLabel* nameLabel;
    QLabel* mobileLabel;
    QLabel* homeLabel;
    QLabel* officeLabel;
    QLabel* emailLabel;
    QLabel* groupLabel;
    QLabel* positionLabel;
    QPushButton* okButton;

signals:
    void done();
};
