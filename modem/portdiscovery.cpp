#include "modem/portdiscovery.h"

#include "app/cmdline.h"
#include "app/globals.h"
#include "app/systempaths.h"
#include "modem/modemlog.h"
#include "modem/serialthread.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr int kCandidates = 32; // ttyUSB0 ... ttyUSB31 when present, then ttyUSB32 always
constexpr int kEjectRetryScans = 4;
constexpr qint64 kLongestLine = 256;

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

PortDiscovery::PortDiscovery(SerialThread& link, UsbBus* bus) : link_(link), bus_(bus) {}

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

QStringList PortDiscovery::portsToWatch() {
    if (fixedPorts.atPort.isEmpty())
        return candidatePorts();
    QStringList ports{fixedPorts.atPort};
    if (!fixedPorts.modemPort.isEmpty() && fixedPorts.modemPort != fixedPorts.atPort)
        ports.append(fixedPorts.modemPort);
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

int PortDiscovery::useFixedPorts(SerialThread& port) {
    const int fd = port.openPort(fixedPorts.atPort);
    if (fd < 0)
        return 0;
    myOpenedFdList.append(QString::number(fd));
    if (port.sendNULL_ATCmd() == 1) {
        iAtPort = fd;
        theATSerialPortName = fixedPorts.atPort;
        theModemSerialPortName = fixedPorts.modemPort;
    } else {
        port.closePortNormal(fd);
        myOpenedFdList.clear();
        theATSerialPortName.clear();
        theModemSerialPortName.clear();
    }
    qCDebug(lcModem, "set AT  serial to '%s'", qPrintable(theATSerialPortName));
    qCDebug(lcModem, "set MODEM serial to '%s'", qPrintable(theModemSerialPortName));
    return 1;
}

int PortDiscovery::findPortNames() {
    iModemPort = 0;
    iAtPort = 0;
    myOpenedFdList.clear();
    ++initPortCount;
    qCDebug(lcModem, "It is we find port name");
    SerialThread& port = link_;
    if (!fixedPorts.atPort.isEmpty())
        return useFixedPorts(port);

    const ModemTypes types = readModemTypes(dataFile("modem_types.xml"));
    const std::optional<UsbDeviceId> card = usbio_probe(bus_ ? *bus_ : libusb_);
    if (!card)
        return 0;
    qCDebug(lcModem, "The final our Vendor/Product ID: %04x:%04x", card->vendor, card->product);
    if (ejectDiscMode(card->product))
        return 0;
    const bool atFirst = types.negative.contains(card->product);

    QStringList working;
    QList<int> workingFds;
    for (const QString& device : candidatePorts()) {
        qCDebug(lcModem, "This is testport '%s'", qPrintable(device));
        const int fd = port.openPort(device);
        qCDebug(lcModem, "____________the temp device port is tempfd = %d_____________", fd);
        if (fd < 0)
            continue;
        if (port.sendNULL_ATCmd() == 1) {
            qCDebug(lcModem, "______________AT test is OK!___________");
            working.append(device);
            workingFds.append(fd);
        } else {
            qCDebug(lcModem, "______________AT test is Failed!___________");
        }
        myOpenedFdList.append(QString::number(fd));
    }

    const QString first = working.value(0);
    const QString second = working.value(1);
    const int firstFd = workingFds.value(0);
    const int secondFd = workingFds.value(1);
    if (atFirst) {
        qCDebug(lcModem, "\n________________AT + Modem____________\n");
        theATSerialPortName = first;
        theModemSerialPortName = second;
        iAtPort = firstFd;
        iModemPort = secondFd;
    } else {
        qCDebug(lcModem, "\n________________Modem + AT____________\n");
        theModemSerialPortName = first;
        theATSerialPortName = second;
        iModemPort = firstFd;
        iAtPort = secondFd;
    }
    qCDebug(lcModem, "===== iAtPort:%d; iModemPort:%d=====", iAtPort, iModemPort);

    if (theATSerialPortName != theModemSerialPortName) {
        for (const QString& fd : std::as_const(myOpenedFdList)) {
            if (fd.toInt() != iAtPort) {
                qCDebug(lcModem, "=====close myOpenedFdList PORT:%s=====", qPrintable(fd));
                port.closePortNormal(fd.toInt());
            } else {
                qCDebug(lcModem, "=====not close myOpenedFdList PORT:%s=====", qPrintable(fd));
            }
        }
    } else {
        for (const QString& fd : std::as_const(myOpenedFdList))
            port.closePortNormal(fd.toInt());
        myOpenedFdList.clear();
    }
    // The link works on the AT port kept open, or on none.
    port.usePort(iAtPort > 0 ? iAtPort : -1);

    qCDebug(lcModem, "set AT  serial to '%s'", qPrintable(theATSerialPortName));
    qCDebug(lcModem, "set MODEM serial to '%s'", qPrintable(theModemSerialPortName));
    return 1;
}
