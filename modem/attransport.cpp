#include "modem/attransport.h"

#include "modem/modemlog.h"
#include "modem/portwait.h"
#include "modem/protocol/notices.h"
#include "modem/replycollector.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kByteGapMs = 5; // gaps up to this long don't count against the budget
constexpr int kPurgeMs = 2;   // how long a purge waits for input in all
constexpr int kReadChunk = 4096;
constexpr qsizetype kPendingLimit = 102400; // input kept for the next purge at most

} // namespace

AtTransport::AtTransport(QObject* parent) : QObject(parent) {
    for (const NoticeKind& kind : kNotices)
        filter_.addPrefix(kind.prefix, kind.followingLines, kind.quotedMayWrap);
}

AtTransport::~AtTransport() {
    watch(false);
}

void AtTransport::addNotice(QByteArrayView prefix, int followingLines) {
    filter_.addPrefix(prefix, followingLines);
}

// --- the port -----------------------------------------------------------------

int AtTransport::open(const QString& device) {
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    use(fd);
    if (fd < 0)
        return -1;

    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return fd_ = closeAbnormal(fd, "tcgetattr", errno);
    tio.c_iflag = IXON | IXOFF;
    tio.c_oflag = 0;
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | CLOCAL);
    tio.c_cflag |= CS8 | CREAD | HUPCL | CRTSCTS;
    tio.c_lflag &= ~(ISIG | ICANON | ECHO | ECHOE | ECHOK);
    std::memset(tio.c_cc, 0, sizeof tio.c_cc);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B115200) != 0 || cfsetospeed(&tio, B115200) != 0 ||
        tcsetattr(fd, TCSANOW, &tio) != 0) {
        use(-1);
        return closeAbnormal(fd, "tcsetattr", errno);
    }

    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        use(-1);
        return closeAbnormal(fd, "fcntl", errno);
    }
    return fd;
}

void AtTransport::use(int fd) {
    if (fd == fd_)
        return;
    watch(false);
    fd_ = fd < 0 ? -1 : fd;
    pending_.clear();
    filter_.reset();
    echoes_ = false;
    watch(true);
}

int AtTransport::close(int fd) {
    if (fd < 0)
        return 0;
    // Closing the command port forgets it: its number may soon belong to
    // another file, which commands must never write into.
    if (fd == fd_)
        use(-1);
    ::close(fd);
    return 1;
}

int AtTransport::closeAbnormal(int fd, const char* what, int err) {
    if (fd >= 0)
        ::close(fd);
    qCWarning(lcModem, "%s failed: %s", what ? what : "port", std::strerror(err));
    errno = err;
    return -1;
}

int AtTransport::write(int fd, const char* data, int len) {
    if (fd < 0 || data == nullptr || len < 0)
        return -1;
    if (waitForOutput(fd) != PortWait::Ready || fd == 0)
        return -1;
    int written = 0;
    while (written < len) {
        const ssize_t n = ::write(fd, data + written, static_cast<size_t>(len - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return written > 0 ? written : -1;
        written += static_cast<int>(n);
    }
    return written;
}

// --- notices and idle input -----------------------------------------------------

QByteArray AtTransport::filtered(const char* data, qsizetype size) {
    QList<QByteArray> notices;
    const QByteArray rest = filter_.feed(QByteArrayView(data, size), &notices);
    for (const QByteArray& text : std::as_const(notices)) {
        qCDebug(lcModem, "notice: %s", text.constData());
        emit notice(text);
    }
    return rest;
}

// The port is watched while no reply is collected, so that a notice is
// delivered the moment it arrives.
void AtTransport::watch(bool on) {
    if (watcher_ && watcher_->socket() != fd_) {
        delete watcher_;
        watcher_ = nullptr;
    }
    if (!watcher_ && on && fd_ >= 0 && QCoreApplication::instance() != nullptr) {
        watcher_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(watcher_, &QSocketNotifier::activated, this, &AtTransport::readWhileIdle);
    }
    if (watcher_)
        watcher_->setEnabled(on && !receiving_);
}

// Commands often come in runs: the watch goes on again once the event loop
// turns, not between the commands of a run.
void AtTransport::rewatchLater() {
    if (rewatchPending_)
        return;
    rewatchPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            rewatchPending_ = false;
            watch(true);
        },
        Qt::QueuedConnection);
}

void AtTransport::readWhileIdle() {
    if (receiving_ || fd_ < 0 || waitForInputQuietly(fd_, 0) != PortWait::Ready)
        return;
    char chunk[kReadChunk];
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n <= 0) {
        // Hang-up or error: the card went away. Stop watching until the next
        // command, which finds out.
        if (n < 0 && errno == EINTR)
            return;
        watch(false);
        return;
    }
    pending_.append(filtered(chunk, n));
    if (pending_.size() > kPendingLimit)
        pending_.remove(0, pending_.size() - kPendingLimit);
}

// --- replies ---------------------------------------------------------------------

void AtTransport::expectEcho(QByteArrayView line) {
    echo_ = line.toByteArray();
    while (echo_.endsWith('\n') || echo_.endsWith('\r'))
        echo_.chop(1);
}

int AtTransport::receive(int fd, char* reply, int capacity, long long budgetMs) {
    // No idle reading while the reply is collected; afterwards the watch
    // goes on.
    struct Receiving {
        AtTransport* t;
        explicit Receiving(AtTransport* transport) : t(transport) {
            t->receiving_ = true;
            t->watch(false);
        }
        ~Receiving() {
            t->receiving_ = false;
            t->rewatchLater();
        }
    } receiving(this);

    // With an echoing modem, a final result before this line's echo belongs
    // to a command that gave up earlier: it is dropped.
    ReplyCollector collector(capacity - 1, echoes_ ? echo_ : QByteArray());
    long long idleLeftMs = budgetMs;

    const auto done = [&](const QByteArray& text) {
        std::memcpy(reply, text.constData(), static_cast<size_t>(text.size()));
        reply[text.size()] = '\0';
    };
    const auto fail = [&](const char* why) {
        qCDebug(lcModem, "%s", why);
        qCDebug(lcModem, "****** resAtStr is timerOut, budget left %lld ms", idleLeftMs);
        done(collector.textBeforeEnd());
        qCDebug(lcModem, "****** in resAtStr, pResStr = %s", reply);
        return -1;
    };

    // Input kept from before (after the previous final result) comes first.
    if (!pending_.isEmpty()) {
        const QByteArray kept = pending_;
        pending_ = kept.mid(collector.feed(kept));
    }

    char chunk[kReadChunk];
    QElapsedTimer waited;
    while (!collector.finished()) {
        const bool first = collector.received() == 0;
        const long long allowMs =
            first ? firstByteTimeoutMs : kByteGapMs + std::max(0LL, idleLeftMs);
        waited.start();
        const PortWait state =
            waitForInput(fd, static_cast<int>(std::min<long long>(allowMs, INT_MAX)));
        if (state == PortWait::Error) {
            qCDebug(lcModem, "select of SerialThread::resAtStr is ko,errno = %d!", errno);
            return fail("reply broken off");
        }
        if (state == PortWait::Timeout)
            return fail(first ? "no reply" : "****** select of SerialThread::resAtStr is timerout");
        if (!first)
            idleLeftMs -= std::max(0LL, waited.elapsed() - kByteGapMs);

        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            return fail("SerialThread::resAtStr() ===> no data to read!");
        }
        const QByteArray bytes = filtered(chunk, n);
        const qsizetype used = collector.feed(bytes);
        if (used < bytes.size())
            pending_.append(bytes.constData() + used, bytes.size() - used);
    }
    if (collector.stale() > 0)
        qCDebug(lcModem, "dropped %d stale final result(s) before the echo", collector.stale());
    if (!echo_.isEmpty() && collector.echoed(echo_))
        echoes_ = true;

    done(collector.text());
    qCDebug(lcModem, "****** in resAtStr, budget left %lld ms", idleLeftMs);
    qCDebug(lcModem, "****** in resAtStr, pResStr = %s", reply);
    return 1;
}

void AtTransport::purge() {
    // While a reply is collected, the pending input is that reply.
    if (fd_ < 0 || receiving_)
        return;
    QByteArray input = pending_;
    pending_.clear();

    QElapsedTimer clock;
    clock.start();
    char chunk[kReadChunk];
    while (input.size() < kPendingLimit) {
        const int left = static_cast<int>(std::max<qint64>(0, kPurgeMs - clock.elapsed()));
        if (waitForInputQuietly(fd_, left) != PortWait::Ready)
            break;
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n <= 0)
            break;
        input.append(filtered(chunk, n));
    }
    if (!input.isEmpty())
        qCDebug(lcModem, "purgeComData:: %s", input.constData());
}
