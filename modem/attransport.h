#pragma once

// The modem's AT port: the one owner of its descriptor and of the framing of
// what the modem sends. It opens and configures the tty, writes command
// lines, collects a reply up to its final result within a time budget, and
// takes unsolicited notices out of everything it reads (in a reply, in the
// purge before a command, and while no command runs, woken by the port) and
// emits them at once.
//
// It lives on the application's thread and is used from there only.

#include <QByteArray>
#include <QObject>
#include <QString>

#include "modem/noticefilter.h"

class QSocketNotifier;

class AtTransport : public QObject {
    Q_OBJECT
public:
    // A modem that hasn't begun its reply within this many milliseconds is
    // taken to be gone, whatever the command's budget.
    static constexpr int kFirstByteMs = 50;

    explicit AtTransport(QObject* parent = nullptr);
    ~AtTransport() override;

    // --- the port -----------------------------------------------------------

    // Opens and configures a tty of the modem (115200 8N1, raw, RTS/CTS and
    // XON/XOFF); the descriptor becomes the command port. -1 with errno set.
    int open(const QString& device);
    // Makes an open descriptor the command port (-1: none).
    void use(int fd);
    // 1 after closing, 0 when fd < 0. Closing the command port leaves none.
    int close(int fd);
    // Closes fd when valid, logs the failing step, sets errno and returns -1.
    static int closeAbnormal(int fd, const char* what, int err);
    // The command port's descriptor, -1 when there is none.
    const int& fd() const { return fd_; }

    // Bytes written, or -1.
    static int write(int fd, const char* data, int len);

    // --- replies --------------------------------------------------------------

    // The line just written, for the reply that follows: its echo, if the
    // modem echoes, tells the reply from a stale final result that arrives
    // before it. Empty for a message body.
    void expectEcho(QByteArrayView line);
    // Collects one reply from fd into `reply` (capacity bytes, NUL included):
    // 1 = final result, -1 = error or time-out (then the reply holds the text
    // up to an error mark, else nothing). `budgetMs` is the idle budget.
    int receive(int fd, char* reply, int capacity, long long budgetMs);
    // Reads and discards pending input of the command port (for at most a
    // couple of milliseconds), delivering notices in it.
    void purge();
    bool receiving() const { return receiving_; }

    // Tests on a loaded machine widen the first-byte limit where it isn't
    // their subject.
    int firstByteTimeoutMs = kFirstByteMs;

    // --- notices --------------------------------------------------------------

    // Registers a further notice prefix (those of protocol/notices.h are
    // registered from the start).
    void addNotice(QByteArrayView prefix, int followingLines = 0);

signals:
    // A notice line (with the lines that belong to it), as soon as it was read.
    void notice(const QByteArray& text);

private:
    // Bytes read, through the notice filter; notices are emitted.
    QByteArray filtered(const char* data, qsizetype size);
    void readWhileIdle();
    void watch(bool on);
    void rewatchLater();

    int fd_ = -1;
    NoticeFilter filter_;
    QByteArray pending_;  // bytes read after a final result or while idle
    QByteArray echo_;     // what the reply to the line just written echoes
    bool echoes_ = false; // the modem echoed a command line since the port opened
    bool receiving_ = false;
    bool rewatchPending_ = false;
    QSocketNotifier* watcher_ = nullptr;
};
