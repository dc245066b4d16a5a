#pragma once

// Cards of other makers that still show their disc (a CD-ROM with the
// maker's software) instead of their modem ports. usb-modeswitch's udev
// rules switch them when they are plugged in; one that stays in its disc
// mode is switched through the privileged helper, which runs usb_modeswitch
// with the data package's config for that device.

#include "modem/usbmodems.h"

#include <QProcess>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

// The devices usb-modeswitch-data switches, as "vvvv:pppp" (or "vvvv:*" for
// all of a vendor's devices in disc mode), read from its udev rules; empty
// when the package is not installed.
QSet<QString> modeswitchDevices(const QString& rulesPath);

// The first device that shows nothing but storage (no serial port, no
// network interface) and that usb-modeswitch switches (`known`), or that is
// a modem maker's CD-ROM when the data package is missing (`known` empty).
std::optional<UsbDeviceInfo> discModeCard(const QList<UsbDeviceInfo>& devices,
                                          const QSet<QString>& known);

class DiscModeSwitch {
public:
    // What the user is told of a card in its disc mode among `devices`
    // (nothing when there is none). A card that usb-modeswitch knows and
    // that still shows its disc at the second scan that sees it (udev had
    // its time) is switched through the helper, once each time it is
    // plugged in. When the helper ends without switching it (the user
    // refused the authorisation, or usb_modeswitch failed), later scans say
    // so until it is plugged in again.
    std::optional<NetworkOnlyModem> check(const QList<UsbDeviceInfo>& devices);

private:
    QSet<QString> seen_;      // cards in disc mode at the last scan (sysName#plug)
    QSet<QString> requested_; // cards a switch was asked for
    QSet<QString> refused_;   // cards the helper did not switch
    std::unique_ptr<QProcess> helper_;
};
