#pragma once

// The messages on the card's side: the PC message store with the parts of
// long messages that wait for the rest, the lists of the SIM and the modem's
// memory, and everything that arrives. An announced message is read from
// the card, stored in the PC inbox (a long one once whole) and deleted from
// the card once it is stored; a status report is matched to the sent message
// it is about. The status monitor tells it when the card is ready or gone
// and gives it a turn at every tick, for what couldn't be read at once. The
// message page shows what it keeps. No widgets.

#include "modem/serialthread.h"
#include "sms/smsarrival.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <utility>

class PartStore;
class QTimer;
class SmsData;

class SmsInbox : public QObject {
    Q_OBJECT
public:
    // `link` null: the PC store only.
    explicit SmsInbox(SerialThread* link, QObject* parent = nullptr);
    ~SmsInbox() override;

    SmsData& store() { return *store_; }
    PartStore& parts() { return *parts_; }
    SerialThread* link() const { return link_; }

    // The boxes of a card storage (Sim or Modem), as last listed.
    struct Lists {
        SmsList in, out, draft;
    };
    const Lists& lists(MessageStorage storage) const;
    // The card's service centre, as it told it ("" unknown).
    QString serviceCentre() const { return serviceCentre_; }
    // Unread messages: the PC inbox's and the card's.
    int unreadCount() const { return unread_; }

    // --- from the status monitor -------------------------------------------------

    // The card is set up with a usable SIM: the SIM is listed, the messages
    // waiting in the modem's memory are taken, its list read, and the
    // service centre asked for.
    void start();
    // A tick: what was announced and couldn't be read yet is tried again.
    void poll();
    // Tries again to delete the messages stored on the PC whose delete
    // failed: each place is read first, in its own storage, and only the
    // same message is deleted. A place still under way is left alone.
    void retryDeletes();
    // The SIM went away: its lists are emptied.
    void simGone();
    // The card went away: nothing is read until it is ready again, and
    // what it announced and couldn't be read yet is forgotten.
    void cardGone();

    // --- from the page --------------------------------------------------------------

    // Lists a card storage again; `done` runs when its list is in (or not).
    void reloadList(MessageStorage storage, std::function<void()> done = {});
    // Reads the PC message file again (a backup was restored over it), into
    // the same store.
    void reloadPcStore();
    // The page changed the stores (read, deleted, moved): the unread count
    // is taken again.
    void countUnread();
    // The user opened message `id` of a card storage's inbox.
    void markRead(MessageStorage storage, int id);
    // Stores the long messages whose parts waited a day, as they are.
    void storeExpiredParts();

    // How many rounds a message that can't be read is tried again (a round
    // per tick: ten minutes).
    static constexpr int kFetchRounds = 150;

signals:
    void listsChanged(MessageStorage storage);
    // A box of the PC store changed ("inbox", "outbox").
    void pcBoxChanged(const QString& box);
    void unreadChanged(int count);
    // An arriving message went into the PC inbox (a long one once whole).
    void messageStored(const QString& number, const QString& text);
    // The storage where the card puts received messages is full: a message
    // stays on the card.
    void storageFull();

private:
    struct Place {
        QString storage; // "SM", "ME", "SR"
        int index = -1;
        bool operator==(const Place&) const = default;
    };
    friend size_t qHash(const Place& place, size_t seed) {
        return qHashMulti(seed, place.storage, place.index);
    }

    void announce(const QString& storage, int index, bool report);
    void fetchNext();
    void fetch(const Place& place, bool report, std::function<void(bool)> done);
    // Stores `message` read at `place` under `state`, or records the status
    // report it is; then deletes the card's copy.
    void take(const Place& place, const ModemMessage& message, const QString& state,
              std::function<void(bool)> done);
    void deleteStored(const Place& place, const QString& pdu, std::function<void()> done);
    void importModemMessages(std::function<void()> done);
    void keepUnread(const SmsList& before, SmsList& now) const;
    void takeReport(const QString& pdu);
    void takeDirect(const QString& pdu);
    void arrived(const Arrival& arrival);

    SerialThread* link_;
    std::unique_ptr<SmsData> store_;
    std::unique_ptr<PartStore> parts_;
    QTimer* partsTimer_;
    Lists sim_, modem_;
    QString serviceCentre_;
    int unread_ = 0;
    bool cardReady_ = false;
    bool fetching_ = false;
    // Announced places still to read (messages, then reports), the ones that
    // failed this round, and their failed reads.
    QList<Place> messages_, reports_;
    QList<std::pair<Place, bool>> again_;
    QHash<Place, int> failures_;
    // Messages stored on the PC whose delete failed: PDU by place; the
    // places being read again to delete them.
    QHash<Place, QString> storedNotDeleted_;
    QSet<Place> retrying_;
    // Counts the cards gone: a read that ends after its card went is not
    // tried again.
    int card_ = 0;
};
