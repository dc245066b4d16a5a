// The settings page against the simulated card: its sections and Apply
// buttons, what reaches the modem (the simulator's transcript), the profile
// list and dialog, and a restore shown on the running page.

#include "app/commonconfig.h"
#include "connection/profilestore.h"
#include "connection/ui/config.h"
#include "settings/settingsfiles.h"
#include "settings/ui/settingmainwindow.h"
#include "tests/connection/freshdata.h"
#include "tests/modem/simlink.h"
#include "tests/support/messageboxes.h"
#include "tests/support/testenv.h"
#include "tests/widgets/modalhelper.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

namespace {

QStringList modeCommands(const ModemSim& sim) {
    return sim.received().filter(QRegularExpression("^AT\\+YSNT="));
}

// The latest mode command the card got; empty while none came yet.
QString lastModeCommand(const ModemSim& sim) {
    const QStringList sent = modeCommands(sim);
    return sent.isEmpty() ? QString() : sent.last();
}

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Fills the profile dialog that opens next and presses OK (`then` runs after).
void fillProfileDialog(const QString& name, const QString& dial,
                       const std::function<void(Config*)>& then = {}) {
    whenModalOpens([=](QWidget* modal) {
        auto* dialog = qobject_cast<Config*>(modal);
        QVERIFY(dialog);
        dialog->configFilenameLineedit->setText(name);
        dialog->udialNumberLineedit->setText(dial);
        dialog->configOK->click();
        if (then)
            then(dialog);
    });
}

} // namespace

class TestSettingsPage : public SimLinkTest {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        comcfg.builtinProfileName = "Tolva Internet";
        comcfg.builtinDialNumber = "*99#";
        comcfg.builtinApn = "internet.tolva.net";
        QVERIFY(startWith("ready"));
    }
    void cleanup() {
        link.reset();
        sim.stop();
        env_.reset();
    }

    void firstStartWritesTheDefaults() {
        CSetting page(nullptr, "setting", link.get());
        QVERIFY(QFile::exists(messageSettingsFile()));
        QCOMPARE(page.validperiodComboBox->currentText(), QString("The longest period"));
        QVERIFY(page.turnoffRadioButton->isChecked());
        QVERIFY(page.AutoButton->isChecked() && page.ThirdGButton->isChecked());
        QCOMPARE(page.sectionStack->currentIndex(), int(CSetting::ConnectionSection));
        QCOMPARE(page.conLineedit->text(), QString("Tolva Internet"));
        QCOMPARE(page.selectedProfile(), QString("Tolva Internet"));
        // The built-in profile is only shown.
        QCOMPARE(page.editButton->text(), QString("View"));
        QVERIFY(!page.deleteButton->isEnabled());
        QVERIFY(!page.config->configOK->isEnabled() &&
                !page.config->udialNumberLineedit->isEnabled());
        QCOMPARE(page.config->APNLineedit->text(), QString("internet.tolva.net"));
        QVERIFY(modeCommands(sim).isEmpty());
    }

    void sectionsApplyAndCancel() {
        MessageSettings stored;
        stored.smsCenter = "+491760000443";
        QVERIFY(writeMessagesSettings(stored));
        CSetting page(nullptr, "setting", link.get());
        QSignalSpy abate(&page, &CSetting::sigAbate);
        page.messageButton->click();
        QCOMPARE(page.sectionStack->currentIndex(), int(CSetting::MessageSection));
        QVERIFY(!page.messageButton->isEnabled() && page.connectButton->isEnabled());
        QVERIFY(!page.smsApplyButton->isEnabled());
        QTest::keyClicks(page.smscenterLineedit, "99");
        QVERIFY(page.smsApplyButton->isEnabled());
        page.alertButton->click(); // every switch disables the Apply buttons
        QVERIFY(!page.smsApplyButton->isEnabled());
        QCOMPARE(abate.count(), 2);
        page.connectAlertCheckBox->click();
        QVERIFY(page.alertApplyButton->isEnabled());

        // Cancel goes back to the connection section and shows the stored number.
        page.messageButton->click();
        QCOMPARE(page.smscenterLineedit->text(), QString("+49176000044399"));
        page.smsCancelButton->click();
        QCOMPARE(page.sectionStack->currentIndex(), int(CSetting::ConnectionSection));
        QCOMPARE(page.smscenterLineedit->text(), stored.smsCenter);
        QVERIFY(page.connectAlertCheckBox->isChecked());
        page.alertCancelButton->click();
        QVERIFY(!page.connectAlertCheckBox->isChecked());

        // Apply writes all three files and tells the user.
        page.messageButton->click();
        page.validperiodComboBox->setCurrentIndex(1);
        page.turnonRadioButton->click();
        MessageBoxes boxes;
        page.smsApplyButton->click();
        QVERIFY(boxes.shown("Settings successful!"));
        QCOMPARE(readMessagesSettings().validPeriod, 1);
        QCOMPARE(readMessagesSettings().deliveReport, 0);
        QVERIFY(!page.smsApplyButton->isEnabled());
    }

    void networkApplySendsOnlyAClickedMode() {
        QVERIFY(writeNetworkSettings({0, 2}));
        CSetting page(nullptr, "setting", link.get());
        page.show();
        QVERIFY(page.ThirdGOnlyButton->isChecked());
        page.networkButton->click();
        MessageBoxes boxes;
        page.AutoButton->click();
        QVERIFY(page.netApplyButton->isEnabled());
        page.netApplyButton->click();
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(modeCommands(sim).isEmpty());
        QCOMPARE(readNetworkSettings().modePerferred, 2);

        page.SecondGButton->click();
        page.netApplyButton->click();
        QTRY_COMPARE(modeCommands(sim), QStringList{"AT+YSNT=0,0,1"});
        QCOMPARE(readNetworkSettings().modePerferred, 1);
        page.netApplyButton->setEnabled(true);
        page.netApplyButton->click(); // the click was sent once
        QTest::qWait(100);
        QCOMPARE(modeCommands(sim).size(), 1);

        // Manual hides the mode preference and offers operator selection.
        page.manualButton->click();
        QVERIFY(!page.modeButtongroup->isVisible() && page.manualSearchButton->isVisible());
        page.netApplyButton->click();
        QCOMPARE(readNetworkSettings().networkSlect, 1);
        // Back to automatic: the modem's own mode is shown.
        page.ThirdGButton->setChecked(true);
        page.AutoButton->click();
        QVERIFY(page.modeButtongroup->isVisible() && !page.manualSearchButton->isVisible());
        QTRY_VERIFY(sim.received().contains("AT+YSNT?"));
        QTRY_VERIFY(page.SecondGButton->isChecked());
        // Cancel shows the stored choice again: manual, which the modem is told.
        page.netCancelButton->click();
        QVERIFY(page.manualButton->isChecked() && !page.modeButtongroup->isVisibleTo(&page));
        QTRY_COMPARE(lastModeCommand(sim), QString("AT+YSNT=0,0,2"));
    }

    void modemModeShown_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("unknown") << -1 << -1 << false << QStringList();
        QTest::newRow("none: given UMTS preferred")
            << 0 << 0 << true << QStringList{"AT+YSNT=0,0,2"};
        QTest::newRow("UMTS preferred") << 1 << 0 << true << QStringList();
        QTest::newRow("GPRS/EDGE only") << 4 << 3 << true << QStringList();
        QTest::newRow("out of range") << 7 << 1 << true << QStringList();
    }
    void modemModeShown() {
        QFETCH(int, mode);
        QFETCH(int, checked);
        QFETCH(bool, enabled);
        QFETCH(QStringList, sent);
        QVERIFY(writeNetworkSettings({0, 1}));
        CSetting page(nullptr, "setting", link.get());
        page.setNetworkSelection(mode);
        QCOMPARE(page.modeButtons->checkedId(), checked);
        QCOMPARE(page.modeButtongroup->isEnabled(), enabled);
        if (!sent.isEmpty())
            QTRY_COMPARE(modeCommands(sim), sent);
        QTest::qWait(50);
        QCOMPARE(modeCommands(sim), sent);
    }

    // Another maker's card: only its own modes are offered, and the one
    // applied is sent in its dialect and kept out of the maker's 0-3.
    void cardModesOffered() {
        using M = NetworkMode;
        link->dialect = Dialect::Standard;
        link->networkModes = {M::Automatic, M::Only4G, M::Only3G};
        CSetting page(nullptr, "setting", link.get());
        page.show();
        page.networkButton->click();
        page.setNetworkModes(link->networkModes, M::Only4G);
        QStringList shown;
        for (QAbstractButton* button : page.modeButtons->buttons())
            if (button->isVisible())
                shown << button->text();
        QCOMPARE(shown, (QStringList{"Automatic", "4G only", "3G only"}));
        QVERIFY(page.findChild<QRadioButton*>("Only4GButton")->isChecked());
        page.findChild<QRadioButton*>("Only3GButton")->click();
        MessageBoxes boxes;
        page.netApplyButton->click();
        QTRY_VERIFY(sim.received().contains("AT+WS46=22"));
        QCOMPARE(readNetworkSettings().modePerferred, 13);
        QVERIFY(modeCommands(sim).isEmpty());

        // A restored backup gives the card the mode kept in it.
        const QString backup = env_->base() + "/modes.dat";
        QVERIFY(page.backupTo(backup));
        page.findChild<QRadioButton*>("Only4GButton")->click();
        page.netApplyButton->click();
        const auto lastWs46 = [this] { return sim.received().filter("AT+WS46=").last(); };
        QTRY_COMPARE(lastWs46(), QString("AT+WS46=28"));
        QVERIFY(page.resumeFrom(backup));
        QTRY_COMPARE(lastWs46(), QString("AT+WS46=22"));
    }

    void profileList() {
        CSetting page(nullptr, "setting", link.get());
        page.show();
        QSignalSpy defaultChanged(&page, &CSetting::sigSetDefaultConnctLabel);
        MessageBoxes boxes;

        // Prefix names: "Net" beside "Net2".
        fillProfileDialog("Net2", "*99***2#");
        page.addButton->click();
        fillProfileDialog("Net", "*99***1#");
        page.addButton->click();
        QCOMPARE(listed(page.conListBox), (QStringList{"Tolva Internet", "Net2", "Net"}));
        QCOMPARE(page.selectedProfile(), QString("Net"));
        QCOMPARE(page.editButton->text(), QString("Edit"));
        QVERIFY(page.deleteButton->isEnabled());

        // A name that is taken is refused and the dialog stays open.
        fillProfileDialog(" Net ", "*99#", [](Config* dialog) {
            QVERIFY(dialog->isVisible());
            dialog->configCancel->click();
        });
        page.addButton->click();
        QVERIFY(boxes.shown("Duplicate Config Filename! Please revise!"));
        QCOMPARE(page.conListBox->count(), 3);

        // Editing "Net" leaves "Net2" alone, and its name can't be changed.
        whenModalOpens([](QWidget* modal) {
            auto* dialog = qobject_cast<Config*>(modal);
            QVERIFY(dialog && !dialog->configFilenameLineedit->isEnabled());
            QCOMPARE(dialog->udialNumberLineedit->text(), QString("*99***1#"));
            dialog->udialNumberLineedit->setText("*99***9#");
            dialog->configOK->click();
        });
        page.editButton->click();
        ProfileRecord net, net2;
        QVERIFY(ProfileStore::loadText("Net", &net) && ProfileStore::loadText("Net2", &net2));
        QCOMPARE(net.phone, QString("*99***9#"));
        QCOMPARE(net2.phone, QString("*99***2#"));

        // The built-in and the default profile can't be deleted.
        page.conListBox->setCurrentRow(0);
        page.deleteButton->setEnabled(true);
        page.deleteButton->click();
        page.conListBox->setCurrentRow(2);
        page.setdefaultButton->click();
        QCOMPARE(defaultChanged.count(), 1);
        QCOMPARE(page.conLineedit->text(), QString("Net"));
        QCOMPARE(ProfileStore::defaultRecordName(), QString("Net"));
        page.deleteButton->click();
        QCOMPARE(boxes.texts().count(MessageBoxes::squeezed(
                     "The file is the default config file, can't be deleted!")),
                 2);
        QCOMPARE(page.conListBox->count(), 3);

        // While connected the default profile is only shown, and stays the default.
        page.setConnectionState(ConnectionState::Connected);
        page.conListBox->setCurrentRow(1);
        page.conListBox->setCurrentRow(2);
        QCOMPARE(page.editButton->text(), QString("View"));
        QVERIFY(!page.config->udialNumberLineedit->isEnabled());
        QVERIFY(!page.setdefaultButton->isEnabled());
        page.setConnectionState(ConnectionState::Disconnected);
        QVERIFY(page.setdefaultButton->isEnabled());

        // Deleting the middle entry selects the one now in its place.
        page.conListBox->setCurrentRow(1);
        page.deleteButton->click();
        QVERIFY(boxes.shown("Are you sure to delete the selected item?"));
        QCOMPARE(listed(page.conListBox), (QStringList{"Tolva Internet", "Net"}));
        QCOMPARE(page.selectedProfile(), QString("Net"));
        QVERIFY(!ProfileStore::loadText("Net2", &net2));
    }

    void profileDialog() {
        QVERIFY(ProfileStore::initializeFile() && ProfileStore::initializeDefaultData());
        Config dialog(nullptr, "newConfig", true, {}, QString());
        dialog.show();
        // A new profile: the name can be typed, the addresses are obtained.
        QVERIFY(dialog.configFilenameLineedit->isEnabled());
        QVERIFY(!dialog.userNameLineedit->isEnabled() && !dialog.askUsernameCheckBox->isEnabled());
        QVERIFY(dialog.obtainDNSRadioButton->isChecked() &&
                !dialog.preferredDNSLineedit->isEnabled());
        QVERIFY(dialog.IPRadioButton->isChecked() && dialog.PAPRadioButton->isChecked());

        QTest::keyClicks(dialog.udialNumberLineedit, "*99#x");
        QCOMPARE(dialog.udialNumberLineedit->text(), QString("*99#"));
        dialog.saveUsernameCheckBox->click();
        QVERIFY(dialog.userNameLineedit->isEnabled() && dialog.askUsernameCheckBox->isEnabled());
        dialog.askUsernameCheckBox->click();
        QTest::keyClicks(dialog.userNameLineedit, "me");
        QTest::keyClicks(dialog.passwordLineedit, "secret");
        dialog.saveUsernameCheckBox->click();
        QVERIFY(!dialog.userNameLineedit->isEnabled() && !dialog.askUsernameCheckBox->isChecked());

        dialog.useDNSRadioButton->click();
        QVERIFY(dialog.preferredDNSLineedit->isEnabled());
        // An address stays as typed (letters are not taken) and is refused
        // on saving when it is none, never changed into another one.
        QTest::keyClicks(dialog.preferredDNSLineedit, "300.1.1.1x");
        QCOMPARE(dialog.preferredDNSLineedit->text(), QString("300.1.1.1"));

        MessageBoxes boxes;
        dialog.configOK->click();
        dialog.configFilenameLineedit->setText("Home");
        dialog.configOK->click();
        dialog.preferredDNSLineedit->setText("10.0.0.30");
        dialog.configOK->click();
        dialog.alterDNSLineedit->setText("1.2.3");
        dialog.configOK->click();
        QCOMPARE(boxes.texts(),
                 (QStringList{MessageBoxes::squeezed("The Config Filename is empty!"),
                              MessageBoxes::squeezed("Invalid Preferred DNS!Please check it!"),
                              MessageBoxes::squeezed("The Alternate DNS is empty!"),
                              MessageBoxes::squeezed("Invalid Alternate DNS!Please check it!")}));
        dialog.alterDNSLineedit->setText("10.0.0.1");
        dialog.configOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.savedName(), QString("Home"));

        // Saved without "Save User name and Password": neither is kept.
        ProfileRecord home;
        QVERIFY(ProfileStore::loadText("Home", &home));
        QVERIFY(home.userName.isEmpty() && home.password.isEmpty());
        QVERIFY(!home.saveUserName && !home.askUserName);
        QVERIFY(home.useDns && !home.obtainDns);
        QCOMPARE(home.preNameserver, QString("10.0.0.30"));
        QCOMPARE(home.deleteEnable, QString("can"));

        // Back to "obtain" clears the addresses.
        Config edit(nullptr, "config", false, {}, "Home");
        QVERIFY(edit.loadText("Home"));
        QVERIFY(!edit.configFilenameLineedit->isEnabled());
        edit.obtainDNSRadioButton->click();
        QVERIFY(edit.preferredDNSLineedit->text().isEmpty() &&
                !edit.preferredDNSLineedit->isEnabled());
    }

    void restoreShowsTheRestoredData() {
        CSetting page(nullptr, "setting", link.get());
        QVERIFY(ProfileStore::saveNewText([] {
            ProfileRecord r;
            r.name = "Work";
            r.phone = "*99#";
            return r;
        }()));
        const QString backup = env_->base() + "/all.dat";
        MessageBoxes boxes;
        QVERIFY(page.backupTo(backup));

        page.initConlist();
        page.conListBox->setCurrentRow(1);
        page.setDefault();
        QCOMPARE(page.conLineedit->text(), QString("Work"));
        page.smscenterLineedit->setText("+4912345");
        page.writeSettings();

        QSignalSpy restored(&page, &CSetting::sigRestored);
        QSignalSpy defaultChanged(&page, &CSetting::sigSetDefaultConnctLabel);
        QVERIFY(page.resumeFrom(backup));
        QCOMPARE(restored.count(), 1);
        QCOMPARE(defaultChanged.count(), 1);
        QCOMPARE(page.conLineedit->text(), QString("Tolva Internet"));
        QVERIFY(page.smscenterLineedit->text().isEmpty());
        QCOMPARE(listed(page.conListBox), (QStringList{"Tolva Internet", "Work"}));
        // The restored mode preference is given to the modem.
        QTRY_COMPARE(lastModeCommand(sim), QString("AT+YSNT=0,0,2"));
        QVERIFY(boxes.shown("Backup successful!") && boxes.shown("Resume successful!"));

        QFile::resize(backup, 100);
        QVERIFY(!page.resumeFrom(backup));
        QVERIFY(boxes.shown("The backup file is damaged or incomplete!"));
    }

private:
    std::unique_ptr<TestEnv> env_;
};

QTEST_MAIN(TestSettingsPage)
#include "test_settingspage.moc"
