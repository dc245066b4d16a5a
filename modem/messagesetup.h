#pragma once

// Where a card keeps short messages and how it announces them, chosen from
// what it offers ("AT+CPMS=?", "AT+CNMI=?"). The maker's cards keep their
// fixed set-up; every other card gets what it can do:
// - received messages go to the card's memory ("ME"), else to the SIM,
//   else to "MT" (memory and SIM as one), wherever they can be read again,
//   and the program takes them into the PC inbox as it does on the maker's
//   cards;
// - the SIM's lists are read from "SM";
// - status reports are stored in "SR" and announced with "+CDSI" where the
//   card has that storage, else handed over whole with "+CDS";
// - a new message is announced with "+CMTI" once stored, or handed over
//   whole with "+CMT" where that is all the card offers.

#include "modem/protocol/replies.h"

#include <QByteArray>

#include <optional>

// The "AT+CPMS" arguments that select each storage the program uses; empty
// where the card has no such storage.
struct MessageStores {
    QByteArray modem = R"("ME","ME","ME")";
    QByteArray sim = R"("SM","SM","SM")";
    QByteArray reports = R"("SR")";
};

struct MessageSetup {
    MessageStores stores;
    QByteArray indications; // the "AT+CNMI=" values
};

// The set-up for a card of another maker; nothing known (no answer) gives
// the storages every card has and the commonest announcement settings.
MessageSetup chooseMessageSetup(const std::optional<StorageChoices>& storages,
                                const std::optional<IndicationChoices>& indications);
