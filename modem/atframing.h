#pragma once

// Cuts the bytes the modem sends into what they mean, whatever pieces they
// arrive in: notices (unsolicited result codes, taken out wherever they turn
// up, see noticefilter.h) and whole lines. A notice runs to the LF that ends
// its last line (modems end lines with CR LF); other lines end at CR, LF or
// both, and empty lines carry nothing and are dropped. The start of a line
// whose end hasn't come yet is kept, so that a prompt without a line end
// ("> ") can be seen.

#include "modem/noticefilter.h"

#include <QByteArray>
#include <QList>

struct AtEvent {
    enum Kind { Notice, Line };
    Kind kind;
    QByteArray text; // a notice with the lines that belong to it, or one line without its end
};

class AtFraming {
public:
    // Takes out the notices of protocol/notices.h.
    AtFraming();

    // The notices and lines that `bytes` complete, in the order they came.
    QList<AtEvent> feed(QByteArrayView bytes);

    // The unfinished line so far.
    const QByteArray& partial() const { return partial_; }

    // Forgets everything held (the port changed).
    void reset();

    // A line longer than this is cut there; the rest of it is dropped.
    static constexpr qsizetype kLongestLine = 16384;

private:
    NoticeFilter notices_;
    QByteArray partial_;
};
