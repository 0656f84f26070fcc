// The sound control, playing WAV files through SDL2_mixer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "base/files.h"
#include "platform/host.h"

namespace plat {
namespace {

// The game's sounds are short effects of a few hundred kilobytes.
constexpr std::size_t kMaxSoundBytes = 512u << 10;

struct Audio {
    bool tried = false;
    bool open = false;
    std::map<std::string, Mix_Chunk*> chunks;
};

Audio& State() {
    static Audio a;
    return a;
}

Mix_Chunk* Chunk(const std::string& path) {
    Audio& a = State();
    if (auto it = a.chunks.find(path); it != a.chunks.end()) return it->second;
    // Regular files of a bounded size only: a FIFO would hang the game.
    std::string bytes;
    bool tooLong = false;
    if (!ReadRegularFile(path, kMaxSoundBytes, bytes, &tooLong) || tooLong) return nullptr;
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    // A missing file is not remembered: it may be written later.
    if (c) a.chunks[path] = c;
    return c;
}

}  // namespace

void SoundControl::SetProperty(int id, int value) {
    if (id != 1 || value != 6 || path_.empty()) return;
    if (Host* host = CurrentHost()) host->PlaySound(path_);
    else PlaySoundFile(path_);
}

void SoundControl::SetProperty(int id, const std::string& value) {
    if (id == 5) path_ = value;
}

void PlaySoundFile(const std::string& path) {
    if (!State().open) return;
    if (Mix_Chunk* c = Chunk(path)) Mix_PlayChannel(-1, c, 0);
}

void StopSoundFiles() {
    if (State().open) Mix_HaltChannel(-1);
}

void StopSounds() {
    if (Host* host = CurrentHost()) host->StopSounds();
    else StopSoundFiles();
}

bool OpenAudio() {
    Audio& a = State();
    // A machine without a sound card fails slowly; try once only.
    if (a.tried) return a.open;
    a.tried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    a.open = true;
    return true;
}

void CloseAudio() {
    Audio& a = State();
    if (a.open) {
        Mix_HaltChannel(-1);
        for (auto& [path, chunk] : a.chunks) Mix_FreeChunk(chunk);
        a.chunks.clear();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    a.open = false;
    a.tried = false;
}

}  // namespace plat
