#pragma once

// Sending a composed message to its recipients, one stored record each.

#include "modem/serialthread.h"
#include "sms/pducodec.h"

#include <QString>
#include <QStringList>

#include <functional>

class SmsData;
struct MessageSettings;

constexpr int SMS_MAX_RECIPIENTS = 10;

// The numbers of a recipient line: its ";"-separated fields in order, up to
// the first empty one ("111;;222" gives 111 alone).
QStringList recipientsOf(const QString& line);

// The message settings as stored; the defaults while none are stored (a
// missing file would read as 12 hours and reports on).
MessageSettings messageSettingsForSending();

// The service centre to send through: the modem's, else the one of the
// message settings; empty when neither is known.
QString serviceCentreFor(const QString& modemCentre, const MessageSettings& settings);
// The validity period and status-report request of the message settings.
// The default settings ("The longest period", no report) send what the
// program always sent.
SubmitOptions submitOptionsFor(const MessageSettings& settings);

// A fresh reference number for the parts of a long message.
int nextMessageReference();

// A message sent to one number: whether the card accepted every part, its
// PDUs (tried or not) and the reference the network gave each part sent.
struct SentMessage {
    bool sent = false;
    QStringList pdus;
    QList<int> references;
};
// Sends `text` to `number` through `sca`: one message, or the parts of a
// long one one after another; a refused part ends it.
void sendMessage(SerialThread& link, const AtCaller& caller, const QString& sca,
                 const QString& number, const QString& text, const SubmitOptions& options,
                 std::function<void(SentMessage)> done);

struct SendReport {
    int sent = 0;
    int failed = 0;
    bool saved = true; // the records reached the file
};
// Sends `text` to each of `numbers` and keeps one record per recipient: in
// the outbox with the state "send" when it went, else in the draft box with
// `failedWord`. `stamp` is the records' time ("yyMMddhhmmss"). A sent
// record that asked for status reports keeps its parts' references, to which
// the reports are matched. The file is written once, at the end.
void sendToRecipients(SerialThread& link, const AtCaller& caller, SmsData& store,
                      const QStringList& numbers, const QString& text, const QString& sca,
                      const SubmitOptions& options, const QString& failedWord, const QString& stamp,
                      std::function<void(SendReport)> done);

// A record of a message composed here, for `number` with `text`, the time
// `stamp`, the PDUs it was sent as (joined with ",") and `state`.
SM_PARAM_DECODE composedRecord(const QString& number, const QString& text, const QString& stamp,
                               const QStringList& pdus, const QString& state);
