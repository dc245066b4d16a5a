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

// The card's own reports of its radio, which never answer a command the
// program sends: signal ("^RSSI:", "+QIND:" "csq"), technology ("^MODE:",
// "+ZPASR:"), and the chatter of the same families that is only dropped
// (boot, flow, SIM and time reports; "+ZUSIMR:" floods until the first
// "AT+CPMS?"). They may arrive anywhere, also inside a reply.
inline constexpr std::array<NoticeKind, 14> kRadioNotices{{
    {"^RSSI:", 0},
    {"^MODE:", 0},
    {"+QIND:", 0},
    {"+ZPASR:", 0},
    {"^BOOT:", 0},
    {"^DSFLOWRPT:", 0},
    {"^SRVST:", 0},
    {"^SIMST:", 0},
    {"^NWTIME:", 0},
    {"^CSNR:", 0},
    {"+ZUSIMR:", 0},
    {"+ZDONR:", 0},
    {"+ZEND", 0},
    {"+ZPSTM", 0},
}};

// Lines that are notices unless they answer the command on the wire: the
// registration reports ("+CREG: <stat>..." once AT+CREG=2 is set, and the
// read command's "+CREG: <n>,<stat>...") and "^HCSQ:". The link's queue
// tells them apart by the command it waits for.
inline constexpr std::array<QByteArrayView, 4> kAnswerOrNotice{
    {"+CREG:", "+CGREG:", "+CEREG:", "^HCSQ:"}};
