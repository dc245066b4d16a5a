#pragma once

// Unsolicited result codes the link takes out of the byte stream and hands
// to its subscribers, by the prefix that begins their line. `followingLines`
// counts the lines that belong to the notice after its own (a status report
// "+CDS:" carries its PDU on the next line).

#include <QByteArrayView>

#include <array>

struct NoticeKind {
    QByteArrayView prefix;
    int followingLines;
};

// "+CMTI: <mem>,<index>": a new message is stored (AT+CNMI=3,1,...).
inline constexpr std::array<NoticeKind, 1> kNotices{{{"+CMTI:", 0}}};
