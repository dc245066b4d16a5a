#include "sms/smssend.h"

#include "modem/inturn.h"
#include "settings/settingsfiles.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cstring>

namespace {

template <int N> void setField(char (&field)[N], const QByteArray& bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

// Relative validity periods (3GPP TS 23.040, 9.2.3.12.1) of the settings'
// choices: 12 hours, a day, a week; the last choice keeps the octet the
// program has always sent.
constexpr int kValidity[] = {0x8F, 0xA7, 0xAD, 0x00};

} // namespace

QStringList recipientsOf(const QString& line) {
    QStringList numbers;
    for (const QString& field : line.split(';')) {
        if (field.isEmpty())
            break;
        numbers << field;
    }
    return numbers;
}

MessageSettings messageSettingsForSending() {
    return QFileInfo::exists(messageSettingsFile()) ? readMessagesSettings() : MessageSettings();
}

QString serviceCentreFor(const QString& modemCentre, const MessageSettings& settings) {
    if (!modemCentre.trimmed().isEmpty())
        return modemCentre.trimmed();
    return settings.smsCenter.trimmed();
}

SubmitOptions submitOptionsFor(const MessageSettings& settings) {
    SubmitOptions options;
    const int choice = settings.validPeriod;
    options.validityPeriod = choice >= 0 && choice < 4 ? kValidity[choice] : kValidity[3];
    options.statusReport = settings.deliveReport == 0;
    return options;
}

int nextMessageReference() {
    static int reference = static_cast<int>(QRandomGenerator::global()->bounded(256));
    reference = (reference + 1) % 256;
    return reference;
}

void sendMessage(SerialThread& link, const AtCaller& caller, const QString& sca,
                 const QString& number, const QString& text, const SubmitOptions& options,
                 std::function<void(SentMessage)> done) {
    auto message = std::make_shared<SentMessage>();
    message->pdus = encodeMessage(sca, number, text, options, nextMessageReference());
    message->sent = !message->pdus.isEmpty();
    const QStringList pdus = message->pdus;
    InTurn::run(
        int(pdus.size()),
        [&link, caller, pdus, message](int i, std::function<void()> next) {
            // A refused part ends the message: the parts after it aren't sent.
            if (!message->sent)
                return next();
            link.sendMsgCMGSCmd(caller, tpduLength(pdus.at(i)), pdus.at(i).toLatin1(),
                                [message, next](std::optional<int> reference) {
                                    if (reference)
                                        message->references.append(*reference);
                                    else
                                        message->sent = false;
                                    next();
                                });
        },
        [message, done] { done(*message); });
}

SM_PARAM_DECODE composedRecord(const QString& number, const QString& text, const QString& stamp,
                               const QStringList& pdus, const QString& state) {
    SM_PARAM_DECODE rec;
    setField(rec.TPA, number.toLatin1());
    setField(rec.SCA, "0");
    setField(rec.TP_SCTS, stamp.toLatin1());
    setField(rec.TP_UD, text.toLatin1());
    rec.TP_PID = '0';
    rec.TP_DCS = '0';
    rec.contentStr = text;
    rec.length = pdus.isEmpty() ? 0 : std::max(tpduLength(pdus.first()), 0);
    rec.pduSrc = pdus.join(',');
    rec.state = state;
    return rec;
}

void sendToRecipients(SerialThread& link, const AtCaller& caller, SmsData& store,
                      const QStringList& numbers, const QString& text, const QString& sca,
                      const SubmitOptions& options, const QString& failedWord, const QString& stamp,
                      std::function<void(SendReport)> done) {
    auto report = std::make_shared<SendReport>();
    InTurn::run(
        int(numbers.size()),
        [=, &link, &store](int i, std::function<void()> next) {
            const QString number = numbers.at(i);
            sendMessage(
                link, caller, sca, number, text, options, [=, &store](const SentMessage& message) {
                    SM_PARAM_DECODE rec =
                        composedRecord(number, text, stamp, message.pdus,
                                       message.sent ? QString("send") : failedWord);
                    // A part whose reference the card didn't give can't be
                    // matched to its report; the message then shows no
                    // report state at all.
                    if (message.sent && options.statusReport && !message.references.contains(-1)) {
                        for (int reference : message.references)
                            rec.delivery.append({reference, -1, QString()});
                    }
                    store.appendSmsItem(rec, message.sent ? "outbox" : "draftbox");
                    ++(message.sent ? report->sent : report->failed);
                    next();
                });
        },
        [=, &store] {
            report->saved = store.saveDom();
            done(*report);
        });
}
