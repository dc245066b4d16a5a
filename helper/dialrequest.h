#pragma once

// A connection as the window asks the privileged helper for it: the values of
// the default profile that the dialer's files need, and the card's data port.
// It travels as "key=value" lines on the helper's standard input, each value
// percent-encoded UTF-8, so that no value can end its line. The helper reads
// it with readDialRequest, which takes exactly these keys, each once, and
// only values that the files can hold as they are.

#include <QByteArray>
#include <QString>
#include <optional>

enum class Dialer { Wvdial, Pppd };

struct DialRequest {
    Dialer dialer = Dialer::Wvdial;
    QString port;          // the card's data port, a device path
    QString phone;         // the dial number
    bool saveUser = false; // the profile keeps a user name and password
    QString user;
    QString password;
    bool chap = false;   // CHAP, else PAP
    bool peerDns = true; // the peer's DNS servers, else dns1 and dns2
    QString dns1;        // with peerDns off: a dotted IPv4 address
    QString dns2;        // the same, or empty

    bool operator==(const DialRequest&) const = default;
};

// A request is a few hundred bytes; a longer text is refused unread.
inline constexpr int MaxRequestSize = 16384;

QByteArray dialRequestText(const DialRequest& request);

// The request in `text`. Nothing, with the key at fault in `field`, when a
// key is missing, repeated or unknown, or a value is out of bounds: a port
// that is no plain absolute path, a dial number of other characters than
// the dialog takes, a user name or password with a control character or
// longer than 255 bytes, a DNS server that is no IPv4 address.
std::optional<DialRequest> readDialRequest(const QByteArray& text, QString* field);

// "wvdial" or "pppd".
QString dialerName(Dialer dialer);

// Four decimal numbers from 0 to 255, without leading zeros, joined by dots.
bool isIpv4Address(const QString& text);

// The characters of a dial number: the profile dialog's validator.
QString dialNumberPattern();
