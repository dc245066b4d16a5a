// SIM phonebook commands of the modem link (3GPP TS 27.007 "+CPBR", "+CPBW").

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

namespace {

constexpr int kBlock = 20; // locations read per command

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
                       for (const PhonebookEntry& entry : parsePhonebookEntries(reply.text, form)) {
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
    const AtLine line = std::move(AtLine(atCommand(AtCmd::WritePhonebook))
                                      .number(index)
                                      .text(",\"")
                                      .quoted(number.toLatin1().constData())
                                      .text(type)
                                      .quoted(name.toLatin1().constData())
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
