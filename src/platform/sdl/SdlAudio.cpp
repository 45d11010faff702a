#include "platform/sdl/SdlAudio.h"

#include <cstring>

namespace platform::sdl {
namespace {

// A common rate and a buffer of about 46 ms at it: short enough that a
// sound starts promptly, long enough not to stutter.
constexpr int kRate = 44100;
constexpr Uint16 kBufferSamples = 2048;
// Waves beyond this are not sound effects; refuse rather than allocate.
constexpr Uint32 kMaxWaveBytes = 64u * 1024u * 1024u;

}  // namespace

bool LoadWaveAs(const std::string& path, const SDL_AudioSpec& device, std::vector<uint8_t>& samples) {
    SDL_AudioSpec wave{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &wave, &buffer, &length)) return false;
    SDL_AudioCVT cvt{};
    int built = SDL_BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, device.format,
                                  device.channels, device.freq);
    bool ok = built >= 0 && length <= kMaxWaveBytes && cvt.len_mult > 0 &&
              static_cast<uint64_t>(length) * cvt.len_mult <= kMaxWaveBytes * 8ull;
    if (ok) {
        samples.assign(static_cast<size_t>(length) * cvt.len_mult, 0);
        std::memcpy(samples.data(), buffer, length);
        cvt.buf = samples.data();
        cvt.len = static_cast<int>(length);
        ok = built == 0 || SDL_ConvertAudio(&cvt) == 0;
        if (ok) samples.resize(static_cast<size_t>(built == 0 ? length : cvt.len_cvt));
    }
    SDL_FreeWAV(buffer);
    return ok;
}

TAudio::~TAudio() { CloseDevice(); }

void TAudio::CloseDevice() {
    if (m_idleCheck != 0 && m_loop) m_loop->StopPeriodic(m_idleCheck);
    m_idleCheck = 0;
    if (m_device) SDL_CloseAudioDevice(m_device);
    m_device = 0;
    if (m_startedAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_startedAudio = false;
}

void TAudio::CheckIdle() {
    if (Playing()) {
        m_lastUse = m_loop->Counter();
        return;
    }
    int64_t idleCounts = static_cast<int64_t>(kIdleCloseMs) * m_loop->Frequency() / 1000;
    if (m_loop->Counter() - m_lastUse >= idleCounts) CloseDevice();
}

bool TAudio::OpenDevice() {
    if (m_device) return true;
    if (m_openFailed) return false;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_openFailed = true;
            return false;
        }
        m_startedAudio = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kBufferSamples;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &m_spec, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (m_device == 0) {
        m_openFailed = true;
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    if (m_loop) m_idleCheck = m_loop->StartPeriodic(kIdleCloseMs, [this] { CheckIdle(); });
    return true;
}

bool TAudio::PlayWave(const std::string& path) {
    if (!OpenDevice()) return false;
    if (m_loop) m_lastUse = m_loop->Counter();
    std::vector<uint8_t> samples;
    if (!LoadWaveAs(path, m_spec, samples) || samples.empty()) return false;
    SDL_ClearQueuedAudio(m_device);
    return SDL_QueueAudio(m_device, samples.data(), static_cast<Uint32>(samples.size())) == 0;
}

bool TAudio::Playing() const { return m_device != 0 && SDL_GetQueuedAudioSize(m_device) > 0; }

void TAudio::StopAll() {
    if (m_device) SDL_ClearQueuedAudio(m_device);
}

}  // namespace platform::sdl
