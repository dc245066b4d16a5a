#pragma once

#include <QString>

// The dialer's configuration files under /etc: backed up before a
// connection, rewritten from the default profile, restored afterwards.
//
//   live file               backup
//   /etc/wvdial.conf        /etc/tmpwvdial.conf
//   /etc/ppp/options        /etc/ppp/tmpoptions
//   /etc/ppp/peers/wvdial   /etc/ppp/peers/tmpwvdial
//   /etc/resolv.conf        /etc/tmpresolv.conf
//
// Backups are byte-for-byte copies, and all four files are restored as they
// were: they belong to the system, which must get back exactly what it had.
// The dialer files written from the profile end every line with CR LF; the
// resolver files get plain line ends, which the system's resolver needs.
// Files are replaced atomically and keep their owner and group; copies keep
// the mode of their source, and /etc/wvdial.conf, which holds the password,
// is never readable by others.
class DialerFiles {
public:
    // Copies the four live files to their backups. A backup that already
    // exists is kept: it is left from an attempt whose files were never
    // restored, and the live file now holds what that attempt wrote.
    // False when a file can't be copied (copies made stay).
    bool saveConfigData();

    // Reads the default profile and writes the three dialer files for the
    // modem's data port `modemPort`. False with `error` set on failure.
    bool readDeafaultConfigData(const QString& modemPort, QString* error = nullptr);

    // Copies every backup back, and removes them once all are back. False
    // when there was no backup or one can't be copied (the backups then stay,
    // for a later attempt).
    bool recoverConfigData();
    // A backup exists: an attempt's files are not restored yet.
    static bool backupsExist();

    // Removes each of the four backups that exists.
    void deleteTmpFile();

    // Writes the two fixed DNS servers into /etc/resolv.conf and into
    // /etc/ppp/resolv.conf when that exists, else into
    // /etc/resolvconf/run/resolv.conf.
    bool saveManualDNS(QString* error = nullptr);

    // Values of the default profile, kept for the whole connection.
    QString dialLine;     // "Phone = ..."
    QString userLine;     // "Username = ..."
    QString passwordLine; // "Password = ..."
    QString preferredDns;
    QString alternateDns;
    QString saveFlag;     // last character of "save user name = ..."
    QString askFlag;      // last character of "ask user name = ..."
    bool peerDns = false; // the profile obtains its DNS servers from the peer
    bool chap = false;
    bool askOn = false;
    QString builtinMarker; // "Ravo" for the record of that name, else null
};

// `str` without its first key-length characters; null when `str` is not
// longer than `key`.
QString dealStr(const QString& str, const QString& key);

// Copies `from` to `to` byte for byte, keeping the mode, owner and group of
// `from`. False when either file can't be opened.
bool copyConfigFile(const QString& from, const QString& to);
