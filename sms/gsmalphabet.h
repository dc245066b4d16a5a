#pragma once

// The GSM 7-bit default alphabet (3GPP TS 23.038) as this program maps it.

// The escape septet that introduces a character of the extension table.
constexpr char GSM_ESCAPE = 0x1B;

// The septet for an ASCII character: the default alphabet's code for the
// printable characters it holds; line feed and carriage return as themselves;
// every other character (grave accent, escape, controls, codes above 0x7F)
// gives 0x00.
char asciiToGsm(unsigned char c);

// The extension-table code that follows an escape septet for the nine
// characters only that table holds (form feed ^ { } \ [ ~ ] |), else -1.
int gsmExtensionCode(unsigned char c);

// The character of an extension-table code received after an escape septet
// (form feed ^ { } \ [ ~ ] | and the euro sign), else 0.
char16_t gsmExtensionToChar(unsigned char code);

// The character for a received septet. This is the default alphabet except:
// 0x17 gives U+03C8 and 0x19 U+03B8 (lower-case psi and theta), the escape
// septet 0x1B a space, 0x5B "[" and 0x5D "]".
char16_t gsmToChar(unsigned char septet);

// How many septets a character takes in the default alphabet of 3GPP TS
// 23.038 itself (not the program's received table): 1, 2 for a character of
// the extension table (form feed ^ { } \ [ ~ ] | and the euro sign, after an
// escape septet), 0 when the alphabet has no such character.
int gsmSeptetCount(char16_t c);
