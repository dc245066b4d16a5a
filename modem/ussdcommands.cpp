// Service codes (USSD): the request and the end of a session. The network's
// answer comes later, as a notice (SerialThread::ussdNotice).

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "modem/ussdtext.h"

void SerialThread::sendUssd(const AtCaller& caller, const QByteArray& text, AtDone<UssdSent> done) {
    const AtLine line = std::move(AtLine(atCommand(AtCmd::UssdRequest))
                                      .quoted(text.constData())
                                      .text("\",")
                                      .number(kUssdDcs));
    ask(
        caller, AtCmd::UssdRequest, line,
        [](const AtReply& reply) {
            UssdSent sent;
            if (!reply.answered())
                return sent;
            if (repliedOk(reply.text)) {
                sent.outcome = UssdSent::Outcome::Accepted;
                return sent;
            }
            qCDebug(lcModem, "service code refused");
            sent.outcome = UssdSent::Outcome::Refused;
            if (const std::optional<ErrorReport> error = parseErrorReport(reply.text))
                sent.refusal = error->text;
            return sent;
        },
        std::move(done));
}

void SerialThread::cancelUssd(const AtCaller& caller, AtDone<bool> done) {
    ask(
        caller, AtCmd::UssdCancel, AtLine(atCommand(AtCmd::UssdCancel)),
        [](const AtReply& reply) { return repliedOk(reply.text); }, std::move(done));
}
