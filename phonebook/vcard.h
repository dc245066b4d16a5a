#pragma once

// vCard, the format in which phones and address books exchange contacts:
// writing version 3.0, reading what phones and address books write
// (versions 2.1, 3.0 and 4.0: folded lines, quoted-printable and character
// sets of 2.1, escaped text, typed telephone numbers).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct VCard {
    QString name;
    // Numbers by kind; `other` holds numbers of no known kind (voice, pref ...).
    QStringList cell;
    QStringList home;
    QStringList work;
    QStringList other;
    QStringList emails;
    QStringList categories;
};

// One card in version 3.0: FN and N, one TEL per number with its TYPE, EMAIL,
// CATEGORIES; lines end with CR LF and are folded at 75 octets.
QByteArray writeVCard(const VCard& card);

// Every card in `data`, in order. Cards without BEGIN/END framing, unknown
// properties and parameters are passed over; a card's name is its FN, or its
// N put together when it has no FN.
QList<VCard> readVCards(const QByteArray& data);
