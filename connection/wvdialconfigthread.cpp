#include "connection/wvdialconfigthread.h"

#include "app/systempaths.h"
#include "connection/childreaper.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

WvdiaConfigThread::WvdiaConfigThread(QObject* owner)
    : QThread(owner), program_(QFile::encodeName(SystemPaths::wvdialProgram())) {}

void WvdiaConfigThread::run() {
    installChildReaper();
    // Everything the child needs is prepared before the fork: between fork
    // and exec only async-signal-safe calls are allowed.
    const char* path = program_.constData();
    char arg0[] = "wvdial";
    char* const argv[] = {arg0, nullptr};
    const char failure[] = "****** call /usr/bin/wvdial: exec failed\n";

    const pid_t pid = fork();
    if (pid < 0) {
        qWarning("Error : the fork call didn't worked: %s", std::strerror(errno));
        pid_.store(-1);
        return;
    }
    if (pid == 0) {
        execv(path, argv);
        (void)!write(STDERR_FILENO, failure, sizeof failure - 1);
        _exit(127);
    }
    watchChild(pid);
    // The child may have ended before it was watched.
    proc_fork(SIGCHLD);
    pid_.store(pid);
    qDebug("child pid is: %i", int(pid));
}
