// Short-message commands of the modem link (3GPP TS 27.005, PDU mode).

#include "modem/atline.h"
#include "modem/commandutil.h"
#include "modem/modemlog.h"
#include "modem/serialthread.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr char kEsc = 0x1B;

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
    const char* cmd =
        mode == 0 ? "AT+CPMS=\"ME\",\"ME\",\"ME\"\r\n" : "AT+CPMS=\"SM\",\"SM\",\"SM\"\r\n";
    return mapCode(simpleCommand(cmd), {{AT_CPMS_SET_OK, 1}, {AT_CPMS_SET_FAILED, 0}}, -1);
}

int SerialThread::getSmsMem() {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    const int received = transact("AT+CPMS?\r\n", reply.data(), AT_BUDGET);
    if (received == NotWritten)
        return -1;
    if (received != 1)
        return 0;
    QByteArray storage(reply.constData());
    const qsizetype at = storage.indexOf("+CPMS: ");
    if (at < 0)
        return -1;
    storage = storage.mid(at + 7);
    const qsizetype lineEnd = storage.indexOf("\r\n");
    if (lineEnd >= 0)
        storage.truncate(lineEnd);
    // "<mem1>,used,total,<mem2>,used,total,<mem3>,used,total": the third
    // storage is where received messages go.
    const QList<QByteArray> fields = storage.split(',');
    if (fields.size() < 9)
        return -1;
    return fields.at(8).trimmed().toInt() - fields.at(7).trimmed().toInt();
}

QString SerialThread::getSmsContent(int stat, int mode) {
    if (stat < 0 || stat > 4)
        return QString();
    setShortMsgStorageMode(mode);
    return textQuery(AtLine("AT+CMGL=").number(stat).line());
}

QString SerialThread::getIndexSms(const char* index) {
    return textQuery(AtLine("AT+CMGR=").arg(index).line());
}

int SerialThread::deleteSms(int storageMode, int index) {
    const char* where = storageMode == 0 ? "ME" : "SM";
    if (setShortMsgStorageMode(storageMode) != 1) {
        qCDebug(lcModem, "=====Delete SMS from SIM ERROR =====");
        return 0;
    }
    qCDebug(lcModem, "=====CPMS set %s OK =====", where);
    qCDebug(lcModem, "=====the item selected to delete is %d", index);
    const QByteArray cmd = AtLine("AT+CMGD=").number(index).line();
    qCDebug(lcModem, "=====deleteSIMsms cmdstring is %s", cmd.constData());
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    // Only an "OK" means the message is gone; an error leaves it stored.
    if (transact(cmd, reply.data(), AT_BUDGET) == 1 && Parse_At_Res(reply.data()) == AT_OK &&
        answeredOk(reply.constData())) {
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

// The two steps of writing or sending a message: the command, answered by
// the "> " prompt, then the body; `answer` receives the reply to the body.
int SerialThread::sendWithPrompt(const QByteArray& cmd, const char* pdu, QByteArray* answer) {
    const QByteArray body = messageBody(pdu);
    if (cmd.isEmpty() || body.isEmpty())
        return 0;
    purgeComData();
    qCDebug(lcModem, "========== pAtStr: %s =========", cmd.constData());
    if (!excuteAtStr(cmd.constData()))
        return 0;
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    const int received = resAtStr(portFd, reply.data(), AT_BUDGET, 0);
    if (received != 1 || !std::strstr(reply.constData(), "> ")) {
        // No prompt: the modem refused the command, or its prompt is late and
        // would take the next command line as the body. Esc cancels a body.
        if (received != 1) {
            const char cancel = kEsc;
            writePort(portFd, &cancel, 1);
        }
        return 0;
    }
    if (sendBody(body.constData(), reply.data()) != 1)
        return 0;
    *answer = QByteArray(reply.constData());
    return 1;
}

int SerialThread::moveMsgCMGWCmd(int length, int stat, const char* pdu) {
    qCDebug(lcModem, "========== enter moveMsgCMGWCmd =========");
    QByteArray answer;
    const QByteArray cmd = AtLine("AT+CMGW=").number(length).text(",").number(stat).line();
    // The copy is stored only when the modem names its index.
    return sendWithPrompt(cmd, pdu, &answer) == 1 && answer.contains("+CMGW:") &&
                   !answer.contains("ERROR")
               ? 1
               : 0;
}

int SerialThread::sendMsgCMGSCmd(int length, const char* pdu) {
    qCDebug(lcModem, "========== enter sendMsgCMGSCmd =========");
    QByteArray answer;
    const QByteArray cmd = AtLine("AT+CMGS=").number(length).line();
    return sendWithPrompt(cmd, pdu, &answer) == 1 && answeredOk(answer.constData()) ? 1 : 0;
}

int SerialThread::gsmEncodePdu(SM_PARAM* src, char* pdu, QString text, char* ucs2Out) {
    return ::gsmEncodePdu(src, pdu, text, ucs2Out);
}

int SerialThread::gsmSendMessage(SM_PARAM* msg, QString text, int* length, QString* pdu) {
    if (msg == nullptr)
        return 0;
    char encoded[SMS_PDU_TEXT_SIZE + 1] = {};
    const int characters = gsmEncodePdu(msg, encoded, text, nullptr);
    if (characters < 2)
        return 0;
    if (pdu)
        *pdu = QString::fromLatin1(encoded, characters);
    bool ok = false;
    const int scaOctets = QByteArray(encoded, 2).toInt(&ok, 16);
    // The send command counts the octets of the TPDU, without the service centre.
    const int tpduLength = characters / 2 - (scaOctets + 1);
    if (length)
        *length = tpduLength;
    encoded[characters] = kCtrlZ;
    encoded[characters + 1] = '\0';
    qCDebug(lcModem, "pdu===%s", encoded);
    return sendMsgCMGSCmd(tpduLength, encoded);
}

int SerialThread::setNewMsgNoticeMode() {
    return mapCode(simpleCommand("AT+CNMI=3,1,0,2,0\r\n"), {{AT_CNMI_OK, 1}, {AT_CNMI_FAILED, 0}},
                   -1);
}

int SerialThread::getMsgFormat() {
    return mapCode(simpleCommand("AT+CMGF?\r\n"), {{AT_CMGF_PDU, 0}, {AT_CMGF_TEXT, 1}}, -1);
}

int SerialThread::setMsgFormat(int mode) {
    if (mode != 0 && mode != 1)
        return -1;
    return mapCode(simpleCommand(AtLine("AT+CMGF=").number(mode).line()),
                   {{AT_CMGF_SET_OK, 1}, {AT_CMGF_SET_FAILED, 0}}, -1);
}

QString SerialThread::get_sms_number() {
    return textQuery("AT+CSCA?\r\n");
}

int SerialThread::getNewSmsPreferStorage() {
    return mapCode(simpleCommand("AT+YSMSD?\r\n"),
                   {{AT_YSMSD_0, 0}, {AT_YSMSD_1, 1}, {AT_YSMSD_2, 2}}, -1);
}

int SerialThread::setNewSmsPreferNVStorage() {
    return mapCode(simpleCommand("AT+YSMSD=2\r\n"),
                   {{AT_YSMSD_SET_OK, 1}, {AT_YSMSD_SET_FAILED, 0}}, -1);
}
