// SIM phonebook commands of the modem link (3GPP TS 27.007 "+CPBR", "+CPBW").

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

namespace {

constexpr int kBlock = 20; // locations read per command

// The modem reports "SIM busy" (error 14 of 3GPP TS 27.007 when it gives numbers).
bool simBusy(QByteArrayView reply) {
    const std::optional<ErrorReport> error = parseErrorReport(reply);
    return error && error->kind == FinalResult::CmeError &&
           (error->text == "SIM busy" || error->code == 14);
}

} // namespace

int SerialThread::simCapacity() {
    const QByteArray reply = query(AtCmd::PhonebookRange);
    if (finalResult(reply) == FinalResult::None)
        return -1;
    if (simBusy(reply.constData()) || finalResult(reply.constData()) == FinalResult::Error)
        return -1;
    // The last location of the range (250 for locations 1-250), and the
    // room for a name.
    const std::optional<PhonebookRange> range = parsePhonebookRange(reply.constData());
    simNameLength = range ? qMax(range->nameLength, 0) : 0;
    return range ? range->last : 0;
}

int SerialThread::getPhoneBook(QString (*rows)[3], int rowCount) {
    if (rows == nullptr)
        return 0;
    const int capacity = simPhonebookSize;
    const int limit = rowCount < 0 ? capacity : rowCount;
    const PhonebookForm form =
        !newPlatform && usimType == 1 ? PhonebookForm::Extended : PhonebookForm::Standard;
    const int budget =
        newPlatform ? atCommand(AtCmd::ReadPhonebook).budgetSec : AT_BUDGET_PHONEBOOK_OLD;
    for (int first = 1, block = 0; first <= capacity; first += kBlock, ++block) {
        const int last = qMin(first + kBlock - 1, capacity);
        const QByteArray cmd =
            AtLine(atCommand(AtCmd::ReadPhonebook)).number(first).text(",").number(last).line();
        // A block that didn't end in time is read as far as it came.
        const QByteArray reply = transact(cmd, budget * 1000).text;
        const QByteArrayView text(reply);
        if (simBusy(text))
            return 0;

        // Rows of this block only, and never beyond the caller's array.
        const int rowEnd = qMin(kBlock * (block + 1), limit);
        int row = kBlock * block;
        for (const PhonebookEntry& entry : parsePhonebookEntries(text, form)) {
            if (row >= rowEnd)
                break;
            rows[row][0] = QString::number(entry.index);
            rows[row][1] = entry.name;
            rows[row][2] = entry.number;
            ++row;
        }
    }
    return 1;
}

// A phonebook change is done only when the modem says "OK".
int SerialThread::phonebookWrite(const QByteArray& cmd) {
    return repliedOk(transact(cmd, atCommand(AtCmd::WritePhonebook).budgetSec * 1000).text) ? 1 : 0;
}

int SerialThread::insertContact(QString* contact) {
    if (contact == nullptr)
        return 0;
    const QByteArray index = contact[0].toLatin1();
    const QByteArray number = contact[1].toLatin1();
    const QByteArray name = contact[2].toLatin1();
    // Type of address: international (145) for a number with "+", else 129.
    const char* type = number.startsWith('+') ? "\",145,\"" : "\",129,\"";
    const QByteArray cmd = AtLine(atCommand(AtCmd::WritePhonebook))
                               .arg(index.constData())
                               .text(",\"")
                               .quoted(number.constData())
                               .text(type)
                               .quoted(name.constData())
                               .text("\"")
                               .line();
    return phonebookWrite(cmd);
}

int SerialThread::deleteContact(QString index) {
    return phonebookWrite(
        AtLine(atCommand(AtCmd::WritePhonebook)).arg(index.toLatin1().constData()).line());
}
