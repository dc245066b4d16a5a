#pragma once

// Finding the data card and its serial ports.
//
// The card shows up on the USB bus and as several ttyUSB devices: one takes
// AT commands while the program runs (the AT port), another is handed to the
// dialer (the modem port). Some cards first appear as a disc that must be
// ejected before the serial ports exist. Without the maker's card, the serial
// ports of any other USB modem are tried (usbmodems.h). The status monitor
// keeps one PortDiscovery and scans while no modem is attached.

#include "app/cmdline.h"
#include "modem/discmode.h"
#include "modem/portprobe.h"
#include "modem/usbbus.h"
#include "modem/usbmodems.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// Product identifier of a card that is still in disc mode.
inline constexpr quint16 DISC_MODE_PRODUCT_ID = 0x2000;

// Product identifiers from "Data/modem_types.xml". For a product in the
// negative list the first working port is the AT port; for every other
// product it is the modem port.
struct ModemTypes {
    static constexpr int PositiveCapacity = 30;
    static constexpr int NegativeCapacity = 10;
    QList<quint16> positive;
    QList<quint16> negative;
};

// Reads the list file: a line beginning "<" starts a section ("<Pid_Positive>",
// "<Pid_NePositive>", or any other tag, which ends the previous one); other
// lines are hexadecimal product identifiers. A file that can't be opened
// gives the built-in lists.
ModemTypes readModemTypes(const QString& path);
ModemTypes defaultModemTypes();

// What a scan found: `tested` when the card's serial ports were tried (the
// names are then those that answered, both empty when none did); not when
// no card is present or it is still in disc mode. When no port answers,
// `networkOnly` names a modem that has no serial port at all, or another
// maker's card that still shows its disc.
struct FoundPorts {
    bool tested = false;
    QString atPort;
    QString modemPort;
    std::optional<NetworkOnlyModem> networkOnly;
};

class PortDiscovery {
public:
    // `ports`: given on the command line (none: the USB scan decides).
    // `bus` null: the real USB bus. Not owned.
    explicit PortDiscovery(const FixedPorts& ports = {}, UsbBus* bus = nullptr);

    // One scan; `done` receives what it found, from the event loop. With
    // ports given on the command line the scan is skipped: those ports are
    // used when the AT port answers. `firstByteMs` bounds the wait for a
    // silent port.
    void scan(int firstByteMs, std::function<void(FoundPorts)> done);

    // The ports a scan tests for the maker's card: the ttyUSB devices
    // present (and one more).
    static QStringList candidatePorts();
    // The ports the program would use: those given on the command line, or
    // the scan's candidates and the serial ports of other USB modems.
    QStringList portsToWatch() const;

    bool onSwitchPort = false; // an eject was issued and is being waited for
    int switchCount = 0;       // scans since that eject
    int initPortCount = 0;     // scans since the modem was last seen (the caller resets it)

private:
    bool ejectDiscMode(quint16 product);
    void scanOtherModems(int firstByteMs, std::function<void(FoundPorts)> done);

    FixedPorts fixed_;
    UsbBus* bus_;
    LibUsbBus libusb_;
    PortProbe probe_;
    // Other modems' ports that stayed silent (UsbModemPort::key): not tried
    // again while the device stays plugged in. Silence counts from the second
    // scan that sees a device (UsbModem::key), as it may still be starting
    // at the first.
    QSet<QString> silent_;
    QSet<QString> seen_;
    DiscModeSwitch discMode_;
};
