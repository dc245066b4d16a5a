#include "modem/attransport.h"

#include "modem/modemlog.h"
#include "modem/serialport.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kReadChunk = 4096;

} // namespace

AtTransport::AtTransport(QObject* parent) : QObject(parent) {}

AtTransport::~AtTransport() {
    close();
}

int AtTransport::open(const QString& device) {
    close();
    const int fd = openSerialPort(device);
    if (fd < 0)
        return -1;
    fd_ = fd;
    failed_ = false;
    framing_.reset();
    reader_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(reader_, &QSocketNotifier::activated, this, &AtTransport::readReady);
    writer_ = new QSocketNotifier(fd_, QSocketNotifier::Write, this);
    writer_->setEnabled(false);
    connect(writer_, &QSocketNotifier::activated, this, &AtTransport::writeReady);
    return fd_;
}

void AtTransport::close() {
    delete reader_;
    delete writer_;
    reader_ = writer_ = nullptr;
    output_.clear();
    framing_.reset();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool AtTransport::write(QByteArrayView bytes) {
    if (fd_ < 0 || failed_)
        return false;
    output_.append(bytes);
    if (!writer_->isEnabled())
        writeReady();
    return !failed_;
}

void AtTransport::writeReady() {
    while (!output_.isEmpty()) {
        const ssize_t n = ::write(fd_, output_.constData(), static_cast<size_t>(output_.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            fail("write");
            return;
        }
        output_.remove(0, n);
    }
    writer_->setEnabled(!output_.isEmpty());
}

void AtTransport::readReady() {
    char chunk[kReadChunk];
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
        return;
    if (n <= 0) {
        // End of file or an error: the device went away (a hang-up).
        fail("read");
        return;
    }
    emit bytesArrived();
    for (const AtEvent& event : framing_.feed(QByteArrayView(chunk, n))) {
        if (event.kind == AtEvent::Notice) {
            qCDebug(lcModem, "notice: %s", event.text.constData());
            emit notice(event.text);
        } else {
            emit line(event.text);
        }
        // A subscriber may have closed the port.
        if (fd_ < 0)
            return;
    }
    if (!framing_.partial().isEmpty())
        emit partialLine(framing_.partial());
}

void AtTransport::fail(const char* what) {
    qCDebug(lcModem, "the port failed (%s): %s", what, std::strerror(errno));
    // A hung-up port stays readable: stop listening, or it would wake the
    // event loop without end.
    failed_ = true;
    reader_->setEnabled(false);
    writer_->setEnabled(false);
    output_.clear();
    // From the event loop: the write that found it out reports it first. A
    // port closed (or opened anew) meanwhile is lost no more.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (failed_ && fd_ >= 0)
                emit lost();
        },
        Qt::QueuedConnection);
}
