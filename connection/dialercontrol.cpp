#include "connection/dialercontrol.h"

#include "app/systempaths.h"
#include "connection/childreaper.h"
#include "connection/textfile.h"
#include "connection/wvdialconfigthread.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QtDebug>

DialerControl::DialerControl() {
    installChildReaper();
}

DialerControl::~DialerControl() {
    if (thread_)
        thread_->wait();
}

bool DialerControl::startDialer() {
    qDebug("======= enter startwvdial ======");
    if (thread_) {
        qDebug("======= exit startwvdial false ======");
        return false;
    }
    thread_ = std::make_unique<WvdiaConfigThread>();
    thread_->start();
    return true;
}

pid_t DialerControl::dialerPid() const {
    logReapedChildren();
    if (!thread_)
        return 0;
    // The thread only forks: it is done a moment after the start.
    thread_->wait();
    return qMax<pid_t>(thread_->childPid(), 0);
}

void DialerControl::forgetDialer() {
    if (thread_)
        thread_->wait();
    thread_.reset();
}

bool DialerControl::linkUp() {
    return QFileInfo::exists(SystemPaths::pppPidFile());
}

bool DialerControl::killDialer() {
    const pid_t pid = dialerPid();
    if (pid <= 0)
        return false;
    const QString program = SystemPaths::killProgram();
    const int result = QProcess::execute(program, {QString::number(pid)});
    qDebug("****** %s %d: result %d", qPrintable(program), int(pid), result);
    return result == 0;
}

bool DialerControl::dialerGone() {
    const pid_t pid = dialerPid();
    if (pid > 0) {
        int status = 0;
        const bool reaped = reapChild(pid, &status);
        logReapedChildren();
        qDebug("****** waitpid, subpid = %d ,stat = %d", int(pid), status);
        // Once reaped, a /proc entry of that number belongs to a new process.
        if (!reaped && QFileInfo::exists(SystemPaths::procEntry(pid)))
            return false;
    }
    forgetDialer();
    return true;
}

ConnectCheck checkConnection(qint64 secondsSinceDial) {
    if (!DialerControl::linkUp())
        return ConnectCheck::LinkNotBuilt;
    if (getAutoDNS() == 0)
        return secondsSinceDial >= 1 && secondsSinceDial <= 59 ? ConnectCheck::WaitForDns
                                                               : ConnectCheck::NoDns;
    if (getAutoDNS() == 1)
        return ConnectCheck::InvalidDns;
    return DialerControl::linkUp() ? ConnectCheck::Connected : ConnectCheck::LinkGone;
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
