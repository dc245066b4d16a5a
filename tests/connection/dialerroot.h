#pragma once

// A system root in which the program can dial (scripts/demo-root) with the
// dialer and resolver files as a machine has them, and the built-in
// profile as the default.

#include "app/commonconfig.h"
#include "app/systempaths.h"
#include "connection/connectionview.h"
#include "connection/leftoverconnection.h"
#include "connection/profilestore.h"
#include "connection/traffichistory.h"
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

// The connection page, as the controller tells it.
struct RecordingPage : ConnectionView {
    QString buttonText = "Connect";
    bool buttonEnabled = true;
    QStringList states;
    bool connectedImage = false;
    bool captionVisible = true;
    QStringList traffic; // sent | received | time, or empty when hidden
    QStringList messages;
    QString usage;
    QList<DayUsage> usageDays;

    void setConnectButtonText(const QString& text) override { buttonText = text; }
    void setConnectButtonEnabled(bool enabled) override { buttonEnabled = enabled; }
    void setStateText(const QString& text) override { states << text; }
    void setStateImage(bool connected) override { connectedImage = connected; }
    void setCaptionVisible(bool visible) override { captionVisible = visible; }
    void showTraffic(const QString& sent, const QString& received, const QString& time) override {
        traffic = {sent, received, time};
    }
    void hideTraffic() override { traffic.clear(); }
    void showUsage(const QString& summary, const QList<DayUsage>& days) override {
        usage = summary;
        usageDays = days;
    }
    void message(Box, const QString& text) override { messages << text; }
};

} // namespace DialerRoot
