#include "sms/smsinbox.h"

#include "modem/inturn.h"
#include "sms/cardread.h"
#include "sms/deliveryreport.h"
#include "sms/smsdataoperation.h"
#include "sms/smsparts.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcInbox, "velto.inbox")

namespace {

// The state words are stored in English whatever the user's language, so
// that the message file reads the same in every language.
const QString kNew = QStringLiteral("new");
const QString kRead = QStringLiteral("read");

constexpr int kPartsCheckMs = 60 * 60 * 1000;

MessageStorage storageOf(const QString& name) {
    if (name == u"SM")
        return MessageStorage::Sim;
    if (name == u"SR")
        return MessageStorage::Reports;
    return MessageStorage::Modem;
}

int unreadIn(const SmsList& list) {
    return int(std::count_if(list.begin(), list.end(),
                             [](const SM_PARAM_DECODE& rec) { return rec.state == kNew; }));
}

} // namespace

SmsInbox::SmsInbox(SerialThread* link, QObject* parent)
    : QObject(parent), link_(link), store_(std::make_unique<SmsData>()),
      parts_(std::make_unique<PartStore>()), partsTimer_(new QTimer(this)) {
    dropStoredParts(*store_, *parts_);
    connect(partsTimer_, &QTimer::timeout, this, &SmsInbox::storeExpiredParts);
    partsTimer_->start(kPartsCheckMs);
    storeExpiredParts();
    countUnread();
    if (!link_)
        return;
    connect(link_, &SerialThread::newMessageNotice, this,
            [this](const QString& storage, int index) { announce(storage, index, false); });
    connect(link_, &SerialThread::storedReportNotice, this,
            [this](const QString& storage, int index) { announce(storage, index, true); });
    connect(link_, &SerialThread::statusReport, this, &SmsInbox::takeReport);
    connect(link_, &SerialThread::directMessage, this, &SmsInbox::takeDirect);
}

SmsInbox::~SmsInbox() = default;

const SmsInbox::Lists& SmsInbox::lists(MessageStorage storage) const {
    return storage == MessageStorage::Sim ? sim_ : modem_;
}

void SmsInbox::countUnread() {
    SmsList inbox;
    store_->getPcAllSmsItem(inbox, "inbox");
    const int unread = unreadIn(inbox) + unreadIn(sim_.in) + unreadIn(modem_.in);
    if (unread == unread_)
        return;
    unread_ = unread;
    emit unreadChanged(unread_);
}

void SmsInbox::reloadPcStore() {
    // In place: moves and sends under way hold the store.
    store_->reload();
    countUnread();
    emit pcBoxChanged("inbox");
    emit pcBoxChanged("outbox");
    emit pcBoxChanged("draftbox");
}

void SmsInbox::storeExpiredParts() {
    if (parts_->waitingCount() == 0)
        return;
    if (::storeExpiredParts(*store_, *parts_, kNew, QDateTime::currentDateTime()) > 0 ||
        parts_->waitingCount() == 0) {
        countUnread();
        emit pcBoxChanged("inbox");
    }
}

// --- the card -------------------------------------------------------------------

void SmsInbox::start() {
    if (!link_)
        return;
    cardReady_ = true;
    reloadList(MessageStorage::Sim);
    importModemMessages([this] { reloadList(MessageStorage::Modem); });
    link_->getServiceCentre({this, AtPriority::Poll}, [this](std::optional<ServiceCentre> centre) {
        serviceCentre_ = centre ? centre->number : QString();
        qCDebug(lcInbox, "service centre: %s", qPrintable(serviceCentre_));
    });
    fetchNext();
}

void SmsInbox::simGone() {
    sim_ = {};
    countUnread();
    emit listsChanged(MessageStorage::Sim);
}

// What the card announced goes with it: another card may hold other
// messages at those places.
void SmsInbox::cardGone() {
    cardReady_ = false;
    ++card_;
    messages_.clear();
    reports_.clear();
    again_.clear();
    failures_.clear();
    simGone();
    modem_ = {};
    emit listsChanged(MessageStorage::Modem);
}

void SmsInbox::reloadList(MessageStorage storage, std::function<void()> done) {
    if (!link_) {
        if (done)
            done();
        return;
    }
    link_->getSmsContent({this, AtPriority::Poll}, storage, 4,
                         [this, storage, done](std::optional<QList<ModemMessage>> messages) {
                             if (messages) {
                                 Lists& lists = storage == MessageStorage::Sim ? sim_ : modem_;
                                 const SmsList before = lists.in;
                                 parseListReply(*messages, lists.in, lists.out, lists.draft, kNew,
                                                kRead);
                                 keepUnread(before, lists.in);
                                 countUnread();
                                 emit listsChanged(storage);
                             }
                             if (done)
                                 done();
                         });
}

// Listing marks the card's unread messages read: those that were unread in
// the list before, and the user hasn't opened, stay unread here.
void SmsInbox::keepUnread(const SmsList& before, SmsList& now) const {
    for (SM_PARAM_DECODE& rec : now) {
        if (rec.state == kNew)
            continue;
        for (const SM_PARAM_DECODE& old : before) {
            if (old.state == kNew && old.index == rec.index && old.pduSrc == rec.pduSrc) {
                rec.state = kNew;
                break;
            }
        }
    }
}

void SmsInbox::markRead(MessageStorage storage, int id) {
    Lists& lists = storage == MessageStorage::Sim ? sim_ : modem_;
    if (!lists.in.contains(id) || lists.in[id].state == kRead)
        return;
    lists.in[id].state = kRead;
    countUnread();
    emit listsChanged(storage);
}

// Takes every received message that waits in the modem's own memory: it goes
// to the PC inbox and is deleted from the modem once stored. Sent and unsent
// ones stay there and are listed with the modem-memory boxes.
void SmsInbox::importModemMessages(std::function<void()> done) {
    const AtCaller poll{this, AtPriority::Poll};
    link_->getSmsContent(
        poll, MessageStorage::Modem, 4,
        [this, poll, done](std::optional<QList<ModemMessage>> listed) {
            QList<ModemMessage> received;
            for (const ModemMessage& message : listed.value_or(QList<ModemMessage>()))
                if (message.stat == 0 || message.stat == 1)
                    received.append(message);
            InTurn::run(
                int(received.size()),
                [this, poll, received](int i, std::function<void()> next) {
                    const Place place{"ME", received.at(i).index};
                    // Unread as listed: reading it marks it read on the card.
                    const QString state = received.at(i).stat == 0 ? kNew : kRead;
                    readStoredMessage(*link_, poll, MessageStorage::Modem, place.index,
                                      [this, place, state, next](MessageRead read) {
                                          if (!read.message)
                                              return next();
                                          take(place, *read.message, state,
                                               [next](bool) { next(); });
                                      });
                },
                done);
        });
}

// --- arrivals ----------------------------------------------------------------

void SmsInbox::announce(const QString& storage, int index, bool report) {
    (report ? reports_ : messages_).append({storage, index});
    QTimer::singleShot(0, this, &SmsInbox::fetchNext);
}

void SmsInbox::poll() {
    for (const auto& [place, report] : std::exchange(again_, {}))
        (report ? reports_ : messages_).append(place);
    fetchNext();
}

// One announced place after another, messages first; a place that couldn't
// be read now is tried again at the next tick, up to kFetchRounds times.
void SmsInbox::fetchNext() {
    if (!link_ || !cardReady_ || fetching_ || (messages_.isEmpty() && reports_.isEmpty()))
        return;
    const bool report = messages_.isEmpty();
    const Place place = (report ? reports_ : messages_).takeFirst();
    fetching_ = true;
    fetch(place, report, [this, place, report, card = card_](bool fetched) {
        fetching_ = false;
        if (card != card_) // announced by a card that went away meanwhile
            return fetchNext();
        if (fetched)
            failures_.remove(place);
        else if (++failures_[place] < kFetchRounds)
            again_.append({place, report});
        else
            failures_.remove(place);
        fetchNext();
    });
}

// Reads one announced message from the storage that the notice names. False
// when the card could not be read now, so that it is tried again: the
// message is still there, and must still reach the PC. A message is read
// only while its storage has room left (the card counts the room of the
// storage selected).
void SmsInbox::fetch(const Place& place, bool report, std::function<void(bool)> done) {
    const AtCaller poll{this, AtPriority::Poll};
    const MessageStorage storage = storageOf(place.storage);
    const auto read = [=, this] {
        readStoredMessage(*link_, poll, storage, place.index, [=, this](MessageRead read) {
            if (!read.message)
                return done(read.empty); // an empty place: nothing to fetch
            take(place, *read.message, kNew, done);
        });
    };
    if (report)
        return read();
    link_->setShortMsgStorageMode(poll, storage, [=, this](bool selected) {
        if (!selected)
            return done(false);
        link_->getSmsMem(poll, [this, read, done](int free) {
            if (free == 0) {
                emit storageFull();
                return done(true);
            }
            read();
        });
    });
}

// A message into the PC inbox, a status report to the sent message it is
// about; then the card's copy is deleted.
void SmsInbox::take(const Place& place, const ModemMessage& message, const QString& state,
                    std::function<void(bool)> done) {
    const auto stored = storedNotDeleted_.constFind(place);
    const bool before = stored != storedNotDeleted_.constEnd() && *stored == message.pdu;
    const bool statusReport = isStatusReportPdu(message.pdu.toLatin1().constData());
    if (!statusReport && message.stat != 0 && message.stat != 1) {
        // The place was taken again by a message stored on the card (sent
        // or to send): it is no arrival, and stays where it is.
        qCWarning(lcInbox, "%s:%d holds a stored outgoing message, not the one announced",
                  qPrintable(place.storage), place.index);
        return done(true);
    }
    if (statusReport) {
        takeReport(message.pdu);
    } else if (!before) {
        const Arrival arrival = storeArrivedMessage(*store_, *parts_, message, place.index, state,
                                                    kNew, QDateTime::currentDateTime());
        // Nothing kept (a file that could not be written): the card's copy stays.
        if (!arrival.kept)
            return done(true);
        arrived(arrival);
    }
    deleteStored(place, message.pdu, [this, place, done] {
        if (place.storage == u"SM")
            reloadList(MessageStorage::Sim);
        done(true);
    });
}

void SmsInbox::arrived(const Arrival& arrival) {
    countUnread();
    emit pcBoxChanged("inbox");
    if (!arrival.from.isEmpty() || !arrival.text.isEmpty())
        emit messageStored(arrival.from, arrival.text);
}

// A message handed over whole was never stored on the card: the PC inbox
// is its only copy.
void SmsInbox::takeDirect(const QString& pdu) {
    ModemMessage message;
    message.stat = 0;
    message.pdu = pdu;
    message.length = int(pdu.size() / 2);
    const Arrival arrival = storeArrivedMessage(*store_, *parts_, message, -1, kNew, kNew,
                                                QDateTime::currentDateTime());
    if (arrival.kept)
        arrived(arrival);
    else
        qCWarning(lcInbox, "a message handed over by the card could not be stored");
}

void SmsInbox::takeReport(const QString& pdu) {
    if (recordStatusReport(*store_, pdu) >= 0)
        emit pcBoxChanged("outbox");
}

// When the delete fails (an error, no answer, the card pulled out) the place
// and the PDU are kept, so that the message is deleted, not stored again,
// when it is read there later.
void SmsInbox::deleteStored(const Place& place, const QString& pdu, std::function<void()> done) {
    link_->deleteSms({this, AtPriority::Poll}, storageOf(place.storage), place.index,
                     [this, place, pdu, done](bool deleted) {
                         if (deleted) {
                             storedNotDeleted_.remove(place);
                         } else {
                             qCWarning(lcInbox, "message %s:%d is stored but still on the card",
                                       qPrintable(place.storage), place.index);
                             storedNotDeleted_.insert(place, pdu);
                         }
                         done();
                     });
}

void SmsInbox::retryDeletes() {
    if (!link_ || !cardReady_)
        return;
    const AtCaller poll{this, AtPriority::Poll};
    for (auto it = storedNotDeleted_.cbegin(); it != storedNotDeleted_.cend(); ++it) {
        const Place place = it.key();
        if (retrying_.contains(place))
            continue; // still under way from an earlier tick
        retrying_.insert(place);
        readStoredMessage(*link_, poll, storageOf(place.storage), place.index,
                          [this, place](MessageRead read) {
                              const auto retried = [this, place] { retrying_.remove(place); };
                              // The PDU as stored now: the place may have been
                              // stored again meanwhile.
                              const auto pdu = storedNotDeleted_.constFind(place);
                              if (pdu == storedNotDeleted_.constEnd())
                                  return retried();
                              if (read.message && read.message->pdu == *pdu)
                                  return deleteStored(place, *pdu, retried);
                              if (read.message || read.empty)
                                  storedNotDeleted_.remove(place); // gone, or another message
                              retried();
                          });
    }
}
