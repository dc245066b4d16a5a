#include "modem/serialthread.h"

#include "modem/atline.h"
#include "modem/modemlog.h"
#include "modem/protocol/replies.h"

#include <QCoreApplication>

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

std::atomic<int> gWaitSearchOrSelectEnd = 0;
std::atomic<int> gManualSearch = 0;
std::atomic<int> gManualSelect = 0;
int gManualSearchResult = 0;
int gManualSelectResult = 0;
QString gMode;
QString gFormat;
QString gOpt;
QString gAct;
QString gSearchStr;

namespace {

constexpr int kLockPasses = 30; // waiting passes for the at-lock

} // namespace

SerialThread::SerialThread(QObject* owner)
    : QThread(owner), portFd(transport_.fd()), firstByteTimeoutMs(transport_.firstByteTimeoutMs) {
    activeMsgCount = 0;
    connect(&transport_, &AtTransport::notice, this, &SerialThread::takeNotice);
}

SerialThread::~SerialThread() {
    wait();
    if (serialthread == this)
        serialthread = nullptr;
}

// --- port -------------------------------------------------------------------

int SerialThread::openPort(QString device) {
    return transport_.open(device);
}

void SerialThread::usePort(int fd) {
    transport_.use(fd);
}

int SerialThread::closePortNormal(int fd) {
    return transport_.close(fd);
}

int SerialThread::closePortAbnormal(int fd, const char* what, int err) {
    return AtTransport::closeAbnormal(fd, what, err);
}

int SerialThread::writePort(int fd, const char* data, int len) {
    return AtTransport::write(fd, data, len);
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

bool SerialThread::busy() {
    return receive_flag || atLocked();
}

bool SerialThread::excuteAtStr(const char* cmd) {
    if (cmd == nullptr)
        return false;
    // A command started from an event handled inside this object's own wait
    // would write into the middle of the reply being collected.
    if (transport_.receiving()) {
        qCDebug(lcModem, "a reply is being collected, not sending: %s", cmd);
        return false;
    }
    const auto writeLocked = [this, cmd] {
        atLock();
        const int len = static_cast<int>(std::strlen(cmd));
        const bool written = writePort(portFd, cmd, len) == len;
        qCDebug(lcModem, "sent cmd: %s", cmd);
        // A command line is echoed; a message body is not looked for.
        transport_.expectEcho(std::strncmp(cmd, "AT", 2) == 0 ? QByteArrayView(cmd)
                                                              : QByteArrayView());
        atUnlock();
        return written;
    };
    if (!receive_flag && !atLocked())
        return writeLocked();

    for (int pass = 0; pass < kLockPasses; ++pass) {
        // Only the application's thread sends; the worker body never does.
        wait(100);
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
    receive_flag = true;
    // The idle budget in ticks of 100 ms, spent over the whole reply.
    const long long budgetTicks = (static_cast<long long>(sec) * 1000000 + usec) / 100000;
    const int result = transport_.receive(fd, reply, AT_REPLY_SIZE, budgetTicks * 100);
    receive_flag = false;
    return result;
}

// --- purge and new-message notices ------------------------------------------

void SerialThread::purgeComData() {
    transport_.purge();
}

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
    QString notice = QString::fromLatin1(text);
    if (findAtiveMsg(notice) == 1)
        emit newMessageNotice();
}

int SerialThread::findAtiveMsg(QString& text) {
    int recorded = 0;
    for (const QString& params : newMessageNoticeParams(text.toLatin1())) {
        msgData.insert(activeMsgCount, params);
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

int SerialThread::query(AtCmd id, QByteArray& reply) {
    reply.resize(AT_REPLY_SIZE);
    return transact(AtLine(atCommand(id)).line(), reply.data(), atCommand(id).budgetSec);
}

int SerialThread::command(AtCmd id, const AtLine& line) {
    const AtCommand& declared = atCommand(id);
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(line.line(), reply.data(), declared.budgetSec) != 1)
        return declared.map(AT_UNKNOWN);
    return declared.map(Parse_At_Res(reply.data()));
}

int SerialThread::command(AtCmd id) {
    return command(id, AtLine(atCommand(id)));
}

QString SerialThread::textQuery(AtCmd id, const AtLine& line) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(line.line(), reply.data(), atCommand(id).budgetSec) != 1)
        return QString();
    Parse_At_Res(reply.data());
    return QString::fromLatin1(reply.constData());
}

QString SerialThread::textQuery(AtCmd id) {
    return textQuery(id, AtLine(atCommand(id)));
}

int SerialThread::sendCmdAndRec(const char* cmd) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(QByteArray(cmd), reply.data(), AT_BUDGET) != 1)
        return AT_UNKNOWN;
    return Parse_At_Res(reply.data());
}

int SerialThread::sendNULL_ATCmd() {
    QByteArray reply;
    return query(AtCmd::Attention, reply) == 1 ? 1 : -1;
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

// The worker thread never touches the port: a request of the operator
// dialogs is served on the application's thread, and the end is marked there.
void SerialThread::run() {
    qCDebug(lcModem, "enter run......");
    if (gWaitSearchOrSelectEnd != 0)
        return;
    if (gManualSearch || gManualSelect)
        QMetaObject::invokeMethod(this, &SerialThread::serveOperatorRequests, Qt::QueuedConnection);
    else
        gWaitSearchOrSelectEnd = 1;
}

void SerialThread::serveOperatorRequests() {
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
