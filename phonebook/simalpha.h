#pragma once

// How much room a name takes on the SIM. A phonebook entry keeps its name
// in an alpha field of a fixed number of octets (the card reports it as the
// text length of "AT+CPBR=?"); the card writes a name in the shortest coding
// of 3GPP TS 31.102 annex A that holds it:
// - the GSM 7-bit default alphabet, one octet per character (two for one of
//   its extension table), when every character is in it (ü, é, Å, Ø and ñ are);
// - else UCS2: 0x80 and two octets per character; or 0x81 (a base of bits
//   15-7) or 0x82 (a 16-bit base) with the count, the base and one octet per
//   character, when the characters outside the default alphabet lie within
//   128 code points of one another.

#include <QString>
#include <QStringList>

// The octets of the alpha field that holds `name`.
int simAlphaLength(const QString& name);

// The longest start of `name` (never half a surrogate pair) that fits an
// alpha field of `limit` octets; `name` whole when `limit` is 0 or less (no
// length known).
QString fitSimName(const QString& name, int limit);

// How many of `names` do not fit `limit` octets (none when it is 0 or less).
int namesTooLong(const QStringList& names, int limit);
