#include "helper/helperreport.h"

#include <array>
#include <utility>

namespace {

// Each kind's words; a number or a field follows where the kind has one.
const std::array<std::pair<HelperReport::Kind, const char*>, 12> Words = {{
    {HelperReport::Dialing, "dialing"},
    {HelperReport::EndedExit, "ended exit"},
    {HelperReport::EndedSignal, "ended signal"},
    {HelperReport::Restored, "restored"},
    {HelperReport::Nothing, "nothing"},
    {HelperReport::Signalled, "signalled"},
    {HelperReport::FailedBackup, "failed backup"},
    {HelperReport::FailedWrite, "failed write"},
    {HelperReport::FailedStart, "failed start"},
    {HelperReport::FailedRestore, "failed restore"},
    {HelperReport::Refused, "refused"},
    {HelperReport::Busy, "busy"},
}};

bool hasNumber(HelperReport::Kind kind) {
    return kind == HelperReport::Dialing || kind == HelperReport::EndedExit ||
           kind == HelperReport::EndedSignal;
}

} // namespace

HelperReport readHelperReport(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    for (const auto& [kind, words] : Words) {
        const QByteArray start(words);
        if (text != start && !text.startsWith(start + ' '))
            continue;
        HelperReport report;
        report.kind = kind;
        const QByteArray rest = text.mid(start.size()).trimmed();
        if (kind == HelperReport::Refused) {
            report.field = QString::fromUtf8(rest);
        } else if (hasNumber(kind)) {
            bool ok = false;
            report.number = rest.toInt(&ok);
            if (!ok)
                return {};
        } else if (!rest.isEmpty()) {
            return {};
        }
        return report;
    }
    return {};
}

QByteArray helperReportLine(HelperReport::Kind kind, int number, const QString& field) {
    for (const auto& [k, words] : Words) {
        if (k != kind)
            continue;
        QByteArray line(words);
        if (hasNumber(kind))
            line += ' ' + QByteArray::number(number);
        if (kind == HelperReport::Refused)
            line += ' ' + field.toUtf8();
        return line + '\n';
    }
    return {};
}
