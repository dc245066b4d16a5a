#pragma once

#include <QString>

// Every absolute path of the running system that the program reads, writes or
// executes. The defaults are the real paths; `setRoot` prefixes all of them at
// once, so that the demo and the tests run against a private tree.
namespace SystemPaths {

void setRoot(const QString& root); // "" = the real system
QString root();

// Prefixes an absolute system path with the root.
QString at(const QString& absolutePath);

QString pidLockFile();             // /var/run/mirelDaemon.pid
QString pppPidFile();              // /var/run/ppp0.pid
QString dialerPidFile();           // /var/run/velto-wvdial.pid (the dialer this program started)
QString wvdialConf();              // /etc/wvdial.conf
QString wvdialConfBackup();        // /etc/tmpwvdial.conf
QString pppOptions();              // /etc/ppp/options
QString pppOptionsBackup();        // /etc/ppp/tmpoptions
QString peersWvdial();             // /etc/ppp/peers/wvdial
QString peersWvdialBackup();       // /etc/ppp/peers/tmpwvdial
QString resolvConf();              // /etc/resolv.conf
QString resolvConfBackup();        // /etc/tmpresolv.conf
QString pppResolvConf();           // /etc/ppp/resolv.conf
QString resolvconfRunResolvConf(); // /etc/resolvconf/run/resolv.conf
QString procNetDev();              // /proc/net/dev
QString procEntry(long pid);       // /proc/<pid>
QString sysClassTty();             // /sys/class/tty/
QString devDir();                  // /dev/
QString wvdialProgram();           // /usr/bin/wvdial
QString killProgram();             // /bin/kill
QString ejectCommand();            // eject /dev/MODEMCONNECTION

} // namespace SystemPaths
