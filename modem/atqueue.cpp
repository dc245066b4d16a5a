#include "modem/atqueue.h"

#include "modem/attransport.h"
#include "modem/modemlog.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/notices.h"

#include <QTimer>

namespace {

constexpr char kEsc = 0x1B;
// After a command gave up on a modem that doesn't echo, its reply may still
// come: the next command is written once the line was quiet this long.
constexpr int kQuietMs = 30;

// The line that puts the modem's echo on.
constexpr char kEchoOn[] = "ATE1\r\n";
constexpr int kEchoOnBudgetMs = 5000;

bool isPrompt(QByteArrayView text) {
    return finalResultOfLine(text) == FinalResult::Prompt;
}

// A line that is a report of the card unless it answers `command` (the line
// on the wire; empty when none is): a registration report answers only the
// read command of its own name.
bool reportOutside(QByteArrayView line, QByteArrayView command) {
    for (const QByteArrayView prefix : kAnswerOrNotice) {
        if (!line.trimmed().startsWith(prefix))
            continue;
        const QByteArrayView name = prefix.chopped(1); // without the colon
        const qsizetype at = command.indexOf(name);
        const bool answers = at >= 0 && at + name.size() <= command.size() &&
                             (at + name.size() == command.size() ||
                              command[at + name.size()] == '?' || command[at + name.size()] == '=');
        return !answers;
    }
    return false;
}

} // namespace

struct AtQueue::Request {
    int id = 0;
    QByteArray line;    // with its "\r\n"
    QByteArray command; // the line without its end: what the modem echoes
    QByteArray shown;   // what the log shows of it
    QByteArray body;
    int budgetMs = 0;
    AtPriority priority = AtPriority::User;
    QPointer<QObject> context;
    bool hasContext = false;
    AtCompletion done;

    // While on the wire.
    QList<QByteArray> lines;
    qsizetype size = 0;
    bool truncated = false; // the reply ran over its bound: the rest was dropped
    bool sawBytes = false;
    bool sawEcho = false;
    bool bodyWritten = false;
    // A final result that came before the echo of a modem that echoes: a
    // late reply of an earlier command, unless the echo doesn't follow.
    QByteArray heldFinal;
    // The card's "command not support", waiting for the final result that
    // may follow it.
    QByteArray notSupported;

    bool contextGone() const { return hasContext && context.isNull(); }
    bool hidden() const { return shown.size() < command.size(); }
};

AtQueue::AtQueue(AtTransport& transport, QObject* parent)
    : QObject(parent), transport_(transport), deadline_(new QTimer(this)),
      quiet_(new QTimer(this)) {
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, &AtQueue::expire);
    quiet_->setSingleShot(true);
    connect(quiet_, &QTimer::timeout, this, &AtQueue::dispatch);
    connect(&transport_, &AtTransport::bytesArrived, this, &AtQueue::takeBytes);
    connect(&transport_, &AtTransport::line, this, &AtQueue::takeLine);
    connect(&transport_, &AtTransport::partialLine, this, [this](const QByteArray& partial) {
        if (current_ && !current_->body.isEmpty() && !current_->bodyWritten && isPrompt(partial)) {
            current_->bodyWritten = true;
            transport_.write(current_->body);
        }
    });
    lastBytes_.start();
}

AtQueue::~AtQueue() = default;

std::unique_ptr<AtQueue::Request> AtQueue::makeRequest(const AtCaller& caller,
                                                       const QByteArray& line, int budgetMs,
                                                       AtCompletion done, const QByteArray& body,
                                                       qsizetype shownLength) {
    auto request = std::make_unique<Request>();
    request->id = nextId_++;
    request->line = line;
    request->command = line;
    while (request->command.endsWith('\n') || request->command.endsWith('\r'))
        request->command.chop(1);
    request->shown = shownLength >= 0 && shownLength < request->command.size()
                         ? request->command.left(shownLength) + "****"
                         : request->command;
    request->body = body;
    request->budgetMs = budgetMs;
    request->priority = caller.priority;
    request->context = caller.context;
    request->hasContext = caller.context != nullptr;
    request->done = std::move(done);
    return request;
}

void AtQueue::enqueue(const AtCaller& caller, const QByteArray& line, int budgetMs,
                      AtCompletion done, const QByteArray& body, qsizetype shownLength) {
    std::unique_ptr<Request> request =
        makeRequest(caller, line, budgetMs, std::move(done), body, shownLength);

    auto at = pending_.end();
    if (inCompletion_) {
        // The next step of a flow goes ahead of everything queued: a flow's
        // steps are never interleaved with other commands, so that what a
        // step set on the card (the message storage, say) holds for the
        // next.
        at = pending_.begin() + std::min<std::ptrdiff_t>(continuations_++, std::ssize(pending_));
    } else if (caller.priority == AtPriority::User) {
        // After the last action, ahead of the first poll.
        at = std::find_if(pending_.begin(), pending_.end(),
                          [](const auto& queued) { return queued->priority == AtPriority::Poll; });
    }
    pending_.insert(at, std::move(request));
    // Written from the event loop, so that no completion ever runs inside
    // the caller's enqueue.
    QMetaObject::invokeMethod(this, &AtQueue::dispatch, Qt::QueuedConnection);
}

void AtQueue::resume() {
    suspended_ = false;
    QMetaObject::invokeMethod(this, &AtQueue::dispatch, Qt::QueuedConnection);
}

void AtQueue::putEchoOn() {
    pending_.push_front(
        makeRequest({this, AtPriority::User}, kEchoOn, kEchoOnBudgetMs, nullptr, {}, -1));
    QMetaObject::invokeMethod(this, &AtQueue::dispatch, Qt::QueuedConnection);
}

void AtQueue::restart() {
    echoes_ = false;
    heard_ = false;
    timedOut_ = false;
}

void AtQueue::failAll() {
    // Nothing is written meanwhile; what the completions queue ends too.
    const bool wasFailing = std::exchange(failing_, true);
    if (current_)
        finish(FinalResult::None, {});
    while (!pending_.empty()) {
        current_ = std::move(pending_.front());
        pending_.pop_front();
        finish(FinalResult::None, {});
    }
    failing_ = wasFailing;
}

bool AtQueue::lateBytesPossible() const {
    return timedOut_ && !echoes_ && lastBytes_.elapsed() < kQuietMs;
}

void AtQueue::dispatch() {
    if (current_ || suspended_ || failing_)
        return;
    while (!pending_.empty() && pending_.front()->contextGone())
        pending_.pop_front();
    if (pending_.empty())
        return;
    if (lateBytesPossible()) {
        if (!quiet_->isActive())
            quiet_->start(kQuietMs);
        return;
    }
    current_ = std::move(pending_.front());
    pending_.pop_front();
    write(*current_);
}

void AtQueue::write(Request& request) {
    if (request.line.isEmpty() || !transport_.write(request.line)) {
        qCDebug(lcModem, "not written: %s", request.shown.constData());
        // Ended from the event loop: ending it here would write the next
        // command from inside this one, as deep as the queue is long when
        // none can be written.
        QMetaObject::invokeMethod(
            this,
            [this, id = request.id] {
                if (current_ && current_->id == id)
                    finish(FinalResult::None, {});
            },
            Qt::QueuedConnection);
        return;
    }
    qCDebug(lcModem, "sent cmd: %s", request.shown.constData());
    timedOut_ = false;
    armDeadline();
}

void AtQueue::armDeadline() {
    // A modem that echoes, or one that hasn't said a word since the port
    // opened, begins its reply at once or not at all.
    const bool waitingForFirstByte = !current_->sawBytes && (echoes_ || !heard_);
    deadline_->start(waitingForFirstByte ? firstByteMs : current_->budgetMs);
}

void AtQueue::takeBytes() {
    lastBytes_.restart();
    heard_ = true;
    if (current_ && !current_->sawBytes) {
        current_->sawBytes = true;
        armDeadline();
    }
}

void AtQueue::takeLine(const QByteArray& line) {
    if (reportOutside(line, current_ ? QByteArrayView(current_->command) : QByteArrayView())) {
        emit notice(line);
        return;
    }
    if (!current_) {
        const bool hidden = !lastHidden_.isEmpty() && line.contains(lastHidden_);
        qCDebug(lcModem, "line of no command dropped: %s",
                hidden ? "(the echo of a code)" : line.constData());
        return;
    }
    Request& request = *current_;
    if (line.endsWith(request.command)) {
        // Whatever came before the echo was the late reply of an earlier
        // command.
        if (!request.lines.isEmpty() || !request.heldFinal.isEmpty())
            qCDebug(lcModem, "dropped what came before the echo of %s", request.shown.constData());
        request.lines.clear();
        request.size = 0;
        request.truncated = false;
        request.heldFinal.clear();
        request.notSupported.clear();
        request.sawEcho = true;
        echoes_ = true;
        armDeadline();
        return;
    }
    if (request.bodyWritten && line.endsWith(request.body.chopped(1)))
        return; // the body's echo
    if (!request.body.isEmpty() && !request.bodyWritten && isPrompt(line)) {
        request.bodyWritten = true;
        transport_.write(request.body);
        return;
    }
    const FinalResult result = finalResultOfLine(line);
    if (!request.notSupported.isEmpty()) {
        // The card's refusal came first; the final result that follows it
        // belongs to the same reply.
        if (result != FinalResult::None && result != FinalResult::Prompt)
            return finish(FinalResult::NotSupported, request.notSupported + "\r\n" + line);
    }
    if (result == FinalResult::None || result == FinalResult::Prompt)
        return keepAnswerLine(request, line);
    if (result == FinalResult::NotSupported) {
        // The card's "command not support" may be followed by an ERROR of
        // the same reply: it is given a moment to come.
        request.notSupported = line;
        deadline_->start(firstByteMs);
        return;
    }
    if (echoes_ && !request.sawEcho) {
        // An echoing modem echoes at once: give the echo a moment to follow.
        request.heldFinal = line;
        deadline_->start(firstByteMs);
        return;
    }
    finish(result, line);
}

// A reply is kept up to its bound; from the first line that doesn't fit,
// the rest of it is dropped, so that no later line passes for the one that
// came after the last kept.
void AtQueue::keepAnswerLine(Request& request, const QByteArray& line) {
    if (request.truncated)
        return;
    if (request.size + line.size() + 2 > AT_REPLY_SIZE) {
        qCDebug(lcModem, "reply of %s over %d bytes: the rest is dropped",
                request.shown.constData(), AT_REPLY_SIZE);
        request.truncated = true;
        return;
    }
    request.size += line.size() + 2;
    request.lines.append(line);
}

void AtQueue::expire() {
    if (!current_)
        return;
    if (!current_->notSupported.isEmpty())
        return finish(FinalResult::NotSupported, current_->notSupported);
    if (!current_->heldFinal.isEmpty()) {
        // No echo followed: the modem stopped echoing, and the final result
        // is this command's.
        qCDebug(lcModem, "the modem no longer echoes: its echo is put on again");
        echoes_ = false;
        const QByteArray held = current_->heldFinal;
        putEchoOn();
        finish(finalResultOfLine(held), held);
        return;
    }
    qCDebug(lcModem, "no reply in time: %s", current_->shown.constData());
    if (!current_->body.isEmpty() && !current_->bodyWritten) {
        // A late prompt would take the next command line as the body; Esc
        // cancels the body.
        transport_.write(QByteArray(1, kEsc));
    }
    timedOut_ = true;
    finish(FinalResult::None, {});
}

void AtQueue::finish(FinalResult result, const QByteArray& finalLine) {
    deadline_->stop();
    std::unique_ptr<Request> request = std::move(current_);
    AtReply reply;
    reply.result = result;
    reply.truncated = request->truncated;
    QByteArray answer;
    if (!request->lines.isEmpty())
        answer += request->lines.join("\r\n") + "\r\n";
    if (!finalLine.isEmpty())
        answer += (request->lines.isEmpty() ? "" : "\r\n") + finalLine + "\r\n";
    reply.text = request->command + "\r\r\n" + answer;
    lastHidden_ = request->hidden() ? request->command : QByteArray();
    qCDebug(lcModem, "reply: %s\r\r\n%s", request->shown.constData(), answer.constData());
    if (request->done && !request->contextGone()) {
        // A completion may run others inside it (a modal dialog's event
        // loop): each counts its own continuations.
        const bool outerIn = std::exchange(inCompletion_, true);
        const int outerCount = std::exchange(continuations_, 0);
        request->done(reply);
        inCompletion_ = outerIn;
        continuations_ = outerCount;
    }
    dispatch();
}
