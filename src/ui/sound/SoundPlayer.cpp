#include "ui/sound/SoundPlayer.h"

#include "ui/sound/MediaSoundPlayer.h"

#include <QFileInfo>

namespace domora {

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::open(const QString& path) {
    if (!media_) {
        if (!QFileInfo(path).isFile()) {
            return false; // nothing to start the sound system for
        }
        media_ = std::make_unique<MediaSoundPlayer>();
    }
    return media_->open(path);
}

qint64 QtSoundPlayer::lengthMs() const {
    return media_ ? media_->lengthMs() : 0;
}

void QtSoundPlayer::play() {
    if (media_) {
        media_->play();
    }
}

void QtSoundPlayer::playLoop() {
    if (media_) {
        media_->playLoop();
    }
}

void QtSoundPlayer::stop() {
    if (media_) {
        media_->stop();
    }
}

bool QtSoundPlayer::isPlaying() const {
    return media_ && media_->isPlaying();
}

} // namespace domora
