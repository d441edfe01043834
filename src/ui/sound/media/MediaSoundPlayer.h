#pragma once

#include "ui/sound/SoundModule.h"

#include <QObject>

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace domora {

// The player on Qt Multimedia's objects, made with it.
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

// The module's entry, as QPluginLoader finds it.
class MediaSoundModule final : public QObject, public SoundModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DOMORA_SOUND_MODULE_IID)
    Q_INTERFACES(domora::SoundModule)
public:
    std::unique_ptr<SoundPlayer> makePlayer() override { return std::make_unique<MediaSoundPlayer>(); }
};

} // namespace domora
