#include "settings/alertplayer.h"

#include "settings/settingsfiles.h"

#include <QFileInfo>
#include <QtDebug>

AlertPlayer::AlertPlayer(AlertOutput* output, QObject* parent) : QObject(parent), output_(output) {
    connect(output_, &AlertOutput::failed, this, &AlertPlayer::report);
}

void AlertPlayer::connected() {
    connected_ = true;
    const AlertSettings alerts = readAlertSettings();
    play(alerts.connectMute != 0, alerts.conAlert);
}

void AlertPlayer::disconnected() {
    if (!connected_)
        return;
    connected_ = false;
    const AlertSettings alerts = readAlertSettings();
    play(alerts.disconnectMute != 0, alerts.disconAlert);
}

void AlertPlayer::messageArrived() {
    const AlertSettings alerts = readAlertSettings();
    play(alerts.smsMute != 0, alerts.smsAlert);
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
