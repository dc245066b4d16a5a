// Final results, identity, SIM, status and network replies.

#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"

#include <cctype>

namespace {

QByteArrayView trimmedLine(QByteArrayView line) {
    while (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t'))
        line = line.sliced(1);
    while (!line.isEmpty() && (line.back() == ' ' || line.back() == '\t'))
        line.chop(1);
    return line;
}

} // namespace

FinalResult finalResultOfLine(QByteArrayView line) {
    const QByteArrayView text = trimmedLine(line);
    if (text == "OK")
        return FinalResult::Ok;
    if (text == "ERROR")
        return FinalResult::Error;
    if (text.startsWith("+CME ERROR"))
        return FinalResult::CmeError;
    if (text.startsWith("+CMS ERROR"))
        return FinalResult::CmsError;
    if (text == "NO CARRIER")
        return FinalResult::NoCarrier;
    if (text.toByteArray().toLower().endsWith("not support"))
        return FinalResult::NotSupported;
    if (line.startsWith("> ") || line == ">")
        return FinalResult::Prompt;
    return FinalResult::None;
}

namespace {

// The fields of the first answer line with `prefix`, or nothing.
std::optional<AtFields> fieldsOf(QByteArrayView reply, QByteArrayView prefix) {
    const std::optional<AnswerLine> line = answerLine(reply, prefix);
    if (!line)
        return std::nullopt;
    return splitAtFields(line->params);
}

int numberOr(const AtFields& fields, qsizetype at, int otherwise) {
    return fields.value(at).number().value_or(otherwise);
}

} // namespace

FinalResult finalResult(QByteArrayView reply) {
    qsizetype start = 0;
    while (start < reply.size()) {
        qsizetype end = start;
        while (end < reply.size() && reply[end] != '\r' && reply[end] != '\n')
            ++end;
        const FinalResult result = finalResultOfLine(reply.sliced(start, end - start));
        if (result != FinalResult::None)
            return result;
        start = end + 1;
    }
    return FinalResult::None;
}

bool repliedOk(QByteArrayView reply) {
    return finalResult(reply) == FinalResult::Ok && !reply.contains("ERROR");
}

std::optional<ErrorReport> parseErrorReport(QByteArrayView reply) {
    for (const auto& [prefix, kind] :
         {std::pair{QByteArrayView("+CME ERROR:"), FinalResult::CmeError},
          std::pair{QByteArrayView("+CMS ERROR:"), FinalResult::CmsError}}) {
        if (const std::optional<AnswerLine> line = answerLine(reply, prefix)) {
            ErrorReport report;
            report.kind = kind;
            report.text = QString::fromLatin1(trimmedLine(line->params));
            bool numeric = false;
            const int code = report.text.toInt(&numeric);
            report.code = numeric ? code : -1;
            return report;
        }
    }
    return std::nullopt;
}

std::optional<SignalQuality> parseSignalQuality(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+CSQ:");
    if (!fields || !fields->value(0).number())
        return std::nullopt;
    return SignalQuality{*fields->value(0).number(), numberOr(*fields, 1, 99)};
}

std::optional<QString> parseSimPinState(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+CPIN:");
    if (!fields || fields->value(0).value().isEmpty())
        return std::nullopt;
    return fields->value(0).value();
}

std::optional<int> parseFacilityLock(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+CLCK:");
    if (!fields)
        return std::nullopt;
    return fields->value(0).number();
}

std::optional<QString> parseIdentity(QByteArrayView reply, QByteArrayView command) {
    return valueLine(reply, command);
}

std::optional<QString> parseImei(QByteArrayView reply) {
    // The first run of exactly 15 digits (the echo holds none).
    qsizetype at = 0;
    while (at < reply.size()) {
        if (!std::isdigit(static_cast<unsigned char>(reply[at]))) {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < reply.size() && std::isdigit(static_cast<unsigned char>(reply[end])))
            ++end;
        if (end - at == 15)
            return QString::fromLatin1(reply.sliced(at, 15));
        at = end;
    }
    return std::nullopt;
}

std::optional<QString> parseFirmware(QByteArrayView reply) {
    std::optional<QString> value = valueLine(reply, "AT+");
    if (!value)
        return std::nullopt;
    const QString word = value->section(' ', 0, 0, QString::SectionSkipEmpty).trimmed();
    return word.isEmpty() ? std::nullopt : std::optional<QString>(word);
}

QList<OwnNumber> parseOwnNumbers(QByteArrayView reply) {
    QList<OwnNumber> numbers;
    for (const AnswerLine& line : answerLines(reply, "+CNUM:")) {
        const AtFields fields = splitAtFields(line.params);
        if (fields.size() < 2)
            continue;
        numbers.append({fields[0].value(), fields[1].value(), numberOr(fields, 2, -1)});
    }
    return numbers;
}

std::optional<ServiceStatus> parseServiceStatus(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+YPAS:");
    if (!fields || fields->isEmpty())
        return std::nullopt;
    return ServiceStatus{fields->value(0).value(), fields->value(1).value()};
}

std::optional<QString> parseOperatorName(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+YDON:");
    if (!fields || fields->isEmpty())
        return std::nullopt;
    return fields->value(0).value();
}

std::optional<std::array<int, 3>> parseModePreference(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+YSNT:");
    if (!fields || fields->size() < 3)
        return std::nullopt;
    std::array<int, 3> values{};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = fields->value(i).number();
        if (!value)
            return std::nullopt;
        values[static_cast<size_t>(i)] = *value;
    }
    return values;
}

std::optional<CurrentOperator> parseCurrentOperator(QByteArrayView reply) {
    const std::optional<AtFields> fields = fieldsOf(reply, "+COPS:");
    if (!fields || !fields->value(0).number())
        return std::nullopt;
    return CurrentOperator{*fields->value(0).number(), numberOr(*fields, 1, -1),
                           fields->value(2).value(), numberOr(*fields, 3, -1)};
}

namespace {

// An operator entry: a list of a status number and names or codes, of which
// at least one is a string (the supported modes are lists of numbers only).
bool isOperatorEntry(const AtField& field) {
    if (field.kind != AtField::List || field.items.size() < 4 || !field.items[0].number() ||
        field.items[0].kind != AtField::Bare)
        return false;
    for (int i = 1; i <= 3; ++i) {
        if (field.items[i].kind == AtField::Quoted)
            return true;
    }
    return false;
}

} // namespace

QList<OperatorEntry> parseOperatorList(QByteArrayView reply) {
    QList<OperatorEntry> operators;
    // Some modems give one line per operator, some break the list after a
    // comma.
    for (const AnswerLine& line : answerLines(reply, "+COPS:")) {
        QByteArray params = line.params.toByteArray();
        for (qsizetype next = line.next; params.endsWith(',') && next >= 0;
             next = lineAfter(reply, next)) {
            const QByteArrayView more = lineAt(reply, next);
            if (!more.startsWith('('))
                break;
            params.append(more);
        }
        for (const AtField& field : splitAtFields(params)) {
            // An empty field separates the operators from the supported modes
            // and formats.
            if (field.isEmpty())
                break;
            if (!isOperatorEntry(field))
                continue;
            const AtFields& item = field.items;
            operators.append({*item[0].number(), item[1].value(), item[2].value(), item[3].value(),
                              numberOr(item, 4, -1)});
        }
    }
    return operators;
}
