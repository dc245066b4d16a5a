// Benchmark of the port scan for another maker's modem: a device with N
// serial ports made by the "option" driver in a private sysfs, two of them
// the simulator's answering ports and the rest a port that never answers,
// scanned with the program's first-byte limit (50 ms; the scan gives other makers' ports 300 ms).
// Timed from the scan's start to its result: the first scan that sees the device (every port is
// sent "AT"), and a later one, once the silent ports are left alone.
//
// Usage: bench_portscan

#include "modem/portdiscovery.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kFirstByteMs = 50;

class NoBus : public UsbBus {
public:
    QList<UsbDeviceId> devices() override { return {}; }
};

void plugDevice(const TestEnv& env, const ModemSim& sim, int ports) {
    const QString device = "/sys/bus/usb/devices/1-1";
    env.writeRootFile(device + "/idVendor", "2c7c");
    env.writeRootFile(device + "/idProduct", "0125");
    env.writeRootFile(device + "/devnum", "1");
    QDir().mkpath(env.rootPath("/sys/bus/usb/drivers/option"));
    QDir().mkpath(env.rootPath("/dev"));
    for (int n = 0; n < ports; ++n) {
        const QString dir = device + "/1-1:1." + QString::number(n);
        const QString tty = "ttyUSB" + QString::number(n);
        env.writeRootFile(dir + "/bInterfaceNumber", QByteArray::number(n, 16));
        env.writeRootFile(dir + '/' + tty + "/tty/" + tty + "/dev", "188:" + QByteArray::number(n));
        QFile::link(env.rootPath("/sys/bus/usb/drivers/option"), env.rootPath(dir + "/driver"));
        const QString port = n == 0 ? sim.dataPort() : n == 1 ? sim.atPort() : sim.silentPort();
        QFile::link(port, env.rootPath("/dev/" + tty));
    }
}

// The program scans every 4 s; a pause lets the simulator see the last
// scan's ports closed before the next opens them.
double scanMs(PortDiscovery& discovery) {
    QTest::qWait(200);
    QElapsedTimer timer;
    timer.start();
    bool done = false;
    discovery.scan(kFirstByteMs, [&](const FoundPorts&) { done = true; });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return -1.0;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(
        qEnvironmentVariable("QT_LOGGING_RULES", "velto.*.debug=false"));
    std::printf("ports  first scan  later scan   (ms)\n");
    for (const int ports : {2, 4, 8, 16}) {
        TestEnv env;
        ModemSim sim;
        if (!sim.start("ready", {"--silent-port"}) || !sim.command({"ping"}))
            return 1;
        plugDevice(env, sim, ports);
        NoBus bus;
        PortDiscovery discovery({}, &bus);
        const double first = scanMs(discovery);
        scanMs(discovery); // the second sight: the silent ports are remembered
        const double later = scanMs(discovery);
        std::printf("%5d  %10.1f  %10.1f\n", ports, first, later);
    }
    return 0;
}
