#include "connection/dialercontrol.h"

#include "app/systempaths.h"
#include "connection/childreaper.h"
#include "connection/textfile.h"
#include "connection/wvdialconfigthread.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QtDebug>
#include <sys/wait.h>

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
    if (const pid_t pid = dialerPid(); pid > 0)
        recordDialer(pid);
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
    if (thread_) {
        thread_->wait();
        lastPid_ = thread_->childPid();
    }
    thread_.reset();
    forgetRecordedDialer();
}

bool DialerControl::linkUp() {
    return QFileInfo::exists(SystemPaths::pppPidFile());
}

bool DialerControl::killDialer(bool force) {
    const pid_t pid = dialerPid();
    if (pid <= 0)
        return false;
    const QString program = SystemPaths::killProgram();
    QStringList arguments{QString::number(pid)};
    if (force)
        arguments.prepend(QStringLiteral("-KILL"));
    const int result = QProcess::execute(program, arguments);
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

bool DialerControl::lastEndedBySignal() const {
    const std::optional<int> status = exitStatusOf(lastPid_);
    return status && WIFSIGNALED(*status);
}

void recordDialer(pid_t pid) {
    if (!writeFileAtomically(SystemPaths::dialerPidFile(), QByteArray::number(pid) + '\n'))
        qWarning() << "can't record the dialer in" << SystemPaths::dialerPidFile();
}

void forgetRecordedDialer() {
    QFile::remove(SystemPaths::dialerPidFile());
}

pid_t recordedDialerStillRunning() {
    QFile record(SystemPaths::dialerPidFile());
    if (!record.open(QIODevice::ReadOnly))
        return 0;
    const pid_t pid = record.readLine(32).trimmed().toInt();
    if (pid <= 1)
        return 0;
    // Still the dialer: a process of that number that runs something else
    // took the number after the dialer ended.
    QFile commandLine(SystemPaths::procEntry(pid) + "/cmdline");
    if (!commandLine.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray program = commandLine.readAll().split('\0').value(0);
    return program == "wvdial" || program.endsWith("/wvdial") ? pid : 0;
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
