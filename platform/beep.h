// The host's beep: a short tone made once and played through the mixer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct Mix_Chunk;

namespace plat {

class Beeper {
public:
    // Plays the tone where the mixer is open with 16-bit samples.
    void Play();
    // Frees the tone; call before the mixer closes.
    void Free();

private:
    Mix_Chunk* chunk_ = nullptr;
    short* samples_ = nullptr;  // the chunk does not own them
};

}  // namespace plat
