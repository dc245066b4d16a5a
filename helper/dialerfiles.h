#pragma once

#include "helper/dialrequest.h"

#include <QString>

// The files a connection gives its dialer.
//
// wvdial reads three files of the system's, which are backed up, rewritten
// from the request and restored byte for byte afterwards:
//
//   live file               backup
//   /etc/wvdial.conf        /etc/tmpwvdial.conf
//   /etc/ppp/options        /etc/ppp/tmpoptions
//   /etc/ppp/peers/wvdial   /etc/ppp/peers/tmpwvdial
//
// pppd dials through the peer "velto" that the package installs; the port,
// the account and the dial number go into a file of the helper's own,
// /run/velto/pppd-options, readable by root only. Either way a profile with
// fixed DNS servers leaves them in /run/velto/fixed-dns for the link's ip-up
// hook. The files written from the profile end every line with CR LF, as
// the dialers have always been given them. Files are replaced atomically and
// keep their owner and group; /etc/wvdial.conf, which holds the password, is
// never readable by others.
namespace DialerFiles {

// Copies the live files the dialer of `request` reads to their backups. A
// backup that exists already is kept: it is left from an attempt whose
// files were never restored, and the live file holds what that attempt
// wrote. False when a file can't be copied (the copies made stay).
bool backUp(const DialRequest& request);

// Writes the dialer's files from `request`. False when one can't be written.
bool write(const DialRequest& request);

enum class Restore { Nothing, Restored, Failed };
// Copies every backup back and removes the backups and the helper's own
// files once all are back. Failed leaves the backups for a later attempt.
Restore restore();

// A backup exists: an attempt's files are not restored yet.
bool backupsExist();

// The lines of each file, for the request (without their CR LF).
QStringList wvdialConf(const DialRequest& request);
QStringList pppOptions(const DialRequest& request);
QStringList wvdialPeer(const DialRequest& request);
QStringList pppdOptions(const DialRequest& request);

} // namespace DialerFiles

// Copies `from` to `to` byte for byte, keeping the mode, owner and group of
// `from`. False when either file can't be opened.
bool copyConfigFile(const QString& from, const QString& to);
