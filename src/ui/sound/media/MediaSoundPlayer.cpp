#include "ui/sound/media/MediaSoundPlayer.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace domora {

MediaSoundPlayer::MediaSoundPlayer()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
}

MediaSoundPlayer::~MediaSoundPlayer() {
    player_->stop();
}

bool MediaSoundPlayer::open(const QString& path) {
    player_->stop();
    player_->setSource(QUrl());
    open_ = false;
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        return false;
    }

    // The media loads asynchronously; its length is known once it has loaded. Wait for
    // that, or for a failure, or for the time limit. User input stays queued meanwhile, so
    // no click can reach a window in the middle of this call. A failure is taken from the
    // signals of this load only: right after a new source is set, the player may still
    // report the status and error of the file before.
    QEventLoop loop;
    bool failed = false;
    const auto done = [this, &failed] { return failed || player_->duration() > 0; };
    const QMetaObject::Connection links[] = {
        QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop,
                         [&loop, &failed, &done](QMediaPlayer::MediaStatus status) {
                             failed = failed || status == QMediaPlayer::InvalidMedia;
                             if (done()) {
                                 loop.quit();
                             }
                         }),
        QObject::connect(player_.get(), &QMediaPlayer::durationChanged, &loop,
                         [&loop, &done] {
                             if (done()) {
                                 loop.quit();
                             }
                         }),
        QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, &loop,
                         [&loop, &failed] {
                             failed = true;
                             loop.quit();
                         }),
    };
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);

    player_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    if (!done()) {
        limit.start(QtSoundPlayer::OpenTimeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    for (const QMetaObject::Connection& link : links) {
        QObject::disconnect(link);
    }

    open_ = !failed && player_->duration() > 0;
    if (!open_) {
        // A fresh player, so that nothing of the failure lingers into the next file.
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    }
    return open_;
}

qint64 MediaSoundPlayer::lengthMs() const {
    return open_ ? player_->duration() : 0;
}

void MediaSoundPlayer::play() {
    start(1);
}

void MediaSoundPlayer::playLoop() {
    start(QMediaPlayer::Infinite);
}

void MediaSoundPlayer::start(int loops) {
    if (!open_) {
        return;
    }
    player_->stop();
    player_->setLoops(loops);
    player_->setPosition(0);
    player_->play();
}

void MediaSoundPlayer::stop() {
    player_->stop();
}

bool MediaSoundPlayer::isPlaying() const {
    return player_->playbackState() == QMediaPlayer::PlayingState;
}

} // namespace domora
