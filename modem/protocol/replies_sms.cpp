// Short-message replies (3GPP TS 27.005, PDU mode).

#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"

#include <cctype>

namespace {

// The PDU on the line that starts at `offset`: hexadecimal digits only (a
// stray quote or blank after them is left off), in upper case.
QString pduAt(QByteArrayView reply, qsizetype offset) {
    QByteArrayView line = lineAt(reply, offset);
    while (!line.isEmpty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '"'))
        line.chop(1);
    if (line.isEmpty())
        return QString();
    for (const char c : line) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return QString();
    }
    return QString::fromLatin1(line).toUpper();
}

// "[<stat>,][<alpha>,]<length>" from `from` on; the length is always the last
// value. Three or more values: status, alpha (may be empty), length (a card
// that puts the index first gives four); two: status and length; one: the
// length alone.
void readStatAlphaLength(const AtFields& fields, qsizetype from, ModemMessage& message) {
    const qsizetype count = fields.size();
    const qsizetype rest = count - from;
    if (rest <= 0)
        return;
    message.length = fields[count - 1].number().value_or(0);
    if (rest >= 3) {
        message.stat = fields[count - 3].number().value_or(-1);
        message.alpha = fields[count - 2].value();
    } else if (rest == 2) {
        message.stat = fields[from].number().value_or(-1);
    }
}

std::optional<int> firstNumber(QByteArrayView reply, QByteArrayView prefix) {
    const std::optional<AnswerLine> line = answerLine(reply, prefix);
    if (!line)
        return std::nullopt;
    return splitAtFields(line->params).value(0).number();
}

} // namespace

QList<StorageUse> parseStorageUse(QByteArrayView reply) {
    QList<StorageUse> storages;
    const std::optional<AnswerLine> line = answerLine(reply, "+CPMS:");
    if (!line)
        return storages;
    const AtFields fields = splitAtFields(line->params);
    const bool named = fields.value(0).kind == AtField::Quoted;
    const qsizetype step = named ? 3 : 2;
    for (qsizetype at = 0; at + step <= fields.size() && storages.size() < 3; at += step) {
        const qsizetype numbers = named ? at + 1 : at;
        const std::optional<int> used = fields[numbers].number();
        const std::optional<int> total = fields[numbers + 1].number();
        if (!used || !total)
            break;
        storages.append({named ? fields[at].value() : QString(), *used, *total});
    }
    return storages;
}

std::optional<int> freeMessagePlaces(QByteArrayView reply) {
    const QList<StorageUse> storages = parseStorageUse(reply);
    if (storages.isEmpty())
        return std::nullopt;
    return storages.last().total - storages.last().used;
}

QList<ModemMessage> parseMessageList(QByteArrayView reply) {
    QList<ModemMessage> messages;
    for (const AnswerLine& line : answerLines(reply, "+CMGL:")) {
        const AtFields fields = splitAtFields(line.params);
        ModemMessage message;
        const std::optional<int> index = fields.value(0).number();
        if (!index)
            continue;
        message.index = *index;
        readStatAlphaLength(fields, 1, message);
        message.pdu = pduAt(reply, line.next);
        if (!message.pdu.isEmpty())
            messages.append(message);
    }
    return messages;
}

std::optional<ModemMessage> parseReadMessage(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CMGR:");
    if (!line)
        return std::nullopt;
    ModemMessage message;
    readStatAlphaLength(splitAtFields(line->params), 0, message);
    message.pdu = pduAt(reply, line->next);
    if (message.pdu.isEmpty())
        return std::nullopt;
    return message;
}

bool readFoundNoMessage(QByteArrayView reply) {
    constexpr int kInvalidIndex = 321;
    if (finalResult(reply) == FinalResult::Ok)
        return !answerLine(reply, "+CMGR:");
    const std::optional<ErrorReport> error = parseErrorReport(reply);
    return error && error->kind == FinalResult::CmsError && error->code == kInvalidIndex;
}

namespace {

// "<prefix> <mem>,<index>", or its parameters alone.
std::optional<NewMessageNotice> storedNotice(QByteArrayView text, QByteArrayView prefix) {
    QByteArrayView params = text;
    if (const std::optional<AnswerLine> line = answerLine(text, prefix))
        params = line->params;
    else
        params = lineAt(text, 0);
    const AtFields fields = splitAtFields(params);
    const std::optional<int> index = fields.value(1).number();
    // Index -1: the message was not stored, there is nothing to fetch.
    if (fields.value(0).value().isEmpty() || !index || *index < 0)
        return std::nullopt;
    return NewMessageNotice{fields[0].value(), *index};
}

} // namespace

std::optional<NewMessageNotice> parseNewMessageNotice(QByteArrayView text) {
    return storedNotice(text, "+CMTI:");
}

std::optional<NewMessageNotice> parseStoredReportNotice(QByteArrayView text) {
    if (!answerLine(text, "+CDSI:"))
        return std::nullopt;
    return storedNotice(text, "+CDSI:");
}

std::optional<QString> parseStatusReportNotice(QByteArrayView text) {
    const std::optional<AnswerLine> line = answerLine(text, "+CDS:");
    if (!line)
        return std::nullopt;
    // PDU mode: "+CDS: <length>" and the PDU on the next line. The text
    // mode's form has its fields on the notice's own line.
    const AtFields fields = splitAtFields(line->params);
    if (fields.size() != 1 || !fields[0].number())
        return std::nullopt;
    const QString pdu = pduAt(text, line->next);
    if (pdu.isEmpty())
        return std::nullopt;
    // Some modems give the TPDU alone, without the service-centre part: the
    // length then counts all of it.
    if (*fields[0].number() == pdu.size() / 2)
        return "00" + pdu;
    return pdu;
}

std::optional<QString> parseDirectMessageNotice(QByteArrayView text) {
    const std::optional<AnswerLine> line = answerLine(text, "+CMT:");
    if (!line)
        return std::nullopt;
    // PDU mode: the length is the last field (the alpha before it may be
    // empty); the text mode's form has more fields and no PDU line.
    const AtFields fields = splitAtFields(line->params);
    const std::optional<int> length = fields.isEmpty() ? std::nullopt : fields.last().number();
    if (fields.size() > 2 || !length)
        return std::nullopt;
    const QString pdu = pduAt(text, line->next);
    if (pdu.isEmpty())
        return std::nullopt;
    return *length == pdu.size() / 2 ? "00" + pdu : pdu;
}

std::optional<StorageChoices> parseStorageChoices(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CPMS:");
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    StorageChoices choices;
    // A bare storage name stands for a list of one.
    for (qsizetype i = 0; i < fields.size() && i < 3; ++i) {
        const AtFields items =
            fields[i].kind == AtField::List ? fields[i].items : AtFields{fields[i]};
        for (const AtField& item : items) {
            const QString name = item.value().trimmed().toUpper();
            if (!name.isEmpty())
                choices[size_t(i)].append(name);
        }
    }
    // A storage use ("SM",3,20,...) is no list of choices.
    if (fields.size() > 3 || (fields.size() == 3 && fields[1].number()))
        return std::nullopt;
    return choices;
}

std::optional<IndicationChoices> parseIndicationChoices(QByteArrayView reply) {
    constexpr int kHighest = 9; // no field takes more
    const std::optional<AnswerLine> line = answerLine(reply, "+CNMI:");
    if (!line)
        return std::nullopt;
    IndicationChoices choices;
    for (const AtField& field : splitAtFields(line->params)) {
        if (field.kind != AtField::List)
            return std::nullopt; // the settings in effect, not the choices
        QList<int> values;
        for (const AtField& item : field.items) {
            const QStringList ends = item.value().split('-');
            bool firstOk = false, lastOk = false;
            const int first = ends.first().trimmed().toInt(&firstOk);
            const int last = ends.last().trimmed().toInt(&lastOk);
            if (!firstOk || !lastOk || ends.size() > 2 || first < 0 || last > kHighest)
                continue;
            for (int v = first; v <= last; ++v)
                values.append(v);
        }
        choices.append(values);
    }
    return choices;
}

std::optional<int> parseMessageReference(QByteArrayView reply) {
    constexpr int kLastReference = 255;
    const std::optional<int> reference = firstNumber(reply, "+CMGS:");
    if (!reference || *reference < 0 || *reference > kLastReference)
        return std::nullopt;
    return reference;
}

std::optional<int> parseMessageFormat(QByteArrayView reply) {
    const std::optional<int> mode = firstNumber(reply, "+CMGF:");
    return mode == 0 || mode == 1 ? mode : std::nullopt;
}

std::optional<int> parseNewMessageStorage(QByteArrayView reply) {
    const std::optional<int> storage = firstNumber(reply, "+YSMSD:");
    return storage && *storage >= 0 && *storage <= 2 ? storage : std::nullopt;
}

std::optional<int> parseStoredIndex(QByteArrayView reply) {
    return firstNumber(reply, "+CMGW:");
}

std::optional<ServiceCentre> parseServiceCentre(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CSCA:");
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    if (fields.isEmpty())
        return std::nullopt;
    return ServiceCentre{fields[0].value(), fields.value(1).number().value_or(-1)};
}
