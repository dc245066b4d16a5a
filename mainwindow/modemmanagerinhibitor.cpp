#include "mainwindow/modemmanagerinhibitor.h"

#include "app/systempaths.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace {

const QString Service = QStringLiteral("org.freedesktop.ModemManager1");
const QString Path = QStringLiteral("/org/freedesktop/ModemManager1");

} // namespace

ModemManagerInhibitor::ModemManagerInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

QString ModemManagerInhibitor::deviceOf(const QString& port) {
    const QString device = QFileInfo(port).canonicalFilePath();
    const QString name = QFileInfo(device.isEmpty() ? port : device).fileName();
    // /sys/class/tty/ttyUSB0/device is the USB interface; its device is the
    // first folder above it that names a vendor.
    QString sysfs = QFileInfo(SystemPaths::sysClassTty() + name + "/device").canonicalFilePath();
    const QString top = SystemPaths::at("/sys/devices");
    while (sysfs.startsWith(top + '/')) {
        if (QFileInfo::exists(sysfs + "/idVendor"))
            return sysfs.mid(SystemPaths::root().size());
        sysfs = QFileInfo(sysfs).path();
    }
    return QString();
}

void ModemManagerInhibitor::holdPorts(const QStringList& ports) {
    if (ports == ports_)
        return;
    ports_ = ports;
    QString device;
    for (const QString& port : ports) {
        if (device.isEmpty())
            device = deviceOf(port);
    }
    if (device == held_)
        return;
    if (!held_.isEmpty())
        ask(held_, false);
    held_ = device;
    if (!device.isEmpty())
        ask(device, true);
}

// Asked without starting the service: where ModemManager doesn't run there
// is nobody to ask.
void ModemManagerInhibitor::ask(const QString& device, bool inhibit) {
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, "InhibitDevice");
    call << device << inhibit;
    call.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, device, inhibit] {
        watcher->deleteLater();
        const QDBusPendingReply<> reply = *watcher;
        if (reply.isError()) {
            const QDBusError::ErrorType why = reply.error().type();
            if (why != QDBusError::ServiceUnknown && why != QDBusError::Disconnected)
                qWarning() << "ModemManager did not" << (inhibit ? "inhibit" : "release") << device
                           << ":" << reply.error().message();
            if (!inhibit && device == granted_)
                grant(QString()); // it holds nothing of ours any more
            return;
        }
        qDebug() << "ModemManager" << (inhibit ? "leaves alone" : "may use again") << device;
        if (inhibit ? device == held_ : device == granted_)
            grant(inhibit ? device : QString());
    });
}

void ModemManagerInhibitor::grant(const QString& device) {
    if (device == granted_)
        return;
    const bool before = inhibiting();
    granted_ = device;
    if (inhibiting() != before)
        emit inhibitingChanged(inhibiting());
}
