#include "modem/serialport.h"

#include "modem/modemlog.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

int failed(int fd, const char* what) {
    const int err = errno;
    ::close(fd);
    qCWarning(lcModem, "%s failed: %s", what, std::strerror(err));
    errno = err;
    return -1;
}

} // namespace

int openSerialPort(const QString& device) {
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;

    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return failed(fd, "tcgetattr");
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
        return failed(fd, "tcsetattr");
    return fd;
}
