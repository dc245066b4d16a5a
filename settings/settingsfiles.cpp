#include "settings/settingsfiles.h"

#include "app/globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QtDebug>
#include <functional>
#include <sys/stat.h>

namespace {

const QString NetworkGroup = QStringLiteral("/netWorkSetConfig");
const QString MessageGroup = QStringLiteral("/messageSetConfig");
const QString AlertGroup = QStringLiteral("/alertSetConfig");

// Opens one settings file on its group.
class SettingsFile {
public:
    SettingsFile(const QString& path, const QString& group)
        : settings_(path, QSettings::IniFormat) {
        settings_.beginGroup(group);
    }

    QString text(const QString& key) const { return settings_.value(key).toString(); }
    // `absent` when the file has no such key.
    int number(const QString& key, int absent = 0) const {
        return settings_.contains(key) ? text(key).toInt() : absent;
    }
    void set(const QString& key, const QVariant& value) { settings_.setValue(key, value); }

    bool commit() {
        QDir().mkpath(QFileInfo(settings_.fileName()).absolutePath());
        const ino_t before = inode();
        settings_.sync();
        // A format error is the old file's (a line without "=", a broken
        // section): QSettings still writes the new file, without those
        // lines, but keeps reporting the error, and then no longer reports
        // a failed write. The file was written when a new one replaced it.
        const bool written =
            settings_.status() == QSettings::NoError ||
            (settings_.status() == QSettings::FormatError && inode() != before && inode() != 0);
        if (!written) {
            qWarning() << "can't write" << settings_.fileName();
            return false;
        }
        return true;
    }

private:
    // The file's inode number, 0 when there is none: a written settings
    // file is a new file renamed over the old one.
    ino_t inode() const {
        struct stat st {};
        return ::stat(QFile::encodeName(settings_.fileName()).constData(), &st) == 0 ? st.st_ino
                                                                                     : 0;
    }

    QSettings settings_;
};

} // namespace

QString networkSettingsFile() {
    return dataFile(QStringLiteral("networksetconfigrc"));
}
QString messageSettingsFile() {
    return dataFile(QStringLiteral("messagesetconfigrc"));
}
QString alertSettingsFile() {
    return dataFile(QStringLiteral("alertsetconfigrc"));
}

NetworkSettings readNetworkSettings() {
    const SettingsFile file(networkSettingsFile(), NetworkGroup);
    NetworkSettings s;
    s.networkSlect = file.number("/networkSlect");
    s.modePerferred = file.number("/modePerferred");
    s.monthlyLimitMB = file.number("/monthlyLimitMB");
    s.billingDay = file.number("/billingDay", s.billingDay);
    s.limitDisconnect = file.number("/limitDisconnect");
    return s;
}

QString readDialerChoice() {
    return SettingsFile(networkSettingsFile(), NetworkGroup).text("/dialer");
}

bool writeDialerChoice(const QString& dialer) {
    SettingsFile file(networkSettingsFile(), NetworkGroup);
    file.set("/dialer", dialer);
    return file.commit();
}

MessageSettings readMessagesSettings() {
    const SettingsFile file(messageSettingsFile(), MessageGroup);
    MessageSettings s;
    s.smsCenter = file.text("/smsCenter");
    s.smsLoca = file.number("/smsLoca");
    s.validPeriod = file.number("/validPeriod");
    s.deliveReport = file.number("/deliveReport");
    return s;
}

AlertSettings readAlertSettings() {
    const SettingsFile file(alertSettingsFile(), AlertGroup);
    AlertSettings s;
    s.conAlert = file.text("/conAlert");
    s.disconAlert = file.text("/disconAlert");
    s.smsAlert = file.text("/smsAlert");
    s.connectMute = file.number("/connectMute");
    s.disconnectMute = file.number("/disconnectMute");
    s.smsMute = file.number("/smsMute");
    s.desktopNotices = file.number("/desktopNotices", s.desktopNotices);
    s.closeToTray = file.number("/closeToTray", s.closeToTray);
    return s;
}

bool writeNetworkSettings(const NetworkSettings& s) {
    SettingsFile file(networkSettingsFile(), NetworkGroup);
    file.set("/networkSlect", s.networkSlect);
    file.set("/modePerferred", s.modePerferred);
    file.set("/monthlyLimitMB", s.monthlyLimitMB);
    file.set("/billingDay", s.billingDay);
    file.set("/limitDisconnect", s.limitDisconnect);
    return file.commit();
}

bool writeMessagesSettings(const MessageSettings& s) {
    SettingsFile file(messageSettingsFile(), MessageGroup);
    file.set("/smsCenter", s.smsCenter);
    file.set("/smsLoca", s.smsLoca);
    file.set("/validPeriod", s.validPeriod);
    file.set("/deliveReport", s.deliveReport);
    return file.commit();
}

bool writeAlertSettings(const AlertSettings& s) {
    SettingsFile file(alertSettingsFile(), AlertGroup);
    file.set("/conAlert", s.conAlert);
    file.set("/disconAlert", s.disconAlert);
    file.set("/smsAlert", s.smsAlert);
    file.set("/connectMute", s.connectMute);
    file.set("/disconnectMute", s.disconnectMute);
    file.set("/smsMute", s.smsMute);
    file.set("/desktopNotices", s.desktopNotices);
    file.set("/closeToTray", s.closeToTray);
    return file.commit();
}

void writeMissingSettingsFiles() {
    const std::pair<QString, std::function<bool()>> files[] = {
        {networkSettingsFile(), [] { return writeNetworkSettings(NetworkSettings()); }},
        {messageSettingsFile(), [] { return writeMessagesSettings(MessageSettings()); }},
        {alertSettingsFile(), [] { return writeAlertSettings(AlertSettings()); }},
    };
    for (const auto& [path, writeDefaults] : files) {
        if (!QFileInfo::exists(path))
            writeDefaults();
    }
}

void clearStaleSettingsLocks() {
    for (const QString& path :
         {networkSettingsFile(), messageSettingsFile(), alertSettingsFile()}) {
        const QString lockPath = path + ".lock";
        if (!QFileInfo::exists(lockPath))
            continue;
        // Taking the lock takes over one whose owner is gone; letting go
        // removes the file. A lock that is held stays. A lock file whose
        // writer died before it wrote its owner (empty or cut short) would
        // only count as stale after half a minute, and a settings write
        // would wait that long: it is removed.
        QLockFile lock(lockPath);
        if (lock.tryLock(0)) {
            lock.unlock();
        } else if (qint64 pid = 0; !lock.getLockInfo(&pid, nullptr, nullptr)) {
            QFile::remove(lockPath);
        }
    }
}
