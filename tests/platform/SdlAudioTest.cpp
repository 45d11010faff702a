// The SDL backend's wave playback on SDL's dummy audio driver, which plays
// in real time into nothing.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/headless/Headless.h"
#include "platform/sdl/SdlAudio.h"

namespace {

// A mono 8-bit wave of the given samples at 11025 Hz.
void WriteWave(const std::string& path, int samples) {
    auto le32 = [](std::string& s, uint32_t v) {
        for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto le16 = [](std::string& s, uint16_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>(v >> 8);
    };
    std::string f = "RIFF";
    le32(f, 36 + samples);
    f += "WAVEfmt ";
    le32(f, 16);
    le16(f, 1);      // PCM
    le16(f, 1);      // mono
    le32(f, 11025);  // rate
    le32(f, 11025);  // bytes per second
    le16(f, 1);      // block
    le16(f, 8);      // bits
    f += "data";
    le32(f, samples);
    for (int i = 0; i < samples; ++i) f += static_cast<char>(i % 32 < 16 ? 0x60 : 0xA0);
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(f.data(), 1, f.size(), out);
    std::fclose(out);
}

class SdlAudio : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        m_dir = ::testing::TempDir();
    }
    std::string m_dir;
};

}  // namespace

TEST_F(SdlAudio, WaveIsConvertedToTheDeviceFormat) {
    const std::string path = m_dir + "qv_convert.wav";
    WriteWave(path, 1000);
    SDL_AudioSpec device{};
    device.freq = 11025;
    device.format = AUDIO_S16SYS;
    device.channels = 2;
    std::vector<uint8_t> samples;
    ASSERT_TRUE(platform::sdl::LoadWaveAs(path, device, samples));
    EXPECT_EQ(samples.size(), 1000u * 2 * 2);  // same rate: only the sample format changes
    EXPECT_FALSE(platform::sdl::LoadWaveAs(m_dir + "qv_missing.wav", device, samples));
    std::remove(path.c_str());
}

// A two-second wave still plays right after it starts; stopping ends it.
TEST_F(SdlAudio, PlaysAsynchronouslyUntilStopped) {
    const std::string good = m_dir + "qv_long.wav", bad = m_dir + "qv_bad.wav";
    WriteWave(good, 2 * 11025);
    FILE* out = std::fopen(bad.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("RIFF but not a wave", out);
    std::fclose(out);

    platform::sdl::TAudio audio;
    EXPECT_FALSE(audio.Playing());
    EXPECT_FALSE(audio.PlayWave(m_dir + "qv_missing.wav"));
    EXPECT_FALSE(audio.PlayWave(bad));
    EXPECT_FALSE(audio.Playing());
    ASSERT_TRUE(audio.PlayWave(good));
    EXPECT_TRUE(audio.Playing());
    audio.StopAll();
    EXPECT_FALSE(audio.Playing());
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

// The device opens at the first sound and closes, with SDL's audio, once no
// sound has played for a while; a sound still playing keeps it open, and the
// next sound opens it again.
TEST_F(SdlAudio, DeviceClosesAfterAWhileWithoutSound) {
    const std::string wave = m_dir + "qv_short.wav";
    WriteWave(wave, 2 * 11025);
    platform::headless::TLoop loop;
    {
        platform::sdl::TAudio audio(&loop);
        EXPECT_FALSE(audio.DeviceOpen());
        ASSERT_TRUE(audio.PlayWave(wave));
        EXPECT_TRUE(audio.DeviceOpen());
        EXPECT_EQ(loop.PeriodicCount(), 1);

        // Still playing at the first check (virtual time runs ahead of the
        // real device): kept open.
        loop.AdvanceMs(platform::sdl::TAudio::kIdleCloseMs);
        EXPECT_TRUE(audio.DeviceOpen());
        audio.StopAll();
        loop.AdvanceMs(2 * platform::sdl::TAudio::kIdleCloseMs);
        EXPECT_FALSE(audio.DeviceOpen());
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        EXPECT_EQ(loop.PeriodicCount(), 0);

        ASSERT_TRUE(audio.PlayWave(wave));
        EXPECT_TRUE(audio.DeviceOpen());
    }
    EXPECT_EQ(loop.PeriodicCount(), 0);
    std::remove(wave.c_str());
}
