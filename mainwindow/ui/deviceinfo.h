#pragma once

#include <QString>

// Texts of the device information panel, taken from the modem's raw replies
// (the command echo included). Each returns "" when the reply holds nothing
// usable, so the panel leaves that line empty.

// Firmware from the "AT+GMR" reply: the first word of the answer line.
QString firmwareFromReply(const QString& reply);
// IMEI from the "AT+CGSN" reply: its 15 digits, or "Not Found" when the modem
// answered with an equipment error.
QString imeiFromReply(const QString& reply);
// Own number from the "AT+CNUM" reply: the number of its first line, when it
// holds a digit.
QString isdnFromReply(const QString& reply);
