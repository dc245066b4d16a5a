#include "modem/protocol/tokens.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (isBlank(text.front()) || text.front() == '\r'))
        text = text.sliced(1);
    while (!text.isEmpty() && (isBlank(text.back()) || text.back() == '\r'))
        text.chop(1);
    return text;
}

// The end of a string that opens at `open` (the offset of its quote): the
// offset of the closing quote, or the end of the text.
qsizetype stringEnd(QByteArrayView text, qsizetype open) {
    const qsizetype close = text.indexOf('"', open + 1);
    return close < 0 ? text.size() : close;
}

// The offset of the parenthesis that closes the list opening at `open`, or
// the end of the text. Strings inside the list may hold parentheses.
qsizetype listEnd(QByteArrayView text, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            i = stringEnd(text, i);
        else if (c == '(')
            ++depth;
        else if (c == ')' && --depth == 0)
            return i;
    }
    return text.size();
}

} // namespace

std::optional<int> AtField::number() const {
    if (kind != Bare && kind != Quoted)
        return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

AtFields splitAtFields(QByteArrayView params) {
    AtFields fields;
    params = trimmed(params);
    if (params.isEmpty())
        return fields;
    qsizetype at = 0;
    while (true) {
        while (at < params.size() && isBlank(params[at]))
            ++at;
        AtField field;
        if (at < params.size() && params[at] == '"') {
            const qsizetype close = stringEnd(params, at);
            field.kind = AtField::Quoted;
            field.text = QString::fromLatin1(params.sliced(at + 1, close - at - 1));
            at = close + 1;
        } else if (at < params.size() && params[at] == '(') {
            const qsizetype close = listEnd(params, at);
            const QByteArrayView inner = params.sliced(at + 1, close - at - 1);
            field.kind = AtField::List;
            field.text = QString::fromLatin1(inner);
            field.items = splitAtFields(inner);
            at = close + 1;
        }
        // Up to the next comma: the token itself, or what trails a string or
        // list (ignored).
        qsizetype comma = params.indexOf(',', std::min(at, params.size()));
        if (comma < 0)
            comma = params.size();
        if (field.kind == AtField::Empty) {
            const QByteArrayView token = trimmed(params.sliced(at, comma - at));
            if (!token.isEmpty()) {
                field.kind = AtField::Bare;
                field.text = QString::fromLatin1(token);
            }
        }
        fields.append(field);
        if (comma >= params.size())
            break;
        at = comma + 1;
        if (at >= params.size()) {
            fields.append(AtField{}); // a trailing comma
            break;
        }
    }
    return fields;
}

QByteArrayView lineAt(QByteArrayView reply, qsizetype offset) {
    if (offset < 0 || offset >= reply.size())
        return {};
    qsizetype end = offset;
    while (end < reply.size() && reply[end] != '\r' && reply[end] != '\n')
        ++end;
    return reply.sliced(offset, end - offset);
}

qsizetype lineAfter(QByteArrayView reply, qsizetype from) {
    if (from >= reply.size())
        return -1;
    qsizetype at = from;
    while (at < reply.size() && reply[at] != '\r' && reply[at] != '\n')
        ++at;
    while (at < reply.size() && (reply[at] == '\r' || reply[at] == '\n'))
        ++at;
    return at < reply.size() ? at : -1;
}

namespace {

// The end of the parameters that start at `from`: the line end, but a string
// that is still open there goes on to its closing quote when the reply holds
// one (a name or an answer text with a line break in it).
qsizetype paramsEnd(QByteArrayView reply, qsizetype from) {
    bool quoted = false;
    for (qsizetype at = from; at < reply.size(); ++at) {
        const char c = reply[at];
        if (c == '"')
            quoted = !quoted;
        else if ((c == '\r' || c == '\n') && (!quoted || reply.indexOf('"', at) < 0))
            return at;
    }
    return reply.size();
}

} // namespace

QList<AnswerLine> answerLines(QByteArrayView reply, QByteArrayView prefix) {
    QList<AnswerLine> lines;
    if (prefix.isEmpty())
        return lines;
    for (qsizetype at = reply.indexOf(prefix); at >= 0; at = reply.indexOf(prefix, at + 1)) {
        qsizetype start = at;
        while (start > 0 && isBlank(reply[start - 1]))
            --start;
        if (start > 0 && reply[start - 1] != '\r' && reply[start - 1] != '\n')
            continue;
        qsizetype params = at + prefix.size();
        while (params < reply.size() && isBlank(reply[params]))
            ++params;
        const qsizetype end = paramsEnd(reply, params);
        lines.append({reply.sliced(params, end - params), lineAfter(reply, end)});
    }
    return lines;
}

std::optional<AnswerLine> answerLine(QByteArrayView reply, QByteArrayView prefix) {
    const QList<AnswerLine> lines = answerLines(reply, prefix);
    return lines.isEmpty() ? std::nullopt : std::optional<AnswerLine>(lines.first());
}

std::optional<QString> valueLine(QByteArrayView reply, QByteArrayView command) {
    for (qsizetype at = 0; at >= 0 && at < reply.size(); at = lineAfter(reply, at)) {
        const QByteArrayView line = trimmed(lineAt(reply, at));
        if (line.isEmpty() || (!command.isEmpty() && line.startsWith(command)))
            continue;
        if (line == "OK" || line.contains("ERROR") || line == "NO CARRIER" ||
            line.endsWith("not support"))
            return std::nullopt;
        QByteArrayView value = line;
        const qsizetype colon = value.indexOf(':');
        if (value.startsWith('+') && colon > 0)
            value = trimmed(value.sliced(colon + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.sliced(1, value.size() - 2);
        return QString::fromLatin1(value);
    }
    return std::nullopt;
}
