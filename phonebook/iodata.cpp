#include "phonebook/iodata.h"

#include "modem/serialthread.h"
#include "phonebook/coder.h"

#include <QHash>
#include <memory>

QMap<int, Contact> IOData::pcContactMap;
QMap<int, Contact> IOData::simContactMap;
bool IOData::simNamesUcs2 = false;
QStringList IOData::pcGroup;
IOData* ioOperation = nullptr;

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
    pcContactMap.clear();
    simContactMap.clear();
    pcGroup.clear();
    parser.readAllContact(pcContactMap);
    parser.readGroup(pcGroup);
}

bool IOData::readFromSim() {
    const int capacity = simPhonebookCapacity();
    if (capacity <= 0)
        return false;
    auto rows = std::make_unique<QString[][3]>(capacity);
    if (link_->getPhoneBook(rows.get(), capacity) != 1)
        return false;
    simContactMap.clear();
    simNamesUcs2 = link_->newPlatform;
    for (int row = 0; row < capacity; ++row) {
        bool ok = false;
        const int index = rows[row][0].toInt(&ok);
        if (ok)
            simContactMap.insert(index, Contact(true, index, rows[row][1], rows[row][2]));
    }
    return true;
}

int IOData::insertContact(Contact* c, bool save) {
    if (c->getIsSim()) {
        if (!link_ || countOfSimContact() >= simPhonebookCapacity() || !buildContact(*c))
            return -1;
        QString fields[3] = {QString::number(c->getId()), c->getPhone(), c->getName()};
        if (link_->insertContact(fields) != 1)
            return -1;
        simContactMap.insert(c->getId(), *c);
        return 1;
    }
    if (countOfPcContact() >= MAX_PC_CONTACTS || !buildContact(*c) || !parser.insertContact(*c))
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

bool IOData::delContact(Contact* c, bool save) {
    const int id = c->getId();
    if (c->getIsSim()) {
        if (!link_ || link_->deleteContact(QString::number(id)) != 1)
            return false;
        simContactMap.remove(id);
        return true;
    }
    if (!pcContactMap.contains(id))
        return false;
    parser.delContact(id);
    pcContactMap.remove(id);
    return !save || parser.saveDom();
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

bool IOData::replaceSimContact(const Contact& c) {
    if (!link_ || !simContactMap.contains(c.getId()))
        return false;
    QString fields[3] = {QString::number(c.getId()), c.getPhone(), c.getName()};
    if (link_->insertContact(fields) != 1)
        return false;
    Contact stored = c;
    stored.setIsSim(true);
    simContactMap.insert(c.getId(), stored);
    return true;
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
