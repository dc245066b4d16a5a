#include "modem/usbmodems.h"

#include "app/systempaths.h"

#include <QHash>

namespace {

// Drivers that make serial ports of modems only.
bool modemSerialDriver(const QString& driver) {
    return driver == u"option" || driver == u"qcserial" || driver == u"sierra";
}

// CDC ACM (class 2, subclass 2) with one of the AT command protocols 1-6.
bool acmWithAtCommands(const UsbInterface& interface) {
    return interface.driver == u"cdc_acm" && interface.interfaceClass == 2 &&
           interface.subClass == 2 && interface.protocol >= 1 && interface.protocol <= 6;
}

bool hasNetwork(const UsbDeviceInfo& device) {
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [](const UsbInterface& i) { return !i.networks.isEmpty(); });
}

bool hasSerialPort(const UsbDeviceInfo& device) {
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [](const UsbInterface& i) { return !i.ttys.isEmpty(); });
}

// The device's own CD-ROM (SCSI peripheral type 5), as modems carry for
// their installer.
bool hasCdRom(const UsbDeviceInfo& device) {
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [](const UsbInterface& i) { return i.scsiTypes.contains(5); });
}

bool flag(const QHash<QString, QString>& properties, const char* key) {
    return properties.value(QLatin1String(key)) == u"1";
}

} // namespace

QList<UsbModem> usbSerialModems(const QList<UsbDeviceInfo>& devices) {
    QList<UsbModem> modems;
    for (const UsbDeviceInfo& device : devices) {
        UsbModem modem{
            device.displayName(), device.sysName + '#' + QString::number(device.number), {}};
        for (const UsbInterface& interface : device.interfaces) {
            for (const UsbTty& tty : interface.ttys) {
                const QHash<QString, QString> udev = udevProperties(tty.number);
                if (flag(udev, "ID_MM_DEVICE_IGNORE") || flag(udev, "ID_MM_PORT_IGNORE") ||
                    flag(udev, "ID_MM_PORT_TYPE_QCDM") || flag(udev, "ID_MM_PORT_TYPE_GPS") ||
                    flag(udev, "ID_MM_PORT_TYPE_AUDIO"))
                    continue;
                UsbModemPort port{SystemPaths::devDir() + tty.name, modem.key + '/' + tty.name,
                                  flag(udev, "ID_MM_PORT_TYPE_AT_PRIMARY"),
                                  flag(udev, "ID_MM_PORT_TYPE_AT_PPP")};
                const bool hinted = port.atPrimary || port.ppp ||
                                    flag(udev, "ID_MM_DEVICE_PROCESS") ||
                                    flag(udev, "ID_MM_PORT_TYPE_AT_SECONDARY");
                if (hinted || modemSerialDriver(interface.driver) || acmWithAtCommands(interface) ||
                    hasNetwork(device))
                    modem.ports.append(port);
            }
        }
        if (!modem.ports.isEmpty())
            modems.append(modem);
    }
    return modems;
}

UsbModemRoles chooseModemPorts(const UsbModem& modem, const QStringList& answering) {
    QList<UsbModemPort> answered;
    for (const UsbModemPort& port : modem.ports)
        if (answering.contains(port.path))
            answered.append(port);
    if (answered.isEmpty())
        return {};
    const auto first = [&](auto test) {
        const auto port = std::find_if(answered.begin(), answered.end(), test);
        return port == answered.end() ? QString() : port->path;
    };
    UsbModemRoles roles;
    roles.atPort = first([](const UsbModemPort& p) { return p.atPrimary; });
    if (roles.atPort.isEmpty())
        roles.atPort = first([](const UsbModemPort& p) { return !p.ppp; });
    if (roles.atPort.isEmpty())
        roles.atPort = answered.first().path;
    for (const UsbModemPort& port : modem.ports)
        if (port.ppp)
            roles.dataPort = port.path;
    for (const UsbModemPort& port : answered)
        if (roles.dataPort.isEmpty() && port.path != roles.atPort)
            roles.dataPort = port.path;
    if (roles.dataPort.isEmpty())
        roles.dataPort = roles.atPort;
    return roles;
}

std::optional<NetworkOnlyModem> networkOnlyModem(const QList<UsbDeviceInfo>& devices) {
    for (const UsbDeviceInfo& device : devices) {
        if (hasSerialPort(device))
            continue;
        const bool showsModem =
            hasCdRom(device) || std::any_of(device.interfaces.begin(), device.interfaces.end(),
                                            [](const UsbInterface& i) { return i.wwan; });
        for (const UsbInterface& interface : device.interfaces) {
            const QString& driver = interface.driver;
            if (interface.networks.isEmpty())
                continue;
            if (driver == u"qmi_wwan" || driver == u"cdc_mbim" || driver == u"huawei_cdc_ncm" ||
                (driver == u"cdc_ncm" && showsModem))
                return NetworkOnlyModem{device.displayName(), NetworkOnlyModem::Kind::Wwan};
            if ((driver == u"cdc_ether" || driver == u"rndis_host") && showsModem)
                return NetworkOnlyModem{device.displayName(), NetworkOnlyModem::Kind::EthernetLike};
        }
    }
    return std::nullopt;
}
