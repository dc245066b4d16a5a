// Service codes (USSD): the request and the end of a session. The network's
// answer comes later, as a notice (SerialThread::ussdNotice).

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "modem/ussdtext.h"

int SerialThread::sendUssd(const QByteArray& text, QString* refusal) {
    const AtCommand& declared = atCommand(AtCmd::UssdRequest);
    const QByteArray cmd =
        AtLine(declared).quoted(text.constData()).text("\",").number(kUssdDcs).line();
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(cmd, reply.data(), declared.budgetSec) != 1)
        return -1;
    if (repliedOk(reply.constData()))
        return 1;
    if (refusal) {
        const std::optional<ErrorReport> error = parseErrorReport(reply.constData());
        *refusal = error ? error->text : QString();
    }
    qCDebug(lcModem, "service code refused");
    return 0;
}

int SerialThread::cancelUssd() {
    QByteArray reply;
    return query(AtCmd::UssdCancel, reply) == 1 && repliedOk(reply.constData()) ? 1 : 0;
}
