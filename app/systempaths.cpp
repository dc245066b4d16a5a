#include "app/systempaths.h"

namespace {
QString g_root;
}

namespace SystemPaths {

void setRoot(const QString& root) {
    g_root = root;
    while (g_root.endsWith('/'))
        g_root.chop(1);
}

QString root() {
    return g_root;
}

QString at(const QString& absolutePath) {
    return g_root + absolutePath;
}

QString pidLockFile() {
    return at("/var/run/mirelDaemon.pid");
}
QString pppPidFile() {
    return at("/var/run/ppp0.pid");
}
QString dialerPidFile() {
    return at("/var/run/velto-wvdial.pid");
}
QString wvdialConf() {
    return at("/etc/wvdial.conf");
}
QString wvdialConfBackup() {
    return at("/etc/tmpwvdial.conf");
}
QString pppOptions() {
    return at("/etc/ppp/options");
}
QString pppOptionsBackup() {
    return at("/etc/ppp/tmpoptions");
}
QString peersWvdial() {
    return at("/etc/ppp/peers/wvdial");
}
QString peersWvdialBackup() {
    return at("/etc/ppp/peers/tmpwvdial");
}
QString resolvConf() {
    return at("/etc/resolv.conf");
}
QString resolvConfBackup() {
    return at("/etc/tmpresolv.conf");
}
QString pppResolvConf() {
    return at("/etc/ppp/resolv.conf");
}
QString resolvconfRunResolvConf() {
    return at("/etc/resolvconf/run/resolv.conf");
}
QString procNetDev() {
    return at("/proc/net/dev");
}
QString procEntry(long pid) {
    return at("/proc/") + QString::number(pid);
}
QString sysClassTty() {
    return at("/sys/class/tty/");
}
QString devDir() {
    return at("/dev/");
}
QString wvdialProgram() {
    return at("/usr/bin/wvdial");
}
QString killProgram() {
    return at("/bin/kill");
}

QString ejectCommand() {
    // The real system uses the eject found on PATH; a private root brings its own.
    const QString program = g_root.isEmpty() ? QStringLiteral("eject") : at("/usr/bin/eject");
    return program + ' ' + devDir() + "MODEMCONNECTION";
}

} // namespace SystemPaths
