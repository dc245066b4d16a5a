#include "tests/modemsim/ptyclient.h"

#include <QDeadlineTimer>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyClient::PtyClient(const QString& path) {
    fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return;
    termios t{};
    tcgetattr(fd_, &t);
    t.c_iflag = IXON | IXOFF;
    t.c_oflag = 0;
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | CLOCAL);
    t.c_cflag |= CS8 | CREAD | HUPCL | CRTSCTS;
    t.c_lflag &= ~(ISIG | ICANON | ECHO | ECHOE | ECHOK);
    for (cc_t& c : t.c_cc)
        c = 0;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    t.c_cc[VMIN] = 1;
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    tcsetattr(fd_, TCSANOW, &t);
}

PtyClient::~PtyClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool PtyClient::write(const QByteArray& bytes) {
    return fd_ >= 0 &&
           ::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
}

bool PtyClient::isFinal(const QByteArray& r) {
    return r.contains("OK\r\n") || r.contains("ERROR\r\n") || r.contains("> ") ||
           r.contains("COMMAND NOT SUPPORT\r\n") || r.contains("CONNECT\r\n") ||
           r.contains("NO CARRIER\r\n") || (r.contains("+CME ERROR:") && r.endsWith("\r\n")) ||
           (r.contains("+CMS ERROR:") && r.endsWith("\r\n"));
}

QByteArray PtyClient::read(const std::function<bool(const QByteArray&)>& done, int timeoutMs) {
    QByteArray out;
    const QDeadlineTimer deadline(timeoutMs);
    while (!done(out) && !deadline.hasExpired()) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
            char buf[65536];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<int>(n));
        }
    }
    return out;
}

QByteArray PtyClient::command(const QByteArray& line, int timeoutMs) {
    return write(line + "\r\n") ? read(isFinal, timeoutMs) : QByteArray();
}

QByteArray PtyClient::answer(const QByteArray& line, int timeoutMs) {
    const QByteArray reply = command(line, timeoutMs);
    return reply.startsWith(line + "\r\n") ? reply.mid(line.size() + 2) : reply;
}

QByteArray PtyClient::readUntil(const QByteArray& until, int timeoutMs) {
    return read([&until](const QByteArray& out) { return out.contains(until); }, timeoutMs);
}

QByteArray PtyClient::readFor(int ms) {
    return read([](const QByteArray&) { return false; }, ms);
}
