#include "phonebook/contactops.h"

#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "phonebook/simalpha.h"

#include "modem/inturn.h"

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

void pasteContacts(IOData& data, const QList<Contact>& contacts, bool cut,
                   const ContactTarget& target, std::function<void(PasteReport)> done) {
    auto report = std::make_shared<PasteReport>();
    auto copied = std::make_shared<QList<Contact>>(); // sources whose copy is in the target
    auto pcChanged = std::make_shared<bool>(false);
    auto stopped = std::make_shared<bool>(false);
    InTurn::run(
        int(contacts.size()),
        [=, &data](int i, std::function<void()> next) {
            const Contact& source = contacts.at(i);
            if (*stopped)
                return next();
            if (cut && !source.getIsSim() && !target.sim) {
                // Moving within the PC changes the group only.
                if (stillStored(source)) {
                    Contact moved = source;
                    moved.setGroup(target.group);
                    Contact old = moved;
                    data.modifyContact(&old, &moved, false);
                    *pcChanged = true;
                    ++report->added;
                }
                return next();
            }
            if (isFull(data, target.sim)) {
                report->full = *stopped = true;
                return next();
            }
            data.storeContact(recodedFor(source, target), false, [=](bool stored, const Contact&) {
                if (!stored) {
                    report->failed = *stopped = true;
                } else {
                    *pcChanged = *pcChanged || !target.sim;
                    copied->append(source);
                    ++report->added;
                }
                next();
            });
        },
        [=, &data] {
            report->notAdded = int(contacts.size()) - report->added;
            if (*pcChanged && !data.saveXmlFile()) {
                // Nothing of the PC is safely stored: keep every source.
                report->failed = true;
                return done(*report);
            }
            if (!cut || copied->isEmpty())
                return done(*report);
            deleteContacts(data, *copied, [report, done](const DeleteReport& removed) {
                report->failed = report->failed || removed.failed;
                done(*report);
            });
        });
}

void deleteContacts(IOData& data, const QList<Contact>& contacts,
                    std::function<void(DeleteReport)> done) {
    auto report = std::make_shared<DeleteReport>();
    auto pcChanged = std::make_shared<bool>(false);
    InTurn::run(
        int(contacts.size()),
        [=, &data](int i, std::function<void()> next) {
            const Contact& c = contacts.at(i);
            if (!stillStored(c))
                return next();
            data.delContact(c, false, [=](bool deleted) {
                if (!deleted) {
                    report->failed = true;
                } else {
                    *pcChanged = *pcChanged || !c.getIsSim();
                    ++report->deleted;
                }
                next();
            });
        },
        [=, &data] {
            if (*pcChanged && !data.saveXmlFile())
                report->failed = true;
            done(*report);
        });
}

QString messageNumbers(const QList<Contact>& contacts) {
    QStringList numbers;
    for (const Contact& c : contacts) {
        if (!c.getPhone().isEmpty() && !numbers.contains(c.getPhone()))
            numbers.append(c.getPhone());
    }
    return numbers.join(';');
}
