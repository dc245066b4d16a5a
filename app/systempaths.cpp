#include "app/systempaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>

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
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (g_root.isEmpty() && geteuid() != 0 && QDir::isAbsolutePath(runtime))
        return runtime + "/mirelDaemon.pid";
    return at("/var/run/mirelDaemon.pid");
}
QString pppPidFile() {
    return at("/var/run/ppp0.pid");
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
QString peersVelto() {
    return at("/etc/ppp/peers/velto");
}
QString chatScript() {
    return at("/etc/chatscripts/velto");
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
QString ipDownHook() {
    return at("/etc/ppp/ip-down.d/velto");
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
QString pppdProgram() {
    return at("/usr/sbin/pppd");
}
QString chatProgram() {
    return at("/usr/sbin/chat");
}

QString ejectCommand() {
    // The real system uses the eject found on PATH; a private root brings its own.
    const QString program = g_root.isEmpty() ? QStringLiteral("eject") : at("/usr/bin/eject");
    return program + ' ' + devDir() + "MODEMCONNECTION";
}

QString sysBusUsbDevices() {
    return at("/sys/bus/usb/devices/");
}
QString udevData() {
    return at("/run/udev/data/");
}
QString providerDatabase() {
    return at("/usr/share/mobile-broadband-provider-info/serviceproviders.xml");
}
QString usbModeswitchProgram() {
    return at("/usr/sbin/usb_modeswitch");
}
QString usbModeswitchData() {
    return at("/usr/share/usb_modeswitch/");
}
QString usbModeswitchRules() {
    return at("/lib/udev/rules.d/40-usb_modeswitch.rules");
}
QString tarProgram() {
    return at("/usr/bin/tar");
}

QString runDir() {
    return at("/run/velto");
}
QString helperLock() {
    return runDir() + "/helper.lock";
}
QString dialerRecord() {
    return runDir() + "/dialer.pid";
}
QString pppdOptionsFile() {
    return runDir() + "/pppd-options";
}
QString fixedDnsFile() {
    return runDir() + "/fixed-dns";
}
QString dnsStateFile() {
    return runDir() + "/dns.state";
}
QString modeswitchConfig() {
    return runDir() + "/modeswitch.conf";
}

QString helperProgram() {
    if (!g_root.isEmpty())
        return at("/usr/libexec/velto/velto-helper");
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + "/velto-helper";
    return QFileInfo::exists(beside) ? beside
                                     : QDir::cleanPath(dir + "/../libexec/velto/velto-helper");
}
QString pkexecProgram() {
    return QStringLiteral("/usr/bin/pkexec");
}

QStringList helperCommand(const QStringList& arguments) {
    const QString helper = helperProgram();
    if (!g_root.isEmpty() || geteuid() == 0)
        return QStringList{helper} + arguments;
    return QStringList{pkexecProgram(), QStringLiteral("--disable-internal-agent"), helper} +
           arguments;
}

QString oldRootData() {
    return at("/root/.local/share/velto/Data");
}
QString oldRootDataMarker() {
    return at("/var/lib/velto/root-data");
}

QString processExe(long pid) {
    return "/proc/" + QString::number(pid) + "/exe";
}

} // namespace SystemPaths
