// Answers to service codes (USSD).

#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"

namespace {

// From `start` to the first line end outside double quotes: the answer's
// text may run over line ends inside its quotes.
QByteArrayView lineOutsideQuotes(QByteArrayView text, qsizetype start) {
    bool quoted = false;
    qsizetype end = start;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
    }
    return text.sliced(start, end - start);
}

} // namespace

std::optional<UssdNotice> parseUssdNotice(QByteArrayView text) {
    const std::optional<AnswerLine> line = answerLine(text, "+CUSD:");
    if (!line)
        return std::nullopt;
    const AtFields fields =
        splitAtFields(lineOutsideQuotes(text, line->params.data() - text.data()));
    const std::optional<int> status = fields.value(0).number();
    if (!status || *status < 0 || *status > 5)
        return std::nullopt;
    UssdNotice notice;
    notice.status = *status;
    notice.text = fields.value(1).value().toLatin1();
    notice.dcs = fields.value(2).number().value_or(-1);
    return notice;
}
