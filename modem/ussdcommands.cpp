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
    const AtReply answer = transact(cmd, declared.budgetSec * 1000);
    if (!answer.answered())
        return -1;
    const QByteArray& reply = answer.text;
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
    return repliedOk(query(AtCmd::UssdCancel)) ? 1 : 0;
}
