// The host's beep: a short tone made once and played through the mixer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/beep.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <numbers>

namespace plat {

void Beeper::Play() {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&freq, &format, &channels) || format != AUDIO_S16SYS) return;
    if (!chunk_) {
        // A tenth of a second of 880 Hz, faded out so it does not click.
        const int frames = freq / 10;
        auto* samples = static_cast<Sint16*>(SDL_malloc(sizeof(Sint16) * frames * channels));
        if (!samples) return;
        for (int i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / freq;
            const double env = 1.0 - static_cast<double>(i) / frames;
            const auto v = static_cast<Sint16>(6000.0 * env * std::sin(2 * std::numbers::pi * 880.0 * t));
            for (int c = 0; c < channels; ++c) samples[i * channels + c] = v;
        }
        chunk_ = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples),
                                   static_cast<Uint32>(sizeof(Sint16) * frames * channels));
        if (!chunk_) {
            SDL_free(samples);
            return;
        }
        samples_ = samples;
    }
    Mix_PlayChannel(-1, chunk_, 0);
}

void Beeper::Free() {
    if (chunk_) Mix_FreeChunk(chunk_);
    SDL_free(samples_);
    chunk_ = nullptr;
    samples_ = nullptr;
}

}  // namespace plat
