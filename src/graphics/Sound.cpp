#include "graphics/Sound.h"

#include "graphics/LooseFile.h"
#include "platform/Platform.h"
#include "resources/Paths.h"

namespace {

bool g_soundOn = false;

std::string SoundFolder() { return ProgramDirectory() + "sound/"; }

}  // namespace

void SetSoundOn(bool on) { g_soundOn = on; }
bool SoundOn() { return g_soundOn; }

std::string FindSoundFile(const std::string& fileName) { return FindLooseFile(SoundFolder(), fileName); }

void PlaySound(const std::string& fileName) {
    if (!g_soundOn || platform::Audio().Playing()) return;
    const std::string path = FindSoundFile(fileName);
    if (!path.empty()) platform::Audio().PlayWave(path);  // a failure stays silent
}

void StopSounds() { platform::Audio().StopAll(); }
