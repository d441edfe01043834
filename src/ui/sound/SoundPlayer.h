#pragma once

#include <QString>

#include <memory>

namespace domora {

// Plays one sound file (WAV or MP3) at a time.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Loads the file and waits until its length is known, so that lengthMs() answers at
    // once. False when the file is missing, cannot be decoded, or no sound output can be
    // made for it; the player then holds no file and plays nothing.
    virtual bool open(const QString& path) = 0;
    // The open file's length in milliseconds; 0 when no file is open.
    virtual qint64 lengthMs() const = 0;
    // Plays the open file once, from its start.
    virtual void play() = 0;
    // Plays the open file from its start over and over until stop().
    virtual void playLoop() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
};

// The player over Qt Multimedia. The first open() of a file that exists loads the sound
// module and makes the media objects, so that the sound system is loaded and connected only
// for a sound that is played. Without a sound device, or without the module, it stays quiet:
// open() or play() fails, nothing hangs.
class QtSoundPlayer : public SoundPlayer {
public:
    // How long open() waits for the file's length at most.
    static constexpr int OpenTimeoutMs = 3000;

    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    bool open(const QString& path) override;
    qint64 lengthMs() const override;
    void play() override;
    void playLoop() override;
    void stop() override;
    bool isPlaying() const override;

private:
    std::unique_ptr<SoundPlayer> media_;
};

} // namespace domora
