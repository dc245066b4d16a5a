// SIM phonebook commands of the modem link (3GPP TS 27.007 "+CPBR", "+CPBW").

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "sms/gsmalphabet.h"

namespace {

constexpr int kBlock = 20; // locations read per command

// A name in the card's 7-bit text (the "GSM" character set: one byte per
// septet, an escape before a character of the extension table) as
// hexadecimal UCS2.
QString ucs2FromGsm(const QString& text) {
    QString hex;
    bool escaped = false;
    for (const QChar c : text) {
        const auto septet = static_cast<unsigned char>(c.unicode() & 0x7F);
        if (!escaped && septet == GSM_ESCAPE) {
            escaped = true;
            continue;
        }
        const char16_t unicode = escaped ? gsmExtensionToChar(septet) : gsmToChar(septet);
        escaped = false;
        hex += QString::number(unicode ? unicode : u'?', 16).rightJustified(4, u'0').toUpper();
    }
    return hex;
}

// The septets of a name kept as hexadecimal UCS2. A character the alphabet
// lacks, or whose septet can't stand on a command line inside quotes ("@"
// is a zero byte), becomes "?", as the card would show it.
QByteArray gsmFromUcs2(const QString& hex) {
    QByteArray text;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) {
        const auto c = static_cast<char16_t>(hex.mid(i, 4).toUShort(nullptr, 16));
        int septet = -1;
        for (int s = 1; s < 0x80 && septet < 0; ++s) {
            if (s != GSM_ESCAPE && s != '"' && s != '\r' && s != '\n' && gsmToChar(s) == c)
                septet = s;
        }
        const int extension = c < 0x80 ? gsmExtensionCode(static_cast<unsigned char>(c)) : -1;
        if (septet >= 0)
            text += char(septet);
        else if (extension >= 0)
            text += QByteArray(1, GSM_ESCAPE) + char(extension);
        else
            text += '?';
    }
    return text;
}

} // namespace

void SerialThread::simCapacity(const AtCaller& caller, AtDone<int> done) {
    ask(
        caller, AtCmd::PhonebookRange, AtLine(atCommand(AtCmd::PhonebookRange)),
        [this](const AtReply& reply) {
            if (!reply.answered() || simBusy(reply.text) || reply.result == FinalResult::Error)
                return -1;
            // The last location of the range (250 for locations 1-250), and
            // the room for a name.
            const std::optional<PhonebookRange> range = parsePhonebookRange(reply.text);
            simNameLength = range ? qMax(range->nameLength, 0) : 0;
            return range ? range->last : 0;
        },
        std::move(done));
}

void SerialThread::selectSimPhonebook(const AtCaller& caller, AtDone<bool> done) {
    ask(
        caller, AtCmd::SelectPhonebook, AtLine(atCommand(AtCmd::SelectPhonebook)),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::getPhoneBook(const AtCaller& caller,
                                AtDone<std::optional<QList<PhonebookEntry>>> done) {
    readPhonebookBlock(caller, 1, std::make_shared<QList<PhonebookEntry>>(), std::move(done));
}

// One block of locations after another. A busy SIM ends the reading, and so
// does a block without its final result (the card went away, fell silent or
// was cut short): the locations it didn't read would otherwise look free,
// and a new contact would be written over one that is there.
void SerialThread::readPhonebookBlock(const AtCaller& caller, int first,
                                      std::shared_ptr<QList<PhonebookEntry>> entries,
                                      AtDone<std::optional<QList<PhonebookEntry>>> done) {
    const int capacity = simPhonebookSize;
    if (first > capacity) {
        done(*entries);
        return;
    }
    const int last = qMin(first + kBlock - 1, capacity);
    const PhonebookForm form = !newPlatform && usimType == SimType::Usim ? PhonebookForm::Extended
                                                                         : PhonebookForm::Standard;
    const int budgetMs =
        (newPlatform ? atCommand(AtCmd::ReadPhonebook).budgetSec : AT_BUDGET_PHONEBOOK_OLD) * 1000;
    const QByteArray line =
        AtLine(atCommand(AtCmd::ReadPhonebook)).number(first).text(",").number(last).line();
    queue_.enqueue(caller, line, budgetMs,
                   [this, caller, first, last, form, entries, done](const AtReply& reply) {
                       if (!reply.answered() || reply.truncated || simBusy(reply.text))
                           return done(std::nullopt);
                       // The entries of this block only.
                       for (PhonebookEntry entry : parsePhonebookEntries(reply.text, form)) {
                           if (gsmNames)
                               entry.name = ucs2FromGsm(entry.name);
                           if (entry.index >= first && entry.index <= last)
                               entries->append(entry);
                       }
                       readPhonebookBlock(caller, last + 1, entries, done);
                   });
}

void SerialThread::insertContact(const AtCaller& caller, int index, const QString& number,
                                 const QString& name, AtDone<bool> done) {
    // Type of address: international (145) for a number with "+", else 129.
    const char* type = number.startsWith('+') ? "\",145,\"" : "\",129,\"";
    const AtLine line = std::move(
        AtLine(atCommand(AtCmd::WritePhonebook))
            .number(index)
            .text(",\"")
            .quoted(number.toLatin1().constData())
            .text(type)
            .quoted(gsmNames ? gsmFromUcs2(name).constData() : name.toLatin1().constData())
            .text("\""));
    ask(
        caller, AtCmd::WritePhonebook, line,
        [](const AtReply& reply) { return repliedOk(reply.text); }, std::move(done));
}

void SerialThread::deleteContact(const AtCaller& caller, int index, AtDone<bool> done) {
    ask(
        caller, AtCmd::WritePhonebook, AtLine(atCommand(AtCmd::WritePhonebook)).number(index),
        [](const AtReply& reply) { return repliedOk(reply.text); }, std::move(done));
}
