#include "modem/usbbus.h"

#include "modem/modemlog.h"

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
