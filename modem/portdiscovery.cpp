#include "modem/portdiscovery.h"

#include "app/cmdline.h"
#include "app/globals.h"
#include "app/systempaths.h"
#include "modem/modemlog.h"
#include <QTimer>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr int kCandidates = 32; // ttyUSB0 ... ttyUSB31 when present, then ttyUSB32 always
constexpr int kEjectRetryScans = 4;
constexpr qint64 kLongestLine = 256;
// Another maker's port gets longer to begin its answer than the maker's
// cards need: one that misses it is left alone for as long as its device
// stays plugged in.
constexpr int kOtherModemFirstByteMs = 300;

} // namespace

ModemTypes defaultModemTypes() {
    return {{0x6001, 0x6002, 0x6003, 0x6010, 0x6011, 0x6012, 0x6020},
            {0x7001, 0x7002, 0x7003, 0x7004, 0x7010, 0x7011, 0x7012, 0x7020, 0x7021}};
}

ModemTypes readModemTypes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultModemTypes();
    ModemTypes types;
    QByteArray section;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(kLongestLine + 1).trimmed();
        if (line.startsWith('<')) {
            section = line;
            continue;
        }
        bool ok = false;
        const quint16 id = line.toUShort(&ok, 16);
        if (!ok)
            continue;
        if (section.startsWith("<Pid_Positive>")) {
            if (types.positive.size() < ModemTypes::PositiveCapacity)
                types.positive.append(id);
        } else if (section.startsWith("<Pid_NePositive>")) {
            if (types.negative.size() < ModemTypes::NegativeCapacity)
                types.negative.append(id);
        }
    }
    return types;
}

PortDiscovery::PortDiscovery(const FixedPorts& ports, UsbBus* bus) : fixed_(ports), bus_(bus) {}

QStringList PortDiscovery::candidatePorts() {
    QStringList ports;
    for (int n = 0; n < kCandidates; ++n) {
        const QString name = QStringLiteral("ttyUSB%1").arg(n);
        if (QFileInfo::exists(SystemPaths::sysClassTty() + name))
            ports.append(SystemPaths::devDir() + name);
    }
    ports.append(SystemPaths::devDir() + QStringLiteral("ttyUSB%1").arg(kCandidates));
    return ports;
}

QStringList PortDiscovery::portsToWatch() const {
    if (fixed_.atPort.isEmpty()) {
        QStringList ports = candidatePorts();
        for (const UsbModem& modem : usbSerialModems(readUsbDevices()))
            for (const UsbModemPort& port : modem.ports)
                if (!ports.contains(port.path))
                    ports.append(port.path);
        return ports;
    }
    QStringList ports{fixed_.atPort};
    if (!fixed_.modemPort.isEmpty() && fixed_.modemPort != fixed_.atPort)
        ports.append(fixed_.modemPort);
    return ports;
}

// A card in disc mode is ejected on the first scan that sees it and again
// every fourth scan while it stays so. True while it is in disc mode.
bool PortDiscovery::ejectDiscMode(quint16 product) {
    qCDebug(lcModem, "****** onSwitchPort=%d  switchCount=%d", onSwitchPort, switchCount);
    if (product != DISC_MODE_PRODUCT_ID) {
        onSwitchPort = false;
        switchCount = 0;
        return false;
    }
    if (!onSwitchPort) {
        const QString command = SystemPaths::ejectCommand();
        QStringList args = QProcess::splitCommand(command);
        const QString program = args.takeFirst();
        if (!QProcess::startDetached(program, args))
            qCWarning(lcModem, "%s: could not be started", qPrintable(command));
        onSwitchPort = true;
    }
    if (++switchCount == kEjectRetryScans) {
        switchCount = 0;
        onSwitchPort = false;
    }
    return true;
}

void PortDiscovery::scan(int firstByteMs, std::function<void(FoundPorts)> done) {
    ++initPortCount;
    qCDebug(lcModem, "It is we find port name");
    if (!fixed_.atPort.isEmpty()) {
        // The ports given on the command line, when the AT port answers.
        probe_.probe({fixed_.atPort}, firstByteMs, [this, done](const QStringList& answering) {
            FoundPorts found{true, {}, {}, {}};
            if (!answering.isEmpty())
                found = {true, fixed_.atPort, fixed_.modemPort, {}};
            done(found);
        });
        return;
    }

    const ModemTypes types = readModemTypes(dataFile("modem_types.xml"));
    const std::optional<UsbDeviceId> card = usbio_probe(bus_ ? *bus_ : libusb_);
    if (card)
        qCDebug(lcModem, "The final our Vendor/Product ID: %04x:%04x", card->vendor, card->product);
    if (!card)
        return scanOtherModems(firstByteMs, std::move(done));
    if (ejectDiscMode(card->product)) {
        QTimer::singleShot(0, &probe_, [done] { done(FoundPorts{}); });
        return;
    }
    // For a product of the negative list the first working port is the AT
    // port, for every other one the modem port.
    const bool atFirst = types.negative.contains(card->product);
    probe_.probe(candidatePorts(), firstByteMs, [done, atFirst](const QStringList& working) {
        const QString first = working.value(0);
        const QString second = working.value(1);
        FoundPorts found{true, atFirst ? first : second, atFirst ? second : first, {}};
        done(found);
    });
}

// Every other USB modem's ports that may still answer are sent "AT" at
// once; the first modem (in the kernel's order) with an answering port is
// used.
void PortDiscovery::scanOtherModems(int firstByteMs, std::function<void(FoundPorts)> done) {
    const QList<UsbDeviceInfo> devices = readUsbDevices();
    const QList<UsbModem> modems = usbSerialModems(devices);
    FoundPorts none;
    none.networkOnly = networkOnlyModem(devices);
    if (!none.networkOnly)
        none.networkOnly = discMode_.check(devices);
    QStringList ports;
    const QSet<QString> seenBefore = std::exchange(seen_, {});
    for (const UsbModem& modem : modems) {
        seen_.insert(modem.key);
        for (const UsbModemPort& port : modem.ports)
            if (!silent_.contains(port.key))
                ports.append(port.path);
    }
    if (ports.isEmpty()) {
        QTimer::singleShot(0, &probe_, [done, none] { done(none); });
        return;
    }
    none.tested = true;
    const int limitMs = std::max(firstByteMs, kOtherModemFirstByteMs);
    probe_.probe(ports, limitMs, [this, modems, seenBefore, none, done](QStringList answering) {
        for (const UsbModem& modem : modems)
            for (const UsbModemPort& port : modem.ports)
                if (!answering.contains(port.path) && seenBefore.contains(modem.key))
                    silent_.insert(port.key);
        for (const UsbModem& modem : modems) {
            const UsbModemRoles roles = chooseModemPorts(modem, answering);
            if (!roles.atPort.isEmpty()) {
                qCDebug(lcModem, "%s: AT port %s, data port %s", qPrintable(modem.name),
                        qPrintable(roles.atPort), qPrintable(roles.dataPort));
                return done(FoundPorts{true, roles.atPort, roles.dataPort, {}});
            }
        }
        done(none);
    });
}
