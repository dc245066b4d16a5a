#include "mainwindow/ui/deviceinfo.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// The reply without the echoed command line, when the modem echoes.
QString withoutEcho(const QString& reply, const QString& command) {
    const qsizetype echo = reply.indexOf(command);
    if (echo < 0)
        return reply;
    const qsizetype lineEnd = reply.indexOf('\n', echo);
    return lineEnd < 0 ? QString() : reply.mid(lineEnd + 1);
}

} // namespace

QString firmwareFromReply(const QString& reply) {
    QString answer = withoutEcho(reply, "AT+GMR");
    // Some modems prefix the answer with the command name.
    answer = answer.trimmed();
    if (answer.startsWith("+GMR:"))
        answer = answer.mid(5).trimmed();
    QString firmware = answer.section(QRegularExpression("\\s"), 0, 0, QString::SectionSkipEmpty);
    firmware.remove("OK");
    return firmware.trimmed();
}

QString imeiFromReply(const QString& reply) {
    if (reply.contains("+CME ERROR:"))
        return "Not Found";
    const QRegularExpressionMatch match =
        QRegularExpression("(?<!\\d)(\\d{15})").match(withoutEcho(reply, "AT+CGSN"));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString isdnFromReply(const QString& reply) {
    const qsizetype at = reply.indexOf("+CNUM:");
    if (at < 0)
        return {};
    const QString line = reply.mid(at).section('\n', 0, 0);
    const QStringList fields = line.split(',');
    if (fields.size() < 2)
        return {};
    QString number = fields.at(1).trimmed();
    if (number.startsWith('"'))
        number = number.mid(1);
    if (number.endsWith('"'))
        number.chop(1);
    return number.contains(QRegularExpression("\\d")) ? number : QString();
}
