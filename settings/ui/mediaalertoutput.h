#pragma once

#include "settings/alertplayer.h"

class QAudioOutput;
class QMediaPlayer;

// Plays alert sounds through Qt Multimedia: WAV, and whatever else the
// system's codecs decode. The player is made at the first sound, so a
// program that never sounds an alert never opens the sound system. A new
// sound cuts off the one playing.
class MediaAlertOutput : public AlertOutput {
    Q_OBJECT
public:
    explicit MediaAlertOutput(QObject* parent = nullptr);

    void play(const QString& path) override;

private:
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
};
