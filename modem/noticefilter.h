#pragma once

// Takes unsolicited notice lines out of the bytes read from the modem.
//
// A notice is a line that begins with a registered prefix (the new-message
// notice's, for one) and
// ends with its line end (plus the lines that belong to it). Bytes arrive in
// pieces of any size: the start of a line that may still become a notice is
// held back until it is decided, so a reply never sees a piece of a notice
// and a notice is never cut. Everything else passes through unchanged and in
// order.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class NoticeFilter {
public:
    // A notice begins with `prefix` and takes `followingLines` more lines;
    // with `quotedMayWrap`, a line end inside double quotes doesn't end it
    // (for at most kWrappedLines lines).
    void addPrefix(QByteArrayView prefix, int followingLines = 0, bool quotedMayWrap = false);

    // Passes `bytes` through: returns what is not part of a notice; each
    // completed notice (its lines, without the final line end) is appended
    // to `notices`.
    QByteArray feed(QByteArrayView bytes, QList<QByteArray>* notices);

    // Forgets a held line start and a notice in progress (the port changed).
    void reset();

    // A notice line longer than this is no notice: it is passed on as data.
    static constexpr qsizetype kLongestNotice = 4096;
    // A quoted text that is still open after this many line ends is taken as
    // damaged: the notice ends there.
    static constexpr int kWrappedLines = 24;

private:
    struct Prefix {
        QByteArray text;
        int followingLines;
        bool quotedMayWrap;
    };
    // How `held_` relates to the prefixes: it begins one, could still become
    // one, or neither.
    enum class Match { Complete, Partial, None };
    Match match(const Prefix** found) const;

    QList<Prefix> prefixes_;
    QByteArray held_;       // a line start that matches the beginning of a prefix, or a notice
    bool inNotice_ = false; // held_ is a notice being completed
    int linesLeft_ = 0;     // lines of the notice still to come after the current one
    bool mayWrap_ = false;  // the notice in progress may hold quoted line ends
    int wrapsLeft_ = 0;     // line ends inside quotes it may still take
    bool atLineStart_ = true;
};
