// The SDL backend's wave playback.
//
// The audio device is opened on the first PlayWave (SDL's audio subsystem is
// started then too), in whatever format the device prefers; each wave is
// loaded whole, converted to that format and queued. A wave queued while
// another plays replaces it (the sound layer above drops new sounds while
// one plays, so this only happens when a caller wants it). Playing() is true
// while queued samples remain. The device stays open until the facet is
// freed; its thread is SDL's and never wakes the main thread.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform::sdl {

// A whole wave file converted to the given device format; false when the
// file cannot be read or converted.
bool LoadWaveAs(const std::string& path, const SDL_AudioSpec& device, std::vector<uint8_t>& samples);

class TAudio : public IAudio {
public:
    TAudio() = default;
    ~TAudio() override;
    TAudio(const TAudio&) = delete;
    TAudio& operator=(const TAudio&) = delete;

    bool PlayWave(const std::string& path) override;
    bool Playing() const override;
    void StopAll() override;

private:
    bool OpenDevice();

    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    bool m_startedAudio = false;  // this facet started SDL's audio subsystem
    bool m_openFailed = false;    // do not try again on every sound
};

}  // namespace platform::sdl
