#include "modem/serialthread.h"

#include "modem/atline.h"
#include "modem/modemlog.h"
#include "modem/protocol/replies.h"

#include <QEventLoop>

#include <cstring>

Q_LOGGING_CATEGORY(lcModem, "velto.modem")

SerialThread* serialthread = nullptr;
bool receive_flag = false;
QMap<int, QString> msgData;
int activeMsgCount = 0;
int unreadMsgCount = 0;
QString theATSerialPortName;
QString theModemSerialPortName;
QString smscent_num;

SerialThread::SerialThread(QObject* owner)
    : QObject(owner), queue_(transport_), firstByteTimeoutMs(queue_.firstByteMs) {
    activeMsgCount = 0;
    connect(&transport_, &AtTransport::notice, this, &SerialThread::takeNotice);
    connect(&transport_, &AtTransport::lost, this, [this] {
        queue_.failAll();
        emit portLost();
    });
    connect(&queue_, &AtQueue::suspended, this, &SerialThread::suspended);
}

SerialThread::~SerialThread() {
    if (serialthread == this)
        serialthread = nullptr;
}

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

int SerialThread::send(const AtCaller& caller, AtCmd id, const AtLine& line, AtCompletion done) {
    return queue_.enqueue(caller, line.line(), atCommand(id).budgetSec * 1000, std::move(done));
}

int SerialThread::send(const AtCaller& caller, AtCmd id, AtCompletion done) {
    return send(caller, id, AtLine(atCommand(id)), std::move(done));
}

// --- notices ------------------------------------------------------------------------

// The one subscriber of the transport's notices: new messages go to the
// process-wide queue, answers to service codes and status reports to their
// own signals.
void SerialThread::takeNotice(const QByteArray& text) {
    if (const std::optional<UssdNotice> ussd = parseUssdNotice(text)) {
        emit ussdNotice(*ussd);
        return;
    }
    if (const std::optional<QString> pdu = parseStatusReportNotice(text)) {
        emit statusReport(*pdu);
        return;
    }
    if (const std::optional<NewMessageNotice> stored = parseStoredReportNotice(text)) {
        emit storedReportNotice(stored->storage, stored->index);
        return;
    }
    bool recorded = false;
    for (const QString& params : newMessageNoticeParams(text)) {
        msgData.insert(activeMsgCount, params);
        ++activeMsgCount;
        ++unreadMsgCount;
        recorded = true;
    }
    if (recorded)
        emit newMessageNotice();
}

// --- waiting for a reply (the callers move to completions) ----------------------------

AtReply SerialThread::transact(const QByteArray& line, int budgetMs, const QByteArray& body) {
    std::optional<AtReply> reply;
    QEventLoop loop;
    queue_.enqueue(
        {this}, line, budgetMs,
        [&](const AtReply& r) {
            reply = r;
            loop.quit();
        },
        body);
    if (!reply)
        loop.exec();
    return *reply;
}

QByteArray SerialThread::query(AtCmd id) {
    return transact(AtLine(atCommand(id)).line(), atCommand(id).budgetSec * 1000).text;
}

int SerialThread::command(AtCmd id, const AtLine& line) {
    const AtCommand& declared = atCommand(id);
    AtReply reply = transact(line.line(), declared.budgetSec * 1000);
    if (!reply.answered())
        return declared.map(AT_UNKNOWN);
    return declared.map(Parse_At_Res(reply.text.data(), int(reply.text.size()) + 1));
}

int SerialThread::command(AtCmd id) {
    return command(id, AtLine(atCommand(id)));
}

QString SerialThread::textQuery(AtCmd id, const AtLine& line) {
    AtReply reply = transact(line.line(), atCommand(id).budgetSec * 1000);
    if (!reply.answered())
        return QString();
    Parse_At_Res(reply.text.data(), int(reply.text.size()) + 1);
    return QString::fromLatin1(reply.text.constData());
}

QString SerialThread::textQuery(AtCmd id) {
    return textQuery(id, AtLine(atCommand(id)));
}

int SerialThread::sendNULL_ATCmd() {
    return transact(AtLine(atCommand(AtCmd::Attention)).line(), AT_BUDGET * 1000).answered() ? 1
                                                                                             : -1;
}
