#include "phonebook/iodata.h"

#include "modem/serialthread.h"
#include "phonebook/coder.h"

#include <QHash>

QMap<int, Contact> IOData::pcContactMap;
QMap<int, Contact> IOData::simContactMap;
bool IOData::simNamesUcs2 = false;
QStringList IOData::pcGroup;

int IOData::simPhonebookCapacity() const {
    return link_ ? link_->simPhonebookSize : 0;
}

int IOData::simNameLimit() const {
    return link_ ? link_->simNameLength : 0;
}

namespace {

// The contact that names each number, as a scan of the PC contacts and then
// the SIM contacts in id order would find it, so that naming every message
// of a box doesn't scan every contact for each. It keeps copies of the maps
// it was built from: they share their data with the maps until either map
// changes, which shows that the index is stale.
struct NameIndex {
    QMap<int, Contact> pc;
    QMap<int, Contact> sim;
    QHash<QString, Contact> byNumber;
    bool built = false;

    bool current() const {
        return built && IOData::pcContactMap.isSharedWith(pc) &&
               IOData::simContactMap.isSharedWith(sim);
    }

    void rebuild() {
        pc = IOData::pcContactMap;
        sim = IOData::simContactMap;
        byNumber.clear();
        for (const Contact& c : std::as_const(pc)) {
            for (const QString& number : {c.getPhone(), c.getHomePhone(), c.getOfficePhone()}) {
                if (!byNumber.contains(number))
                    byNumber.insert(number, c);
            }
        }
        for (const Contact& c : std::as_const(sim)) {
            if (!byNumber.contains(c.getPhone()))
                byNumber.insert(c.getPhone(), c);
        }
        built = true;
    }
};

const QHash<QString, Contact>& contactsByNumber() {
    static NameIndex index;
    if (!index.current())
        index.rebuild();
    return index.byNumber;
}

} // namespace

IOData::IOData(SerialThread* link) : link_(link) {
    simContactMap.clear();
    reloadPc();
}

void IOData::reloadPc() {
    parser = XmlParser();
    pcContactMap.clear();
    pcGroup.clear();
    parser.readAllContact(pcContactMap);
    parser.readGroup(pcGroup);
}

void IOData::readFromSim(std::function<void(bool)> done) {
    if (!link_ || simPhonebookCapacity() <= 0) {
        done(false);
        return;
    }
    link_->getPhoneBook(&commands_, [this, done](std::optional<QList<PhonebookEntry>> entries) {
        if (!entries)
            return done(false);
        simContactMap.clear();
        simNamesUcs2 = link_->newPlatform;
        for (const PhonebookEntry& entry : *entries)
            simContactMap.insert(entry.index, Contact(true, entry.index, entry.name, entry.number));
        simRead_ = true;
        done(true);
    });
}

void IOData::storeContact(Contact c, bool save, std::function<void(bool, Contact)> done) {
    if (!c.getIsSim()) {
        const bool stored = insertContact(&c, save) == 1;
        done(stored, c);
        return;
    }
    // Unread, every location looks free: the contact would be written over
    // one that is there.
    if (!link_ || !simRead_ || countOfSimContact() >= simPhonebookCapacity() || !buildContact(c)) {
        done(false, c);
        return;
    }
    link_->insertContact(&commands_, c.getId(), c.getPhone(), c.getName(),
                         [this, c, done](bool stored) {
                             if (stored)
                                 simContactMap.insert(c.getId(), c);
                             done(stored, c);
                         });
}

int IOData::insertContact(Contact* c, bool save) {
    if (c->getIsSim() || countOfPcContact() >= MAX_PC_CONTACTS || !buildContact(*c) ||
        !parser.insertContact(*c))
        return -1;
    pcContactMap.insert(c->getId(), *c);
    if (save)
        parser.saveDom();
    return 1;
}

bool IOData::buildContact(Contact& c) {
    const QMap<int, Contact>& map = c.getIsSim() ? simContactMap : pcContactMap;
    const int last = c.getIsSim() ? 2 * simPhonebookCapacity() : LAST_PC_ID;
    for (int id = 1; id <= last; ++id) {
        if (!map.contains(id)) {
            c.setId(id);
            return true;
        }
    }
    c.setId(last + 1);
    return false;
}

void IOData::delContact(const Contact& c, bool save, std::function<void(bool)> done) {
    const int id = c.getId();
    if (c.getIsSim()) {
        if (!link_)
            return done(false);
        link_->deleteContact(&commands_, id, [id, done](bool deleted) {
            if (deleted)
                simContactMap.remove(id);
            done(deleted);
        });
        return;
    }
    if (!pcContactMap.contains(id))
        return done(false);
    parser.delContact(id);
    pcContactMap.remove(id);
    done(!save || parser.saveDom());
}

bool IOData::modifyContact(Contact* old, Contact* now, bool save) {
    const int id = old->getId();
    if (old->getIsSim() || !pcContactMap.contains(id))
        return false;
    now->setId(id);
    now->setIsSim(false);
    parser.modifyContact(id, *now);
    pcContactMap.insert(id, *now);
    return !save || parser.saveDom();
}

void IOData::replaceSimContact(const Contact& c, std::function<void(bool)> done) {
    if (!link_ || !simContactMap.contains(c.getId())) {
        done(false);
        return;
    }
    link_->insertContact(&commands_, c.getId(), c.getPhone(), c.getName(), [c, done](bool stored) {
        if (stored) {
            Contact kept = c;
            kept.setIsSim(true);
            simContactMap.insert(c.getId(), kept);
        }
        done(stored);
    });
}

QString IOData::getNameFromPhone(const QString& number) {
    QString name;
    if (number.isEmpty())
        return name;
    const QHash<QString, Contact>& contacts = contactsByNumber();
    const auto found = contacts.constFind(number);
    if (found != contacts.constEnd())
        decode(name, found->getName(), found->getIsSim() ? simNamesUcs2 : true);
    return name;
}

Contact IOData::getContactById(int id, bool isSim) const {
    return (isSim ? simContactMap : pcContactMap).value(id);
}

void IOData::returnPcContactByGroup(QMap<int, Contact>& out, const QString& group) const {
    for (const Contact& c : std::as_const(pcContactMap)) {
        if (c.getGroup() == group)
            out.insert(c.getId(), c);
    }
}

void IOData::insertGroup(const QString& name) {
    if (hasGroup(name))
        return;
    parser.insertGroup(name);
    pcGroup.append(name);
}

bool IOData::delGroup(const QString& name) {
    if (!hasGroup(name))
        return true;
    parser.delGroup(name, false);
    pcGroup.removeAll(name);
    for (auto it = pcContactMap.begin(); it != pcContactMap.end();) {
        if (it->getGroup() == name) {
            parser.delContact(it.key());
            it = pcContactMap.erase(it);
        } else {
            ++it;
        }
    }
    return parser.saveDom();
}

bool IOData::modifyGroup(const QString& old, const QString& now) {
    if (old == now || !hasGroup(old) || hasGroup(now))
        return false;
    parser.insertGroup(now, false);
    parser.delGroup(old, false);
    pcGroup.removeAll(old);
    pcGroup.append(now);
    QList<Contact> moved;
    for (Contact c : std::as_const(pcContactMap)) {
        if (c.getGroup() == old) {
            c.setGroup(now);
            moved.append(c);
        }
    }
    parser.modifyContacts(moved);
    for (const Contact& c : std::as_const(moved))
        pcContactMap.insert(c.getId(), c);
    return parser.saveDom();
}
