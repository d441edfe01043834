#pragma once

#include "ui/sound/SoundPlayer.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace domora {

// A player for tests: plays nothing and records every call in one ordered log
// ("open /a/b.wav", "play", "loop", "stop"). open() succeeds for the files set as playable
// (or for every existing file when `acceptExisting` is set), with the length set for them.
class FakeSoundPlayer : public SoundPlayer {
public:
    bool open(const QString& path) override;
    qint64 lengthMs() const override { return open_ ? length : 0; }
    void play() override;
    void playLoop() override;
    void stop() override;
    bool isPlaying() const override { return playing_; }

    // Whether the last play was playLoop().
    bool looping() const { return looping_; }
    const QString& openFile() const { return file_; }

    QStringList calls;
    QSet<QString> playable;
    bool acceptExisting = false;
    qint64 length = 1500;

private:
    QString file_;
    bool open_ = false;
    bool playing_ = false;
    bool looping_ = false;
};

} // namespace domora
