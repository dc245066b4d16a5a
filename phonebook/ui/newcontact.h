#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The contact form, for a new contact and for editing one, on the PC (name,
// three numbers, e-mail, group) or on the SIM (name and mobile number only).
// OK checks the fields and, when they are right, emits accepted(); the page
// stores the contact.
class NewContact : public QWidget {
    Q_OBJECT
public:
    explicit NewContact(QWidget* parent = nullptr, const char* name = nullptr);

    // Edit mode for contact `id`, or (false) a new contact.
    void setEditMode(bool edit, const QString& id = {});
    bool editMode() const { return editMode_; }
    QString editId() const { return editId_; }
    // The form of a SIM contact: home and office number, e-mail and group off.
    void setSIMMode(bool sim);
    bool simMode() const;
    // Whether the SIM may be chosen as the place to save.
    void hasSIM(bool hasSim);
    // The groups offered (the first entry is "no group"), `current` chosen.
    void setGroups(const QStringList& groups, const QString& current);
    QString group() const;
    // Shows the name of the contact being edited, whole however long it is.
    void setName(const QString& name);

    QLabel* titleLabel;
    QLineEdit* lineEdit_Name;
    QLineEdit* lineEdit_MobilePhone;
    QLineEdit* lineEdit_HomePhone;
    QLineEdit* lineEdit_OfficePhone;
    QLineEdit* lineEdit_email;
    QComboBox* comboBox_group;
    QRadioButton* radioButton_pc;
    QRadioButton* radioButton_simcard;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void okClicked();
    void cancelClicked();
    // Empties every field and returns to a new PC contact.
    void clear();

signals:
    void accepted();
    void canceled();

private:
    bool editMode_ = false;
    QString editId_;
    bool hasSim_ = false;
};
