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

// A USB device "1-1" plugged in as number `plug`, in the private root's
// sysfs. An interface is "driver[/class.subclass.protocol]:child,...", a
// child a serial port ("ttyUSB0", "ttyACM0"), "net", "wwan" (a network
// interface marked mobile broadband) or "cdrom". `udev` sets udev properties
// of ports: "ttyUSB1=ID_MM_PORT_TYPE_AT_PPP".
void plugUsbDevice(const TestEnv& env, const QStringList& interfaces, const QStringList& udev,
                   int plug = 1) {
    const QString device = "/sys/bus/usb/devices/1-1";
    QDir(env.rootPath(device)).removeRecursively();
    QDir().mkpath(env.rootPath("/dev"));
    env.writeRootFile(device + "/idVendor", "2c7c\n");
    env.writeRootFile(device + "/idProduct", "0125\n");
    env.writeRootFile(device + "/product", "LTE Stick\n");
    env.writeRootFile(device + "/devnum", QByteArray::number(plug));
    for (int n = 0; n < interfaces.size(); ++n) {
        const QString dir = device + "/1-1:1." + QString::number(n);
        const QString driver = interfaces[n].section(':', 0, 0).section('/', 0, 0);
        const QStringList triple = interfaces[n].section(':', 0, 0).section('/', 1).split('.');
        env.writeRootFile(dir + "/bInterfaceNumber", QByteArray::number(n, 16));
        for (int i = 0; i < 3; ++i)
            env.writeRootFile(
                dir + "/" +
                    QStringList{"bInterfaceClass", "bInterfaceSubClass", "bInterfaceProtocol"}[i],
                triple.value(i, "ff").toUtf8());
        QDir().mkpath(env.rootPath("/sys/bus/usb/drivers/" + driver));
        QFile::link(env.rootPath("/sys/bus/usb/drivers/" + driver), env.rootPath(dir + "/driver"));
        for (const QString& child : interfaces[n].section(':', 1).split(',', Qt::SkipEmptyParts)) {
            const QByteArray minor = child.mid(6).toUtf8();
            if (child.startsWith("ttyUSB"))
                env.writeRootFile(dir + '/' + child + "/tty/" + child + "/dev", "188:" + minor);
            else if (child.startsWith("ttyACM"))
                env.writeRootFile(dir + "/tty/" + child + "/dev", "166:" + minor);
            else if (child == "cdrom")
                env.writeRootFile(dir + "/host6/target6:0:0/6:0:0:0/type", "5\n");
            else
                env.writeRootFile(dir + "/net/" + child + "0/uevent",
                                  "INTERFACE=x\n" +
                                      QByteArray(child == "wwan" ? "DEVTYPE=wwan\n" : ""));
        }
    }
    for (const QString& hint : udev) {
        const QString tty = hint.section('=', 0, 0);
        env.writeRootFile("/run/udev/data/c" + QString(tty.startsWith("ttyACM") ? "166:" : "188:") +
                              tty.mid(6),
                          "S:serial/by-id/x\nE:" + hint.section('=', 1).toUtf8() + "=1\n");
    }
}

// One scan, waited for: "AT port | modem port", or "not tested"; then the
// modem without serial ports it names.
QString scanned(PortDiscovery& discovery, const TestEnv& env) {
    const auto found = std::make_shared<std::optional<FoundPorts>>();
    discovery.scan(SIM_FIRST_BYTE_MS / 2, [found](FoundPorts ports) { *found = ports; });
    if (!QTest::qWaitFor([&] { return found->has_value(); }, 10000))
        return "no completion";
    const auto name = [&](QString port) { return port.remove(env.root()); };
    QString text = (*found)->tested ? name((*found)->atPort) + " | " + name((*found)->modemPort)
                                    : "not tested";
    const char* kinds[] = {
        ", wwan: ", ", ethernet: ", ", disc mode: ", ", no usb-modeswitch: ", ", switch refused: "};
    if (const auto modem = (*found)->networkOnly)
        text += kinds[int(modem->kind)] + modem->name;
    return text;
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
        QTest::newRow("positive") << 0x6001 << QString("ttyUSB2") << QString("ttyUSB0");
        QTest::newRow("unlisted") << 0x1234 << QString("ttyUSB2") << QString("ttyUSB0");
        QTest::newRow("negative") << 0x7001 << QString("ttyUSB0") << QString("ttyUSB2");
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

    // Other makers' modems, from sysfs and udev's hints: which ports are sent
    // "AT" and what each becomes; a modem with no serial port is named. The
    // simulator's ports stand behind the ttys ("ttyUSB1=at").
    void otherModems_data() {
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<QStringList>("udev");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("found");
        const auto row = [](const char* tag, const QStringList& interfaces, const QStringList& udev,
                            const QStringList& ports, const char* found) {
            QTest::newRow(tag) << interfaces << udev << ports
                               << QString(found).replace("@", "LTE Stick (2c7c:0125)");
        };
        const QStringList three{"option:ttyUSB0", "option:ttyUSB1", "option:ttyUSB2"};
        const QStringList silentDataAt{"ttyUSB0=silent", "ttyUSB1=data", "ttyUSB2=at"};
        row("first answering AT, second data", three, {}, silentDataAt,
            "/dev/ttyUSB1 | /dev/ttyUSB2");
        row("udev names the primary and the PPP port", three,
            {"ttyUSB2=ID_MM_PORT_TYPE_AT_PPP", "ttyUSB1=ID_MM_PORT_TYPE_AT_PRIMARY"},
            {"ttyUSB0=data", "ttyUSB1=at", "ttyUSB2=silent"}, "/dev/ttyUSB1 | /dev/ttyUSB2");
        row("the PPP port isn't the AT port", three, {"ttyUSB1=ID_MM_PORT_TYPE_AT_PPP"},
            silentDataAt, "/dev/ttyUSB2 | /dev/ttyUSB1");
        row("one ACM port serves both", {"cdc_acm/2.2.1:ttyACM0", "cdc_acm/0a.0.0:"}, {},
            {"ttyACM0=at"}, "/dev/ttyACM0 | /dev/ttyACM0");
        row("ignored, diagnostic and GPS ports", three,
            {"ttyUSB0=ID_MM_PORT_IGNORE", "ttyUSB1=ID_MM_PORT_TYPE_QCDM",
             "ttyUSB2=ID_MM_PORT_TYPE_GPS"},
            silentDataAt, "not tested");
        row("a serial adapter is left alone", {"ftdi_sio:ttyUSB0"}, {}, {"ttyUSB0=at"},
            "not tested");
        row("a port beside a wwan interface", {"qmi_wwan:wwan", "usb_serial_simple:ttyUSB3"}, {},
            {"ttyUSB3=at"}, "/dev/ttyUSB3 | /dev/ttyUSB3");
        row("QMI only", {"qmi_wwan:wwan"}, {}, {}, "not tested, wwan: @");
        row("NCM marked mobile broadband", {"cdc_ncm:wwan"}, {}, {}, "not tested, wwan: @");
        row("HiLink-like, with its CD-ROM", {"cdc_ether:net", "usb-storage:cdrom"}, {}, {},
            "not tested, ethernet: @");
        row("USB Ethernet adapter", {"cdc_ether:net"}, {}, {}, "not tested");
        row("docking station's NCM", {"cdc_ncm:net"}, {}, {}, "not tested");
    }
    void otherModems() {
        QFETCH(QStringList, interfaces);
        QFETCH(QStringList, udev);
        QFETCH(QStringList, ports);
        QFETCH(QString, found);
        TestEnv env;
        ModemSim sim;
        QVERIFY(sim.start("ready", {"--silent-port"}));
        QVERIFY(sim.command({"ping"}));
        plugUsbDevice(env, interfaces, udev);
        for (const QString& port : ports) {
            const QString role = port.section('=', 1);
            const QString target = role == "at"     ? sim.atPort()
                                   : role == "data" ? sim.dataPort()
                                                    : sim.silentPort();
            QVERIFY(QFile::link(target, env.rootPath("/dev/" + port.section('=', 0, 0))));
        }
        FakeBus bus;
        PortDiscovery discovery({}, &bus);
        QCOMPARE(scanned(discovery, env), found);
        if (found == "not tested")
            for (const char* role : {"at", "data", "silent"})
                QVERIFY(sim.received(role).isEmpty());
    }

    // Another maker's card that still shows its disc: switched through the
    // helper when usb-modeswitch knows it and udev left it so (the second
    // scan), once; named for the user when the package is missing, or when
    // the helper did not switch it (the user refused the authorisation).
    void otherMakersDiscMode_data() {
        QTest::addColumn<QString>("interfaces");
        QTest::addColumn<QByteArray>("rules"); // usb-modeswitch-data's; empty: not installed
        QTest::addColumn<QString>("found");
        QTest::addColumn<QList<int>>("switches"); // helper runs after each scan
        QTest::addColumn<int>("helperExit");
        const QString cdrom = "usb-storage/08.06.50:cdrom";
        const QByteArray known =
            "# HP un2430\nATTR{idVendor}==\"03f0\", ATTR{idProduct}==\"371d\", "
            "RUN+=\"usb_modeswitch '/%k'\"\nATTRS{idVendor}==\"2c7c\", "
            "ATTRS{idProduct}==\"0125\", RUN+=\"usb_modeswitch '/%k'\"\n";
        const QString name = "LTE Stick (2c7c:0125)";
        QTest::newRow("known: switched once")
            << cdrom << known << "not tested, disc mode: " + name << QList<int>{0, 1, 1} << 0;
        QTest::newRow("known: the switch refused")
            << cdrom << known << "not tested, disc mode: " + name << QList<int>{0, 1} << 126;
        QTest::newRow("known by its vendor")
            << cdrom
            << QByteArray("ATTRS{idVendor}==\"2c7c\", ATTR{bInterfaceClass}==\"08\", "
                          "RUN+=\"usb_modeswitch '%b/%k'\"\n")
            << "not tested, disc mode: " + name << QList<int>{0, 1, 1} << 0;
        QTest::newRow("unknown to usb-modeswitch") << cdrom << known.left(known.indexOf("ATTRS"))
                                                   << "not tested" << QList<int>{0, 0, 0} << 0;
        QTest::newRow("package missing: a modem maker's CD-ROM")
            << cdrom << QByteArray() << "not tested, no usb-modeswitch: " + name
            << QList<int>{0, 0, 0} << 0;
        QTest::newRow("package missing: a memory stick")
            << "usb-storage/08.06.50:" << QByteArray() << "not tested" << QList<int>{0, 0, 0} << 0;
    }
    void otherMakersDiscMode() {
        QFETCH(QString, interfaces);
        QFETCH(QByteArray, rules);
        QFETCH(QString, found);
        QFETCH(QList<int>, switches);
        QFETCH(int, helperExit);
        TestEnv env;
        plugUsbDevice(env, {interfaces}, {});
        const QString log = env.rootPath("/helper.log");
        for (const char* program :
             {"/usr/libexec/velto/velto-helper", "/usr/sbin/usb_modeswitch"}) {
            env.writeRootFile(program, "#!/bin/sh\necho \"$@\" >> " + log.toLocal8Bit() +
                                           "\nexit " + QByteArray::number(helperExit) + "\n");
            QFile::setPermissions(env.rootPath(program), QFile::ReadOwner | QFile::ExeOwner);
        }
        if (!rules.isEmpty())
            env.writeRootFile("/lib/udev/rules.d/40-usb_modeswitch.rules", rules);
        FakeBus bus;
        PortDiscovery discovery({}, &bus);
        for (int scan = 0; scan < switches.size(); ++scan) {
            QCOMPARE(scanned(discovery, env), found);
            QTRY_COMPARE_WITH_TIMEOUT(TestEnv::readFile(log).count("modeswitch 2c7c:0125\n"),
                                      switches[scan], 5000);
        }
        if (helperExit)
            QTRY_COMPARE(scanned(discovery, env),
                         QString(found).replace("disc mode", "switch refused"));
    }

    // A port that stays silent is tried at the first two scans that see its
    // device, then left alone until the device is plugged in again.
    void silentPortTriedOnce() {
        TestEnv env;
        ModemSim sim;
        QVERIFY(sim.start("ready", {"--silent-port"}));
        plugUsbDevice(env, {"option:ttyUSB0"}, {});
        QVERIFY(QFile::link(sim.silentPort(), env.rootPath("/dev/ttyUSB0")));
        FakeBus bus;
        PortDiscovery discovery({}, &bus);
        for (const char* expected : {" | ", " | ", "not tested"})
            QCOMPARE(scanned(discovery, env), expected);
        plugUsbDevice(env, {"option:ttyUSB0"}, {}, 2);
        QCOMPARE(scanned(discovery, env), " | ");
        QCOMPARE(sim.received("silent"), QStringList(3, "AT\r\n"));
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
        const auto row = [](const char* tag, const char* name, const QStringList& open,
                            const char* fixedPort, const QStringList& held) {
            QTest::newRow(tag) << QString(name) << open << QString(fixedPort) << held;
        };
        row("holds one of the card's ports", "ModemManager", {"/dev/null", "/dev/ttyUSB1"}, "",
            {"/dev/ttyUSB1"});
        row("holds both, reported in port order", "ModemManager", {"/dev/ttyUSB1", "/dev/ttyUSB0"},
            "", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
        row("holds a port given on the command line", "ModemManager", {"/dev/pts/7"}, "/dev/pts/7",
            {"/dev/pts/7"});
        row("holds the device behind a port given as a link", "ModemManager", {"/dev/ttyUSB0"},
            "/dev/serial/by-id/card", {"/dev/serial/by-id/card"});
        row("a port that isn't ours", "ModemManager", {"/dev/ttyS0"}, "", {});
        row("another program holding our port", "minicom", {"/dev/ttyUSB0"}, "", {});
        row("a name that only starts alike", "ModemManagerd", {"/dev/ttyUSB0"}, "", {});
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
