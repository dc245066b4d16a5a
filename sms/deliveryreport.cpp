#include "sms/deliveryreport.h"

#include "sms/smsdataoperation.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMap>

Q_LOGGING_CATEGORY(lcSms, "velto.sms")

namespace {

// Status ranges of 3GPP TS 23.040, 9.2.3.15.
constexpr int kTemporaryFrom = 0x20;
constexpr int kFailedFrom = 0x40;
constexpr int kShortestNationalNumber = 6;

// A text marked with QT_TRANSLATE_NOOP in the context "DeliveryReport".
QString translated(const char* text) {
    return QCoreApplication::translate("DeliveryReport", text);
}

QString digitsOf(const QString& number) {
    QString digits;
    for (QChar c : number)
        if (c.isDigit())
            digits += c;
    return digits;
}

} // namespace

QString deliveryToText(const QList<PartDelivery>& parts) {
    QStringList entries;
    for (const PartDelivery& part : parts) {
        QString entry = QString::number(part.reference);
        if (part.status >= 0)
            entry += '/' + QString::number(part.status) + '/' + part.time;
        entries << entry;
    }
    return entries.join(' ');
}

QList<PartDelivery> deliveryFromText(const QString& text) {
    QList<PartDelivery> parts;
    for (const QString& entry : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList fields = entry.split('/');
        PartDelivery part;
        bool ok = false;
        part.reference = fields.at(0).toInt(&ok);
        if (!ok || part.reference < 0 || part.reference > 255)
            continue;
        if (fields.size() == 3) {
            part.status = fields.at(1).toInt(&ok);
            if (!ok || part.status < 0 || part.status > 255)
                continue;
            part.time = fields.at(2).left(14);
        }
        parts << part;
    }
    return parts;
}

DeliveryOutcome outcomeOf(int status) {
    if (status < 0)
        return DeliveryOutcome::NoReport;
    if (status < kTemporaryFrom)
        return DeliveryOutcome::Delivered;
    if (status < kFailedFrom)
        return DeliveryOutcome::Trying;
    return DeliveryOutcome::Failed;
}

DeliverySummary summarizeDelivery(const QList<PartDelivery>& parts) {
    DeliverySummary summary;
    if (parts.isEmpty())
        return summary;
    // The order of precedence: failed, trying, no report, delivered.
    static const DeliveryOutcome order[] = {DeliveryOutcome::Failed, DeliveryOutcome::Trying,
                                            DeliveryOutcome::NoReport, DeliveryOutcome::Delivered};
    for (const PartDelivery& part : parts)
        summary.time = std::max(summary.time, part.time);
    for (DeliveryOutcome wanted : order) {
        for (const PartDelivery& part : parts) {
            if (outcomeOf(part.status) == wanted) {
                summary.outcome = wanted;
                summary.status = part.status;
                return summary;
            }
        }
    }
    return summary;
}

QString reportStatusReason(int status) {
    // The temporary errors repeat with the centre's trying over (0x20 and 0x60).
    static const char* const temporary[] = {
        QT_TRANSLATE_NOOP("DeliveryReport", "network congestion"),
        QT_TRANSLATE_NOOP("DeliveryReport", "recipient busy"),
        QT_TRANSLATE_NOOP("DeliveryReport", "no response from the recipient"),
        QT_TRANSLATE_NOOP("DeliveryReport", "service rejected"),
        QT_TRANSLATE_NOOP("DeliveryReport", "quality of service not available"),
        QT_TRANSLATE_NOOP("DeliveryReport", "error in the recipient's phone")};
    static const char* const permanent[] = {
        QT_TRANSLATE_NOOP("DeliveryReport", "remote procedure error"),
        QT_TRANSLATE_NOOP("DeliveryReport", "incompatible destination"),
        QT_TRANSLATE_NOOP("DeliveryReport", "rejected by the recipient"),
        QT_TRANSLATE_NOOP("DeliveryReport", "number not obtainable"),
        QT_TRANSLATE_NOOP("DeliveryReport", "quality of service not available"),
        QT_TRANSLATE_NOOP("DeliveryReport", "no interworking available"),
        QT_TRANSLATE_NOOP("DeliveryReport", "validity period expired"),
        QT_TRANSLATE_NOOP("DeliveryReport", "deleted by the sender"),
        QT_TRANSLATE_NOOP("DeliveryReport", "deleted by the service centre"),
        QT_TRANSLATE_NOOP("DeliveryReport", "message does not exist")};
    const int group = status & 0x60;
    const int code = status & 0x1F;
    if (status >= 0 && status < 0x80) {
        if ((group == 0x20 || group == 0x60) && code < int(std::size(temporary)))
            return translated(temporary[code]);
        if (group == 0x40 && code < int(std::size(permanent)))
            return translated(permanent[code]);
    }
    return QCoreApplication::translate("DeliveryReport", "error %1").arg(status, 2, 16, QChar('0'));
}

QString deliveryStateText(const QList<PartDelivery>& parts) {
    const DeliverySummary summary = summarizeDelivery(parts);
    switch (summary.outcome) {
    case DeliveryOutcome::Delivered: {
        // Month, day, hour and minute: the year is the sent time's.
        const QString& t = summary.time;
        const QString when =
            t.size() >= 10
                ? QString("%1-%2 %3:%4").arg(t.mid(2, 2), t.mid(4, 2), t.mid(6, 2), t.mid(8, 2))
                : QString();
        return QCoreApplication::translate("DeliveryReport", "delivered %1").arg(when).trimmed();
    }
    case DeliveryOutcome::Trying:
        return QCoreApplication::translate("DeliveryReport", "sent, still trying: %1")
            .arg(reportStatusReason(summary.status));
    case DeliveryOutcome::Failed:
        return QCoreApplication::translate("DeliveryReport", "failed: %1")
            .arg(reportStatusReason(summary.status));
    case DeliveryOutcome::NoReport:
        break;
    }
    return QCoreApplication::translate("DeliveryReport", "sent, awaiting report");
}

bool sameNumber(const QString& a, const QString& b) {
    const QString x = digitsOf(a);
    const QString y = digitsOf(b);
    if (x.isEmpty() || y.isEmpty())
        return false;
    if (x == y)
        return true;
    const auto national = [](QString digits) {
        while (digits.startsWith('0'))
            digits.remove(0, 1);
        return digits;
    };
    const QString shorter = national(x.size() <= y.size() ? x : y);
    const QString longer = x.size() <= y.size() ? y : x;
    return shorter.size() >= kShortestNationalNumber && longer.endsWith(shorter);
}

int applyStatusReport(SmsData& store, const StatusReport& report) {
    QMap<int, SM_PARAM_DECODE> outbox;
    store.getPcAllSmsItem(outbox, "outbox");
    const QList<int> ids = store.idsInOrder("outbox");
    for (auto id = ids.crbegin(); id != ids.crend(); ++id) {
        const SM_PARAM_DECODE& rec = outbox[*id];
        if (!sameNumber(QString::fromLatin1(rec.TPA), report.recipient))
            continue;
        QList<PartDelivery> parts = rec.delivery;
        for (PartDelivery& part : parts) {
            const DeliveryOutcome outcome = outcomeOf(part.status);
            if (part.reference != report.reference ||
                (outcome != DeliveryOutcome::NoReport && outcome != DeliveryOutcome::Trying))
                continue;
            part.status = report.status;
            part.time = report.dischargeTime.left(14);
            store.setSmsDelivery("outbox", *id, parts);
            return *id;
        }
    }
    return -1;
}

int recordStatusReport(SmsData& store, const QString& pdu) {
    const std::optional<StatusReport> report = gsmDecodeStatusReport(pdu.toLatin1().constData());
    if (!report) {
        qCWarning(lcSms, "unreadable status report %s", qPrintable(pdu));
        return -1;
    }
    const int id = applyStatusReport(store, *report);
    if (id < 0)
        qCInfo(lcSms, "status report on %d to %s matches no sent message", report->reference,
               qPrintable(report->recipient));
    else if (!store.saveDom())
        qCWarning(lcSms, "status report on %d kept in memory: the message file can't be written",
                  report->reference);
    return id;
}
