#include "settings/alertplayer.h"

#include "settings/desktopnotifier.h"
#include "settings/settingsfiles.h"

#include <QFileInfo>
#include <QtDebug>

AlertPlayer::AlertPlayer(AlertOutput* output, DesktopNotifier* notifier, QObject* parent)
    : QObject(parent), output_(output), notifier_(notifier) {
    connect(output_, &AlertOutput::failed, this, &AlertPlayer::report);
}

void AlertPlayer::connected() {
    connected_ = true;
    const AlertSettings alerts = readAlertSettings();
    play(alerts.connectMute != 0, alerts.conAlert);
    notify(alerts, tr("Connected"), tr("The internet connection is up."));
}

void AlertPlayer::disconnected() {
    if (!connected_)
        return;
    connected_ = false;
    const AlertSettings alerts = readAlertSettings();
    play(alerts.disconnectMute != 0, alerts.disconAlert);
    notify(alerts, tr("Disconnected"), tr("The internet connection has ended."));
}

void AlertPlayer::messageArrived() {
    const AlertSettings alerts = readAlertSettings();
    play(alerts.smsMute != 0, alerts.smsAlert);
}

void AlertPlayer::messageStored(const QString& from, const QString& text) {
    // The start of a long text; the message page has it whole.
    constexpr int kShownCharacters = 160;
    notify(readAlertSettings(),
           from.isEmpty() ? tr("New message") : tr("New message from %1").arg(from),
           text.size() > kShownCharacters ? text.left(kShownCharacters - 1) + QChar(0x2026) : text);
}

void AlertPlayer::usageWarning(int percent) {
    notify(readAlertSettings(), tr("Data limit"),
           tr("%1 % of this month's data limit is used.").arg(percent));
}

void AlertPlayer::limitReached(bool disconnecting) {
    notify(readAlertSettings(), tr("Data limit reached"),
           disconnecting ? tr("This month's data limit is used up: the connection was ended.")
                         : tr("This month's data limit is used up."));
}

void AlertPlayer::notify(const AlertSettings& alerts, const QString& summary, const QString& body) {
    if (notifier_ && alerts.desktopNotices != 0)
        notifier_->notify(summary, body);
}

void AlertPlayer::play(bool enabled, const QString& path) {
    if (!enabled || path.trimmed().isEmpty())
        return;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        report(file.absoluteFilePath(), QStringLiteral("no readable file"));
        return;
    }
    output_->play(file.absoluteFilePath());
}

void AlertPlayer::report(const QString& path, const QString& reason) {
    if (reported_.contains(path))
        return;
    reported_.insert(path);
    qWarning() << "alert sound" << path << "can't be played:" << reason;
}
