#pragma once

#include <QString>

// Contact names are kept, in every map, in the file and on the SIM, as
// upper-case hexadecimal text, whole: how much of a name the SIM holds is
// decided before it is coded (simalpha.h).
//
// With `ucs2` every character is its UTF-16 code unit in four digits (the
// modem's "UCS2" character set; PC names always). Without it, an ASCII name
// is two digits per character and any other is "80" followed by four digits
// per character.
void coding(QString& out, const QString& in, bool ucs2);

// The name of a stored hexadecimal form, read as `coding` wrote it; without
// `ucs2`, a first octet below 0x80 means two digits per character (Latin-1).
// Reading stops at the first group that is not hexadecimal.
void decode(QString& out, const QString& in, bool ucs2);
