#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// USB vendor identifier of the data card's maker.
inline constexpr quint16 MODEM_VENDOR_ID = 0x3c9a;

struct UsbDeviceId {
    quint16 vendor = 0;
    quint16 product = 0;
};

// The USB bus as far as finding the card needs it: the identifiers of every
// device attached.
class UsbBus {
public:
    virtual ~UsbBus() = default;
    virtual QList<UsbDeviceId> devices() = 0;
};

// The real bus, through libusb-1.0.
class LibUsbBus : public UsbBus {
public:
    QList<UsbDeviceId> devices() override;
};

// The first device of the card's maker on the bus, if any.
std::optional<UsbDeviceId> usbio_probe(UsbBus& bus);

// --- the devices as the kernel shows them (sysfs) ---------------------------

// A serial port of an interface: its name ("ttyUSB0", "ttyACM1") and device
// number ("188:0"), by which udev keeps what it knows of it.
struct UsbTty {
    QString name;
    QString number;
};

// One interface of a device: its number, USB class triple, the driver bound
// to it, and what that driver made of it.
struct UsbInterface {
    int number = -1;
    int interfaceClass = -1;
    int subClass = -1;
    int protocol = -1;
    QString driver;       // "option", "qcserial", "cdc_acm", "qmi_wwan", "usb-storage", ...
    QList<UsbTty> ttys;   // serial ports (usb-serial drivers, cdc_acm)
    QStringList networks; // network interfaces ("wwan0", "usb0")
    bool wwan = false;    // one of them is mobile broadband to the kernel (DEVTYPE=wwan)
    QList<int> scsiTypes; // SCSI peripheral types of a storage interface (5: CD-ROM)
};

struct UsbDeviceInfo {
    QString sysName; // the kernel's name of the device: "1-1", "2-1.4"
    int number = -1; // "devnum": a new one each time the device is plugged in
    UsbDeviceId id;
    QString manufacturer;
    QString product;
    QList<UsbInterface> interfaces; // in interface order

    // "HUAWEI Mobile (12d1:1506)", or the identifiers alone.
    QString displayName() const;
};

// Every USB device under /sys/bus/usb/devices (the root hubs aside), sorted
// by their kernel names.
QList<UsbDeviceInfo> readUsbDevices();

// What udev recorded of a character device ("188:0"): the properties it set
// ("ID_MM_PORT_TYPE_AT_PPP" = "1", ...), from its database.
QHash<QString, QString> udevProperties(const QString& number);
