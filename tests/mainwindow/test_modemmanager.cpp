// ModemManager asked to leave the card alone while the program holds its
// ports, against a stand-in service on a private bus (CTest runs this under
// dbus-run-session), with the card's devices in a private sysfs.

#include "app/systempaths.h"
#include "mainwindow/modemmanagerinhibitor.h"
#include "tests/support/testenv.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QSignalSpy>
#include <QtTest>

// ModemManager's one method the program calls.
class StandInModemManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ModemManager1")
public:
    QStringList calls; // "device true|false"
    bool refuse = false;

public slots:
    void InhibitDevice(const QString& device, bool inhibit, const QDBusMessage& message) {
        calls << device + (inhibit ? " true" : " false");
        if (!refuse)
            return;
        message.setDelayedReply(true);
        QDBusConnection("modemmanager")
            .send(message.createErrorReply("org.freedesktop.ModemManager1.Error.Core.NotFound",
                                           "No such device"));
    }
};

class TestModemManager : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env_;

    // A USB card at usb1/1-2 with its serial port `name`.
    void card(const QString& name) {
        const QString usb = env_->rootPath("/sys/devices/pci0000:00/usb1/1-2");
        env_->writeRootFile("/sys/devices/pci0000:00/usb1/1-2/idVendor", "3c9a\n");
        QVERIFY(QDir().mkpath(usb + "/1-2:1.0/" + name));
        QVERIFY(QDir().mkpath(env_->rootPath("/sys/class/tty/" + name)));
        QVERIFY(QFile::link(usb + "/1-2:1.0/" + name,
                            env_->rootPath("/sys/class/tty/" + name + "/device")));
    }

private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus: run under dbus-run-session");
    }
    void init() { env_ = std::make_unique<TestEnv>(); }
    void cleanup() {
        QDBusConnection::disconnectFromBus("modemmanager");
        env_.reset();
    }

    void theHeldCardIsLeftAloneUntilLetGo() {
        StandInModemManager service;
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "modemmanager");
        QVERIFY(bus.registerObject("/org/freedesktop/ModemManager1", &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.ModemManager1"));
        card("ttyUSB0");
        card("ttyUSB2");
        const QString device = "/sys/devices/pci0000:00/usb1/1-2";
        QCOMPARE(ModemManagerInhibitor::deviceOf("/dev/ttyUSB2"), device);
        QVERIFY(ModemManagerInhibitor::deviceOf("/dev/ttyS0").isEmpty());

        ModemManagerInhibitor inhibitor(QDBusConnection::sessionBus());
        QSignalSpy changed(&inhibitor, &ModemManagerInhibitor::inhibitingChanged);
        inhibitor.holdPorts({"/dev/ttyUSB2", "/dev/ttyUSB0"});
        QVERIFY(changed.wait(5000));
        QVERIFY(inhibitor.inhibiting());
        inhibitor.holdPorts({"/dev/ttyUSB2", "/dev/ttyUSB0"}); // asked once only
        inhibitor.holdPorts({});
        QVERIFY(changed.wait(5000));
        QVERIFY(!inhibitor.inhibiting());
        QCOMPARE(service.calls, (QStringList{device + " true", device + " false"}));

        // A port that is no USB device's: nothing to ask.
        inhibitor.holdPorts({"/dev/ttyS0"});
        QTest::qWait(200);
        QCOMPARE(service.calls.size(), 2);

        // ModemManager refusing leaves the card as it was.
        service.refuse = true;
        inhibitor.holdPorts({"/dev/ttyUSB0"});
        QTRY_COMPARE(service.calls.size(), 3);
        QTest::qWait(200);
        QVERIFY(!inhibitor.inhibiting());
    }

    // Where ModemManager doesn't run, nothing is asked and nothing fails.
    void withoutModemManager() {
        card("ttyUSB0");
        ModemManagerInhibitor inhibitor(QDBusConnection::sessionBus());
        QSignalSpy changed(&inhibitor, &ModemManagerInhibitor::inhibitingChanged);
        inhibitor.holdPorts({"/dev/ttyUSB0"});
        QVERIFY(!changed.wait(500));
        QVERIFY(!inhibitor.inhibiting());
    }
};

QTEST_GUILESS_MAIN(TestModemManager)
#include "test_modemmanager.moc"
