#pragma once

// Messages longer than one SMS: the text is sent as up to five parts, each
// with a header that names the message and the part, so that the phone
// shows one message again.

#include "sms/pducodec.h"

#include <QString>
#include <QStringList>

constexpr int SMS_MAX_PARTS = 5;
constexpr int SMS_PART_SEPTETS = 153;   // 160 less the 7 septets of the header
constexpr int SMS_PART_UCS2_CHARS = 67; // 70 less the 3 characters of the header

// True when a character of `text` is outside ASCII, so that it goes as UCS2.
bool needsUcs2(const QString& text);
// The septets a 7-bit text takes (extension characters take two).
int septetCount(const QString& text);

// The texts of the parts, in order: the whole text when it fits one message
// (160 septets, or 70 UTF-16 units as UCS2); else pieces of at most 153
// septets or 67 units, never splitting an escape pair or a character made of
// two UTF-16 units. Empty text gives one empty part.
QStringList splitMessage(const QString& text, bool ucs2);

// The number of messages `text` is sent as.
int partCount(const QString& text);

// The PDUs that carry `text` to `number`: one, or one per part with
// `reference` (taken modulo 256) naming the message. Empty when the text
// needs more than SMS_MAX_PARTS parts, a number can't be encoded, or
// `number` holds anything but digits, "*", "#", a leading "+" and the
// blanks, dashes, dots, slashes and parentheses written between digits.
QStringList encodeMessage(const QString& sca, const QString& number, const QString& text,
                          const SubmitOptions& options, int reference);

// The length of the TPDU of a PDU text (its octets without the
// service-centre part), as the send and write commands want it; -1 when the
// text is not a PDU.
int tpduLength(const QString& pdu);
