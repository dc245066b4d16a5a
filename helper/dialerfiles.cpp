#include "helper/dialerfiles.h"

#include "app/atomicfile.h"
#include "app/systempaths.h"
#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <array>
#include <utility>

namespace {

// The live files wvdial reads and their backups.
std::array<std::pair<QString, QString>, 3> liveAndBackup() {
    return {{
        {SystemPaths::wvdialConf(), SystemPaths::wvdialConfBackup()},
        {SystemPaths::pppOptions(), SystemPaths::pppOptionsBackup()},
        {SystemPaths::peersWvdial(), SystemPaths::peersWvdialBackup()},
    }};
}

QString commentedUnless(bool active, const QString& line) {
    return active ? line : '#' + line;
}

// Without a saved account the dialers get these stand-ins.
QString userOf(const DialRequest& r) {
    return r.saveUser ? r.user : QStringLiteral("Ravo");
}
QString passwordOf(const DialRequest& r) {
    return r.saveUser ? r.password : QStringLiteral("QXW");
}

// A value in double quotes as pppd's option files read it.
QString quoted(const QString& value) {
    QString escaped = value;
    escaped.replace('\\', QLatin1String("\\\\")).replace('"', QLatin1String("\\\""));
    return '"' + escaped + '"';
}

const QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QFileDevice::Permissions Public = OwnerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;

} // namespace

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

namespace DialerFiles {

QStringList wvdialConf(const DialRequest& r) {
    QStringList lines = {QStringLiteral("[Dialer Defaults]"), "Phone = " + r.phone,
                         "Username = " + userOf(r), "Password = " + passwordOf(r)};
    lines << QStringLiteral("Stupid Mode = 1") << QStringLiteral("Dial Command = ATDT")
          << "Modem = " + r.port << QStringLiteral("Baud = 115200")
          << QStringLiteral("Init = ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0")
          << QStringLiteral("ISDN = 0") << QStringLiteral("Auto Reconnect = off")
          << QStringLiteral("Modem Type = Analog Modem");
    // wvdial asks the peer for its servers unless told not to.
    if (!r.peerDns)
        lines << QStringLiteral("Auto DNS = off");
    return lines;
}

QStringList pppOptions(const DialRequest& r) {
    QStringList lines = {r.port,
                         QStringLiteral("115200"),
                         QStringLiteral("debug"),
                         QStringLiteral("noauth"),
                         QStringLiteral("noipdefault"),
                         QStringLiteral("defaultroute"),
                         commentedUnless(r.peerDns, QStringLiteral("usepeerdns")),
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
        lines << commentedUnless(!r.chap, QString::fromLatin1(refuse));
    if (r.saveUser)
        lines << "name " + r.user << QStringLiteral("show-password");
    else
        lines << QStringLiteral("#name") << QStringLiteral("#show-password");
    return lines;
}

QStringList wvdialPeer(const DialRequest& r) {
    // "ipparam velto" marks the link for the DNS hooks.
    return {QStringLiteral("noipdefault"),
            QStringLiteral("ipcp-accept-local"),
            QStringLiteral("ipcp-accept-remote"),
            QStringLiteral("defaultroute"),
            QStringLiteral("debug"),
            QStringLiteral("noauth"),
            commentedUnless(r.peerDns, QStringLiteral("usepeerdns")),
            QStringLiteral("#lcp-echo-failure 0"),
            QStringLiteral("#lcp-echo-interval 0"),
            QStringLiteral("ipparam velto")};
}

QStringList pppdOptions(const DialRequest& r) {
    // pppd hands the connect line to the shell: the dial number, of the
    // dialog's characters only, goes in single quotes.
    QStringList lines = {r.port, "user " + quoted(userOf(r)), "password " + quoted(passwordOf(r)),
                         "connect " + quoted(SystemPaths::chatProgram() + " -v -f " +
                                             SystemPaths::chatScript() + " -T '" + r.phone + "'")};
    if (r.peerDns)
        lines << QStringLiteral("usepeerdns");
    if (r.chap)
        lines << QStringLiteral("refuse-pap");
    else
        lines << QStringLiteral("refuse-chap") << QStringLiteral("refuse-mschap")
              << QStringLiteral("refuse-mschap-v2") << QStringLiteral("refuse-eap");
    return lines;
}

bool backUp(const DialRequest& request) {
    if (request.dialer == Dialer::Pppd)
        return true;
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

bool write(const DialRequest& r) {
    if (!QDir().mkpath(SystemPaths::runDir()))
        return false;
    if (!r.peerDns) {
        QByteArray servers = r.dns1.toUtf8() + '\n';
        if (!r.dns2.isEmpty())
            servers += r.dns2.toUtf8() + '\n';
        if (!writeFileAtomically(SystemPaths::fixedDnsFile(), servers, Public))
            return false;
    }
    if (r.dialer == Dialer::Pppd)
        return writeFileAtomically(SystemPaths::pppdOptionsFile(),
                                   (pppdOptions(r).join('\n') + '\n').toUtf8(), OwnerOnly);
    const QString wvdial = SystemPaths::wvdialConf();
    return writeFileAtomically(wvdial, crlfText(wvdialConf(r)), secretFilePermissions(wvdial)) &&
           writeFileAtomically(SystemPaths::pppOptions(), crlfText(pppOptions(r))) &&
           writeFileAtomically(SystemPaths::peersWvdial(), crlfText(wvdialPeer(r)));
}

Restore restore() {
    bool found = false;
    bool copied = true;
    for (const auto& [live, backup] : liveAndBackup()) {
        if (!QFileInfo::exists(backup))
            continue;
        found = true;
        copied = copyConfigFile(backup, live) && copied;
    }
    if (!copied)
        return Restore::Failed;
    for (const auto& [live, backup] : liveAndBackup())
        QFile::remove(backup);
    for (const QString& own : {SystemPaths::pppdOptionsFile(), SystemPaths::fixedDnsFile()})
        found = QFile::remove(own) || found;
    return found ? Restore::Restored : Restore::Nothing;
}

bool backupsExist() {
    for (const auto& [live, backup] : liveAndBackup()) {
        if (QFileInfo::exists(backup))
            return true;
    }
    return false;
}

} // namespace DialerFiles
