#include "connection/leftoverconnection.h"

#include "app/systempaths.h"
#include "connection/dialercontrol.h"
#include "connection/dialerfiles.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QtDebug>

namespace {

// Sends `signal` to a process that is not this program's child and waits up
// to `ms` for it to go; true when it has gone.
bool stopProcess(pid_t pid, const char* signal, int ms) {
    QProcess::execute(SystemPaths::killProgram(),
                      {QString::fromLatin1(signal), QString::number(pid)});
    QDeadlineTimer deadline(ms);
    while (QFileInfo::exists(SystemPaths::procEntry(pid))) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

LeftoverConnection restoreLeftoverConnection() {
    if (!DialerFiles::backupsExist()) {
        forgetRecordedDialer();
        return LeftoverConnection::None;
    }
    qWarning("a connection of an earlier run was not taken down: restoring the dialer files");
    if (const pid_t pid = recordedDialerStillRunning(); pid > 0) {
        qWarning("stopping the dialer %d left running", int(pid));
        if (!stopProcess(pid, "-TERM", 3000))
            stopProcess(pid, "-KILL", 1000);
    }
    forgetRecordedDialer();
    DialerFiles files;
    if (!files.recoverConfigData()) {
        qWarning("the dialer files could not be restored");
        return LeftoverConnection::RestoreFailed;
    }
    return LeftoverConnection::Restored;
}
