#pragma once

// The life of a data connection, from the connect click to the restored
// dialer files: Disconnected -> Connecting -> Connected -> Disconnecting ->
// Disconnected. Connecting reads the default profile and has the modem
// given the PDP context; the privileged helper then writes the dialer's
// files, runs the dialer and restores the files once it has ended. The
// controller checks for the link and its DNS server (5 s after dialling,
// then every 2 s up to 59 s). Disconnecting asks the helper to end the
// dialer and waits for the helper to report the files restored. Everything
// runs from timers and the helper's reports on the application's thread;
// the timing and the clock can be given, so that tests need not wait for
// real minutes.

#include "connection/connectionstate.h"
#include "connection/connectionview.h"
#include "connection/leftoverconnection.h"
#include "connection/privilegedhelper.h"
#include "connection/traffichistory.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTimer;
class SerialThread;
struct NetworkSettings;

struct ConnectionTiming {
    int firstCheckMs = 5000; // the first connect check after dialling
    int recheckMs = 2000;    // while the DNS server is awaited
    int lastDnsSecond = 59;  // no DNS server this long after dialling: failure
    int killWaitMs = 2000;   // checks whether the dialer told to end has gone
    int forceKillMs = 10000; // a dialer still there this long after the hangup gets SIGKILL
    int animationMs = 1000;  // the dots of "State: Connecting."
    int trafficMs = 1000;    // amounts and time while connected
    int redials = 2;         // dials again when the dialer aborted before a link came up
};

class ConnectionController : public QObject {
    Q_OBJECT
public:
    using State = ConnectionState;

    // `link` is held still (at-lock and reception flag) while the dialer
    // goes down; none: no modem to hold.
    ConnectionController(ConnectionView& view, SerialThread* link, QObject* parent = nullptr);
    ~ConnectionController() override;

    void setTiming(const ConnectionTiming& timing) { timing_ = timing; }
    // Milliseconds on any steady scale; by default the monotonic clock.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }
    // The dialer of the connection settings ("wvdial", "pppd", or empty for
    // the machine's default), read at each connect; by default the network
    // settings file's.
    void setDialerSetting(std::function<QString()> setting) { dialerSetting_ = std::move(setting); }

    State state() const { return state_; }
    // A connection's helper runs: the connection is being made, is up, or is
    // being taken down.
    bool dialerRunning() const { return helper_.connectionRunning(); }

    // Puts back what an earlier run's connection left, when there are signs
    // of one; connecting waits until it is done.
    void restoreLeftoverConnection();

    // The connect button: connect, or disconnect while connected.
    void isConnectButton_clicked();
    // One connect check: success, wait longer, or failure.
    void slotDelayMessageBox();
    // Takes the connection down: the dialer is told to end, and the helper
    // restores the files once it has.
    void slotKillWvdial();
    // slotKillWvdial when a connection runs (window closing, modem removed).
    void safeKillWvdail();
    // One check of a dialer told to end: SIGKILL when it ignores SIGTERM.
    void slotWaitWvdialClose();

    // The connecting/disconnecting animation.
    void dataStateConnectingStart();
    void dataStateConnectingStop();
    bool checkTimerValidation() const;
    void slotDataStateConnecting();
    // The state shown: 0 disconnected, 1 connected, 2 initialising, 3 no card found (the text
    // cycles through its dots at every call).
    void dataState(char state);

    // Amounts and connected time: dataDisplay starts the display (or stops
    // it when it runs), dataDisplayEnd stops it and hides the lines.
    void dataDisplay();
    void dataDisplayEnd();
    void slotDataDisplay();
    // Today's and the billing period's use, the live connection included,
    // and the last 30 days, on the page.
    void showUsage();

signals:
    void stateChanged(ConnectionState state);
    void sigUpdateDisconnectPixmap();
    void sigUpdateConnectPixmap();
    void sigConnectingEnd();
    void sigConnectingStart();
    // Delivered before dialling starts: the modem gets the PDP context.
    void sigPDPSetCommand();
    // The billing period's use came to kLimitWarningPercent of the monthly
    // limit, or to the limit itself; once each per connection.
    void usageWarning(int percent);
    void limitReached(bool disconnecting);
    // The leftover of an earlier run was looked after (not emitted when
    // there was no sign of one).
    void leftoverRestored(LeftoverConnection result);

private:
    void setState(State state);
    void connectNow();
    void dial();
    void failBeforeDialling(ConnectionView::Box kind, const QString& text);
    void succeed();
    // Takes the connection down and shows `text` once the files are back.
    void failAndRestore(ConnectionView::Box kind, const QString& text);
    void helperEnded(const HelperOutcome& outcome);
    void finishDisconnect(const HelperOutcome& outcome);
    qint64 now() const { return clock_(); }
    // The text for a connect the helper refused or failed before dialling;
    // empty when it dialled.
    static QString refusalText(const HelperOutcome& outcome);
    // Reads the link's byte counts into lastSent_ and lastReceived_.
    void readCounts();
    // This billing period's use and its limit; true when connecting should
    // wait for the next period (the limit is reached and ends connections).
    bool limitForbidsConnecting(const NetworkSettings& settings, qint64* limit) const;
    // Warns or ends the connection as the monthly limit asks.
    void checkLimit(const NetworkSettings& settings);
    void showUsage(const NetworkSettings& settings);
    // Adds the connection that is going down to the history.
    void recordConnection();

    ConnectionView& view_;
    SerialThread* link_;
    ConnectionTiming timing_;
    std::function<qint64()> clock_;
    std::function<QString()> dialerSetting_;
    PrivilegedHelper helper_;
    DialRequest request_;

    QTimer* checkTimer_;
    QTimer* killWaitTimer_;
    QTimer* animationTimer_;
    QTimer* trafficTimer_;

    State state_ = State::Disconnected;
    bool restoringLeftover_ = false;
    int animationCount_ = 0;
    int initialisingCount_ = 0;
    int redialsDone_ = 0;
    bool forceKilled_ = false;
    bool hangupMissed_ = false; // the last hangup came before the dialer was recorded
    HelperOutcome ended_;       // what the connection's helper said when it ended
    qint64 dialStartMs_ = 0;
    qint64 killStartMs_ = 0;
    qint64 connectedSinceMs_ = 0;
    TrafficHistory history_;
    QDateTime connectedAt_;
    qint64 lastSent_ = 0;
    qint64 lastReceived_ = 0;
    LimitLevel shownLevel_ = LimitLevel::Below;
    std::optional<std::pair<ConnectionView::Box, QString>> pendingMessage_;
};
