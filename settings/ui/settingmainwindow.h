#pragma once

#include "connection/connectionstate.h"
#include "connection/profilerules.h"
#include "modem/dialect.h"

#include <QList>
#include <QWidget>
#include <optional>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class Config;
class MyButton;
class SerialThread;

// The settings page: five sections chosen by the buttons down its left side.
// Connection: the connection profiles. Security: the PIN lock (its flows are
// the main window's) and backup and restore. Network: automatic or manual
// operator selection and the mode preference, sent to the modem. Messages and
// alerts: their settings files. Each section's Apply button is enabled by an
// edit and disabled again by every section switch; Cancel goes back to the
// connection section and shows the stored values again.
class CSetting : public QWidget {
    Q_OBJECT
public:
    // Sections in the page stack.
    enum Section {
        ConnectionSection,
        SecuritySection,
        NetworkSection,
        MessageSection,
        AlertSection
    };

    // `link` carries the network choices to the modem (none: nothing is sent).
    CSetting(QWidget* parent, const char* name, SerialThread* link);

    // --- settings files -----------------------------------------------------
    void readSettings();
    void readNetworkSettings();
    void readMessagesSettings();
    void readAlertSettings();
    // Writes all three settings files from the page (sending a clicked mode
    // preference to the modem) and tells the user.
    void writeSettings();

    // --- connection profiles --------------------------------------------------
    void initConlist();
    bool checkSelectItem();
    bool isDelete();
    // The name of the selected profile; empty when none is.
    QString selectedProfile() const;
    // The connection's state: the default profile can't change while one is up.
    void setConnectionState(ConnectionState state);
    // The default profile and the connection, for the profile rules.
    ProfileContext profileContext() const;

    // --- backup and restore -----------------------------------------------------
    // Writes a backup to `path`; replaces the live files with the backup at
    // `path`. Both tell the user how it went; true on success.
    bool backupTo(const QString& path);
    bool resumeFrom(const QString& path);

    // --- widgets, by the object names other pages find them by ---------------------
    MyButton* connectButton;
    MyButton* SecurityButton;
    MyButton* networkButton;
    MyButton* messageButton;
    MyButton* alertButton;
    QStackedWidget* sectionStack;

    QLineEdit* conLineedit; // name of the default connection
    QListWidget* conListBox;
    MyButton* addButton;
    MyButton* editButton;
    MyButton* deleteButton;
    MyButton* setdefaultButton;
    // The dialer of the next connection; a dialer that isn't installed can't be chosen.
    QComboBox* dialerComboBox;
    Config* config = nullptr; // the dialog that views and edits the listed profiles

    QCheckBox* PINEnableCheckBox;
    MyButton* changePINButton;
    MyButton* applyButton;
    MyButton* cancelButton;
    QLabel* backupLabel;
    MyButton* BackupButton;
    MyButton* resumeButton;

    QGroupBox* networkButtongroup;
    QButtonGroup* networkButtons;
    QRadioButton* AutoButton;
    QRadioButton* manualButton;
    MyButton* manualSearchButton; // opens operator selection
    QGroupBox* modeButtongroup;
    QButtonGroup* modeButtons;
    QRadioButton* ThirdGButton;
    QRadioButton* SecondGButton;
    QRadioButton* ThirdGOnlyButton;
    QRadioButton* SecondGOnlyButton;
    // The monthly data limit in MB (0: none), its billing day, and whether
    // the connection ends at it.
    QGroupBox* limitGroup;
    QSpinBox* limitSpinBox;
    QSpinBox* billingDaySpinBox;
    QCheckBox* limitDisconnectCheckBox;
    MyButton* netApplyButton;
    MyButton* netCancelButton;

    QLineEdit* smscenterLineedit;
    QComboBox* smsLocaComboBox;
    QComboBox* validperiodComboBox;
    QGroupBox* deliveryreportButtongroup;
    QButtonGroup* reportButtons;
    QRadioButton* turnonRadioButton;
    QRadioButton* turnoffRadioButton;
    MyButton* smsApplyButton;
    MyButton* smsCancelButton;

    QCheckBox* connectAlertCheckBox;
    QLineEdit* connectAlertLineedit;
    MyButton* connectAlertButton;
    QCheckBox* disconnectAlertCheckBox;
    QLineEdit* disconnectAlertLineedit;
    MyButton* disconnectAlertButton;
    QCheckBox* smsAlertCheckBox;
    // The same events as desktop notifications; the window closing to the tray.
    QCheckBox* desktopNoticeCheckBox;
    QCheckBox* closeToTrayCheckBox;
    QLineEdit* smsAlerLineEdit;
    MyButton* smsAlertButton;
    MyButton* alertApplyButton;
    MyButton* alertCancelButton;

signals:
    // Emitted on every section switch.
    void sigAbate();
    // The section now in view (after a button or a Cancel chose it).
    void sectionChosen(CSetting::Section section);
    // The default profile changed.
    void sigSetDefaultConnctLabel();
    // A backup was restored: the stores must read their files again.
    void sigRestored();

public slots:
    // Shows the modem's mode preference (-1 to 4) in the mode buttons.
    void setNetworkSelection(int mode);
    // A card of another maker: its modes and the one it is set to.
    void setNetworkModes(const QList<NetworkMode>& modes, std::optional<NetworkMode> current);
    // The card's service centre: shown while the message settings have none.
    void setCardServiceCentre(const QString& number);
    void networkButtongroup_clicked(int id);
    void modeButtongroup_clicked(int id);

    void connnectButton_clicked();
    void securityButton_clicked();
    void networkButton_clicked();
    void messageButton_clicked();
    void alertButton_clicked();

    void cancelButton_clicked();
    void netCancelButton_clicked();
    void smsCancelButton_clicked();
    void alertCancelButton_clicked();

    void activeApplyButton();
    void activeNetApplyButton();
    void activeSmsApplyButton();
    void activeAlertApplyButton();
    void abateApplyButton();
    void abateNetApplyButton();
    void abateSmsApplyButton();
    void abateAlertApplyButton();

    void connectFileSelector();
    void disconFileSelector();
    void smsFileSelector();
    void backFileSelector();
    void resumeFileSelector();
    // Opens operator selection.
    void searchWaitDialog();

    // The connection section.
    void slotClickedListItem();
    void addConfigDialog();
    void editConfigDialog();
    void delConfigDialog();
    void setDefault();

private:
    void buildSectionButtons();
    QWidget* buildConnectionSection();
    QWidget* buildSecuritySection();
    QWidget* buildNetworkSection();
    QWidget* buildMessageSection();
    QWidget* buildAlertSection();
    void connectEdits();
    void showSection(Section section);
    void showManualChoice(bool manual);
    void sendModemMode(int mode);
    // Shows the maker's four mode choices (null), or those of `cardModes`.
    void showModeChoices(const QList<NetworkMode>* cardModes);
    void chooseSoundFor(QLineEdit* edit);
    // Each alert's switch with its sound file.
    QList<std::pair<QCheckBox*, QLineEdit*>> alertSounds() const;
    void selectProfile(int row);
    void markDefault();
    // Shows the dialer that will dial, and offers only the installed ones.
    void showDialer();

    SerialThread* link_;
    QString cardCentre_; // the card's service centre, "" unknown
    bool modeChanged_ = false;
    // Where backups were last written or restored from (this run); the
    // file dialogs of both open there.
    QString backupFolder_;
    ConnectionState connectionState_ = ConnectionState::Disconnected;
};
