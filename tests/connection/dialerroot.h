#pragma once

// A system root in which the program can dial (scripts/demo-root) with the
// dialer and resolver files as a machine has them, and the built-in
// profile as the default.

#include "app/commonconfig.h"
#include "app/systempaths.h"
#include "connection/leftoverconnection.h"
#include "connection/profilestore.h"
#include "tests/connection/freshdata.h"
#include "tests/support/testenv.h"

#include <QFile>

namespace DialerRoot {

inline const QByteArray OriginalWvdial = "[Dialer Defaults]\nModem = /dev/ttyS0\n";
inline const QByteArray OriginalOptions = "lock\n";
inline const QByteArray OriginalPeers = "noauth\n";
inline const QByteArray OriginalResolv = "# the machine's own\nnameserver 9.9.9.9\n";

inline bool prepare(TestEnv& env) {
    removeUserData(env);
    if (!env.prepareDialerRoot())
        return false;
    env.writeRootFile("/etc/wvdial.conf", OriginalWvdial);
    env.writeRootFile("/etc/ppp/options", OriginalOptions);
    env.writeRootFile("/etc/ppp/peers/wvdial", OriginalPeers);
    env.writeRootFile("/etc/resolv.conf", OriginalResolv);
    comcfg.builtinProfileName = "Tolva Internet";
    comcfg.builtinDialNumber = "*99#";
    return ProfileStore::initializeFile() && ProfileStore::initializeDefaultData() &&
           ProfileStore::resolveDefaultProfile() == "Tolva Internet";
}

// The demo dialer's behaviour: quick, and `options` (see tools/demodialer).
inline void dialer(const TestEnv& env, const QByteArray& options) {
    env.writeRootFile("/etc/demodialer.options", "--delay-ms 50 --interval-ms 40 " + options);
}

// The dialer's and the resolver's files hold what the machine had, and
// nothing of a connection is left.
inline bool asBefore() {
    return TestEnv::readFile(SystemPaths::wvdialConf()) == OriginalWvdial &&
           TestEnv::readFile(SystemPaths::pppOptions()) == OriginalOptions &&
           TestEnv::readFile(SystemPaths::peersWvdial()) == OriginalPeers &&
           TestEnv::readFile(SystemPaths::resolvConf()) == OriginalResolv &&
           !QFile::exists(SystemPaths::resolvConfBackup()) && !leftoverConnectionFound();
}

// The dialer the helper recorded; 0 when none is.
inline pid_t recordedDialer() {
    return TestEnv::readFile(SystemPaths::dialerRecord()).trimmed().toInt();
}

} // namespace DialerRoot
