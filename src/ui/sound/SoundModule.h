#pragma once

#include "ui/sound/SoundPlayer.h"

#include <QtPlugin>

#include <memory>

namespace domora {

// The sound module: the players on Qt Multimedia, in a library of their own ("domora_sound")
// that QtSoundPlayer loads with the first sound it opens, so that a run that plays nothing
// neither loads Qt Multimedia nor starts the sound system.
class SoundModule {
public:
    virtual ~SoundModule() = default;
    virtual std::unique_ptr<SoundPlayer> makePlayer() = 0;
};

} // namespace domora

#define DOMORA_SOUND_MODULE_IID "domora.SoundModule/1"
Q_DECLARE_INTERFACE(domora::SoundModule, DOMORA_SOUND_MODULE_IID)
