#pragma once

// Setting up a card whose AT port was just opened, as a sequence of steps on
// the link: the operating mode, the SIM (waiting while it is busy, unlocking
// it with the user), the SIM's type (waited for while the card settles), the
// SIM phonebook's size and the character set, where new messages go and how
// they are announced, the message format, the network mode preference and
// the card's generation. The messages themselves are the inbox's (SmsInbox).

#include <QObject>

#include <functional>

class MonitorView;
class PinFlows;
class QTimer;
class SerialThread;

class ModemStartup : public QObject {
    Q_OBJECT
public:
    enum class Result {
        Ready,   // set up with a usable SIM
        Locked,  // the PIN or PUK entry was cancelled: set up without the SIM
        NoSim,   // no usable SIM (failed, or busy beyond its bound)
        NoModem, // the card didn't answer
    };

    ModemStartup(MonitorView* view, SerialThread& link, PinFlows& pin, QObject* parent = nullptr);

    // How long a SIM may answer "busy" before it counts as failed, in s.
    void setSimBusyLimit(int seconds) { simBusyLimit_ = seconds; }
    // How long a card may take to tell its SIM type, in s (the program ends
    // after that).
    void setSimTypeLimit(int seconds) { simTypeLimit_ = seconds; }

    // Runs the sequence; `done` receives its result. A sequence under way is
    // given up.
    void start(std::function<void(Result)> done);
    // Checks the SIM again (it came back) and, once unlocked, sets up what
    // depends on it.
    void restartFromSim(std::function<void(Result)> done);
    bool running() const { return static_cast<bool>(done_); }
    // Gives the sequence up (the card went away).
    void abandon();

    // Whether the PIN lock is on, as the card told at the end.
    bool pinEnabled() const { return pinEnabled_; }

private:
    void checkSim(int busyAnswers);
    void simUnlocked(bool unlocked);
    void waitForSimType(int elapsedSeconds, int silentSeconds);
    void setUpSimAndMessages();
    void setUpMessages();
    void setUpMessageFormat();
    void setUpNetworkMode();
    void setUpNetworkModes();
    void finish(Result result);
    // Runs `step` after `seconds`, unless the sequence was given up.
    void later(int seconds, std::function<void()> step);

    MonitorView* view_;
    SerialThread& link_;
    PinFlows& pin_;
    QTimer* timer_;
    std::function<void(Result)> done_;
    int simBusyLimit_ = 60;
    int simTypeLimit_ = 120;
    bool pinEnabled_ = false;
    bool locked_ = false;
};
