// The skin's sounds, synthesised from skin/sounds.txt into 16-bit mono PCM
// wave files at 22050 Hz.
//
// Each section is a file name; each bare line in it is one voice, mixed into
// the sound:
//
//   tone  wave=sine|triangle|square|saw  at=MS len=MS freq=HZ [to=HZ]
//         [vol=0..1] [attack=MS] [release=MS] [decay=MS]
//   noise at=MS len=MS cutoff=HZ [to=HZ] [vol=..] [attack=..] [release=..] [decay=..]
//
// "to" sweeps the pitch (or the noise's low-pass cut-off) exponentially
// from the first value to the second over the voice's length; attack and
// release are linear fades; decay is the time constant of an exponential
// fall. The noise comes from a fixed-seed generator, so every build writes
// the same bytes. The sum is soft-limited, never clipped hard.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SourceFile.h"

namespace skin {

constexpr int kSampleRate = 22050;

struct TVoice {
    enum class TKind { Tone, Noise } kind = TKind::Tone;
    enum class TWave { Sine, Triangle, Square, Saw } wave = TWave::Sine;
    double at = 0, length = 0;   // ms
    double from = 0, to = 0;     // Hz (pitch or cut-off)
    double volume = 0.3;
    double attack = 2, release = 10, decay = 0;  // ms; decay 0 = none
};

// Parses one voice line; false with a message on an unknown word or value.
bool ParseVoice(const std::vector<std::string>& words, TVoice& voice, std::string& error);
// Mixes the voices into 16-bit samples.
std::vector<int16_t> Synthesise(const std::vector<TVoice>& voices);
// A RIFF wave file of mono 16-bit samples at kSampleRate.
std::vector<uint8_t> WaveFile(const std::vector<int16_t>& samples);

// Every sound of a source file: (file name, wave file bytes).
struct TSound {
    std::string name;
    std::vector<uint8_t> wave;
};
bool MakeSounds(const TSourceFile& source, std::vector<TSound>& sounds, std::string& error);

}  // namespace skin
