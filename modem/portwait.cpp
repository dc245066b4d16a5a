#include "modem/portwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

// The application handles its events at least this often while a reply that
// keeps arriving is read (a frame of a 60 Hz display).
constexpr qint64 kLongestTurnMs = 8;

QElapsedTimer& sinceLastTurn() {
    static QElapsedTimer timer;
    return timer;
}

} // namespace

PortWait waitForInputQuietly(int fd, int timeoutMs) {
    return pollFor(fd, POLLIN, timeoutMs < 0 ? 0 : timeoutMs);
}

PortWait waitForOutput(int fd) {
    return pollFor(fd, POLLOUT, -1);
}

PortWait waitForInput(int fd, int timeoutMs) {
    const bool applicationThread = onApplicationThread();
    QElapsedTimer& lastTurn = sinceLastTurn();
    const PortWait now = waitForInputQuietly(fd, 0);
    if (now != PortWait::Timeout || timeoutMs <= 0) {
        if (applicationThread && (!lastTurn.isValid() || lastTurn.elapsed() >= kLongestTurnMs)) {
            QCoreApplication::processEvents();
            lastTurn.start();
        }
        return now;
    }
    if (!applicationThread)
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
    lastTurn.start();
    return waitForInputQuietly(fd, 0);
}
