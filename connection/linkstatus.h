#pragma once

#include <QString>
#include <QtGlobal>

// The signs of a link that the dialer brings up, read without rights: pppd's
// pid file of the link and the DNS servers it received from the peer.

// The link is up: /var/run/ppp0.pid exists.
bool linkUp();
// How long the link has been up: the age of that file (pppd writes it when
// the link comes up); 0 without one.
qint64 linkUpForMs();

// The outcome of one connect check, `secondsSinceDial` after dialling.
enum class ConnectCheck {
    LinkNotBuilt, // no ppp0 pid file: the attempt failed
    WaitForDns,   // link up, no DNS server yet: check again in 2 s
    NoDns,        // no DNS server within 59 s
    InvalidDns,   // the peer's DNS server is implausible
    Connected,    // link up with a plausible DNS server
    LinkGone,     // the link went down while the DNS server was checked
};
// With `peerDns` off the profile brings its own servers, and the link is
// enough.
ConnectCheck checkConnection(qint64 secondsSinceDial, bool peerDns = true);

// The first DNS server the peer gave (first line of /etc/ppp/resolv.conf):
// 0 none yet, 1 implausible, 2 plausible.
int getAutoDNS();
// False for addresses of the private ranges a link must not offer as its DNS
// server (10.11.*, 192.168.*, 172.16.* to 172.31.*) and for an empty text.
bool validateAutoDNS(const QString& address);
