#include "SoundMaker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resources/LittleEndian.h"

namespace skin {

namespace {

constexpr double kTailMs = 10;        // silence after the last voice
constexpr double kMaxLengthMs = 5000; // a skin sound is a short effect

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value) && value >= 0;
}

bool SetWave(const std::string& name, TVoice& voice) {
    using W = TVoice::TWave;
    if (name == "sine") voice.wave = W::Sine;
    else if (name == "triangle") voice.wave = W::Triangle;
    else if (name == "square") voice.wave = W::Square;
    else if (name == "saw") voice.wave = W::Saw;
    else return false;
    return true;
}

bool SetField(const std::string& key, double v, TVoice& voice) {
    if (key == "at") voice.at = v;
    else if (key == "len") voice.length = v;
    else if (key == "freq" || key == "cutoff") voice.from = voice.to = v;
    else if (key == "to") voice.to = v;
    else if (key == "vol") voice.volume = v;
    else if (key == "attack") voice.attack = v;
    else if (key == "release") voice.release = v;
    else if (key == "decay") voice.decay = v;
    else return false;
    return true;
}

// Deterministic white noise in -1 ... 1.
class TNoise {
public:
    double Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 52) - 1.0;
    }

private:
    uint64_t m_state = 0x5EED5EED5EED5EEDULL;
};

double WaveAt(TVoice::TWave wave, double phase) {  // phase in 0 ... 1
    using W = TVoice::TWave;
    switch (wave) {
        case W::Sine: return std::sin(2 * M_PI * phase);
        case W::Triangle: return 1 - 4 * std::fabs(phase - 0.5);
        case W::Square: return phase < 0.5 ? 0.7 : -0.7;  // squares sound louder
        case W::Saw: return 0.8 * (2 * phase - 1);
    }
    return 0;
}

double Envelope(const TVoice& v, double ms) {
    double e = 1;
    if (v.attack > 0 && ms < v.attack) e *= ms / v.attack;
    if (v.release > 0 && ms > v.length - v.release) e *= std::max(0.0, (v.length - ms) / v.release);
    if (v.decay > 0) e *= std::exp(-ms / v.decay);
    return e;
}

void AddVoice(const TVoice& v, std::vector<double>& mix, TNoise& noise) {
    const size_t first = static_cast<size_t>(v.at * kSampleRate / 1000);
    const size_t count = static_cast<size_t>(v.length * kSampleRate / 1000);
    double phase = 0, low = 0;
    for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double ms = i * 1000.0 / kSampleRate;
        const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0;
        const double hz = v.from * std::pow(v.to / v.from, t);
        double sample;
        if (v.kind == TVoice::TKind::Tone) {
            sample = WaveAt(v.wave, phase);
            phase += hz / kSampleRate;
            phase -= std::floor(phase);
        } else {
            // One-pole low-pass over white noise.
            const double k = 1 - std::exp(-2 * M_PI * hz / kSampleRate);
            low += k * (noise.Next() - low);
            sample = low * 1.6;
        }
        mix[first + i] += v.volume * Envelope(v, ms) * sample;
    }
}

}  // namespace

bool ParseVoice(const std::vector<std::string>& words, TVoice& voice, std::string& error) {
    voice = {};
    if (words.empty() || (words[0] != "tone" && words[0] != "noise")) {
        error = "a voice starts with tone or noise";
        return false;
    }
    voice.kind = words[0] == "tone" ? TVoice::TKind::Tone : TVoice::TKind::Noise;
    for (size_t i = 1; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        const std::string key = words[i].substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : words[i].substr(eq + 1);
        double v = 0;
        const bool ok = key == "wave" ? SetWave(value, voice) : ParseNumber(value, v) && SetField(key, v, voice);
        if (!ok) {
            error = "bad voice setting \"" + words[i] + "\"";
            return false;
        }
    }
    if (voice.length <= 0 || voice.from <= 0 || voice.to <= 0 || voice.at + voice.length > kMaxLengthMs ||
        voice.volume > 1) {
        error = "a voice needs len > 0, a frequency > 0, vol <= 1 and must end within 5 s";
        return false;
    }
    return true;
}

std::vector<int16_t> Synthesise(const std::vector<TVoice>& voices) {
    double end = 0;
    for (const TVoice& v : voices) end = std::max(end, v.at + v.length);
    std::vector<double> mix(static_cast<size_t>((end + kTailMs) * kSampleRate / 1000), 0.0);
    TNoise noise;
    for (const TVoice& v : voices) AddVoice(v, mix, noise);
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<int16_t>(std::lround(std::tanh(mix[i]) * 32000));
    return samples;
}

std::vector<uint8_t> WaveFile(const std::vector<int16_t>& samples) {
    constexpr size_t kHeader = 44;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out(kHeader + dataBytes, 0);
    size_t at = 0;
    const auto put = [&](uint32_t v, int bytes) {
        PutLE(out.data() + at, v, bytes);
        at += static_cast<size_t>(bytes);
    };
    const auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out[at++] = static_cast<uint8_t>(t[i]);
    };
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(kSampleRate, 4);
    put(kSampleRate * 2, 4);  // bytes per second
    put(2, 2);                // bytes per sample frame
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (int16_t sample : samples) put(static_cast<uint16_t>(sample), 2);
    return out;
}

bool MakeSounds(const TSourceFile& source, std::vector<TSound>& sounds, std::string& error) {
    sounds.clear();
    for (const TSourceSection& section : source.Sections()) {
        std::vector<TVoice> voices;
        for (const TSourceLine& line : section.lines) {
            TVoice voice;
            if (!ParseVoice(SplitWords(line.text), voice, error)) {
                error = source.Where(line.number) + error;
                return false;
            }
            voices.push_back(voice);
        }
        if (voices.empty()) {
            error = source.Where(section.number) + "sound " + section.name + " has no voice";
            return false;
        }
        sounds.push_back({section.name, WaveFile(Synthesise(voices))});
    }
    return true;
}

}  // namespace skin
