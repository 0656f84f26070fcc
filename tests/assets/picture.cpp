#include "picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <fstream>
#include <sstream>

namespace testpic {

Picture Decode(const unsigned char* data, std::size_t size) {
    Picture pic;
    SDL_Surface* raw = IMG_Load_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    if (!raw) return pic;
    pic.hasAlpha = raw->format->Amask != 0;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    if (!s) return pic;
    pic.w = s->w, pic.h = s->h;
    for (int y = 0; y < s->h; ++y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w; ++x) pic.px.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
    }
    SDL_FreeSurface(s);
    return pic;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Picture DecodeFile(const std::string& path) {
    const std::string bytes = ReadFile(path);
    return Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace testpic
