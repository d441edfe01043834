#include "ui/sound/SoundPlayer.h"

#include "ui/sound/SoundModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace domora {

namespace {

// The sound module, loaded once; nothing when it cannot be loaded (the program then plays
// no sound, as without a sound device).
SoundModule* soundModule() {
    static SoundModule* const module = [] {
        // Beside the program (the build tree, a portable copy), else where it is installed.
        QCoreApplication::addLibraryPath(QDir(QCoreApplication::applicationDirPath())
                                             .absoluteFilePath(QStringLiteral(DOMORA_SOUND_MODULE_DIR)));
        QPluginLoader loader(QStringLiteral("domora_sound"));
        SoundModule* found = qobject_cast<SoundModule*>(loader.instance());
        if (found == nullptr) {
            qWarning("No sound: %s", qPrintable(loader.errorString()));
        }
        return found;
    }();
    return module;
}

} // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::open(const QString& path) {
    if (!media_) {
        if (!QFileInfo(path).isFile()) {
            return false; // nothing to start the sound system for
        }
        SoundModule* module = soundModule();
        if (module == nullptr) {
            return false;
        }
        media_ = module->makePlayer();
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
