// Puts the settings page's sections, the profile dialog, operator
// selection and a new profile (on the simulated card) on the screen and saves what the screen
// shows, for the README's screenshots (scripts/screenshots runs it on a
// virtual display).
//
//   velto_settingsshots OUTDIR
// writes OUTDIR/settings-<section>.png, OUTDIR/profile-dialog.png,
// OUTDIR/operator-search.png, OUTDIR/operator-selection.png and
// OUTDIR/profile-new.png (a new profile with the APN proposed for the
// simulated SIM), each the main window's rectangle of the screen.

#include "app/globals.h"
#include "app/systempaths.h"
#include "connection/profilestore.h"
#include "connection/ui/config.h"
#include "mainwindow/ui/manualselect.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"
#include "settings/ui/settingmainwindow.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"
#include "tools/screenshots/shots.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

namespace {

// Some profiles and settings to show.
void sampleData() {
    ProfileRecord work;
    work.name = "Office APN";
    work.phone = "*99***1#";
    work.saveUserName = true;
    work.userName = "office";
    work.password = "secret";
    work.obtainApn = false;
    work.useApn = true;
    work.apn = "office.tolva.net";
    work.obtainDns = false;
    work.useDns = true;
    work.preNameserver = "10.20.0.1";
    work.altNameserver = "10.20.0.2";
    ProfileStore::saveNewText(work);
    ProfileRecord travel;
    travel.name = "Travel";
    travel.phone = "*99#";
    travel.apn = "roaming.mirel.net";
    ProfileStore::saveNewText(travel);

    MessageSettings messages;
    messages.smsCenter = "+491760000443";
    writeMessagesSettings(messages);
    AlertSettings alerts;
    alerts.conAlert = "/usr/share/sounds/velto/connected.wav";
    alerts.smsAlert = "/usr/share/sounds/velto/message.ogg";
    alerts.connectMute = 1;
    alerts.smsMute = 1;
    writeAlertSettings(alerts);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString installedProviders = SystemPaths::providerDatabase();
    TestEnv env; // a fresh copy of the data files
    const std::optional<QDir> out = Shots::begin(app, "settingsshots");
    if (!out)
        return 2;
    for (const char* name : {"totalRecord.conf", "defaultRecord.conf", "networksetconfigrc",
                             "messagesetconfigrc", "alertsetconfigrc"})
        QFile::remove(dataFile(name));
    ProfileStore::initializeFile();
    ProfileStore::initializeDefaultData();
    sampleData();

    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    Shots::showCentred(window);
    Shots::settle(600);
    window.slotClickSetButton();
    // As on a card that is ready: the SIM settings can be changed.
    for (QWidget* w : std::initializer_list<QWidget*>{
             window.setting->PINEnableCheckBox, window.setting->changePINButton,
             window.setting->networkButtongroup, window.setting->modeButtongroup,
             window.setting->smscenterLineedit, window.setting->smsLocaComboBox})
        w->setEnabled(true);
    window.setting->conListBox->setCurrentRow(1);
    Shots::settle(300);

    bool ok = Shots::grab(window, out->filePath("settings-connection.png"));
    const std::pair<MyButton*, const char*> sections[] = {
        {window.setting->SecurityButton, "settings-security.png"},
        {window.setting->networkButton, "settings-network.png"},
        {window.setting->messageButton, "settings-messages.png"},
        {window.setting->alertButton, "settings-alerts.png"},
    };
    for (const auto& [button, file] : sections) {
        button->click();
        Shots::settle(300);
        ok = Shots::grab(window, out->filePath(file)) && ok;
    }

    // The network section for an LTE stick of another maker: its own modes.
    window.setting->networkButton->click();
    window.setting->setNetworkModes({NetworkMode::Automatic, NetworkMode::Only4G,
                                     NetworkMode::Preferred4G, NetworkMode::Only3G,
                                     NetworkMode::Only2G},
                                    NetworkMode::Preferred4G);
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("settings-network-lte.png")) && ok;
    window.setting->setNetworkSelection(1);

    window.setting->connectButton->click();
    Config* config = window.setting->config;
    config->loadText("Office APN");
    config->show();
    Shots::settle(400);
    ok = Shots::grab(window, out->filePath("profile-dialog.png")) && ok;
    config->hide();

    // Operator selection on the simulated card.
    ModemSim sim;
    if (!sim.start("lte"))
        return 1;
    SerialThread link;
    // The simulator holds back its echo too while it delays a reply.
    link.firstByteTimeoutMs = 3000;
    if (link.openPort(sim.atPort()) < 0)
        return 1;
    window.setting->networkButton->click();
    // The search takes a moment, as on a real card: time for the wait dialog.
    sim.command({"on", "AT+COPS=?", "delay", "2000"});
    ManualSelect select(&window, "select", false, {}, link);
    select.show();
    Shots::settle(1000);
    ok = Shots::grab(window, out->filePath("operator-search.png")) && ok;
    for (int i = 0; i < 100 && !select.statusLabel->text().endsWith("found."); ++i)
        Shots::settle(100);
    select.table->selectRow(1);
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("operator-selection.png")) && ok;
    select.hide();

    // A new profile on the simulated card, whose SIM's home network is 262 01
    // (Telekom Deutschland and its resellers in the provider database): its
    // internet APNs are proposed.
    QDir().mkpath(QFileInfo(SystemPaths::providerDatabase()).path());
    QFile::copy(QFileInfo::exists(installedProviders)
                    ? installedProviders
                    : TestEnv::source("tests/connection/serviceproviders.xml"),
                SystemPaths::providerDatabase());
    Config fresh(&window, "newConfig", false, {}, QString());
    fresh.configFilenameLineedit->setText("Mobile internet");
    fresh.proposeFromSim(&link);
    fresh.show();
    for (int i = 0; i < 100 && fresh.APNLineedit->text().isEmpty(); ++i)
        Shots::settle(100);
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("profile-new.png")) && ok;
    return ok ? 0 : 1;
}
