#pragma once

#include <QByteArray>

// Tells where a modem reply ends while its bytes arrive in pieces of any size.
//
// A reply ends with the first of: the message-body prompt "> ", "not
// support\r\n", "OK\r\n", "NO CARRIER", "ERROR\r\n", or an error line
// "+CME ERROR..." / "+CMS ERROR..." up to its line end. Only the bytes a
// piece adds are searched, so a long reply costs time in proportion to its
// length. Bytes after the end belong to whatever follows (an unsolicited
// notice, the next reply) and are not taken.
//
// Given the echo of the command line (from a modem that echoes), a reply that
// ends before the echo appeared is a stale one, left by a command that gave
// up: it is dropped and the collection goes on.
class ReplyCollector {
public:
    // Keeps at most `keep` bytes of the reply text; the rest is still
    // searched for the end but dropped.
    explicit ReplyCollector(qsizetype keep, QByteArray echo = {});

    // Takes the leading bytes of `data` that belong to the reply; returns
    // how many (all of them unless the reply ended within the piece).
    qsizetype feed(const char* data, qsizetype size);
    qsizetype feed(const QByteArray& data) { return feed(data.constData(), data.size()); }

    bool finished() const { return finished_; }
    qsizetype received() const { return received_; }
    // The reply so far (cut to `keep` bytes).
    const QByteArray& text() const { return text_; }
    // What a reply that never ended leaves for its caller: the text up to an
    // error mark when one was seen, else nothing.
    QByteArray textBeforeEnd() const { return text_.left(errorMark_); }
    // Stale replies dropped.
    int stale() const { return stale_; }
    // True when the reply holds `echo` as a line of its own start.
    bool echoed(const QByteArray& echo) const { return hasEcho(text_, echo); }

    static bool hasEcho(const QByteArray& text, const QByteArray& echo);

private:
    void take(const char* data, qsizetype size);
    void restart();

    qsizetype keep_;
    QByteArray echo_;
    QByteArray text_;
    QByteArray carry_; // tail of what was searched, for ends split across pieces
    qsizetype received_ = 0;
    qsizetype errorMark_ = 0;
    int stale_ = 0;
    bool inErrorLine_ = false;
    bool finished_ = false;
};
