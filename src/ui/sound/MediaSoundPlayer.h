#pragma once

#include "ui/sound/SoundPlayer.h"

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace domora {

// The player on Qt Multimedia's objects, made with it. QtSoundPlayer makes one on its first
// open(), since making these objects loads and starts the sound system.
class MediaSoundPlayer final : public SoundPlayer {
public:
    MediaSoundPlayer();
    ~MediaSoundPlayer() override;
    MediaSoundPlayer(const MediaSoundPlayer&) = delete;
    MediaSoundPlayer& operator=(const MediaSoundPlayer&) = delete;

    bool open(const QString& path) override;
    qint64 lengthMs() const override;
    void play() override;
    void playLoop() override;
    void stop() override;
    bool isPlaying() const override;

private:
    void start(int loops);

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    bool open_ = false;
};

} // namespace domora
