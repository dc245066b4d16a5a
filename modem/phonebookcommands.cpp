// SIM phonebook commands of the modem link (3GPP TS 27.007 "+CPBR", "+CPBW").

#include "modem/atline.h"
#include "modem/commandutil.h"
#include "modem/modemlog.h"
#include "modem/serialthread.h"

#include <QList>

namespace {

constexpr int kBlock = 20; // locations read per command

// The text between the first two double quotes of a field, or the field.
QByteArray unquoted(const QByteArray& field) {
    const qsizetype open = field.indexOf('"');
    if (open < 0)
        return field;
    const qsizetype close = field.indexOf('"', open + 1);
    return field.mid(open + 1, close < 0 ? -1 : close - open - 1);
}

} // namespace

int SerialThread::simCapacity() {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+CPBR=?\r\n", reply.data(), AT_BUDGET) != 1)
        return -1;
    QByteArray text(reply.constData());
    if (text.contains("+CME ERROR: SIM busy") || text.contains("ERROR\r\n"))
        return -1;
    // "+CPBR: (1-250),40,14": the last location of the range.
    const qsizetype close = text.indexOf(')');
    if (close < 0)
        return 0;
    text.truncate(close);
    const qsizetype dash = text.indexOf('-');
    if (dash < 0)
        return 0;
    int value = 0;
    for (qsizetype i = dash + 1; i < text.size() && std::isdigit(static_cast<uchar>(text[i])); ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

int SerialThread::getPhoneBook(QString (*rows)[3], int rowCount) {
    if (rows == nullptr)
        return 0;
    const int capacity = simPhonebookSize;
    const int limit = rowCount < 0 ? capacity : rowCount;
    const QByteArray prefix = !newPlatform && usimType == 1 ? "+YCPBR:" : "+CPBR:";
    const int budget = newPlatform ? AT_BUDGET : AT_BUDGET_PHONEBOOK_OLD;
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);

    purgeComData();
    for (int first = 1, block = 0; first <= capacity; first += kBlock, ++block) {
        const int last = qMin(first + kBlock - 1, capacity);
        const QByteArray cmd = AtLine("AT+CPBR=").number(first).text(",").number(last).line();
        if (!excuteAtStr(cmd.constData()))
            return 0;
        // A block that didn't end in time is parsed as far as it came.
        resAtStr(portFd, reply.data(), budget, 0);
        QByteArray text(reply.constData());
        qCDebug(lcModem, "++++++++++++++++++++++++++++++++++++");
        qCDebug(lcModem, "%s", text.constData());
        if (text.contains("+CME ERROR: SIM busy"))
            return 0;

        // Rows of this block only, and never beyond the caller's array.
        const int rowEnd = qMin(kBlock * (block + 1), limit);
        int row = kBlock * block;
        for (qsizetype at = text.indexOf(prefix); at >= 0 && row < rowEnd;
             at = text.indexOf(prefix), ++row) {
            text.remove(0, at + prefix.size() + 1);
            const qsizetype next = text.indexOf(prefix);
            const QByteArray entry = next < 0 ? text : text.left(next);
            text = next < 0 ? QByteArray() : text.mid(next);

            // "+CPBR: index,number,type,name"; "+YCPBR: index,number,name".
            QList<QByteArray> fields = entry.split(',');
            while (fields.size() < 4)
                fields.append(QByteArray());
            for (int i = 0; i < 4; ++i)
                fields[i] = unquoted(fields.at(i));
            rows[row][0] = QString::fromLatin1(fields.at(0));
            rows[row][2] = QString::fromLatin1(fields.at(1));
            rows[row][1] = QString::fromLatin1(prefix == "+CPBR:" ? fields.at(3) : fields.at(2));
        }
    }
    return 1;
}

// A phonebook change is done only when the modem says "OK".
int SerialThread::phonebookWrite(const QByteArray& cmd) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(cmd, reply.data(), AT_BUDGET) != 1)
        return 0;
    return answeredOk(reply.constData()) ? 1 : 0;
}

int SerialThread::insertContact(QString* contact) {
    if (contact == nullptr)
        return 0;
    const QByteArray index = contact[0].toLatin1();
    const QByteArray number = contact[1].toLatin1();
    const QByteArray name = contact[2].toLatin1();
    // Type of address: international (145) for a number with "+", else 129.
    const char* type = number.startsWith('+') ? "\",145,\"" : "\",129,\"";
    const QByteArray cmd = AtLine("AT+CPBW=")
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
    return phonebookWrite(AtLine("AT+CPBW=").arg(index.toLatin1().constData()).line());
}
