#pragma once

// One conversation with the network through service codes (USSD): a code
// such as *100# goes out, the network's answer comes back as a notice, and
// when the network asks for more (a menu), the next reply goes out in the
// same session until it ends or the user cancels it.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class SerialThread;
struct UssdNotice;

class UssdSession : public QObject {
    Q_OBJECT
public:
    enum class State {
        Idle,    // no session: a new code may be sent
        Waiting, // a code or reply went out; the answer hasn't come
        Menu,    // the network waits for the user's reply
    };

    explicit UssdSession(SerialThread* link, QObject* parent = nullptr);
    ~UssdSession() override;

    // Sends a new code (Idle) or a reply to the network's menu (Menu). Only
    // digits, "*", "#" and "+" are taken. False, with failed() emitted, when
    // the text, the state or the card doesn't allow it.
    bool send(const QString& text);
    // Ends a session that waits for an answer or a reply; the modem is told.
    void cancel();

    State state() const { return state_; }
    // How long the network may take to answer before the session is given up.
    void setAnswerTimeout(int ms) { timeout_.setInterval(ms); }

signals:
    // The network's answer; `replyExpected`: it shows a menu and waits.
    void answered(const QString& text, bool replyExpected);
    // The session ended without an answer, or a send was refused.
    void failed(const QString& message);
    void stateChanged(UssdSession::State state);

private:
    // Sends `text` once the character set is chosen, unless attempt
    // `attempt` was cancelled meanwhile.
    void transmit(const QString& text, int attempt);
    // Sends `text` packed or in the character set; a refusal with `mayRetry`
    // sends the other form.
    void transmitAs(const QString& text, int attempt, bool packed, bool mayRetry);
    // Ends the attempt with `message`; false.
    bool giveUp(const QString& message);
    void takeNotice(const UssdNotice& notice);
    void timedOut();
    void setState(State state);

    QPointer<SerialThread> link_;
    State state_ = State::Idle;
    QTimer timeout_;
    int attempt_ = 0; // numbers the sends; a cancel ends the one under way
    bool charsetChosen_ = false;
    bool ucs2_ = false;
};
