#include "modem/serialthread.h"

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"

Q_LOGGING_CATEGORY(lcModem, "velto.modem")

SerialThread::SerialThread(QObject* owner)
    : QObject(owner), queue_(transport_), firstByteTimeoutMs(queue_.firstByteMs) {
    connect(&transport_, &AtTransport::notice, this, &SerialThread::takeNotice);
    connect(&transport_, &AtTransport::lost, this, [this] {
        queue_.failAll();
        emit portLost();
    });
    connect(&queue_, &AtQueue::suspended, this, &SerialThread::suspended);
}

SerialThread::~SerialThread() = default;

// --- the port and the queue -------------------------------------------------------

int SerialThread::openPort(const QString& device) {
    queue_.failAll();
    const int fd = transport_.open(device);
    queue_.restart();
    if (fd >= 0)
        queue_.putEchoOn();
    return fd;
}

void SerialThread::closePort() {
    transport_.close();
    queue_.failAll();
}

void SerialThread::setPortNames(const QString& atPort, const QString& modemPort) {
    if (atPort == atPortName_ && modemPort == modemPortName_)
        return;
    atPortName_ = atPort;
    modemPortName_ = modemPort;
    qCDebug(lcModem, "set AT  serial to '%s'", qPrintable(atPortName_));
    qCDebug(lcModem, "set MODEM serial to '%s'", qPrintable(modemPortName_));
    emit portNamesChanged();
}

int SerialThread::send(const AtCaller& caller, AtCmd id, const AtLine& line, AtCompletion done) {
    return queue_.enqueue(caller, line.line(), atCommand(id).budgetSec * 1000, std::move(done));
}

int SerialThread::send(const AtCaller& caller, AtCmd id, AtCompletion done) {
    return send(caller, id, AtLine(atCommand(id)), std::move(done));
}

// --- notices ------------------------------------------------------------------------

void SerialThread::takeNotice(const QByteArray& text) {
    if (const std::optional<UssdNotice> ussd = parseUssdNotice(text))
        emit ussdNotice(*ussd);
    else if (const std::optional<QString> pdu = parseStatusReportNotice(text))
        emit statusReport(*pdu);
    else if (const std::optional<NewMessageNotice> report = parseStoredReportNotice(text))
        emit storedReportNotice(report->storage, report->index);
    else if (const std::optional<NewMessageNotice> message = parseNewMessageNotice(text))
        emit newMessageNotice(message->storage, message->index);
}
