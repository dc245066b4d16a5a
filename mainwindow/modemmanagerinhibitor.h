#pragma once

// ModemManager, the system's modem service, probes and holds any modem it
// recognises. While the program holds a card's ports it asks ModemManager,
// where the service runs, to leave that device alone (its InhibitDevice
// call); ModemManager closes the ports and stays away until it is asked
// again, or until the program leaves the bus. The udev rule does the same
// for the maker's cards at plug-in; this covers the cards it doesn't name
// and the ones plugged in before it was installed.

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class ModemManagerInhibitor : public QObject {
    Q_OBJECT
public:
    explicit ModemManagerInhibitor(const QDBusConnection& bus = QDBusConnection::systemBus(),
                                   QObject* parent = nullptr);

    // The ports the program holds now; empty when it holds none. The USB
    // device they belong to is inhibited, and the one held before released.
    // Nothing is asked when the ports are those of the last call.
    void holdPorts(const QStringList& ports);

    // ModemManager has agreed to leave the held card alone.
    bool inhibiting() const { return !granted_.isEmpty(); }

    // ModemManager's name for the USB device of a serial port (the sysfs
    // path of the device, as its "Device" property gives it); empty when
    // the port is no USB device's.
    static QString deviceOf(const QString& port);

signals:
    void inhibitingChanged(bool inhibiting);

private:
    void ask(const QString& device, bool inhibit);
    void grant(const QString& device);

    QDBusConnection bus_;
    QStringList ports_;
    QString held_;    // the device asked to be left alone
    QString granted_; // the device ModemManager agreed to leave alone
};
