#pragma once

#include <QString>
#include <QStringList>

// Every absolute path of the running system that the program and its helper
// read, write or execute. The defaults are the real paths; `setRoot`
// prefixes all of them at once, so that the demo and the tests run against
// a private tree.
namespace SystemPaths {

void setRoot(const QString& root); // "" = the real system
QString root();

// Prefixes an absolute system path with the root.
QString at(const QString& absolutePath);

// The single-instance lock: /var/run/mirelDaemon.pid for root and under a
// private root, $XDG_RUNTIME_DIR/mirelDaemon.pid for a user.
QString pidLockFile();
QString pppPidFile();        // /var/run/ppp0.pid
QString wvdialConf();        // /etc/wvdial.conf
QString wvdialConfBackup();  // /etc/tmpwvdial.conf
QString pppOptions();        // /etc/ppp/options
QString pppOptionsBackup();  // /etc/ppp/tmpoptions
QString peersWvdial();       // /etc/ppp/peers/wvdial
QString peersWvdialBackup(); // /etc/ppp/peers/tmpwvdial
QString peersVelto();        // /etc/ppp/peers/velto (the package's peer for pppd)
QString chatScript();        // /etc/chatscripts/velto (the package's chat script)
QString resolvConf();        // /etc/resolv.conf
QString resolvConfBackup();  // /etc/tmpresolv.conf (the DNS hook's backup)
QString pppResolvConf();     // /etc/ppp/resolv.conf (the peer's servers, by pppd)
QString ipDownHook();        // /etc/ppp/ip-down.d/velto
QString procNetDev();        // /proc/net/dev
QString procEntry(long pid); // /proc/<pid>
QString sysClassTty();       // /sys/class/tty/
QString devDir();            // /dev/
QString wvdialProgram();     // /usr/bin/wvdial
QString pppdProgram();       // /usr/sbin/pppd
QString chatProgram();       // /usr/sbin/chat
QString ejectCommand();      // eject /dev/MODEMCONNECTION
QString sysBusUsbDevices();  // /sys/bus/usb/devices/
QString udevData();          // /run/udev/data/ (udev's database: c<major>:<minor> per device)
// mobile-broadband-provider-info's operators and their APNs
QString providerDatabase(); // /usr/share/mobile-broadband-provider-info/serviceproviders.xml
// usb-modeswitch and its data, which switch cards out of their disc mode
QString usbModeswitchProgram(); // /usr/sbin/usb_modeswitch
QString usbModeswitchData();    // /usr/share/usb_modeswitch/ (<vid>:<pid> files, configPack.tar.gz)
QString usbModeswitchRules();   // /lib/udev/rules.d/40-usb_modeswitch.rules (the devices it knows)
QString tarProgram();           // /usr/bin/tar

// The helper's own files while a connection runs.
QString runDir();           // /run/velto
QString helperLock();       // /run/velto/helper.lock (held by the helper that runs the dialer)
QString dialerRecord();     // /run/velto/dialer.pid
QString pppdOptionsFile();  // /run/velto/pppd-options
QString fixedDnsFile();     // /run/velto/fixed-dns
QString dnsStateFile();     // /run/velto/dns.state (what the ip-up hook did)
QString modeswitchConfig(); // /run/velto/modeswitch.conf (the config usb_modeswitch is given)

// The privileged helper: /usr/libexec/velto/velto-helper under a private
// root; otherwise the one installed beside the program
// (<prefix>/libexec/velto/velto-helper), or in a build the one beside the
// executable.
QString helperProgram();
QString pkexecProgram(); // /usr/bin/pkexec
// The command line that runs the helper with `arguments`: through pkexec, or
// directly as root and under a private root, whose helper needs no rights.
QStringList helperCommand(const QStringList& arguments);

// The data the previous package kept for root, and the mark its upgrade
// leaves when there is some (readable by every user, unlike root's home).
QString oldRootData();       // /root/.local/share/velto/Data
QString oldRootDataMarker(); // /var/lib/velto/root-data

// The program a running process executes, as the kernel shows it (never
// below a private root: processes are the machine's).
QString processExe(long pid); // /proc/<pid>/exe

} // namespace SystemPaths
