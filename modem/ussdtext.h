#pragma once

// The text of service codes (USSD): what the user may send, how it goes to
// the modem, and how the network's answer is turned back into text.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The longest service code or reply the program sends. Real codes are far
// shorter; this many fit one command line even as hexadecimal UCS2.
inline constexpr int kUssdMaxLength = 40;
// The data coding scheme the program sends with a code: GSM 7-bit, no
// language given.
inline constexpr int kUssdDcs = 15;

// True for 1 to kUssdMaxLength characters of "0"-"9", "*", "#" and "+":
// nothing else can reach the modem, so nothing can be injected.
bool isServiceCode(QStringView code);

// A service code as the modem takes it in its character set: hexadecimal
// UCS2 when the modem works in "UCS2", the characters themselves otherwise.
QByteArray encodeUssdString(QStringView code, bool ucs2Charset);

// A service code as packed septets of the 7-bit alphabet in hexadecimal
// (3GPP TS 23.038), as some cards take it whatever their character set.
QByteArray encodePackedUssd(QStringView code);

// The network's answer (the quoted text of the notice) as text. The
// data coding scheme `dcs` (-1: none) says UCS2 (hexadecimal code units),
// 8-bit data (hexadecimal octets) or the 7-bit alphabet. 7-bit text comes
// in the modem's character set (hexadecimal UCS2 when `ucs2Charset`), or as
// hexadecimal packed septets (as many modems send it whatever the
// character set), or as plain characters. A form that doesn't fit is taken
// as plain text, so the user always sees what came.
QString decodeUssdText(QByteArrayView text, int dcs, bool ucs2Charset);
