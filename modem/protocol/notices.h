#pragma once

// Unsolicited result codes the link takes out of the byte stream and hands
// to its subscribers, by the prefix that begins their line. `followingLines`
// counts the lines that belong to the notice after its own (a status report
// "+CDS:" carries its PDU on the next line). When `quotedMayWrap` is set, a
// string in double quotes may run over line ends (a service-code menu sent as
// plain text); the notice then ends at the first line end outside quotes.

#include <QByteArrayView>

#include <array>

struct NoticeKind {
    QByteArrayView prefix;
    int followingLines;
    bool quotedMayWrap = false;
};

// "+CMTI: <mem>,<index>": a new message is stored (AT+CNMI=3,1,...).
// "+CUSD: <m>[,<str>,<dcs>]": the network's answer to a service code.
// "+CDS: <length>" and a PDU line: a status report on a sent message.
// "+CDSI: <mem>,<index>": a status report is stored.
// "+CMT: [<alpha>],<length>" and a PDU line: a message handed over unstored.
inline constexpr std::array<NoticeKind, 5> kNotices{
    {{"+CMTI:", 0}, {"+CUSD:", 0, true}, {"+CDS:", 1}, {"+CDSI:", 0}, {"+CMT:", 1}}};
