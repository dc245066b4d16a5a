#include "sms/smssend.h"

#include "modem/serialthread.h"
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

bool sendMessage(SerialThread& link, const QString& sca, const QString& number, const QString& text,
                 const SubmitOptions& options, QStringList* pdus, QList<int>* references) {
    *pdus = encodeMessage(sca, number, text, options, nextMessageReference());
    if (pdus->isEmpty())
        return false;
    for (const QString& pdu : std::as_const(*pdus)) {
        const QByteArray body = pdu.toLatin1() + '\x1A';
        int reference = -1;
        if (link.sendMsgCMGSCmd(tpduLength(pdu), body.constData(), &reference) != 1)
            return false;
        if (references)
            references->append(reference);
    }
    return true;
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

SendReport sendToRecipients(SerialThread& link, SmsData& store, const QStringList& numbers,
                            const QString& text, const QString& sca, const SubmitOptions& options,
                            const QString& failedWord, const QString& stamp) {
    SendReport report;
    for (const QString& number : numbers) {
        QStringList pdus;
        QList<int> references;
        const bool sent = sendMessage(link, sca, number, text, options, &pdus, &references);
        SM_PARAM_DECODE rec =
            composedRecord(number, text, stamp, pdus, sent ? QString("send") : failedWord);
        // A part whose reference the modem didn't give can't be matched to
        // its report; the message then shows no report state at all.
        if (sent && options.statusReport && !references.contains(-1)) {
            for (int reference : std::as_const(references))
                rec.delivery.append({reference, -1, QString()});
        }
        store.appendSmsItem(rec, sent ? "outbox" : "draftbox");
        ++(sent ? report.sent : report.failed);
    }
    report.saved = store.saveDom();
    return report;
}
