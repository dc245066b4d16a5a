// Finding the card and its ports: the product-identifier file, the disc-mode
// eject, and the port scan over the simulator's ports published as ttyUSB
// devices under a private system root.

#include "app/cmdline.h"
#include "modem/modemmanager.h"
#include "modem/portdiscovery.h"
#include "modem/serialthread.h"
#include "tests/modem/simlink.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

class FakeBus : public UsbBus {
public:
    QList<UsbDeviceId> attached;
    QList<UsbDeviceId> devices() override { return attached; }
};

int openDescriptors() {
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

// One scan, waited for: "AT port | modem port", or "not tested".
QString scanned(PortDiscovery& discovery, const TestEnv& env) {
    const auto found = std::make_shared<std::optional<FoundPorts>>();
    discovery.scan(SIM_FIRST_BYTE_MS / 2, [found](FoundPorts ports) { *found = ports; });
    if (!QTest::qWaitFor([&] { return found->has_value(); }, 10000))
        return "no completion";
    if (!(*found)->tested)
        return "not tested";
    const auto name = [&](QString port) { return port.remove(env.root()); };
    return name((*found)->atPort) + " | " + name((*found)->modemPort);
}

} // namespace

class TestPortDiscovery : public QObject {
    Q_OBJECT
private slots:
    void modemTypes() {
        TestEnv env;
        // The shipped file gives the built-in lists.
        const ModemTypes shipped = readModemTypes(env.dataPath("modem_types.xml"));
        QCOMPARE(shipped.positive, defaultModemTypes().positive);
        QCOMPARE(shipped.negative, defaultModemTypes().negative);
        QCOMPARE(defaultModemTypes().positive.size(), 7);
        QCOMPARE(defaultModemTypes().negative.size(), 9);

        const ModemTypes missing = readModemTypes(env.dataPath("no_such_file.xml"));
        QCOMPARE(missing.negative, defaultModemTypes().negative);

        QByteArray text = "1234\n<?xml version=\"1.0\"?>\n5678\n<Pid_Positive>\n00ab\nab\nAB\n"
                          "</Pid_Positive>\n9999\n<Pid_NePositive>\n";
        for (int i = 0; i < 12; ++i)
            text += QByteArray::number(0x7100 + i, 16) + "\n";
        text += "zz\n</Pid_NePositive>\n<Pid_Positive>\n";
        for (int i = 0; i < 40; ++i)
            text += QByteArray::number(0x6100 + i, 16) + "\r\n";
        QFile file(env.dataPath("types.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const ModemTypes types = readModemTypes(env.dataPath("types.xml"));
        QCOMPARE(types.positive.size(), ModemTypes::PositiveCapacity);
        QCOMPARE(types.positive.mid(0, 4), (QList<quint16>{0xab, 0xab, 0xab, 0x6100}));
        QCOMPARE(types.negative.size(), ModemTypes::NegativeCapacity);
        QCOMPARE(types.negative.first(), quint16(0x7100));
        QVERIFY(!types.positive.contains(0x1234) && !types.positive.contains(0x5678));
        QVERIFY(!types.positive.contains(0x9999) && !types.negative.contains(0x9999));
    }

    void noCard() {
        TestEnv env;
        FakeBus bus;
        PortDiscovery discovery({}, &bus);
        QCOMPARE(scanned(discovery, env), "not tested");
        bus.attached = {{0x1d6b, 0x0002}, {0x3c9b, 0x6001}};
        QCOMPARE(scanned(discovery, env), "not tested");
        QCOMPARE(discovery.initPortCount, 2);
    }

    // A card in disc mode is ejected on scans 1, 5, 9, ... while it stays so.
    void discModeEject() {
        TestEnv env;
        const QString log = env.rootPath("/eject.log");
        env.writeRootFile("/usr/bin/eject",
                          "#!/bin/sh\necho \"$@\" >> " + log.toLocal8Bit() + "\n");
        QFile::setPermissions(env.rootPath("/usr/bin/eject"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const auto ejects = [&] { return TestEnv::readFile(log).count('\n'); };

        FakeBus bus;
        bus.attached = {{MODEM_VENDOR_ID, DISC_MODE_PRODUCT_ID}};
        PortDiscovery discovery({}, &bus);
        const QList<int> expected = {1, 1, 1, 1, 2, 2, 2, 2, 3};
        for (int scan = 0; scan < expected.size(); ++scan) {
            QCOMPARE(scanned(discovery, env), "not tested");
            QTRY_COMPARE_WITH_TIMEOUT(ejects(), expected[scan], 5000);
        }
        for (const QByteArray& line : TestEnv::readFile(log).trimmed().split('\n'))
            QCOMPARE(QString(line), env.rootPath("/dev/MODEMCONNECTION"));

        // Another product ends the waiting.
        bus.attached = {{MODEM_VENDOR_ID, 0x6001}};
        QCOMPARE(scanned(discovery, env), " | ");
        QVERIFY(!discovery.onSwitchPort);
        QCOMPARE(discovery.switchCount, 0);
    }

    // ttyUSB0 (data) and ttyUSB2 (AT) answer, ttyUSB1 is silent: the order of
    // the two working ports depends on the product.
    void portChoice_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("atPort");
        QTest::addColumn<QString>("modemPort");
        QTest::newRow("positive") << 0x6001 << "ttyUSB2"
                                  << "ttyUSB0";
        QTest::newRow("unlisted") << 0x1234 << "ttyUSB2"
                                  << "ttyUSB0";
        QTest::newRow("negative") << 0x7001 << "ttyUSB0"
                                  << "ttyUSB2";
    }
    void portChoice() {
        QFETCH(int, product);
        QFETCH(QString, atPort);
        QFETCH(QString, modemPort);
        TestEnv env;
        ModemSim sim;
        QVERIFY(
            sim.startWithRoot(env.root(), "ready", {"--silent-port"}, {"data", "silent", "at"}));
        QVERIFY(sim.command({"ping"}));
        const int descriptorsBefore = openDescriptors();
        FakeBus bus;
        bus.attached = {{0x1d6b, 0x0002}, {MODEM_VENDOR_ID, quint16(product)}};
        PortDiscovery discovery({}, &bus);

        QCOMPARE(scanned(discovery, env), "/dev/" + atPort + " | /dev/" + modemPort);
        // The scan leaves no port open; the AT port answers the link.
        QCOMPARE(openDescriptors(), descriptorsBefore);
        SerialThread link(nullptr);
        link.firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link.openPort(env.rootPath("/dev/" + atPort)) >= 0);
        QCOMPARE(await(link, &SerialThread::getSignalQuality), "5");
        QVERIFY(sim.received("silent").join(QString()).contains("AT"));
    }

    // "ttyUSB32" is tried last whether or not the system lists it; with no
    // answering port both names are empty and nothing stays open.
    void lastCandidateAndNoAnswer() {
        TestEnv env;
        ModemSim sim;
        QVERIFY(sim.startWithRoot(env.root(), "ready", {}, {"data", "at"}));
        QVERIFY(sim.command({"ping"}));
        QVERIFY(QDir().rmdir(env.rootPath("/sys/class/tty/ttyUSB1")));
        QVERIFY(QFile::link(sim.atPort(), env.rootPath("/dev/ttyUSB32")));
        FakeBus bus;
        bus.attached = {{MODEM_VENDOR_ID, 0x6002}};
        PortDiscovery discovery({}, &bus);
        QCOMPARE(scanned(discovery, env), "/dev/ttyUSB32 | /dev/ttyUSB0");
        QVERIFY(sim.unplug());
        QCOMPARE(scanned(discovery, env), " | ");
    }

    // Ports given on the command line are used as they are, without a scan.
    void fixedPortsSkipScan() {
        TestEnv env;
        ModemSim sim;
        QVERIFY(sim.start("ready"));
        QVERIFY(sim.command({"ping"}));
        FakeBus bus; // no card on the bus
        PortDiscovery given({sim.atPort(), sim.dataPort()}, &bus);
        QCOMPARE(scanned(given, env), sim.atPort() + " | " + sim.dataPort());
        PortDiscovery absent({env.rootPath("/dev/ttyUSB7"), QString()}, &bus);
        QCOMPARE(scanned(absent, env), " | ");
    }

    // Our ports that a process named ModemManager has open, read from a
    // /proc of fake processes: name, then the files it holds (below the root).
    void modemManagerHoldsPorts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QString>("fixedPort"); // given on the command line
        QTest::addColumn<QStringList>("held");
        QTest::newRow("holds one of the card's ports")
            << "ModemManager" << QStringList{"/dev/null", "/dev/ttyUSB1"} << ""
            << QStringList{"/dev/ttyUSB1"};
        QTest::newRow("holds both, reported in port order")
            << "ModemManager" << QStringList{"/dev/ttyUSB1", "/dev/ttyUSB0"} << ""
            << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1"};
        QTest::newRow("holds a port given on the command line")
            << "ModemManager" << QStringList{"/dev/pts/7"} << "/dev/pts/7"
            << QStringList{"/dev/pts/7"};
        QTest::newRow("holds the device behind a port given as a link")
            << "ModemManager" << QStringList{"/dev/ttyUSB0"} << "/dev/serial/by-id/card"
            << QStringList{"/dev/serial/by-id/card"};
        QTest::newRow("a port that isn't ours")
            << "ModemManager" << QStringList{"/dev/ttyS0"} << "" << QStringList{};
        QTest::newRow("another program holding our port")
            << "minicom" << QStringList{"/dev/ttyUSB0"} << "" << QStringList{};
        QTest::newRow("a name that only starts alike")
            << "ModemManagerd" << QStringList{"/dev/ttyUSB0"} << "" << QStringList{};
    }

    void modemManagerHoldsPorts() {
        QFETCH(QString, name);
        QFETCH(QStringList, open);
        QFETCH(QString, fixedPort);
        QFETCH(QStringList, held);
        TestEnv env;
        env.writeRootFile("/sys/class/tty/ttyUSB0", "");
        env.writeRootFile("/sys/class/tty/ttyUSB1", "");
        env.writeRootFile("/dev/ttyUSB0", "");
        QVERIFY(QDir().mkpath(env.rootPath("/dev/serial/by-id")));
        QVERIFY(QFile::link(env.rootPath("/dev/ttyUSB0"), env.rootPath("/dev/serial/by-id/card")));
        env.writeRootFile("/proc/self/comm", "ModemManager\n"); // not a process number
        env.writeRootFile("/proc/321/comm", name.toUtf8() + '\n');
        QVERIFY(QDir().mkpath(env.rootPath("/proc/321/fd")));
        for (int i = 0; i < open.size(); ++i)
            QVERIFY(QFile::link(env.rootPath(open[i]),
                                env.rootPath("/proc/321/fd/") + QString::number(i + 3)));
        const PortDiscovery discovery(
            {fixedPort.isEmpty() ? QString() : env.rootPath(fixedPort), QString()});
        QStringList expected;
        for (const QString& port : held)
            expected.append(env.rootPath(port));
        QCOMPARE(portsHeldByModemManager(discovery.portsToWatch()), expected);
    }
};

QTEST_GUILESS_MAIN(TestPortDiscovery)
#include "test_portdiscovery.moc"
