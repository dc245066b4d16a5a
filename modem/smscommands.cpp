// Short-message commands of the modem link (3GPP TS 27.005, PDU mode).

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kCtrlZ = 0x1A;

// A message body is hexadecimal text, ended by one Ctrl-Z (added when
// missing). Anything else could end the body early or cancel it.
QByteArray messageBody(const char* pdu) {
    if (pdu == nullptr)
        return QByteArray();
    QByteArray body(pdu);
    if (body.endsWith(kCtrlZ))
        body.chop(1);
    if (body.isEmpty())
        return QByteArray();
    for (const char c : body) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return QByteArray();
    }
    return body + kCtrlZ;
}

} // namespace

int SerialThread::setShortMsgStorageMode(int mode) {
    const char* storages = mode == 0   ? "\"ME\",\"ME\",\"ME\""
                           : mode == 2 ? "\"SR\""
                                       : "\"SM\",\"SM\",\"SM\"";
    return command(AtCmd::SelectStorage, AtLine(atCommand(AtCmd::SelectStorage)).text(storages));
}

int SerialThread::getSmsMem() {
    // No answer says nothing about the storage: unknown, as after an error,
    // never full (a slow modem would have its arrivals refused). Received
    // messages go to the third storage.
    return freeMessagePlaces(query(AtCmd::StorageQuery)).value_or(-1);
}

QString SerialThread::getSmsContent(int stat, int mode) {
    if (stat < 0 || stat > 4)
        return QString();
    setShortMsgStorageMode(mode);
    return textQuery(AtCmd::ListMessages, AtLine(atCommand(AtCmd::ListMessages)).number(stat));
}

QString SerialThread::getIndexSms(const char* index) {
    return textQuery(AtCmd::ReadMessage, AtLine(atCommand(AtCmd::ReadMessage)).arg(index));
}

int SerialThread::deleteSms(int storageMode, int index) {
    const char* where = storageMode == 0 ? "ME" : storageMode == 2 ? "SR" : "SM";
    if (setShortMsgStorageMode(storageMode) != 1) {
        qCDebug(lcModem, "=====Delete SMS from SIM ERROR =====");
        return 0;
    }
    qCDebug(lcModem, "=====CPMS set %s OK =====", where);
    qCDebug(lcModem, "=====the item selected to delete is %d", index);
    const QByteArray cmd = AtLine(atCommand(AtCmd::DeleteMessage)).number(index).line();
    qCDebug(lcModem, "=====deleteSIMsms cmdstring is %s", cmd.constData());
    // Only an "OK" means the message is gone; an error leaves it stored.
    if (repliedOk(transact(cmd, atCommand(AtCmd::DeleteMessage).budgetSec * 1000).text)) {
        qCDebug(lcModem, "=====Delete SMS from SIM OK =====");
        return 1;
    }
    qCDebug(lcModem, "=====Delete SMS from SIM ERROR =====");
    return 0;
}

int SerialThread::deleteSimSMS(int index) {
    return deleteSms(1, index);
}

int SerialThread::deleteMeSMS(int index) {
    return deleteSms(0, index);
}

int SerialThread::deleteStatusReport(int index) {
    return deleteSms(2, index);
}

// The two steps of writing or sending a message: the command, answered by
// the "> " prompt, then the body; `answer` receives the reply to the body.
int SerialThread::sendWithPrompt(const QByteArray& cmd, const char* pdu, QByteArray* answer) {
    const QByteArray body = messageBody(pdu);
    if (cmd.isEmpty() || body.isEmpty())
        return 0;
    const AtReply reply = transact(cmd, AT_BUDGET * 1000, body);
    if (!reply.answered())
        return 0;
    *answer = reply.text;
    return 1;
}

int SerialThread::moveMsgCMGWCmd(int length, int stat, const char* pdu) {
    qCDebug(lcModem, "========== enter moveMsgCMGWCmd =========");
    QByteArray answer;
    const QByteArray cmd =
        AtLine(atCommand(AtCmd::WriteMessage)).number(length).text(",").number(stat).line();
    // The copy is stored only when the modem names its index.
    return sendWithPrompt(cmd, pdu, &answer) == 1 && parseStoredIndex(answer.constData()) &&
                   repliedOk(answer.constData())
               ? 1
               : 0;
}

int SerialThread::sendMsgCMGSCmd(int length, const char* pdu, int* reference) {
    qCDebug(lcModem, "========== enter sendMsgCMGSCmd =========");
    QByteArray answer;
    const QByteArray cmd = AtLine(atCommand(AtCmd::SendMessage)).number(length).line();
    const bool sent = sendWithPrompt(cmd, pdu, &answer) == 1 && repliedOk(answer.constData());
    if (reference)
        *reference = sent ? parseMessageReference(answer.constData()).value_or(-1) : -1;
    return sent ? 1 : 0;
}

int SerialThread::setNewMsgNoticeMode() {
    return command(AtCmd::NewMessageIndication);
}

int SerialThread::getMsgFormat() {
    return command(AtCmd::MessageFormatQuery);
}

int SerialThread::setMsgFormat(int mode) {
    if (mode != 0 && mode != 1)
        return -1;
    return command(AtCmd::SetMessageFormat,
                   AtLine(atCommand(AtCmd::SetMessageFormat)).number(mode));
}

QString SerialThread::get_sms_number() {
    return textQuery(AtCmd::ServiceCentre);
}

int SerialThread::getNewSmsPreferStorage() {
    return command(AtCmd::NewMessageStorageQuery);
}

int SerialThread::setNewSmsPreferNVStorage() {
    return command(AtCmd::SetNewMessageStorage);
}
