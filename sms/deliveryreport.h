#pragma once

// Delivery reports of sent messages: which outbox message a status report is
// about, what its status means, and how the outbox shows it.
//
// A sent message that asked for reports keeps, in its "delivery" element,
// one entry per part separated by blanks: "<reference>" while no report came
// for the part, "<reference>/<status>/<time>" once one did.

#include "sms/pducodec.h"

#include <QList>
#include <QString>

class SmsData;

QString deliveryToText(const QList<PartDelivery>& parts);
// Entries that don't read as numbers are left out.
QList<PartDelivery> deliveryFromText(const QString& text);

// Where a message stands by its parts' reports: the first failed part
// decides, then one the centre still tries, then one without a report.
enum class DeliveryOutcome { NoReport, Delivered, Trying, Failed };
struct DeliverySummary {
    DeliveryOutcome outcome = DeliveryOutcome::NoReport;
    int status = -1; // of the deciding part
    QString time;    // the latest report's discharge time
};
DeliverySummary summarizeDelivery(const QList<PartDelivery>& parts);
DeliveryOutcome outcomeOf(int status);

// The reason a status gives, in the user's language ("recipient busy").
QString reportStatusReason(int status);
// The outbox's state column for a message with these parts: "delivered
// MM-dd hh:mm", "failed: <reason>", "sent, still trying: <reason>" or "sent,
// awaiting report".
QString deliveryStateText(const QList<PartDelivery>& parts);

// True when two numbers name the same line: the same digits, or one's
// national number (without leading zeros, at least 6 digits) ends the other
// ("01701234567" and "+491701234567").
bool sameNumber(const QString& a, const QString& b);

// Records `report` on the outbox message it is about: the newest whose
// number is the report's recipient and which has a part of the report's
// reference without a final report. Returns the message's id, or -1 when no
// message waits for this report. The caller writes the file.
int applyStatusReport(SmsData& store, const StatusReport& report);

// Decodes the status report `pdu` and records it, writing the file when it
// matched a message. The message's id, or -1.
int recordStatusReport(SmsData& store, const QString& pdu);
