#include "modem/serialthread.h"

#include "modem/modemlog.h"
#include "modem/portwait.h"
#include "modem/replycollector.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcModem, "velto.modem")

SerialThread* serialthread = nullptr;
bool receive_flag = false;
QMap<int, QString> msgData;
int activeMsgCount = 0;
int unreadMsgCount = 0;
QString theATSerialPortName;
QString theModemSerialPortName;
QString smscent_num;

int gWaitSearchOrSelectEnd = 0;
int gManualSearch = 0;
int gManualSelect = 0;
int gManualSearchResult = 0;
int gManualSelectResult = 0;
QString gMode;
QString gFormat;
QString gOpt;
QString gAct;
QString gSearchStr;

namespace {

constexpr int kByteGapMs = 5;   // gaps up to this long don't count against the budget
constexpr int kTickMs = 100;    // unit of the idle budget
constexpr int kPurgeMs = 2;     // how long a purge waits for input in all
constexpr int kLockPasses = 30; // waiting passes for the at-lock
constexpr int kReadChunk = 4096;

// Clears a flag when the scope ends, whatever the return path.
struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

} // namespace

SerialThread::SerialThread(WTMainWindow* owner) : mainWindow(owner) {
    activeMsgCount = 0;
}

SerialThread::~SerialThread() {
    wait();
}

// --- port -------------------------------------------------------------------

int SerialThread::openPort(QString device) {
    pending_.clear();
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    portFd = fd;
    if (fd < 0)
        return -1;

    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return portFd = closePortAbnormal(fd, "tcgetattr", errno);
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
        tcsetattr(fd, TCSANOW, &tio) != 0)
        return portFd = closePortAbnormal(fd, "tcsetattr", errno);

    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0)
        return portFd = closePortAbnormal(fd, "fcntl", errno);
    return fd;
}

int SerialThread::closePortNormal(int fd) {
    if (fd < 0)
        return 0;
    // Closing the command port forgets it: its number may soon belong to
    // another file, which commands must never write into.
    if (fd == portFd) {
        pending_.clear();
        portFd = -1;
    }
    ::close(fd);
    return 1;
}

int SerialThread::closePortAbnormal(int fd, const char* what, int err) {
    if (fd >= 0)
        ::close(fd);
    qCWarning(lcModem, "%s failed: %s", what ? what : "port", std::strerror(err));
    errno = err;
    return -1;
}

int SerialThread::writePort(int fd, const char* data, int len) {
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

// --- the at-lock and sending -------------------------------------------------

void SerialThread::atLock() {
    atLockFlag = true;
}
void SerialThread::atUnlock() {
    atLockFlag = false;
}
bool SerialThread::atLocked() {
    return atLockFlag;
}

bool SerialThread::excuteAtStr(const char* cmd) {
    if (cmd == nullptr)
        return false;
    // A command started from an event handled inside this object's own wait
    // would write into the middle of the reply being collected.
    if (receiving_) {
        qCDebug(lcModem, "a reply is being collected, not sending: %s", cmd);
        return false;
    }
    const auto writeLocked = [this, cmd] {
        atLock();
        const int len = static_cast<int>(std::strlen(cmd));
        const bool written = writePort(portFd, cmd, len) == len;
        qCDebug(lcModem, "sent cmd: %s", cmd);
        atUnlock();
        return written;
    };
    if (!receive_flag && !atLocked())
        return writeLocked();

    QCoreApplication* app = QCoreApplication::instance();
    for (int pass = 0; pass < kLockPasses; ++pass) {
        if (QThread::currentThread() != this)
            wait(100);
        if (app && QThread::currentThread() == app->thread())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1000);
        if (!atLocked())
            return writeLocked();
    }
    return false;
}

// --- receiving ---------------------------------------------------------------

int SerialThread::resAtStr(int fd, char* reply, int sec, int usec) {
    if (reply)
        std::memset(reply, 0, AT_REPLY_SIZE);
    if (receive_flag)
        return 0;
    if (reply == nullptr)
        return -1;
    FlagGuard receiving(receive_flag);
    FlagGuard own(receiving_);

    const long long budgetTicks = (static_cast<long long>(sec) * 1000000 + usec) / 100000;
    long long idleLeftMs = budgetTicks * kTickMs;
    ReplyCollector collector(AT_REPLY_SIZE - 1);

    // Input kept from before (after the previous final result) comes first.
    if (!pending_.isEmpty()) {
        const QByteArray kept = pending_;
        pending_ = kept.mid(collector.feed(kept));
    }

    const auto fail = [&](const char* why) {
        qCDebug(lcModem, "%s", why);
        qCDebug(lcModem, "****** resAtStr is timerOut, timer_sec=%d, timer_usec=%d, con=%lld", sec,
                usec, idleLeftMs / kTickMs);
        recordNotices(collector.text());
        const QByteArray partial = collector.textBeforeEnd();
        std::memcpy(reply, partial.constData(), static_cast<size_t>(partial.size()));
        qCDebug(lcModem, "****** in resAtStr, pResStr = %s", reply);
        return -1;
    };

    char chunk[kReadChunk];
    QElapsedTimer waited;
    while (!collector.finished()) {
        const bool first = collector.received() == 0;
        const long long allowMs =
            first ? firstByteTimeoutMs : kByteGapMs + std::max(0LL, idleLeftMs);
        waited.start();
        const PortWait state = waitForInput(fd, static_cast<int>(allowMs));
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
        const qsizetype used = collector.feed(chunk, n);
        if (used < n)
            pending_.append(chunk + used, n - used);
    }

    const QByteArray& text = collector.text();
    recordNotices(text);
    std::memcpy(reply, text.constData(), static_cast<size_t>(text.size()));
    qCDebug(lcModem, "****** in resAtStr, timer_sec=%d, timer_usec=%d, con=%lld", sec, usec,
            idleLeftMs / kTickMs);
    qCDebug(lcModem, "****** in resAtStr, pResStr = %s", reply);
    return 1;
}

// --- purge and new-message notices ------------------------------------------

void SerialThread::purgeComData() {
    // While this object collects a reply, the pending input is that reply.
    if (portFd < 0 || receiving_)
        return;
    QByteArray input = pending_;
    pending_.clear();

    QElapsedTimer clock;
    clock.start();
    char chunk[kReadChunk];
    while (input.size() < AT_REPLY_SIZE) {
        const int left = static_cast<int>(std::max<qint64>(0, kPurgeMs - clock.elapsed()));
        if (waitForInputQuietly(portFd, left) != PortWait::Ready)
            break;
        const ssize_t n = ::read(portFd, chunk, sizeof chunk);
        if (n <= 0)
            break;
        input.append(chunk, n);
    }
    if (input.isEmpty())
        return;
    qCDebug(lcModem, "purgeComData:: %s", input.constData());
    recordNotices(input);
}

// A new-message notice can also come in the middle of a reply; it is
// recorded all the same (the reply keeps its text).
void SerialThread::recordNotices(const QByteArray& input) {
    if (input.contains("+CMTI: ")) {
        QString text = QString::fromLatin1(input);
        findAtiveMsg(text);
    }
}

int SerialThread::findAtiveMsg(QString& text) {
    static const QString notice = QStringLiteral("+CMTI: ");
    int recorded = 0;
    for (qsizetype at = text.indexOf(notice); at >= 0; at = text.indexOf(notice, at)) {
        at += notice.size();
        const qsizetype lineEnd = text.indexOf(QLatin1String("\r\n"), at);
        // The notice's parameters: the storage name in double quotes, a comma, the index.
        msgData.insert(activeMsgCount, text.mid(at, lineEnd < 0 ? -1 : lineEnd - at));
        ++activeMsgCount;
        ++unreadMsgCount;
        recorded = 1;
    }
    return recorded;
}

// --- transactions -------------------------------------------------------------

int SerialThread::transact(const QByteArray& cmd, char* reply, int sec) {
    if (cmd.isEmpty()) {
        std::memset(reply, 0, AT_REPLY_SIZE);
        return NotWritten;
    }
    purgeComData();
    if (!excuteAtStr(cmd.constData())) {
        std::memset(reply, 0, AT_REPLY_SIZE);
        return NotWritten;
    }
    return resAtStr(portFd, reply, sec, 0);
}

int SerialThread::simpleCommand(const QByteArray& cmd) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(cmd, reply.data(), AT_BUDGET) != 1)
        return AT_UNKNOWN;
    return Parse_At_Res(reply.data());
}

int SerialThread::sendCmdAndRec(const char* cmd) {
    return simpleCommand(QByteArray(cmd));
}

int SerialThread::sendNULL_ATCmd() {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    return transact("AT\r\n", reply.data(), AT_BUDGET) == 1 ? 1 : -1;
}

int SerialThread::sendBody(const char* pdu, char* reply) {
    if (!excuteAtStr(pdu)) {
        std::memset(reply, 0, AT_REPLY_SIZE);
        return NotWritten;
    }
    return resAtStr(portFd, reply, AT_BUDGET, 0);
}

int SerialThread::sendPDU(const char* pdu) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (sendBody(pdu, reply.data()) != 1)
        return -1;
    return Parse_At_Res(reply.data());
}

// --- worker body ----------------------------------------------------------------

void SerialThread::run() {
    qCDebug(lcModem, "enter run......");
    if (gWaitSearchOrSelectEnd != 0)
        return;
    if (gManualSearch) {
        QByteArray list(AT_REPLY_SIZE, '\0');
        gManualSearchResult = getNetworkList(list.data());
        qCDebug(lcModem, "=========>copy = %s", list.constData());
        gSearchStr = QString::fromLatin1(
            list.constData(), qMin<qsizetype>(qstrlen(list.constData()), GSEARCHSTR_SIZE - 1));
        gManualSearch = 0;
    }
    if (gManualSelect) {
        gManualSelectResult =
            setManualNetworkMode(gMode.toLatin1().constData(), gFormat.toLatin1().constData(),
                                 gOpt.toLatin1().constData(), gAct.toLatin1().constData());
        gMode = gFormat = gOpt = gAct = QString();
        gManualSelect = 0;
    }
    gWaitSearchOrSelectEnd = 1;
}
