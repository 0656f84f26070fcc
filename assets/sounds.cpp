// The game's sounds, synthesised as short WAV files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <functional>

namespace art {

namespace {

using Buffer = std::vector<double>;
constexpr double kTau = 2 * std::numbers::pi;

Buffer Silence(double seconds) { return Buffer(static_cast<std::size_t>(seconds * kSampleRate), 0.0); }

// Adds a voice from `start` for `dur` seconds; freq and amp are functions of
// the time since the voice began, `harmonics` the relative partial strengths.
void Voice(Buffer& b, double start, double dur, const std::function<double(double)>& freq,
           const std::function<double(double)>& amp, const std::vector<double>& harmonics) {
    double phase = 0;
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    const auto count = static_cast<std::size_t>(dur * kSampleRate);
    for (std::size_t i = 0; i < count && first + i < b.size(); ++i) {
        const double t = double(i) / kSampleRate;
        phase += kTau * freq(t) / kSampleRate;
        double v = 0;
        for (std::size_t h = 0; h < harmonics.size(); ++h) v += harmonics[h] * std::sin(phase * double(h + 1));
        b[first + i] += amp(t) * v;
    }
}

// Attack, hold and release, all in seconds.
std::function<double(double)> Envelope(double attack, double length, double release, double level = 1.0) {
    return [=](double t) {
        if (t < attack) return level * t / attack;
        if (t > length - release) return level * std::max(0.0, (length - t) / release);
        return level;
    };
}

std::function<double(double)> Decay(double attack, double tau, double level = 1.0) {
    return [=](double t) { return level * (t < attack ? t / attack : std::exp(-(t - attack) / tau)); };
}

// Low-passed noise burst from a fixed-seed generator, so the file never changes.
void Noise(Buffer& b, double start, double dur, double tau, double smooth, double level, std::uint32_t seed) {
    double lp = 0;
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    const auto count = static_cast<std::size_t>(dur * kSampleRate);
    for (std::size_t i = 0; i < count && first + i < b.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
        lp += (white - lp) * smooth;
        b[first + i] += level * lp * std::exp(-double(i) / kSampleRate / tau);
    }
}

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

Buffer Victory() {
    Buffer b = Silence(1.25);
    const std::vector<double> brass{1.0, 0.55, 0.35, 0.22, 0.12};
    const int arpeggio[] = {3, 7, 10, 15};  // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) {
        const double f = Note(arpeggio[i]);
        Voice(b, 0.11 * i, 0.13, [f](double) { return f; }, Envelope(0.008, 0.13, 0.04, 0.5), brass);
    }
    for (int n : {3, 7, 10, 15}) {
        const double f = Note(n);
        Voice(b, 0.46, 0.79, [f](double t) { return f * (1 + 0.006 * std::sin(kTau * 5.5 * t) * std::min(1.0, t * 4)); },
              [](double t) { return 0.32 * std::min(1.0, t / 0.02) * std::exp(-t / 0.55) * std::min(1.0, (0.79 - t) / 0.12); },
              brass);
    }
    return b;
}

Buffer PickUp() {
    Buffer b = Silence(0.1);
    Voice(b, 0, 0.1, [](double t) { return 440 * std::pow(3.0, t / 0.09); }, Decay(0.004, 0.035), {1.0, 0.3});
    return b;
}

Buffer Drop() {
    Buffer b = Silence(0.16);
    Voice(b, 0, 0.16, [](double t) { return 60 + 120 * std::exp(-t / 0.03); }, Decay(0.002, 0.045), {1.0, 0.2});
    Noise(b, 0, 0.05, 0.008, 0.25, 0.6, 7u);
    return b;
}

Buffer Turn() {
    Buffer b = Silence(0.05);
    Voice(b, 0, 0.05, [](double) { return 2100.0; }, Decay(0.001, 0.008, 0.7), {1.0, 0.0, 0.3});
    Noise(b, 0, 0.02, 0.003, 0.6, 0.5, 3u);
    return b;
}

Buffer Sad() {
    Buffer b = Silence(0.85);
    const std::vector<double> horn{1.0, 0.45, 0.25, 0.1};
    const int notes[] = {-2, -3, -4};  // G4 F#4 F4, then the long one bends down
    for (int i = 0; i < 3; ++i) {
        const double f = Note(notes[i]);
        Voice(b, 0.2 * i, 0.18, [f](double) { return f; }, Envelope(0.02, 0.18, 0.05, 0.6), horn);
    }
    const double last = Note(-5);
    Voice(b, 0.6 - 0.002, 0.25,
          [last](double t) { return last * (1 - 0.05 * t / 0.25) * (1 + 0.02 * std::sin(kTau * 7 * t)); },
          Envelope(0.02, 0.25, 0.1, 0.6), horn);
    return b;
}

Buffer Boing() {
    Buffer b = Silence(0.45);
    Voice(b, 0, 0.45,
          [](double t) { return 200 + 60 * t / 0.45 + 130 * std::sin(kTau * 11 * t) * std::exp(-t / 0.12); },
          Decay(0.004, 0.15), {1.0, 0.0, 0.25});
    return b;
}

}  // namespace

std::vector<std::int16_t> Synthesise(Sound s) {
    Buffer b;
    switch (s) {
        case Sound::Victory: b = Victory(); break;
        case Sound::PickUp: b = PickUp(); break;
        case Sound::Drop: b = Drop(); break;
        case Sound::Turn: b = Turn(); break;
        case Sound::Sad: b = Sad(); break;
        case Sound::Boing: b = Boing(); break;
    }
    // Short fades at both ends so no sound starts or stops with a click.
    const std::size_t fadeIn = kSampleRate / 1000, fadeOut = kSampleRate / 200;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double g = 1;
        if (i < fadeIn) g = double(i) / fadeIn;
        if (b.size() - i <= fadeOut) g = std::min(g, double(b.size() - 1 - i) / fadeOut);
        b[i] *= g;
    }
    double peak = 0;
    for (double v : b) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.7 * 32767 / peak : 0;
    std::vector<std::int16_t> out(b.size());
    std::transform(b.begin(), b.end(), out.begin(),
                   [gain](double v) { return static_cast<std::int16_t>(std::lround(v * gain)); });
    return out;
}

std::string EncodeWav(const std::vector<std::int16_t>& samples) {
    std::string out;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](std::uint16_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>(v >> 8));
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out += "RIFF";
    u32(36 + dataBytes);
    out += "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kSampleRate);
    u32(kSampleRate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(dataBytes);
    for (std::int16_t s : samples) u16(static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace art
