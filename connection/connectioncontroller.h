#pragma once

// The life of a data connection, from the connect click to the restored
// dialer files: Disconnected -> Connecting -> Connected -> Disconnecting ->
// Disconnected. Connecting backs up and rewrites the dialer files from the
// default profile, has the modem given the PDP context, starts the dialer,
// and checks for the link and its DNS server (5 s after dialling, then every
// 2 s up to 59 s). Disconnecting kills the dialer, waits for it to go and
// restores the files. Everything runs from timers on the application's
// thread; the timing and the clock can be given, so that tests need not
// wait for real minutes.

#include "connection/connectionview.h"
#include "connection/dialercontrol.h"
#include "connection/dialerfiles.h"
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
    int killWaitMs = 2000;   // checks whether the killed dialer has gone
    int forceKillMs = 10000; // a dialer still there this long after the kill gets SIGKILL
    int animationMs = 1000;  // the dots of "State: Connecting."
    int trafficMs = 1000;    // amounts and time while connected
    int busyRetryMs = 100;   // a disconnect waits for a running AT command this often
    int redials = 2;         // dials again when the dialer aborted before a link came up
};

class ConnectionController : public QObject {
    Q_OBJECT
public:
    enum class State { Disconnected, Connecting, Connected, Disconnecting };

    // `link` is held still (at-lock and reception flag) while the dialer
    // goes down; none: no modem to hold.
    ConnectionController(ConnectionView& view, SerialThread* link, QObject* parent = nullptr);
    ~ConnectionController() override;

    void setTiming(const ConnectionTiming& timing) { timing_ = timing; }
    // Milliseconds on any steady scale; by default the monotonic clock.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    State state() const { return state_; }
    // A dialer has been started and not yet found gone.
    bool dialerRunning() const { return dialer_.hasDialer(); }
    pid_t dialerPid() const { return dialer_.dialerPid(); }

    // The connect button: connect, or disconnect while connected.
    void isConnectButton_clicked();
    // Starts the dialer and the connect check; false when one runs already.
    bool slotStartWvdial();
    // One connect check: success, wait longer, or failure.
    void slotDelayMessageBox();
    // Takes the connection down: kills the dialer and waits for it to go.
    void slotKillWvdial();
    // slotKillWvdial when a dialer exists (window closing, modem removed).
    void safeKillWvdail();
    // One check whether the killed dialer has gone; then the files are restored.
    void slotWaitWvdialClose();

    // The connecting/disconnecting animation.
    void dataStateConnectingStart();
    void dataStateConnectingStop();
    bool checkTimerValidation() const;
    void slotDataStateConnecting();
    // The state shown: 0 disconnected, 1 connected, 2 initialising (the text
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

private:
    void connectNow();
    void disconnectWhenFree();
    void failBeforeDialling(const QString& text, bool restoreFiles);
    void succeed();
    // Takes the connection down and shows `text` once the files are back.
    void failAndRestore(ConnectionView::Box kind, const QString& text);
    void finishDisconnect();
    qint64 now() const { return clock_(); }
    // Reads the link's byte counts into lastSent_ and lastReceived_.
    void readCounts();
    // Warns or ends the connection as the monthly limit asks.
    void checkLimit(const NetworkSettings& settings);
    void showUsage(const NetworkSettings& settings);
    // Adds the connection that is going down to the history.
    void recordConnection();

    ConnectionView& view_;
    SerialThread* link_;
    ConnectionTiming timing_;
    std::function<qint64()> clock_;
    DialerControl dialer_;
    DialerFiles files_;

    QTimer* checkTimer_;
    QTimer* killWaitTimer_;
    QTimer* animationTimer_;
    QTimer* trafficTimer_;
    QTimer* busyTimer_;

    State state_ = State::Disconnected;
    int animationCount_ = 0;
    int initialisingCount_ = 0;
    int killWvdialConut = 0;
    int redialsDone_ = 0;
    bool forceKilled_ = false;
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
