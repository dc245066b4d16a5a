#include "connection/dialerfiles.h"

#include "app/systempaths.h"
#include "connection/profilerecord.h"
#include "connection/profilestore.h"
#include "connection/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <array>
#include <utility>

namespace {

const char* const OpenError = "open file operation error!";

bool fail(QString* error, const char* text) {
    if (error)
        *error = QString::fromLatin1(text);
    return false;
}

// The four live files and their backups (under the current system root).
std::array<std::pair<QString, QString>, 4> liveAndBackup() {
    return {{
        {SystemPaths::wvdialConf(), SystemPaths::wvdialConfBackup()},
        {SystemPaths::pppOptions(), SystemPaths::pppOptionsBackup()},
        {SystemPaths::resolvConf(), SystemPaths::resolvConfBackup()},
        {SystemPaths::peersWvdial(), SystemPaths::peersWvdialBackup()},
    }};
}

QString lastCharacter(const QString& text) {
    return text.isEmpty() ? QString() : text.right(1);
}

QString commentedUnless(bool active, const QString& line) {
    return active ? line : '#' + line;
}

} // namespace

QString dealStr(const QString& str, const QString& key) {
    return str.size() > key.size() ? str.mid(key.size()) : QString();
}

bool copyConfigFile(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        qWarning() << "can't read" << from;
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    return writeFileAtomically(to, bytes, filePermissions(from), from);
}

bool DialerFiles::saveConfigData() {
    for (const auto& [live, backup] : liveAndBackup()) {
        if (QFileInfo::exists(backup)) {
            qWarning() << "keeping the earlier backup" << backup;
            continue;
        }
        if (!copyConfigFile(live, backup))
            return false;
    }
    return true;
}

bool DialerFiles::recoverConfigData() {
    bool found = false;
    bool copied = true;
    for (const auto& [live, backup] : liveAndBackup()) {
        if (!QFileInfo::exists(backup))
            continue;
        found = true;
        copied = copyConfigFile(backup, live) && copied;
    }
    if (!found || !copied)
        return false;
    deleteTmpFile();
    return true;
}

bool DialerFiles::backupsExist() {
    for (const auto& [live, backup] : liveAndBackup()) {
        if (QFileInfo::exists(backup))
            return true;
    }
    return false;
}

void DialerFiles::deleteTmpFile() {
    for (const auto& [live, backup] : liveAndBackup()) {
        if (QFileInfo::exists(backup))
            QFile::remove(backup);
    }
}

bool DialerFiles::readDeafaultConfigData(const QString& modemPort, QString* error) {
    peerDns = false;
    chap = false;
    askOn = false;
    builtinMarker = QString();

    QStringList lines;
    // A default record without a fields line would dial nothing.
    if (!readTextLines(ProfileStore::defaultRecordFilePath(), &lines) || lines.isEmpty() ||
        !ProfileFormat::isFieldsLine(lines.first()))
        return fail(error, "Can't open deault config file!");

    const QString preKey = QStringLiteral("preNameserver ");
    const QString altKey = QStringLiteral("altNameserver ");
    for (const QString& part : lines.first().split(ProfileFormat::Separator, Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1String("Phone = ")))
            dialLine = part;
        if (part.startsWith(QLatin1String("Username = ")))
            userLine = part;
        if (part.startsWith(QLatin1String("Password = ")))
            passwordLine = part;
        if (part.startsWith(preKey))
            preferredDns = part.mid(preKey.size());
        if (part.startsWith(altKey))
            alternateDns = part.mid(altKey.size());
        if (part.startsWith(QLatin1String("save user name = ")))
            saveFlag = lastCharacter(part);
        if (part.startsWith(QLatin1String("ask user name = ")))
            askFlag = lastCharacter(part);
        if (part.startsWith(QLatin1String("obtain DNS = 1")))
            peerDns = true;
        if (part.startsWith(QLatin1String("CHAP modal = 1")))
            chap = true;
        if (part.startsWith(QLatin1String("ask user name = 1")))
            askOn = true;
        if (part.startsWith(QLatin1String("config file name = Ravo")))
            builtinMarker = QStringLiteral("Ravo");
    }

    const bool saved = saveFlag != QLatin1String("0");
    QStringList wvdial = {QStringLiteral("[Dialer Defaults]"), dialLine};
    if (saved)
        wvdial << userLine << passwordLine;
    else
        wvdial << QStringLiteral("Username = Ravo") << QStringLiteral("Password = QXW");
    wvdial << QStringLiteral("Stupid Mode = 1") << QStringLiteral("Dial Command = ATDT")
           << "Modem = " + modemPort << QStringLiteral("Baud = 115200")
           << QStringLiteral("Init = ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0")
           << QStringLiteral("ISDN = 0") << QStringLiteral("Auto Reconnect = off")
           << QStringLiteral("Modem Type = Analog Modem");
    const QString wvdialPath = SystemPaths::wvdialConf();
    if (!writeFileAtomically(wvdialPath, crlfText(wvdial), secretFilePermissions(wvdialPath)))
        return fail(error, OpenError);

    const QString usepeerdns = commentedUnless(peerDns, QStringLiteral("usepeerdns"));
    QStringList options = {modemPort,
                           QStringLiteral("115200"),
                           QStringLiteral("debug"),
                           QStringLiteral("noauth"),
                           QStringLiteral("noipdefault"),
                           QStringLiteral("defaultroute"),
                           usepeerdns,
                           QStringLiteral("crtscts"),
                           QStringLiteral("lock"),
                           QStringLiteral("kdebug 4 "),
                           QStringLiteral("-detach "),
                           QStringLiteral("lcp-echo-failure 4 "),
                           QStringLiteral("lcp-echo-interval 30 "),
                           QStringLiteral("lcp-max-configure 20 "),
                           QStringLiteral("lcp-max-failure 20 "),
                           QStringLiteral("ipcp-max-failure 20 "),
                           QStringLiteral("ipcp-max-configure 20 "),
                           QStringLiteral("-ccp"),
                           QStringLiteral("-vj"),
                           QStringLiteral("mtu 1272"),
                           QStringLiteral("mru 1272")};
    for (const char* refuse : {"refuse-chap", "refuse-mschap", "refuse-mschap-v2", "refuse-eap"})
        options << commentedUnless(!chap, QString::fromLatin1(refuse));
    if (saveFlag == QLatin1String("1"))
        options << "name " + userLine.mid(11) << QStringLiteral("show-password");
    else
        options << QStringLiteral("#name") << QStringLiteral("#show-password");
    if (!writeFileAtomically(SystemPaths::pppOptions(), crlfText(options)))
        return fail(error, OpenError);

    const QStringList peers = {QStringLiteral("noipdefault"),
                               QStringLiteral("ipcp-accept-local"),
                               QStringLiteral("ipcp-accept-remote"),
                               QStringLiteral("defaultroute"),
                               QStringLiteral("debug"),
                               QStringLiteral("noauth"),
                               usepeerdns,
                               QStringLiteral("#lcp-echo-failure 0"),
                               QStringLiteral("#lcp-echo-interval 0")};
    if (!writeFileAtomically(SystemPaths::peersWvdial(), crlfText(peers)))
        return fail(error, OpenError);
    return true;
}

bool DialerFiles::saveManualDNS(QString* error) {
    // Plain line ends: the resolver would take a CR as part of the address.
    const QByteArray text =
        ("nameserver " + preferredDns + "\nnameserver " + alternateDns + "\n").toUtf8();
    if (!writeFileAtomically(SystemPaths::resolvConf(), text))
        return fail(error, OpenError);
    const QString peerFile = QFileInfo::exists(SystemPaths::pppResolvConf())
                                 ? SystemPaths::pppResolvConf()
                                 : SystemPaths::resolvconfRunResolvConf();
    return writeFileAtomically(peerFile, text) || fail(error, OpenError);
}
