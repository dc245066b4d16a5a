#pragma once

// The shared tokenizer for AT reply lines (3GPP TS 27.007 section 4.1): a
// reply is lines framed by CR LF; an answer line is "+NAME: " followed by
// parameters separated by commas. A parameter is empty, a bare token
// (number or word), a string in double quotes (which may hold commas,
// parentheses or "@"), or a list in parentheses whose items are parameters
// again ("(2,"Op, Inc.","OP","26201",2)" or a range "(1-250)").

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

struct AtField {
    enum Kind { Empty, Bare, Quoted, List };
    Kind kind = Empty;
    // Bare: the token, trimmed. Quoted: the text between the quotes. List:
    // the text between the parentheses.
    QString text;
    // List: its items.
    QList<AtField> items;

    bool isEmpty() const { return kind == Empty; }
    // The value of a bare decimal number (quoted numbers too, as some modems
    // quote them); nothing for anything else.
    std::optional<int> number() const;
    // The text of a bare or quoted field, "" for the others.
    QString value() const { return kind == Bare || kind == Quoted ? text : QString(); }
};
using AtFields = QList<AtField>;

// Splits the parameters of one answer line. A trailing comma gives a last
// empty field; an unterminated string or list runs to the end of the line.
AtFields splitAtFields(QByteArrayView params);

// One answer line of a reply: its parameters (the text after "+NAME:" and
// the blanks that follow) and where the next line of the reply starts (for
// answers followed by a data line, such as a PDU).
struct AnswerLine {
    QByteArrayView params;
    qsizetype next = -1; // offset of the following line in the reply; -1 at the end
};

// The lines of `reply` that begin with `prefix` (such as "+CMGL:"), in order.
// A line begins after CR or LF or at the start of the reply; blanks before
// the prefix are allowed.
QList<AnswerLine> answerLines(QByteArrayView reply, QByteArrayView prefix);
// The first of them.
std::optional<AnswerLine> answerLine(QByteArrayView reply, QByteArrayView prefix);
// The line of `reply` that starts at `offset`, without its line end.
QByteArrayView lineAt(QByteArrayView reply, qsizetype offset);
// Where the line after the one holding `offset` starts; -1 at the end.
qsizetype lineAfter(QByteArrayView reply, qsizetype offset);

// The first value line of a reply to a command whose answer has no
// "+NAME:" prefix (IMSI, serial number, revision): the first non-empty line
// that is neither the echo of `command` nor a final result, with a
// leading "+NAME:" (as some modems add) removed and blanks trimmed.
std::optional<QString> valueLine(QByteArrayView reply, QByteArrayView command);
