#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class MyButton;

// The settings page: connection, security, network, message and alert
// sections, chosen by five section buttons.
class CSetting : public QWidget {
    Q_OBJECT
public:
    explicit CSetting(QWidget* parent = nullptr, const char* name = nullptr);

    MyButton* connectButton;
    MyButton* SecurityButton;
    MyButton* networkButton;
    MyButton* messageButton;
    MyButton* alertButton;
    QLineEdit* conLineedit; // name of the default connection
    MyButton* setdefaultButton;
    QCheckBox* PINEnableCheckBox;
    MyButton* changePINButton;
    MyButton* applyButton;
    MyButton* cancelButton;
    QGroupBox* networkButtongroup;
    QGroupBox* modeButtongroup;
    QLineEdit* smscenterLineedit;
    QComboBox* smsLocaComboBox;

signals:
    void sigAbate();
    void sigSetDefaultConnctLabel();

public slots:
    // Selects the first section in the section list.
    void slotClickedListItem();
    void connnectButton_clicked();
    // Shows the modem's network mode preference (1..4).
    void setNetworkSelection(int mode);
};
