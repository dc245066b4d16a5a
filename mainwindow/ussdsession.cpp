#include "mainwindow/ussdsession.h"

#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "modem/ussdtext.h"

#include <utility>

namespace {

// Networks answer within seconds; some menus take up to half a minute.
constexpr int kAnswerTimeoutMs = 60000;
// While the link is busy with another command, the send is tried again
// this often, for up to 3 s.
constexpr int kBusyRetryMs = 100;
constexpr int kBusyRetries = 30;

} // namespace

UssdSession::UssdSession(SerialThread* link, QObject* parent) : QObject(parent), link_(link) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(kAnswerTimeoutMs);
    connect(&timeout_, &QTimer::timeout, this, &UssdSession::timedOut);
    if (link_)
        connect(link_, &SerialThread::ussdNotice, this, &UssdSession::takeNotice);
}

UssdSession::~UssdSession() {
    if (state_ != State::Idle && link_ && link_->hasPort() && !link_->busy())
        link_->cancelUssd();
}

bool UssdSession::send(const QString& text) {
    if (!isServiceCode(text)) {
        emit failed(tr("Only digits, \"*\", \"#\" and \"+\" can be used, at most %1 of them.")
                        .arg(kUssdMaxLength));
        return false;
    }
    if (state_ == State::Waiting) {
        emit failed(tr("The network hasn't answered yet."));
        return false;
    }
    pending_ = text;
    busyRetriesLeft_ = kBusyRetries;
    // The state changes first: the answer may come before the modem's OK.
    setState(State::Waiting);
    timeout_.start();
    return transmit();
}

bool UssdSession::transmit() {
    if (state_ != State::Waiting || pending_.isEmpty())
        return false; // cancelled while it waited for the link
    if (!link_ || !link_->hasPort())
        return giveUp(tr("No card is connected."));
    // The status checks hold the link for moments at a time: wait for it.
    if (link_->busy()) {
        if (busyRetriesLeft_-- <= 0)
            return giveUp(tr("The card is busy. Try again in a moment."));
        QTimer::singleShot(kBusyRetryMs, this, &UssdSession::transmit);
        return true;
    }
    // The answer comes in the modem's character set; the program chooses it
    // once, so that the answer can be read whatever alphabet it is in.
    if (!charsetChosen_) {
        ucs2_ = link_->setChset("UCS2") == 1;
        charsetChosen_ = true;
        // That command let events run: the user may have cancelled meanwhile.
        if (state_ != State::Waiting)
            return false;
    }
    const QString text = std::exchange(pending_, QString());
    QString refusal;
    const int sent = link_ ? link_->sendUssd(encodeUssdString(text, ucs2_), &refusal) : -1;
    if (sent == 1 || state_ != State::Waiting)
        return true;
    if (sent == 0)
        return giveUp(refusal.isEmpty() ? tr("The card refused the service code.")
                                        : tr("The card refused the service code: %1").arg(refusal));
    return giveUp(tr("The card didn't answer."));
}

bool UssdSession::giveUp(const QString& message) {
    timeout_.stop();
    pending_.clear();
    setState(State::Idle);
    emit failed(message);
    return false;
}

void UssdSession::cancel() {
    if (state_ == State::Idle)
        return;
    timeout_.stop();
    pending_.clear();
    setState(State::Idle);
    if (link_ && link_->hasPort())
        link_->cancelUssd();
}

void UssdSession::takeNotice(const UssdNotice& notice) {
    const QString text = decodeUssdText(notice.text, notice.dcs, ucs2_);
    timeout_.stop();
    switch (notice.status) {
    case 0:
    case 1:
        setState(notice.status == 1 ? State::Menu : State::Idle);
        emit answered(text, notice.status == 1);
        return;
    case 2:
        setState(State::Idle);
        if (text.isEmpty())
            emit failed(tr("The network ended the session."));
        else
            emit answered(text, false);
        return;
    case 3:
        setState(State::Idle);
        emit failed(tr("Another program on the card answered the request."));
        return;
    case 4:
        setState(State::Idle);
        emit failed(tr("The network doesn't offer this service code."));
        return;
    default:
        setState(State::Idle);
        emit failed(tr("The network didn't answer in time."));
        return;
    }
}

void UssdSession::timedOut() {
    if (state_ != State::Waiting)
        return;
    cancel();
    emit failed(tr("The network didn't answer in time."));
}

void UssdSession::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state_);
}
