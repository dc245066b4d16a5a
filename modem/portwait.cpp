#include "modem/portwait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <poll.h>

namespace {

PortWait pollFor(int fd, short events, int timeoutMs) {
    if (fd < 0) {
        errno = EBADF;
        return PortWait::Error;
    }
    pollfd p{fd, events, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return PortWait::Error;
    if (r == 0)
        return PortWait::Timeout;
    if (p.revents & POLLNVAL) {
        errno = EBADF;
        return PortWait::Error;
    }
    // A hang-up or error is reported as ready: the read or write that follows
    // then fails and tells why.
    return PortWait::Ready;
}

bool onApplicationThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

PortWait waitForInputQuietly(int fd, int timeoutMs) {
    return pollFor(fd, POLLIN, timeoutMs < 0 ? 0 : timeoutMs);
}

PortWait waitForOutput(int fd) {
    return pollFor(fd, POLLOUT, -1);
}

PortWait waitForInput(int fd, int timeoutMs) {
    const PortWait now = waitForInputQuietly(fd, 0);
    if (now != PortWait::Timeout || timeoutMs <= 0)
        return now;
    if (!onApplicationThread())
        return waitForInputQuietly(fd, timeoutMs);

    QEventLoop loop;
    QSocketNotifier notifier(fd, QSocketNotifier::Read);
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    loop.exec();
    return waitForInputQuietly(fd, 0);
}
