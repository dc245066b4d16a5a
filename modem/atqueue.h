#pragma once

// The queue of AT commands on the modem's port: one command on the wire at a
// time, the others waiting in order, each with its line, its time budget and
// a completion that receives the reply. Callers enqueue and carry on; the
// completion runs later, from the event loop, when the command's final
// result has come or its budget is spent. Nothing here waits.
//
// A reply is framed by whole lines (atframing.h): the queue knows which
// command is on the wire, so the modem's echo is not needed to tell whose
// reply a line is. It is used when the modem gives it: lines that came
// before a command's echo belong to an earlier command that gave up, and an
// echoing modem that doesn't begin its reply quickly is taken to be gone.
// A message body is written only once the "> " prompt has come for the
// command that expects it.
//
// A command queued from a completion is the next step of a flow: it goes
// ahead of everything queued, so that the steps of a flow follow one another
// on the wire without another command between them.

#include "modem/protocol/replies.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

class AtTransport;
class QTimer;

// A user's action goes ahead of every queued poll (but not ahead of other
// actions, the next step of a flow, nor the command on the wire).
enum class AtPriority { Poll, User };

// Who asks: the completion doesn't run once `context` is gone (a closed
// dialog, say), and a command whose context went before it was written is not
// written at all.
struct AtCaller {
    AtCaller(QObject* context, AtPriority priority = AtPriority::User)
        : context(context), priority(priority) {}
    QObject* context;
    AtPriority priority;
};

// How a command ended.
struct AtReply {
    // The final result; None when the command was not written (no port, a
    // refused line) or no final result came within its budget.
    FinalResult result = FinalResult::None;
    // The reply as the readers of modem/protocol take it: the command line,
    // its answer lines and the final result, each line ended by CR LF (the
    // form an echoing modem sends). Without a final result: as far as it came.
    QByteArray text;
    // The reply ran over AT_REPLY_SIZE: `text` ends with the last answer line
    // that fitted, and the rest of the answer was dropped.
    bool truncated = false;

    bool answered() const { return result != FinalResult::None; }
    bool ok() const { return result == FinalResult::Ok; }
};

using AtCompletion = std::function<void(const AtReply&)>;

class AtQueue : public QObject {
    Q_OBJECT
public:
    explicit AtQueue(AtTransport& transport, QObject* parent = nullptr);
    ~AtQueue() override;

    // Queues `line` (ending in "\r\n") with a budget in ms. `body` (a message
    // body ending in Ctrl-Z) is written when the modem's prompt has come. An
    // empty line is refused: its completion runs, unanswered, from the event
    // loop. The log shows `line` up to `shownLength` bytes (all when
    // negative), so that the SIM's codes never reach it.
    void enqueue(const AtCaller& caller, const QByteArray& line, int budgetMs, AtCompletion done,
                 const QByteArray& body = {}, qsizetype shownLength = -1);

    // Holds the queue once the command on the wire has ended: commands
    // queued meanwhile wait for resume().
    void suspend() { suspended_ = true; }
    void resume();
    bool isSuspended() const { return suspended_; }

    // Nothing on the wire and nothing waiting.
    bool idle() const { return !current_ && pending_.empty(); }

    // A new port: the modem's echo is unknown until its replies tell.
    void restart();
    // Puts the modem's echo on, ahead of everything queued: then its state
    // is known, and a modem that is gone is found out at once.
    void putEchoOn();
    // The port went away: every command ends unanswered.
    void failAll();

    // An echoing modem that hasn't begun its reply within this many ms of
    // the command is taken to be gone, whatever the command's budget (tests
    // on a loaded machine widen it).
    int firstByteMs = 50;

signals:
    // A report of the card that came as a line of its own (see
    // kAnswerOrNotice in protocol/notices.h), also inside another reply.
    void notice(const QByteArray& line);

private:
    struct Request;
    std::unique_ptr<Request> makeRequest(const AtCaller& caller, const QByteArray& line,
                                         int budgetMs, AtCompletion done, const QByteArray& body,
                                         qsizetype shownLength);
    void dispatch();
    void write(Request& request);
    void takeLine(const QByteArray& line);
    void keepAnswerLine(Request& request, const QByteArray& line);
    void takeBytes();
    void expire();
    void finish(FinalResult result, const QByteArray& finalLine);
    void armDeadline();
    bool lateBytesPossible() const;

    AtTransport& transport_;
    std::deque<std::unique_ptr<Request>> pending_;
    std::unique_ptr<Request> current_;
    QTimer* deadline_;
    QTimer* quiet_; // waits for the line to go quiet after a command timed out
    QElapsedTimer lastBytes_;
    int nextId_ = 1;
    // The line of the last command whose log was shortened: its late echo
    // is shortened too.
    QByteArray lastHidden_;
    bool suspended_ = false;
    bool echoes_ = false;
    bool heard_ = false;    // the modem has sent something since the port opened
    bool timedOut_ = false; // the last command gave up: its reply may still come
    // While a completion runs, what it queues goes to the front, in order.
    bool inCompletion_ = false;
    bool failing_ = false;
    int continuations_ = 0;
};
