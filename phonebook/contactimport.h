#pragma once

// Imports vCards from a phone or another address book into the PC phonebook,
// one of its groups, or the SIM, within the capacity of each, and says what
// was left out and why.

#include "phonebook/contactops.h"
#include "phonebook/vcard.h"

#include <QList>
#include <QStringList>

#include <functional>

class IOData;

struct ImportReport {
    int added = 0;
    // Names cut to what the SIM holds.
    int shortened = 0;
    // One line per card not imported: "name: reason".
    QStringList skipped;
    // One line per imported card that lost numbers or an e-mail address.
    QStringList notes;
};

// Adds a contact per card to `target`. Into the PC without a group, a card's
// first category that names a group (made when there is room for it) is the
// contact's group. Numbers are taken without blanks, dashes, dots, slashes
// and parentheses; a cell number becomes the mobile number, a home and a work
// number the home and office number, other numbers fill what is free (the
// SIM keeps one number). Cards without a name or a usable number, and those
// already in the target with the same name and mobile number, are skipped.
// The PC file is written once.
// SIM contacts are written one after another through the link; `done`
// receives the report.
void importVCards(IOData& data, const QList<VCard>& cards, const ContactTarget& target,
                  std::function<void(ImportReport)> done);
