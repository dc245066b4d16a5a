// SIM phonebook replies (3GPP TS 27.007 "+CPBR", "+CPBS", and the card's
// extended "+YCPBR").

#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"

std::optional<PhonebookRange> parsePhonebookRange(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CPBR:");
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    const AtField range = fields.value(0);
    if (range.kind != AtField::List)
        return std::nullopt;
    const QString first = range.text.section('-', 0, 0).trimmed();
    const QString last = range.text.section('-', 1, 1).trimmed();
    bool firstOk = false;
    bool lastOk = false;
    PhonebookRange result;
    result.first = first.toInt(&firstOk);
    result.last = last.toInt(&lastOk);
    if (!firstOk || !lastOk)
        return std::nullopt;
    result.numberLength = fields.value(1).number().value_or(-1);
    result.nameLength = fields.value(2).number().value_or(-1);
    return result;
}

QList<PhonebookEntry> parsePhonebookEntries(QByteArrayView reply, PhonebookForm form) {
    QList<PhonebookEntry> entries;
    const bool standard = form == PhonebookForm::Standard;
    for (const AnswerLine& line : answerLines(reply, standard ? "+CPBR:" : "+YCPBR:")) {
        const AtFields fields = splitAtFields(line.params);
        const std::optional<int> index = fields.value(0).number();
        // The test form's "(1-250)" is no entry.
        if (!index)
            continue;
        PhonebookEntry entry;
        entry.index = *index;
        entry.number = fields.value(1).value();
        if (standard) {
            entry.type = fields.value(2).number().value_or(-1);
            entry.name = fields.value(3).value();
        } else {
            entry.name = fields.value(2).value();
        }
        entries.append(entry);
    }
    return entries;
}

std::optional<PhonebookStorage> parsePhonebookStorage(QByteArrayView reply) {
    const std::optional<AnswerLine> line = answerLine(reply, "+CPBS:");
    if (!line)
        return std::nullopt;
    const AtFields fields = splitAtFields(line->params);
    if (fields.value(0).value().isEmpty())
        return std::nullopt;
    return PhonebookStorage{fields[0].value(), fields.value(1).number().value_or(-1),
                            fields.value(2).number().value_or(-1)};
}
