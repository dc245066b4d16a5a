#include "modem/serialthread.h"

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"

Q_LOGGING_CATEGORY(lcModem, "velto.modem")

SerialThread::SerialThread(QObject* owner)
    : QObject(owner), queue_(transport_), firstByteTimeoutMs(queue_.firstByteMs) {
    connect(&transport_, &AtTransport::notice, this, &SerialThread::takeNotice);
    connect(&queue_, &AtQueue::notice, this, &SerialThread::takeNotice);
    // Those who listen learn first, so that they can tell the unanswered
    // commands of a card that is gone from those of one that is slow.
    connect(&transport_, &AtTransport::lost, this, [this] {
        emit portLost();
        queue_.failAll();
    });
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
    // The next card is learnt afresh.
    dialect = Dialect::Maker;
    simPhonebookSize = 0;
    simNameLength = 0;
    usimType = SimType::Unknown;
    newPlatform = false;
    messageStores = {};
    gsmNames = false;
    networkModes.clear();
    ws46_ = false;
    preferredOrder_.clear();
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

void SerialThread::send(const AtCaller& caller, AtCmd id, const AtLine& line, AtCompletion done) {
    const AtCommand& command = atCommand(id);
    queue_.enqueue(caller, line.line(), command.budgetSec * 1000, std::move(done), {},
                   command.carriesCodes ? qsizetype(command.line.size()) : -1);
}

void SerialThread::send(const AtCaller& caller, AtCmd id, AtCompletion done) {
    send(caller, id, AtLine(atCommand(id)), std::move(done));
}

// --- notices ------------------------------------------------------------------------

void SerialThread::takeNotice(const QByteArray& text) {
    if (const std::optional<UssdNotice> ussd = parseUssdNotice(text))
        emit ussdNotice(*ussd);
    else if (const std::optional<QString> pdu = parseStatusReportNotice(text))
        emit statusReport(*pdu);
    else if (const std::optional<NewMessageNotice> report = parseStoredReportNotice(text))
        emit storedReportNotice(report->storage, report->index);
    else if (const std::optional<QString> direct = parseDirectMessageNotice(text))
        emit directMessage(*direct);
    // Before the new-message reader, which also takes bare parameters
    // ("SM",3) and so would read a signal report ("csq",5,99) as a message.
    else if (const std::optional<NetworkNotice> network = parseNetworkNotice(text))
        emit networkNotice(*network);
    else if (const std::optional<NewMessageNotice> message = parseNewMessageNotice(text))
        emit newMessageNotice(message->storage, message->index);
}
