#pragma once

// USB modems of any maker, as the kernel and udev show them: which serial
// ports may be sent "AT", which of those that answer takes the commands and
// which the dialer, and the sticks that have no serial port at all.

#include "modem/usbbus.h"

#include <QList>
#include <QString>

#include <optional>

// A serial port of a USB modem, with what udev's modem rules say of it.
struct UsbModemPort {
    QString path;           // "/dev/ttyUSB2"
    QString key;            // the device's place, plug and port: "1-1#7/ttyUSB2"
    bool atPrimary = false; // ID_MM_PORT_TYPE_AT_PRIMARY
    bool ppp = false;       // ID_MM_PORT_TYPE_AT_PPP
};

struct UsbModem {
    QString name;              // UsbDeviceInfo::displayName
    QString key;               // the device's place and plug: "1-1#7"
    QList<UsbModemPort> ports; // in interface order
};

// The devices whose serial ports may take AT commands, with those ports.
// A port counts when a modem driver made it (option, qcserial, sierra), it
// is a CDC ACM port that declares AT commands, its device also has a network
// interface, or udev's modem rules name it an AT port; never when those
// rules tell modem software to leave the port or device alone or name it a
// diagnostic (QCDM), GPS or audio port. Other serial adapters (FTDI, PL2303,
// a microcontroller's port) are never sent anything.
QList<UsbModem> usbSerialModems(const QList<UsbDeviceInfo>& devices);

// The AT port and the data port of `modem` among the ports that answered
// "AT" (paths): the AT port is the one udev names the primary AT port, else
// the first answering port that isn't its PPP port; the data port is the
// one udev names the PPP port, else the next answering port, else the AT
// port itself. Both empty when none answered.
struct UsbModemRoles {
    QString atPort;
    QString dataPort;
};
UsbModemRoles chooseModemPorts(const UsbModem& modem, const QStringList& answering);

// A modem with no serial port: it works as a network interface only, driven
// by other software, or it still shows its disc (discmode.h).
struct NetworkOnlyModem {
    enum class Kind {
        Wwan,             // QMI, MBIM or NCM: NetworkManager with ModemManager drive it
        EthernetLike,     // a router on USB (cdc_ether, rndis_host): its own web page
        DiscMode,         // in its disc mode, being switched by usb_modeswitch
        DiscModeNoSwitch, // in its disc mode, and usb-modeswitch is not installed
        DiscModeRefused,  // in its disc mode: the switch was refused or failed
    };
    QString name;
    Kind kind = Kind::Wwan;
    bool operator==(const NetworkOnlyModem&) const = default;
};

// The first device without a serial port whose network interface is a
// modem's: a wwan driver (qmi_wwan, cdc_mbim, huawei_cdc_ncm), or an
// Ethernet or NCM driver on a device that shows itself a modem (the kernel
// marks its interface mobile broadband, or it carries its own CD-ROM, as
// such sticks do). A plain USB network adapter is none.
std::optional<NetworkOnlyModem> networkOnlyModem(const QList<UsbDeviceInfo>& devices);
