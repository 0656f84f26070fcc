// The game's sound effects, synthesised: 16-bit mono PCM at 22050 Hz.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace art {

inline constexpr int kSampleRate = 22050;

enum class Sound { Victory, PickUp, Drop, Turn, Sad, Boing };

struct SoundFile {
    Sound sound;
    const char* file;  // name in the data directory
};

inline constexpr SoundFile kSoundFiles[] = {
    {Sound::Victory, "tessa32d.dat"}, {Sound::PickUp, "tessa32e.dat"}, {Sound::Drop, "tessa32f.dat"},
    {Sound::Turn, "tessa32g.dat"},    {Sound::Sad, "tessa32h.dat"},    {Sound::Boing, "tessa32i.dat"},
};

std::vector<std::int16_t> Synthesise(Sound s);
// A complete RIFF/WAVE file around the samples.
std::string EncodeWav(const std::vector<std::int16_t>& samples);

}  // namespace art
