#include "graphics/Sound.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

bool g_soundOn = false;

std::string SoundFolder() { return ProgramDirectory() + "sound/"; }

bool PlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name != "." && name != "..";
}

}  // namespace

void SetSoundOn(bool on) { g_soundOn = on; }
bool SoundOn() { return g_soundOn; }

// Only names of files inside the folder can match, so a name from the server
// cannot reach outside it. The folder listing goes through the standard
// library's non-throwing overloads.
std::string FindSoundFile(const std::string& fileName) {
    if (!PlainName(fileName)) return {};
    const std::string folder = SoundFolder();
    if (platform::FileExists(folder + fileName)) return folder + fileName;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (SameTextAscii(name, fileName) && platform::FileExists(folder + name))
            return folder + name;
    }
    return {};
}

void PlaySound(const std::string& fileName) {
    if (!g_soundOn || platform::Audio().Playing()) return;
    const std::string path = FindSoundFile(fileName);
    if (!path.empty()) platform::Audio().PlayWave(path);  // a failure stays silent
}

void StopSounds() { platform::Audio().StopAll(); }
