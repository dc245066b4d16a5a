#include "modem/usbbus.h"

#include "app/systempaths.h"
#include "modem/modemlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libusb.h>

QList<UsbDeviceId> LibUsbBus::devices() {
    QList<UsbDeviceId> found;
    libusb_context* context = nullptr;
    if (libusb_init(&context) != 0) {
        qCWarning(lcModem, "libusb could not be initialised");
        return found;
    }
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == 0)
            found.append({descriptor.idVendor, descriptor.idProduct});
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    libusb_exit(context);
    return found;
}

std::optional<UsbDeviceId> usbio_probe(UsbBus& bus) {
    for (const UsbDeviceId& device : bus.devices()) {
        qCDebug(lcModem, "Vendor/Product ID: %04x:%04x", device.vendor, device.product);
        if (device.vendor == MODEM_VENDOR_ID)
            return device;
    }
    return std::nullopt;
}

QString UsbDeviceInfo::displayName() const {
    const QString ids = QString::asprintf("%04x:%04x", id.vendor, id.product);
    const QString name = QStringList{manufacturer, product}.join(' ').simplified();
    return name.isEmpty() ? ids : name + " (" + ids + ')';
}

// --- sysfs ----------------------------------------------------------------------

namespace {

// A small attribute file of sysfs, trimmed.
QString attribute(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(256)).trimmed();
}

int hexAttribute(const QString& path) {
    bool ok = false;
    const int value = attribute(path).toInt(&ok, 16);
    return ok ? value : -1;
}

QStringList subdirectories(const QString& path, const QString& pattern) {
    return QDir(path).entryList({pattern}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// The serial ports, network interfaces and SCSI devices below an interface.
// A usb-serial driver (option, qcserial, ...) puts its port at
// <interface>/ttyUSB0/tty/ttyUSB0, cdc_acm at <interface>/tty/ttyACM0; a
// network driver at <interface>/net/<name>; usb-storage its SCSI devices at
// <interface>/host6/target6:0:0/6:0:0:0.
void readChildren(const QString& dir, UsbInterface& interface) {
    for (const QString& port : subdirectories(dir, "ttyUSB*"))
        interface.ttys.append({port, attribute(dir + '/' + port + "/tty/" + port + "/dev")});
    for (const QString& port : subdirectories(dir + "/tty", "tty*"))
        interface.ttys.append({port, attribute(dir + "/tty/" + port + "/dev")});
    interface.networks = subdirectories(dir + "/net", "*");
    for (const QString& network : interface.networks) {
        QFile uevent(dir + "/net/" + network + "/uevent");
        if (uevent.open(QIODevice::ReadOnly) &&
            ('\n' + uevent.read(4096)).contains("\nDEVTYPE=wwan\n"))
            interface.wwan = true;
    }
    for (const QString& host : subdirectories(dir, "host*"))
        for (const QString& target : subdirectories(dir + '/' + host, "target*"))
            for (const QString& lun : subdirectories(dir + '/' + host + '/' + target, "*:*")) {
                const int type =
                    attribute(dir + '/' + host + '/' + target + '/' + lun + "/type").toInt();
                interface.scsiTypes.append(type);
            }
}

} // namespace

QList<UsbDeviceInfo> readUsbDevices() {
    QList<UsbDeviceInfo> devices;
    const QDir bus(SystemPaths::sysBusUsbDevices());
    // Devices are named <bus>-<port>[.<port>...]; their interfaces add
    // ":<configuration>.<interface>", and the root hubs are "usb<bus>".
    for (const QString& name : bus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!name.contains('-') || name.contains(':'))
            continue;
        const QString dir = QFileInfo(bus.filePath(name)).canonicalFilePath();
        const int vendor = hexAttribute(dir + "/idVendor");
        const int product = hexAttribute(dir + "/idProduct");
        if (dir.isEmpty() || vendor < 0 || product < 0)
            continue;
        UsbDeviceInfo device;
        device.sysName = name;
        device.number = attribute(dir + "/devnum").toInt();
        device.id = {quint16(vendor), quint16(product)};
        device.manufacturer = attribute(dir + "/manufacturer");
        device.product = attribute(dir + "/product");
        for (const QString& entry : subdirectories(dir, name + ":*")) {
            const QString path = dir + '/' + entry;
            UsbInterface interface;
            interface.number = hexAttribute(path + "/bInterfaceNumber");
            interface.interfaceClass = hexAttribute(path + "/bInterfaceClass");
            interface.subClass = hexAttribute(path + "/bInterfaceSubClass");
            interface.protocol = hexAttribute(path + "/bInterfaceProtocol");
            interface.driver = QFileInfo(QFileInfo(path + "/driver").symLinkTarget()).fileName();
            readChildren(path, interface);
            device.interfaces.append(interface);
        }
        std::sort(device.interfaces.begin(), device.interfaces.end(),
                  [](const UsbInterface& a, const UsbInterface& b) { return a.number < b.number; });
        devices.append(device);
    }
    return devices;
}

QHash<QString, QString> udevProperties(const QString& number) {
    QHash<QString, QString> properties;
    if (number.isEmpty())
        return properties;
    // One record a line: "E:KEY=VALUE" for the properties, other letters for
    // links, tags and the like.
    QFile file(SystemPaths::udevData() + 'c' + number);
    if (!file.open(QIODevice::ReadOnly))
        return properties;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(4096).trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith("E:") && equals > 2)
            properties.insert(QString::fromUtf8(line.mid(2, equals - 2)),
                              QString::fromUtf8(line.mid(equals + 1)));
    }
    return properties;
}
