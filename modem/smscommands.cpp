// Short-message commands of the modem link (3GPP TS 27.005, PDU mode).

#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

#include <cctype>

namespace {

constexpr char kCtrlZ = 0x1A;

// A message body is hexadecimal text, ended by one Ctrl-Z (added when
// missing). Anything else could end the body early or cancel it: such a body
// gives an empty array, and nothing is sent.
QByteArray messageBody(QByteArray body) {
    if (body.endsWith(kCtrlZ))
        body.chop(1);
    if (body.isEmpty())
        return QByteArray();
    for (const char c : body) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return QByteArray();
    }
    return body + kCtrlZ;
}

const QByteArray& storageNames(const MessageStores& stores, MessageStorage storage) {
    switch (storage) {
    case MessageStorage::Modem:
        return stores.modem;
    case MessageStorage::Reports:
        return stores.reports;
    case MessageStorage::Sim:
        break;
    }
    return stores.sim;
}

bool storageSelected(const AtReply& reply) {
    return reply.ok() && !parseStorageUse(reply.text).isEmpty();
}

} // namespace

void SerialThread::setShortMsgStorageMode(const AtCaller& caller, MessageStorage storage,
                                          AtDone<bool> done) {
    const QByteArray& names = storageNames(messageStores, storage);
    // A storage the card lacks: refused, answered from the event loop as
    // every command is.
    ask(caller, AtCmd::SelectStorage,
        names.isEmpty()
            ? std::move(AtLine("").arg(nullptr))
            : std::move(AtLine(atCommand(AtCmd::SelectStorage)).text(names.constData())),
        storageSelected, std::move(done));
}

void SerialThread::getSmsMem(const AtCaller& caller, AtDone<int> done) {
    // No answer says nothing about the storage: unknown, as after an error,
    // never full (a slow modem would have its arrivals refused). Received
    // messages go to the third storage.
    ask(
        caller, AtCmd::StorageQuery, AtLine(atCommand(AtCmd::StorageQuery)),
        [](const AtReply& reply) { return freeMessagePlaces(reply.text).value_or(-1); },
        std::move(done));
}

void SerialThread::getSmsContent(const AtCaller& caller, MessageStorage storage, int stat,
                                 AtDone<std::optional<QList<ModemMessage>>> done) {
    if (stat < 0 || stat > 4) {
        // Refused: answered from the event loop, as every command is.
        send(caller, AtCmd::ListMessages, AtLine(atCommand(AtCmd::ListMessages)).arg(nullptr),
             [done](const AtReply&) { done(std::nullopt); });
        return;
    }
    setShortMsgStorageMode(caller, storage, [this, caller, stat, done](bool selected) {
        if (!selected)
            return done(std::nullopt);
        ask(
            caller, AtCmd::ListMessages, AtLine(atCommand(AtCmd::ListMessages)).number(stat),
            [](const AtReply& reply) -> std::optional<QList<ModemMessage>> {
                if (!reply.ok())
                    return std::nullopt;
                return parseMessageList(reply.text);
            },
            done);
    });
}

void SerialThread::getIndexSms(const AtCaller& caller, int index, AtDone<MessageRead> done) {
    ask(
        caller, AtCmd::ReadMessage, AtLine(atCommand(AtCmd::ReadMessage)).number(index),
        [](const AtReply& reply) {
            MessageRead read;
            read.answered = reply.answered();
            read.message = parseReadMessage(reply.text);
            read.empty = !read.message && readFoundNoMessage(reply.text);
            return read;
        },
        std::move(done));
}

void SerialThread::deleteSms(const AtCaller& caller, MessageStorage storage, int index,
                             AtDone<bool> done) {
    setShortMsgStorageMode(caller, storage, [this, caller, index, done](bool selected) {
        if (!selected) {
            qCDebug(lcModem, "the storage wasn't selected: nothing deleted");
            return done(false);
        }
        // Only an "OK" means the message is gone; an error leaves it stored.
        ask(
            caller, AtCmd::DeleteMessage, AtLine(atCommand(AtCmd::DeleteMessage)).number(index),
            [](const AtReply& reply) { return repliedOk(reply.text); }, done);
    });
}

void SerialThread::moveMsgCMGWCmd(const AtCaller& caller, int length, int stat,
                                  const QByteArray& pdu, AtDone<std::optional<int>> done) {
    const QByteArray body = messageBody(pdu);
    const AtLine line =
        body.isEmpty()
            ? std::move(AtLine("").arg(nullptr))
            : std::move(
                  AtLine(atCommand(AtCmd::WriteMessage)).number(length).text(",").number(stat));
    // The copy is stored only when the card names its index.
    queue_.enqueue(
        caller, line.line(), atCommand(AtCmd::WriteMessage).budgetSec * 1000,
        [done](const AtReply& reply) {
            done(repliedOk(reply.text) ? parseStoredIndex(reply.text) : std::nullopt);
        },
        body);
}

void SerialThread::sendMsgCMGSCmd(const AtCaller& caller, int length, const QByteArray& pdu,
                                  AtDone<std::optional<int>> done) {
    const QByteArray body = messageBody(pdu);
    const AtLine line = body.isEmpty()
                            ? std::move(AtLine("").arg(nullptr))
                            : std::move(AtLine(atCommand(AtCmd::SendMessage)).number(length));
    queue_.enqueue(
        caller, line.line(), atCommand(AtCmd::SendMessage).budgetSec * 1000,
        [done](const AtReply& reply) {
            if (!repliedOk(reply.text))
                return done(std::nullopt);
            done(parseMessageReference(reply.text).value_or(-1));
        },
        body);
}

void SerialThread::setNewMsgNoticeMode(const AtCaller& caller, AtDone<bool> done) {
    ask(
        caller, AtCmd::NewMessageIndication, AtLine(atCommand(AtCmd::NewMessageIndication)),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::getStorageChoices(const AtCaller& caller,
                                     AtDone<std::optional<StorageChoices>> done) {
    ask(
        caller, AtCmd::StorageChoices, AtLine(atCommand(AtCmd::StorageChoices)),
        [](const AtReply& reply) { return parseStorageChoices(reply.text); }, std::move(done));
}

void SerialThread::getIndicationChoices(const AtCaller& caller,
                                        AtDone<std::optional<IndicationChoices>> done) {
    ask(
        caller, AtCmd::IndicationChoices, AtLine(atCommand(AtCmd::IndicationChoices)),
        [](const AtReply& reply) { return parseIndicationChoices(reply.text); }, std::move(done));
}

void SerialThread::setMessageIndications(const AtCaller& caller, const QByteArray& values,
                                         AtDone<bool> done) {
    ask(
        caller, AtCmd::SetIndications,
        AtLine(atCommand(AtCmd::SetIndications)).arg(values.constData()),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}

void SerialThread::getMsgFormat(const AtCaller& caller, AtDone<int> done) {
    ask(
        caller, AtCmd::MessageFormatQuery, AtLine(atCommand(AtCmd::MessageFormatQuery)),
        [](const AtReply& reply) { return parseMessageFormat(reply.text).value_or(-1); },
        std::move(done));
}

void SerialThread::setMsgFormat(const AtCaller& caller, int mode, AtDone<bool> done) {
    AtLine line(atCommand(AtCmd::SetMessageFormat));
    if (mode == 0 || mode == 1)
        line.number(mode);
    else
        line.arg(nullptr);
    ask(
        caller, AtCmd::SetMessageFormat, line, [](const AtReply& reply) { return reply.ok(); },
        std::move(done));
}

void SerialThread::getServiceCentre(const AtCaller& caller,
                                    AtDone<std::optional<ServiceCentre>> done) {
    ask(
        caller, AtCmd::ServiceCentre, AtLine(atCommand(AtCmd::ServiceCentre)),
        [](const AtReply& reply) { return parseServiceCentre(reply.text); }, std::move(done));
}

void SerialThread::getNewSmsPreferStorage(const AtCaller& caller, AtDone<int> done) {
    ask(
        caller, AtCmd::NewMessageStorageQuery, AtLine(atCommand(AtCmd::NewMessageStorageQuery)),
        [](const AtReply& reply) { return parseNewMessageStorage(reply.text).value_or(-1); },
        std::move(done));
}

void SerialThread::setNewSmsPreferNVStorage(const AtCaller& caller, AtDone<bool> done) {
    ask(
        caller, AtCmd::SetNewMessageStorage, AtLine(atCommand(AtCmd::SetNewMessageStorage)),
        [](const AtReply& reply) { return reply.ok(); }, std::move(done));
}
