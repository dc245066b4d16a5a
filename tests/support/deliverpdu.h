#pragma once

#include "sms/pducodec.h"

#include <QByteArray>
#include <QString>

// An SMS-DELIVER from `sender` carrying `text` as UCS2: part `seq` of
// `total` with reference `ref` (16 bits when `wide`), or a whole message
// when `total` is 0.
inline QString deliverPdu(const QString& sender, const QString& text, int ref, int total, int seq,
                          bool wide = false) {
    const QByteArray digits = sender.mid(1).toLatin1();
    char inverted[64];
    gsmInvertNumbers(digits.constData(), inverted, int(digits.size()));
    QByteArray header;
    if (total > 0) {
        header = wide ? QByteArray::fromHex("060804") + char(ref >> 8) + char(ref & 0xFF)
                      : QByteArray::fromHex("050003") + char(ref);
        header += char(total);
        header += char(seq);
    }
    QByteArray data = header;
    for (QChar c : text)
        data += char(c.unicode() >> 8), data += char(c.unicode() & 0xFF);
    const auto octet = [](qsizetype n) { return QString("%1").arg(n, 2, 16, QChar('0')); };
    // No centre; the first octet; the sender; PID 0, UCS2, the time stamp;
    // the user data.
    return ("00" + QString(total > 0 ? "44" : "04") + octet(digits.size()) + "91" +
            QString::fromLatin1(inverted) + "0008" + "62102110000000" + octet(data.size()) +
            QString::fromLatin1(data.toHex()))
        .toUpper();
}
