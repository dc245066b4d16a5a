#pragma once

#include <QList>
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
