#include "mainwindow/ui/deviceinfo.h"

#include "modem/protocol/replies.h"

#include <QRegularExpression>

QString firmwareFromReply(const QString& reply) {
    return parseFirmware(reply.toLatin1()).value_or(QString());
}

QString imeiFromReply(const QString& reply) {
    const QByteArray bytes = reply.toLatin1();
    const std::optional<ErrorReport> error = parseErrorReport(bytes);
    if (error && error->kind == FinalResult::CmeError)
        return "Not Found";
    return parseImei(bytes).value_or(QString());
}

QString isdnFromReply(const QString& reply) {
    const QList<OwnNumber> numbers = parseOwnNumbers(reply.toLatin1());
    if (numbers.isEmpty())
        return {};
    const QString& number = numbers.first().number;
    return number.contains(QRegularExpression("\\d")) ? number : QString();
}
