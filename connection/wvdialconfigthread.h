#pragma once

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <sys/types.h>

// Starts the dialer: the thread forks once and the child replaces itself with
// the dialer program (argument 0 "wvdial", no further arguments). The thread
// ends at once; the child runs on and is reaped by the SIGCHLD handler.
class WvdiaConfigThread : public QThread {
    Q_OBJECT
public:
    explicit WvdiaConfigThread(QObject* owner = nullptr);

    // The dialer's process id: 0 until forked, -1 when the fork failed.
    pid_t childPid() const { return pid_.load(); }

protected:
    void run() override;

private:
    const QByteArray program_;
    std::atomic<pid_t> pid_{0};
};
