#include "modem/discmode.h"

#include "app/systempaths.h"
#include "modem/modemlog.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int StorageClass = 0x08;
constexpr int CdRom = 5; // SCSI peripheral type

// USB vendors whose data cards carry a disc: Huawei, ZTE, TCL (Alcatel),
// Novatel, Sierra Wireless, Option, Quectel, Longcheer, SIMCom, Qualcomm,
// D-Link, TP-Link.
constexpr quint16 ModemMakers[] = {0x12d1, 0x19d2, 0x1bbb, 0x1410, 0x1199, 0x0af0,
                                   0x2c7c, 0x1c9e, 0x1e0e, 0x05c6, 0x2001, 0x2357};

QString idText(const UsbDeviceInfo& device) {
    return QString::asprintf("%04x:%04x", device.id.vendor, device.id.product);
}

bool showsOnlyStorage(const UsbDeviceInfo& device) {
    return !device.interfaces.isEmpty() &&
           std::all_of(device.interfaces.begin(), device.interfaces.end(),
                       [](const UsbInterface& i) {
                           return i.interfaceClass == StorageClass && i.ttys.isEmpty() &&
                                  i.networks.isEmpty();
                       });
}

bool hasCdRom(const UsbDeviceInfo& device) {
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [](const UsbInterface& i) { return i.scsiTypes.contains(CdRom); });
}

} // namespace

QSet<QString> modeswitchDevices(const QString& rulesPath) {
    QFile rules(rulesPath);
    QSet<QString> devices;
    if (!rules.open(QIODevice::ReadOnly | QIODevice::Text))
        return devices;
    // A rule names a vendor and product, or a vendor alone (all its devices
    // in disc mode: "vvvv:*").
    const QRegularExpression vendor(QStringLiteral(R"re(ATTRS?\{idVendor\}=="([0-9a-f]{4})")re"));
    const QRegularExpression product(QStringLiteral(R"re(ATTRS?\{idProduct\}=="([0-9a-f]{4})")re"));
    while (!rules.atEnd()) {
        const QString line = QString::fromUtf8(rules.readLine(4096));
        if (!line.contains(u"usb_modeswitch '"))
            continue;
        const QRegularExpressionMatch v = vendor.match(line);
        const QRegularExpressionMatch p = product.match(line);
        if (v.hasMatch())
            devices.insert(v.captured(1) + ':' +
                           (p.hasMatch() ? p.captured(1) : QStringLiteral("*")));
    }
    return devices;
}

std::optional<UsbDeviceInfo> discModeCard(const QList<UsbDeviceInfo>& devices,
                                          const QSet<QString>& known) {
    for (const UsbDeviceInfo& device : devices) {
        if (!showsOnlyStorage(device))
            continue;
        if (known.isEmpty()
                ? hasCdRom(device) &&
                      std::ranges::find(ModemMakers, device.id.vendor) != std::end(ModemMakers)
                : known.contains(idText(device)) || known.contains(idText(device).left(5) + '*'))
            return device;
    }
    return std::nullopt;
}

std::optional<NetworkOnlyModem> DiscModeSwitch::check(const QList<UsbDeviceInfo>& devices) {
    const QSet<QString> known = modeswitchDevices(SystemPaths::usbModeswitchRules());
    const std::optional<UsbDeviceInfo> card = discModeCard(devices, known);
    const QSet<QString> seenBefore = std::exchange(seen_, {});
    if (!card)
        return std::nullopt;
    if (known.isEmpty() || !QFileInfo(SystemPaths::usbModeswitchProgram()).isExecutable())
        return NetworkOnlyModem{card->displayName(), NetworkOnlyModem::Kind::DiscModeNoSwitch};
    const QString key = card->sysName + '#' + QString::number(card->number);
    seen_.insert(key);
    const bool helperIdle = !helper_ || helper_->state() == QProcess::NotRunning;
    if (seenBefore.contains(key) && !requested_.contains(key) && helperIdle) {
        requested_.insert(key);
        const QStringList command = SystemPaths::helperCommand({"modeswitch", idText(*card)});
        qCInfo(lcModem, "%s is in its disc mode: switching it", qPrintable(card->displayName()));
        // The helper's end tells whether the stick was switched; the process
        // lives as long as this object, so the handlers never outlive it.
        helper_ = std::make_unique<QProcess>();
        const auto refused = [this, key, program = command.first()] {
            qCWarning(lcModem, "%s did not switch the card: %s", qPrintable(program),
                      qPrintable(helper_->errorString()));
            refused_.insert(key);
        };
        QObject::connect(helper_.get(), &QProcess::finished, helper_.get(),
                         [refused](int code, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || code != 0)
                                 refused();
                         });
        QObject::connect(helper_.get(), &QProcess::errorOccurred, helper_.get(),
                         [refused](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart)
                                 refused();
                         });
        helper_->start(command.first(), command.mid(1));
    }
    return NetworkOnlyModem{card->displayName(), refused_.contains(key)
                                                     ? NetworkOnlyModem::Kind::DiscModeRefused
                                                     : NetworkOnlyModem::Kind::DiscMode};
}
