#include "modem/portprobe.h"

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialport.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <unistd.h>

struct PortProbe::Port {
    QString name;
    int fd = -1;
    QByteArray input;
    QSocketNotifier* notifier = nullptr;
    enum class State { Waiting, Answering, Answered, Silent } state = State::Waiting;

    ~Port() {
        delete notifier;
        if (fd >= 0)
            ::close(fd);
    }
    bool decided() const { return state == State::Answered || state == State::Silent; }
};

PortProbe::PortProbe(QObject* parent)
    : QObject(parent), firstByte_(new QTimer(this)), answer_(new QTimer(this)) {
    firstByte_->setSingleShot(true);
    answer_->setSingleShot(true);
    connect(firstByte_, &QTimer::timeout, this, &PortProbe::silenceTimeout);
    connect(answer_, &QTimer::timeout, this, [this] {
        for (const auto& port : ports_)
            if (!port->decided())
                port->state = Port::State::Silent;
        finishIfDecided();
    });
}

PortProbe::~PortProbe() = default;

void PortProbe::probe(const QStringList& ports, int firstByteMs,
                      std::function<void(QStringList)> done) {
    ports_.clear();
    done_ = std::move(done);
    running_ = true;
    for (const QString& name : ports) {
        auto port = std::make_unique<Port>();
        port->name = name;
        port->fd = openSerialPort(name);
        if (port->fd < 0 || ::write(port->fd, "AT\r\n", 4) != 4) {
            port->state = Port::State::Silent;
        } else {
            qCDebug(lcModem, "testing port %s", qPrintable(name));
            port->notifier = new QSocketNotifier(port->fd, QSocketNotifier::Read);
            Port* raw = port.get();
            connect(port->notifier, &QSocketNotifier::activated, this, [this, raw] { read(*raw); });
        }
        ports_.push_back(std::move(port));
    }
    firstByte_->start(firstByteMs);
    answer_->start(std::max(firstByteMs, kAnswerMs));
    // Decided from the event loop even when no port could be opened.
    QTimer::singleShot(0, this, &PortProbe::finishIfDecided);
}

void PortProbe::read(Port& port) {
    char chunk[512];
    const ssize_t n = ::read(port.fd, chunk, sizeof chunk);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n <= 0) {
        port.state = Port::State::Silent;
    } else {
        port.input.append(chunk, n);
        port.state = Port::State::Answering;
        for (const QByteArray& line : port.input.split('\n'))
            if (finalResultOfLine(line.trimmed()) == FinalResult::Ok)
                port.state = Port::State::Answered;
    }
    if (port.decided())
        port.notifier->setEnabled(false);
    finishIfDecided();
}

void PortProbe::silenceTimeout() {
    for (const auto& port : ports_)
        if (port->state == Port::State::Waiting)
            port->state = Port::State::Silent;
    finishIfDecided();
}

void PortProbe::finishIfDecided() {
    if (!running_ || !std::all_of(ports_.begin(), ports_.end(),
                                  [](const auto& port) { return port->decided(); }))
        return;
    running_ = false;
    QStringList answering;
    for (const auto& port : ports_)
        if (port->state == Port::State::Answered)
            answering.append(port->name);
    ports_.clear();
    firstByte_->stop();
    answer_->stop();
    qCDebug(lcModem, "ports answering AT: %s", qPrintable(answering.join(", ")));
    if (done_)
        std::exchange(done_, nullptr)(answering);
}
