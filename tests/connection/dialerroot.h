#pragma once

// A system root in which the program can dial: the dialer files as a machine
// has them, /bin/kill, the demo dialer as /usr/bin/wvdial, and the built-in
// profile as the default.

#include "app/commonconfig.h"
#include "app/systempaths.h"
#include "connection/dialerfiles.h"
#include "connection/profilestore.h"
#include "tests/connection/freshdata.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DialerRoot {

inline const QByteArray OriginalWvdial = "[Dialer Defaults]\nModem = /dev/ttyS0\n";
inline const QByteArray OriginalOptions = "lock\n";
inline const QByteArray OriginalPeers = "noauth\n";
inline const QByteArray OriginalResolv = "# the machine's own\nnameserver 9.9.9.9\n";

inline bool prepare(const TestEnv& env) {
    removeUserData(env);
    env.writeRootFile("/etc/wvdial.conf", OriginalWvdial);
    env.writeRootFile("/etc/ppp/options", OriginalOptions);
    env.writeRootFile("/etc/ppp/peers/wvdial", OriginalPeers);
    env.writeRootFile("/etc/resolv.conf", OriginalResolv);
    env.writeRootFile("/var/run/.keep", "");
    comcfg.builtinProfileName = "Tolva Internet";
    comcfg.builtinDialNumber = "*99#";
    return QDir().mkpath(env.rootPath("/usr/bin")) && QDir().mkpath(env.rootPath("/bin")) &&
           QFile::link(QStandardPaths::findExecutable("kill"), SystemPaths::killProgram()) &&
           QFile::link(TestEnv::binary("demodialer"), SystemPaths::wvdialProgram()) &&
           ProfileStore::initializeFile() && ProfileStore::initializeDefaultData() &&
           ProfileStore::resolveDefaultProfile() == "Tolva Internet";
}

// The demo dialer's behaviour: quick, and `options` (see tools/demodialer).
inline void dialer(const TestEnv& env, const QByteArray& options) {
    env.writeRootFile("/etc/demodialer.options", "--delay-ms 50 --interval-ms 40 " + options);
}

// The four files hold what the machine had, and nothing of a connection is left.
inline bool asBefore() {
    return TestEnv::readFile(SystemPaths::wvdialConf()) == OriginalWvdial &&
           TestEnv::readFile(SystemPaths::pppOptions()) == OriginalOptions &&
           TestEnv::readFile(SystemPaths::peersWvdial()) == OriginalPeers &&
           TestEnv::readFile(SystemPaths::resolvConf()) == OriginalResolv &&
           !DialerFiles::backupsExist() && !QFile::exists(SystemPaths::dialerPidFile());
}

} // namespace DialerRoot
