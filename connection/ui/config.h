#pragma once

#include "connection/profilerecord.h"
#include "connection/profilerules.h"
#include "connection/providerdatabase.h"
#include "widgets/framedialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class MyButton;
class MyinputLineEdit;
class SerialThread;

// The connection profile dialog: creates a profile (opened with an empty
// profile name), edits one, or shows one read-only (the built-in profile, a
// profile marked "cannot", the default profile while connected). A profile
// opened by name keeps its name: saving replaces its record in place.
class Config : public FrameDialog {
    Q_OBJECT
public:
    Config(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags,
           const QString& profileName, const ProfileContext& context = {});

    // Which profile dials and whether a connection is up, for the rules.
    void setContext(const ProfileContext& context) { context_ = context; }
    // The name of the profile saved last; empty until one is saved.
    QString savedName() const { return savedName_; }

    // Fills the dialog from the record of `name` and applies the enabling
    // rules; false (after a warning) when the record can't be read.
    bool loadText(const QString& name);
    // The enabling rules for the profile `name` as it is shown now.
    void configview(const QString& name);
    // True when the name is free, or can't be changed.
    bool checkRepeat();
    // Checks the enabled fields; false after telling the user the first problem.
    bool savedCheck();
    // The profile as the dialog shows it.
    ProfileRecord record() const;

    // For a new profile: asks the card for the SIM's IMSI and proposes what
    // proposeFor does. Nothing happens without a card or a SIM.
    void proposeFromSim(SerialThread* link);
    // For a new profile: proposes the APN, user name and password that the
    // provider database gives for the home network of the SIM `imsi`, and
    // offers the choice when the operator has several internet APNs. What the
    // user has typed in these fields already stays.
    void proposeFor(const QString& imsi);

    MyinputLineEdit* configFilenameLineedit;
    MyinputLineEdit* udialNumberLineedit;
    MyinputLineEdit* userNameLineedit;
    MyinputLineEdit* passwordLineedit;
    QCheckBox* saveUsernameCheckBox;
    QCheckBox* askUsernameCheckBox;
    QRadioButton* obtainDNSRadioButton;
    QRadioButton* useDNSRadioButton;
    MyinputLineEdit* preferredDNSLineedit;
    MyinputLineEdit* alterDNSLineedit;
    QRadioButton* obtainAPNRadioButton;
    QRadioButton* useAPNRadioButton;
    MyinputLineEdit* APNLineedit;
    QComboBox* apnChoiceComboBox; // shown when the operator has several APNs
    QRadioButton* IPRadioButton;
    QRadioButton* PPPRadioButton;
    QRadioButton* PAPRadioButton;
    QRadioButton* CHAPRadioButton;
    QRadioButton* obtainPDPRadioButton;
    QRadioButton* usePDPRadioButton;
    MyinputLineEdit* PDPLineedit;
    QButtonGroup* DNSButtongroup;
    QButtonGroup* APNButtongroup;
    QButtonGroup* PDPButtongroup;
    MyButton* configOK;
    MyButton* configCancel;

public slots:
    void saveUsernameCheckBox_clicked();
    void DNSButtongroup_clicked(int id);
    void APNButtongroup_clicked(int id);
    void PDPButtongroup_clicked(int id);
    // Saves the profile and closes the dialog when it passes the checks.
    void slotSaveConfig();

private:
    void build();
    void initConf(const QString& name);
    void showRecord(const ProfileRecord& record);
    void applyState(const ConfigEnableState& state);
    void setUserFieldsEnabled(bool enabled);
    void showApnChoice(int index);

    ProfileRecord shown_;
    ProfileContext context_;
    QString savedName_;
    ProviderDatabase providers_;
    QList<ApnChoice> apnChoices_;
    QLabel* userNameLabel;
    QLabel* passwordLabel;
    QLabel* preferredDNSLabel;
    QLabel* alterDNSLabel;
    QLabel* APNLabel;
    QLabel* PDPLabel;
};
