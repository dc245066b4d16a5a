#include "modem/modemmanager.h"

#include "app/systempaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

bool isModemManager(const QString& processDir) {
    QFile comm(processDir + "/comm");
    // The kernel keeps at most 15 characters of the name: "ModemManager" fits.
    return comm.open(QIODevice::ReadOnly) && comm.read(64).trimmed() == "ModemManager";
}

} // namespace

QStringList portsHeldByModemManager(const QStringList& ports) {
    // A port may be named through a link (/dev/serial/by-id/...); the kernel
    // names the device itself.
    QHash<QString, QString> portOf;
    for (const QString& port : ports) {
        portOf.insert(port, port);
        const QString device = QFileInfo(port).canonicalFilePath();
        if (!device.isEmpty())
            portOf.insert(device, port);
    }
    QSet<QString> held;
    const QDir proc(SystemPaths::at("/proc"));
    const QStringList pids = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        bool numeric = false;
        pid.toLong(&numeric);
        if (!numeric || !isModemManager(proc.filePath(pid)))
            continue;
        const QDir fds(proc.filePath(pid) + "/fd");
        for (const QFileInfo& fd :
             fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const auto port = portOf.constFind(fd.symLinkTarget());
            if (port != portOf.constEnd())
                held.insert(*port);
        }
    }
    QStringList result;
    for (const QString& port : ports)
        if (held.contains(port) && !result.contains(port))
            result.append(port);
    return result;
}
