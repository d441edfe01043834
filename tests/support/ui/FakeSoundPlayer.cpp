#include "testing/ui/FakeSoundPlayer.h"

#include <QFileInfo>

namespace domora {

bool FakeSoundPlayer::open(const QString& path) {
    calls.append(QStringLiteral("open ") + path);
    playing_ = false;
    open_ = playable.contains(path) || (acceptExisting && QFileInfo(path).isFile());
    file_ = open_ ? path : QString();
    return open_;
}

void FakeSoundPlayer::play() {
    calls.append(QStringLiteral("play"));
    playing_ = open_;
    looping_ = false;
}

void FakeSoundPlayer::playLoop() {
    calls.append(QStringLiteral("loop"));
    playing_ = open_;
    looping_ = true;
}

void FakeSoundPlayer::stop() {
    calls.append(QStringLiteral("stop"));
    playing_ = false;
}

} // namespace domora
