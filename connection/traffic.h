#pragma once

#include <QString>
#include <QtGlobal>

// Byte counts of the PPP link from the kernel's interface statistics
// (/proc/net/dev) and the texts shown for them.

// Size of a raw count buffer: up to 19 digits and the terminator.
inline constexpr int RawCountSize = 20;
// Size a formatted count buffer must have.
inline constexpr int CountTextSize = 30;

// Copies the received and transmitted byte counts of "ppp0" into the two
// buffers (RawCountSize each). Without a ppp0 line both become "0"; when the
// statistics can't be read both are left as they are.
void Read_ip_amount(char* received, char* transmitted);

// Formats a raw decimal count with a unit: "1023B", "1.00KB", "1.50MB",
// "2.00GB" (CountTextSize buffer).
void Convert_Discharge(const char* digits, char* out);

// Reads both counts and formats them (CountTextSize buffers).
void datastatic(char* receivedText, char* transmittedText);

// "hh:mm:ss" for a duration; the hours go on past 24 ("25:00:00").
QString timeFormat(qint64 ms);
