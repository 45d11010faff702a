#include "graphics/Sound.h"

#include "graphics/GraphicsState.h"
#include "graphics/LooseFile.h"
#include "platform/Platform.h"
#include "resources/Paths.h"

namespace {

std::string SoundFolder() { return ProgramDirectory() + "sound/"; }

}  // namespace

void SetSoundOn(bool on) { GraphicsState().SoundOn = on; }
bool SoundOn() { return GraphicsState().SoundOn; }

std::string FindSoundFile(const std::string& fileName) { return FindLooseFile(SoundFolder(), fileName); }

void PlaySound(const std::string& fileName) {
    if (!SoundOn() || platform::Audio().Playing()) return;
    const std::string path = FindSoundFile(fileName);
    if (!path.empty()) platform::Audio().PlayWave(path);  // a failure stays silent
}

void StopSounds() { platform::Audio().StopAll(); }
