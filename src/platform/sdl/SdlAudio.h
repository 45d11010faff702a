// The SDL backend's wave playback.
//
// The audio device is opened on the first PlayWave (SDL's audio subsystem is
// started then too), in whatever format the device prefers; each wave is
// loaded whole, converted to that format and queued. A wave queued while
// another plays replaces it (the sound layer above drops new sounds while
// one plays, so this only happens when a caller wants it). Playing() is true
// while queued samples remain.
//
// An open device costs SDL's audio threads (mixing, device hot-plug polling)
// even when silent, so the device is closed and SDL's audio subsystem ended
// once no sound has played for kIdleCloseMs: a check on the loop's periodic
// source, which runs only while the device is open. Without a loop the
// device stays open until the facet is freed.
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
    static constexpr int kIdleCloseMs = 5000;

    explicit TAudio(IEventLoop* loop = nullptr) : m_loop(loop) {}
    ~TAudio() override;
    TAudio(const TAudio&) = delete;
    TAudio& operator=(const TAudio&) = delete;

    bool PlayWave(const std::string& path) override;
    bool Playing() const override;
    void StopAll() override;

    bool DeviceOpen() const { return m_device != 0; }

private:
    bool OpenDevice();
    void CloseDevice();
    void CheckIdle();

    IEventLoop* m_loop;
    int m_idleCheck = 0;     // the periodic source while the device is open
    int64_t m_lastUse = 0;   // loop counter at the last sound

    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    bool m_startedAudio = false;  // this facet started SDL's audio subsystem
    bool m_openFailed = false;    // do not try again on every sound
};

}  // namespace platform::sdl
