#pragma once

// What the phonebook page does with several contacts at once: delete them,
// paste copied or cut contacts into the PC, a PC group or the SIM, and
// gather their numbers for a message. Names are coded again for the store
// they go to (see coder.h).

#include "phonebook/contact.h"

#include <QList>
#include <QString>

#include <functional>

class IOData;

// Where contacts go: the SIM, or the PC with `group` (empty: none).
struct ContactTarget {
    bool sim = false;
    QString group;
    // Octets a name takes at most on the SIM (0: not known); see simalpha.h.
    int simNameLimit = 0;
};

// `c` as a contact of the target's store: its name decoded with its own
// store's coding and coded with the target's, shortened to what the SIM
// holds; a SIM contact keeps only the name and the mobile number, a PC
// contact gets the target's group.
Contact recodedFor(const Contact& c, const ContactTarget& target);

// What pasting `contacts` into `target` would not keep: the names the SIM
// holds only in part, and whether a PC contact has a home or office number,
// an e-mail address or a group, which a SIM contact has no place for.
struct PasteLoss {
    int shortenedNames = 0;
    bool droppedFields = false;
};
PasteLoss pasteLoss(const QList<Contact>& contacts, const ContactTarget& target);

struct PasteReport {
    int added = 0;
    int notAdded = 0;
    // The target had no place left for the rest.
    bool full = false;
    // The modem refused a SIM write, or the PC file could not be written.
    bool failed = false;
};

// Adds the copies of `contacts` to `target` in order until it is full or a
// write fails. With `cut`, each source whose copy was added and stored is
// deleted afterwards (when it is still stored as it was); a PC contact cut
// into the PC only changes its group.
// The PC file is written once for the additions, before any source is
// deleted, and once for the deletions.
// SIM contacts are written one after another through the link; `done`
// receives the report.
void pasteContacts(IOData& data, const QList<Contact>& contacts, bool cut,
                   const ContactTarget& target, std::function<void(PasteReport)> done);

struct DeleteReport {
    int deleted = 0;
    // A SIM contact the modem would not delete, or the file not written.
    bool failed = false;
};

// Deletes `contacts`: SIM ones by their location through the modem, PC ones
// from the file, which is written once at the end. A contact no longer
// stored as listed (deleted, changed, or its place given to another since)
// is passed over.
void deleteContacts(IOData& data, const QList<Contact>& contacts,
                    std::function<void(DeleteReport)> done);

// The mobile numbers of `contacts` for a message: each once, in order,
// joined with ";"; contacts without one are left out.
QString messageNumbers(const QList<Contact>& contacts);
