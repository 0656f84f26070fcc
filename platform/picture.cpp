// Loading pictures, sized before they are decoded.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/files.h"
#include "platform/surface.h"
#include "lang/i18n.h"

namespace plat {
namespace {

void Fail(std::string* error, const std::string& what, const std::string& reason) {
    if (error) *error = lang::Format(_("Impossible de lire l'image %s : %s"), {what, reason});
}

// TRANSLATORS: the quotation marks around a file name, as the language writes them.
std::string Quoted(const std::string& path) { return lang::Format(C_("quote", "« %s »"), {path}); }

// Takes ownership of the SDL surface; alpha is dropped, pictures are opaque.
Surface ToSurface(SDL_Surface* loaded, const std::string& what, std::string* error) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) {
        Fail(error, what, lang::Format(_("conversion impossible (%s)"), {SDL_GetError()}));
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
    std::string r = _("format non reconnu ou fichier endommagé");
    if (e && *e) r += std::string(" (") + e + ")";
    return r;
}

// Formats we decode; anything else is refused before a decoder sees it.
enum class Format { Unknown, Png, Bmp, Jpeg };

// No picture of the game is wider than 800 pixels: a header claiming more
// than this is refused before any pixel memory is taken.
constexpr long kMaxSide = 2048;

struct Header {
    Format format = Format::Unknown;
    long width = 0, height = 0;
};

// The size a JPEG's frame header gives; 0 x 0 when none comes before the image data.
void ReadJpegSize(SDL_RWops* rw, Header& h) {
    for (int segment = 0; segment < 4096; ++segment) {
        unsigned char m[9];
        if (SDL_RWread(rw, m, 1, 2) != 2 || m[0] != 0xFF) return;
        while (m[1] == 0xFF)
            if (SDL_RWread(rw, m + 1, 1, 1) != 1) return;
        const int marker = m[1];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        if (marker == 0xD9 || marker == 0xDA) return;
        if (SDL_RWread(rw, m + 2, 1, 2) != 2) return;
        const long length = m[2] << 8 | m[3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (SDL_RWread(rw, m + 4, 1, 5) == 5) h.height = m[5] << 8 | m[6], h.width = m[7] << 8 | m[8];
            return;
        }
        if (length < 2 || SDL_RWseek(rw, length - 2, RW_SEEK_CUR) < 0) return;
    }
}

// True when the PNG's chunks, from the signature on, each fit in what is left
// of the stream, up to IEND. The decoder skips a chunk that claims more by
// reading and summing it to its claimed end, which on a damaged file can
// take minutes.
bool PngChunksFit(SDL_RWops* rw, Sint64 start) {
    const Sint64 size = SDL_RWsize(rw);
    Sint64 at = start + 8;
    for (int chunk = 0; chunk < 1 << 20; ++chunk) {
        unsigned char c[8];
        if (size < 0 || SDL_RWseek(rw, at, RW_SEEK_SET) < 0 || SDL_RWread(rw, c, 1, 8) != 8) return false;
        const Sint64 length = Sint64(c[0]) << 24 | Sint64(c[1]) << 16 | Sint64(c[2]) << 8 | c[3];
        at += 8 + length + 4;  // length and type, data, CRC
        if (length > 0x7FFFFFFF || at > size) return false;
        if (std::memcmp(c + 4, "IEND", 4) == 0) return true;
    }
    return false;
}

// Format and size from the first bytes; the stream goes back to where it was.
Header ReadHeader(SDL_RWops* rw) {
    Header h;
    const Sint64 start = SDL_RWtell(rw);
    unsigned char b[26] = {};
    const size_t n = SDL_RWread(rw, b, 1, sizeof b);
    auto be32 = [&](int i) { return long(b[i]) << 24 | long(b[i + 1]) << 16 | long(b[i + 2]) << 8 | b[i + 3]; };
    auto le16 = [&](int i) { return long(b[i]) | long(b[i + 1]) << 8; };
    auto le32 = [&](int i) { return static_cast<long>(static_cast<std::int32_t>(le16(i) | le16(i + 2) << 16)); };
    if (n >= 24 && std::memcmp(b, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(b + 12, "IHDR", 4) == 0) {
        h = {Format::Png, be32(16), be32(20)};
        if (!PngChunksFit(rw, start)) h.format = Format::Unknown;
    } else if (n >= 26 && b[0] == 'B' && b[1] == 'M') {
        // The old 12-byte header holds 16-bit sizes; a negative height is a top-down picture.
        if (le32(14) == 12) h = {Format::Bmp, le16(18), le16(20)};
        else h = {Format::Bmp, le32(18), std::abs(le32(22))};
    } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xD8) {
        h.format = Format::Jpeg;
        SDL_RWseek(rw, start + 2, RW_SEEK_SET);
        ReadJpegSize(rw, h);
    }
    SDL_RWseek(rw, start, RW_SEEK_SET);
    return h;
}

// Reads and closes the stream; the format is found from the content.
Surface Decode(SDL_RWops* rw, const std::string& what, std::string* error) {
    const Header h = ReadHeader(rw);
    SDL_Surface* loaded = nullptr;
    if (h.format == Format::Unknown || h.width <= 0 || h.height <= 0) {
        IMG_SetError("%s", _("ni BMP, ni JPEG, ni PNG lisible"));
    } else if (h.width > kMaxSide || h.height > kMaxSide) {
        SDL_RWclose(rw);
        Fail(error, what,
             lang::Format(_("image trop grande (%d × %d pixels, au plus %d × %d)"),
                          {std::to_string(h.width), std::to_string(h.height), std::to_string(kMaxSide),
                           std::to_string(kMaxSide)}));
        return {};
    } else {
        loaded = h.format == Format::Png ? IMG_LoadPNG_RW(rw) : h.format == Format::Bmp ? IMG_LoadBMP_RW(rw) : IMG_LoadJPG_RW(rw);
    }
    SDL_RWclose(rw);
    if (!loaded) {
        Fail(error, what, Reason());
        return {};
    }
    return ToSurface(loaded, what, error);
}

}  // namespace

Surface LoadPicture(const std::string& path, std::string* error) {
    const std::string what = Quoted(path);
    // Regular files only: a FIFO or a device would block or never end.
    int err = 0;
    const int fd = OpenRegularFile(path, err);
    FILE* file = fd < 0 ? nullptr : fdopen(fd, "rb");
    if (!file) {
        if (fd >= 0) CloseDescriptor(fd);
        Fail(error, what, FileErrorText(err ? err : errno));
        return {};
    }
    InitImage();
    SDL_ClearError();
    SDL_RWops* rw = SDL_RWFromFP(file, SDL_TRUE);
    if (!rw) {
        std::fclose(file);
        Fail(error, what, lang::Format(_("lecture refusée (%s)"), {SDL_GetError()}));
        return {};
    }
    return Decode(rw, what, error);
}

Surface LoadPictureFromMemory(const void* data, std::size_t size, std::string* error) {
    const std::string what = _("intégrée");
    if (!data || size == 0) {
        Fail(error, what, _("données vides"));
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
