#include "mainwindow/ussdsession.h"

#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "modem/ussdtext.h"

#include <utility>

namespace {

// Networks answer within seconds; some menus take up to half a minute.
constexpr int kAnswerTimeoutMs = 60000;

} // namespace

UssdSession::UssdSession(SerialThread* link, QObject* parent) : QObject(parent), link_(link) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(kAnswerTimeoutMs);
    connect(&timeout_, &QTimer::timeout, this, &UssdSession::timedOut);
    if (link_)
        connect(link_, &SerialThread::ussdNotice, this, &UssdSession::takeNotice);
}

UssdSession::~UssdSession() {
    // The card is told the session ends; nobody waits for its answer.
    if (state_ != State::Idle && link_ && link_->hasPort())
        link_->cancelUssd(link_.data(), nullptr);
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
    if (!link_ || !link_->hasPort())
        return giveUp(tr("No card is connected."));
    // The state changes first: the answer may come before the modem's OK.
    setState(State::Waiting);
    timeout_.start();
    const int attempt = ++attempt_;
    // The answer comes in the modem's character set; the program chooses it
    // once the card has answered, so that the answer can be read whatever
    // alphabet it is in.
    if (charsetChosen_) {
        transmit(text, attempt);
    } else {
        link_->setChset(this, "UCS2", [this, text, attempt](std::optional<bool> ucs2) {
            if (!ucs2) {
                // Unanswered, nothing is known: it is asked again next time.
                if (attempt == attempt_ && state_ == State::Waiting)
                    giveUp(tr("The card didn't answer."));
                return;
            }
            charsetChosen_ = true;
            ucs2_ = *ucs2;
            transmit(text, attempt);
        });
    }
    return true;
}

void UssdSession::transmit(const QString& text, int attempt) {
    // Cancelled (or sent anew) while the character set was chosen: not sent.
    if (attempt != attempt_ || state_ != State::Waiting || !link_)
        return;
    // Cards of the "^SYSCFGEX" family take a code only as packed septets,
    // the others in their character set; another maker's card that refuses
    // one form is given the other once.
    transmitAs(text, attempt, link_->dialect == Dialect::Syscfgex,
               link_->dialect != Dialect::Maker);
}

void UssdSession::transmitAs(const QString& text, int attempt, bool packed, bool mayRetry) {
    const QByteArray code = packed ? encodePackedUssd(text) : encodeUssdString(text, ucs2_);
    link_->sendUssd(this, code, [=, this](const UssdSent& sent) {
        if (attempt != attempt_ || state_ != State::Waiting || !link_)
            return;
        switch (sent.outcome) {
        case UssdSent::Outcome::Accepted:
            return;
        case UssdSent::Outcome::Refused:
            if (mayRetry)
                return transmitAs(text, attempt, !packed, false);
            giveUp(sent.refusal.isEmpty()
                       ? tr("The card refused the service code.")
                       : tr("The card refused the service code: %1").arg(sent.refusal));
            return;
        case UssdSent::Outcome::NoAnswer:
            giveUp(tr("The card didn't answer."));
            return;
        }
    });
}

bool UssdSession::giveUp(const QString& message) {
    timeout_.stop();
    ++attempt_;
    setState(State::Idle);
    emit failed(message);
    return false;
}

void UssdSession::cancel() {
    if (state_ == State::Idle)
        return;
    timeout_.stop();
    ++attempt_;
    setState(State::Idle);
    if (link_ && link_->hasPort())
        link_->cancelUssd(this, nullptr);
}

void UssdSession::takeNotice(const UssdNotice& notice) {
    // Nothing was asked: a late answer to a session that ended.
    if (state_ == State::Idle)
        return;
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
