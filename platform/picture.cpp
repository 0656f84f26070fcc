#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/surface.h"

namespace plat {
namespace {

void Fail(std::string* error, const std::string& what, const std::string& reason) {
    if (error) *error = "Impossible de lire l'image " + what + " : " + reason;
}

std::string Quoted(const std::string& path) { return "« " + path + " »"; }

// Takes ownership of the SDL surface; alpha is dropped, pictures are opaque.
Surface ToSurface(SDL_Surface* loaded, const std::string& what, std::string* error) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) {
        Fail(error, what, std::string("conversion impossible (") + SDL_GetError() + ")");
        return {};
    }
    Surface out(argb->w, argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(
            static_cast<const unsigned char*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch);
        std::uint32_t* dst = out.Row(y);
        for (int x = 0; x < argb->w; ++x) dst[x] = src[x] & 0x00FFFFFF;
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return out;
}

void InitImage() {
    static const bool done = [] {
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
        return true;
    }();
    (void)done;
}

std::string Reason() {
    const char* e = IMG_GetError();
    std::string r = "format non reconnu ou fichier endommagé";
    if (e && *e) r += std::string(" (") + e + ")";
    return r;
}

}  // namespace

namespace {

// Reads and closes the stream; the format is found from the content.
Surface Decode(SDL_RWops* rw, const std::string& what, std::string* error) {
    SDL_Surface* loaded = IMG_Load_RW(rw, 1);
    if (!loaded) {
        Fail(error, what, Reason());
        return {};
    }
    return ToSurface(loaded, what, error);
}

}  // namespace

Surface LoadPicture(const std::string& path, std::string* error) {
    const std::string what = Quoted(path);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        Fail(error, what, "fichier introuvable");
        return {};
    }
    if (S_ISDIR(st.st_mode)) {
        Fail(error, what, "c'est un dossier");
        return {};
    }
    InitImage();
    SDL_ClearError();
    // IMG_Load looks at the content, not the extension (.dat files are PNG or BMP).
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw) {
        Fail(error, what, std::string("lecture refusée (") + SDL_GetError() + ")");
        return {};
    }
    return Decode(rw, what, error);
}

Surface LoadPictureFromMemory(const void* data, std::size_t size, std::string* error) {
    const std::string what = "intégrée";
    if (!data || size == 0) {
        Fail(error, what, "données vides");
        return {};
    }
    InitImage();
    SDL_ClearError();
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) {
        Fail(error, what, SDL_GetError());
        return {};
    }
    return Decode(rw, what, error);
}

}  // namespace plat
