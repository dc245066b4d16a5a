#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <sys/types.h>

class WvdiaConfigThread;

// The dialer process of one connection: started, watched for the link and
// its DNS server, killed, and waited for. The connection page drives it from
// its timers; nothing here blocks.
class DialerControl {
public:
    DialerControl();
    ~DialerControl();
    DialerControl(const DialerControl&) = delete;
    DialerControl& operator=(const DialerControl&) = delete;

    // Starts the dialer; false when one is already there.
    bool startDialer();
    // A dialer was started and has not been found gone yet: the connection
    // is being made, is up, or is being taken down.
    bool hasDialer() const { return thread_ != nullptr; }
    // The dialer's process id; 0 when there is none.
    pid_t dialerPid() const;
    // Drops the dialer without stopping its process (an attempt that failed
    // before the link came up). The process is still reaped when it ends.
    void forgetDialer();

    // The link is up: /var/run/ppp0.pid exists.
    static bool linkUp();

    // Sends the dialer SIGTERM through /bin/kill, or SIGKILL when `force`.
    // False when there is no dialer process to kill or the kill failed.
    bool killDialer(bool force = false);
    // Reaps the dialer if it has ended; true once it is reaped or its /proc
    // entry has gone (or there never was a process), and then the dialer is
    // forgotten.
    bool dialerGone();
    // The last dialer that was found gone ended from a signal (it aborted or
    // was killed), as far as its exit status is known.
    bool lastEndedBySignal() const;

private:
    std::unique_ptr<WvdiaConfigThread> thread_;
    pid_t lastPid_ = 0;
};

// The dialer a run of the program started is recorded (its process id in
// /var/run/velto-wvdial.pid) until it has gone, so that a later run can stop
// it when this one ended without taking the connection down.
void recordDialer(pid_t pid);
void forgetRecordedDialer();
// The recorded dialer when it still runs the dialer program; 0 otherwise.
pid_t recordedDialerStillRunning();

// The outcome of one connect check, `secondsSinceDial` after dialling.
enum class ConnectCheck {
    LinkNotBuilt, // no ppp0 pid file: the attempt failed
    WaitForDns,   // link up, no DNS server yet: check again in 2 s
    NoDns,        // no DNS server within 59 s
    InvalidDns,   // the peer's DNS server is implausible
    Connected,    // link up with a plausible DNS server
    LinkGone,     // the link went down while the DNS server was checked
};
ConnectCheck checkConnection(qint64 secondsSinceDial);

// The first DNS server the peer gave (first line of /etc/ppp/resolv.conf):
// 0 none yet, 1 implausible, 2 plausible.
int getAutoDNS();
// False for addresses of the private ranges a link must not offer as its DNS
// server (10.11.*, 192.168.*, 172.16.* to 172.31.*) and for an empty text.
bool validateAutoDNS(const QString& address);
