// Backup and restore on the security section of the settings page.

#include "settings/ui/settingmainwindow.h"

#include "modem/serialthread.h"
#include "settings/backup.h"
#include "settings/networkchoice.h"
#include "settings/settingsfiles.h"
#include "widgets/mymessagebox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

QString folderOr(const QString& folder) {
    return folder.isEmpty() ? QDir::homePath() : folder;
}

} // namespace

void CSetting::backFileSelector() {
    QString path = QFileDialog::getSaveFileName(this, tr("Backup"),
                                                folderOr(backupFolder_) + "/velto-backup.dat",
                                                tr("Backup files (*.dat)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        path += QLatin1String(".dat");
    backupTo(path);
}

void CSetting::resumeFileSelector() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Resume"), folderOr(backupFolder_),
                                                      tr("Backup files (*.dat)"));
    if (path.isEmpty())
        return;
    const QString question =
        tr("The messages, contacts, connection records and settings on this PC will be "
           "replaced by those of the backup. Continue?");
    if (MyMessageBox::queryWithEditer(this, question) == MyMessageBox::Yes)
        resumeFrom(path);
}

bool CSetting::backupTo(const QString& path) {
    QString error;
    if (!Backup::writeBackup(path, &error)) {
        MyMessageBox::warning(this, error);
        return false;
    }
    backupFolder_ = QFileInfo(path).absolutePath();
    MyMessageBox::information(this, tr("Backup successful!"));
    return true;
}

bool CSetting::resumeFrom(const QString& path) {
    QString error;
    if (!Backup::restoreBackup(path, &error)) {
        MyMessageBox::warningWithEditer(this, error);
        return false;
    }
    backupFolder_ = QFileInfo(path).absolutePath();
    // Show what was restored, and give the modem the restored mode preference.
    readSettings();
    const NetworkSettings network = ::readNetworkSettings();
    if (network.networkSlect == 0) {
        // A card of another maker gets its own kind of mode, if the backup
        // holds one and the card offers it.
        const std::optional<NetworkMode> mode = networkModeOfChoice(network.modePerferred);
        if (mode && link_)
            link_->setNetworkMode(this, *mode, nullptr);
        else if (!mode)
            sendModemMode(modemModeOf(network.modePerferred));
    }
    initConlist();
    emit sigSetDefaultConnctLabel();
    emit sigRestored();
    MyMessageBox::information(this, tr("Resume successful!"));
    return true;
}
