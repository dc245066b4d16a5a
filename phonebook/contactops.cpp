#include "phonebook/contactops.h"

#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "phonebook/simalpha.h"

namespace {

bool ucs2For(bool sim) {
    return sim ? IOData::simNamesUcs2 : true;
}

bool isFull(const IOData& data, bool sim) {
    return sim ? data.countOfSimContact() >= data.simPhonebookCapacity()
               : data.countOfPcContact() >= IOData::MAX_PC_CONTACTS;
}

// Whether `c` is still stored as it was listed: a location or id may have
// been given to another contact since.
bool stillStored(const Contact& c) {
    const QMap<int, Contact>& map = c.getIsSim() ? IOData::simContactMap : IOData::pcContactMap;
    const auto found = map.constFind(c.getId());
    return found != map.constEnd() && *found == c;
}

QString nameOf(const Contact& c) {
    QString name;
    decode(name, c.getName(), ucs2For(c.getIsSim()));
    return name;
}

} // namespace

Contact recodedFor(const Contact& c, const ContactTarget& target) {
    QString name = nameOf(c);
    if (target.sim)
        name = fitSimName(name, target.simNameLimit);
    QString coded;
    coding(coded, name, ucs2For(target.sim));
    if (target.sim)
        return Contact(true, 0, coded, c.getPhone());
    Contact pc(false, 0, coded, c.getPhone(), c.getHomePhone(), c.getOfficePhone(), target.group);
    pc.setEmail(c.getEmail());
    return pc;
}

PasteLoss pasteLoss(const QList<Contact>& contacts, const ContactTarget& target) {
    PasteLoss loss;
    if (!target.sim)
        return loss;
    QStringList names;
    for (const Contact& c : contacts) {
        names.append(nameOf(c));
        loss.droppedFields =
            loss.droppedFields ||
            (!c.getIsSim() && (!c.getHomePhone().isEmpty() || !c.getOfficePhone().isEmpty() ||
                               !c.getEmail().isEmpty() || !c.getGroup().isEmpty()));
    }
    loss.shortenedNames = namesTooLong(names, target.simNameLimit);
    return loss;
}

PasteReport pasteContacts(IOData& data, const QList<Contact>& contacts, bool cut,
                          const ContactTarget& target) {
    PasteReport report;
    QList<Contact> copied; // sources whose copy is in the target
    bool pcChanged = false;
    for (const Contact& source : contacts) {
        if (cut && !source.getIsSim() && !target.sim) {
            // Moving within the PC changes the group only.
            if (!stillStored(source))
                continue;
            Contact moved = source;
            moved.setGroup(target.group);
            Contact old = moved;
            data.modifyContact(&old, &moved, false);
            pcChanged = true;
            ++report.added;
            continue;
        }
        if (isFull(data, target.sim)) {
            report.full = true;
            break;
        }
        Contact copy = recodedFor(source, target);
        if (data.insertContact(&copy, false) != 1) {
            report.failed = true;
            break;
        }
        pcChanged = pcChanged || !target.sim;
        copied.append(source);
        ++report.added;
    }
    report.notAdded = static_cast<int>(contacts.size()) - report.added;
    if (pcChanged && !data.saveXmlFile()) {
        // Nothing of the PC is safely stored: keep every source.
        report.failed = true;
        return report;
    }
    if (cut && !copied.isEmpty()) {
        const DeleteReport removed = deleteContacts(data, copied);
        report.failed = report.failed || removed.failed;
    }
    return report;
}

DeleteReport deleteContacts(IOData& data, const QList<Contact>& contacts) {
    DeleteReport report;
    bool pcChanged = false;
    for (const Contact& listed : contacts) {
        Contact c = listed;
        if (!stillStored(c))
            continue;
        if (!data.delContact(&c, false)) {
            report.failed = true;
            continue;
        }
        pcChanged = pcChanged || !c.getIsSim();
        ++report.deleted;
    }
    if (pcChanged && !data.saveXmlFile())
        report.failed = true;
    return report;
}

QString messageNumbers(const QList<Contact>& contacts) {
    QStringList numbers;
    for (const Contact& c : contacts) {
        if (!c.getPhone().isEmpty() && !numbers.contains(c.getPhone()))
            numbers.append(c.getPhone());
    }
    return numbers.join(';');
}
