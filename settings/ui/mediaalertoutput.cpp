#include "settings/ui/mediaalertoutput.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

MediaAlertOutput::MediaAlertOutput(QObject* parent) : AlertOutput(parent) {}

void MediaAlertOutput::play(const QString& path) {
    if (!player_) {
        player_ = new QMediaPlayer(this);
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
        connect(player_, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString& reason) {
                    emit failed(player_->source().toLocalFile(), reason);
                });
        connect(player_, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::InvalidMedia)
                        emit failed(player_->source().toLocalFile(),
                                    QStringLiteral("not a sound the system can decode"));
                });
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}
