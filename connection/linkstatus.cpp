#include "connection/linkstatus.h"

#include "app/systempaths.h"
#include "app/textfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <QtDebug>

bool linkUp() {
    return QFileInfo::exists(SystemPaths::pppPidFile());
}

qint64 linkUpForMs() {
    const QFileInfo pidFile(SystemPaths::pppPidFile());
    if (!pidFile.exists())
        return 0;
    return std::max<qint64>(0, pidFile.lastModified().msecsTo(QDateTime::currentDateTime()));
}

ConnectCheck checkConnection(qint64 secondsSinceDial, bool peerDns) {
    if (!linkUp())
        return ConnectCheck::LinkNotBuilt;
    if (!peerDns)
        return ConnectCheck::Connected;
    if (getAutoDNS() == 0)
        return secondsSinceDial >= 1 && secondsSinceDial <= 59 ? ConnectCheck::WaitForDns
                                                               : ConnectCheck::NoDns;
    if (getAutoDNS() == 1)
        return ConnectCheck::InvalidDns;
    return linkUp() ? ConnectCheck::Connected : ConnectCheck::LinkGone;
}

int getAutoDNS() {
    qDebug("======= enter getAutoDNS ======");
    QStringList lines;
    if (!readTextLines(SystemPaths::pppResolvConf(), &lines)) {
        qDebug("======= getAutoDNS FALSE! ppp resolv.conf open fail!======");
        return 0;
    }
    // "nameserver " is 11 characters.
    const QString address = lines.value(0).mid(11).trimmed();
    qDebug("======= str:%s len:%d======", qPrintable(address), int(address.size()));
    if (address.isEmpty()) {
        qDebug("======= getAutoDNS FALSE! DNS is null !======");
        return 0;
    }
    qDebug("======= getAutoDNS OK! ======");
    return validateAutoDNS(address) ? 2 : 1;
}

bool validateAutoDNS(const QString& address) {
    if (address.isEmpty())
        return false;
    if (address.startsWith(QLatin1String("10.11")) || address.startsWith(QLatin1String("192.168")))
        return false;
    if (address.startsWith(QLatin1String("172."))) {
        const int second = address.section('.', 1, 1).toInt();
        if (second >= 16 && second <= 31)
            return false;
    }
    return true;
}
