// Drawing and wrapping text with SDL2_ttf.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "base/fonts.h"
#include "platform/utf8.h"

namespace plat {
namespace {

// Sizes are points at 96 dpi; SDL_ttf takes points at 72 dpi, so the
// pixel size passed as points gives the em we want.
int PixelSize(const Font& font) {
    return std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0)));
}

TTF_Font* Open(const Font& font) {
    static bool ready = false, failed = false;
    if (!ready && !failed) {
        if (TTF_WasInit() || TTF_Init() == 0)
            ready = true;
        else
            failed = true;
    }
    if (!ready) return nullptr;

    const std::string file = FindFontFile(font.name, font.bold);
    if (file.empty()) return nullptr;
    const int px = PixelSize(font);
    // Fonts stay open for the life of the process; labels redraw often.
    static std::map<std::pair<std::string, int>, TTF_Font*> cache;
    const auto key = std::make_pair(file, px);
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    TTF_Font* f = TTF_OpenFont(file.c_str(), px);
    if (f && font.bold && !(TTF_GetFontStyle(f) & TTF_STYLE_BOLD)) {
        // fontconfig may hand back the regular face when no bold one exists.
        const char* style = TTF_FontFaceStyleName(f);
        if (!style || !SDL_strcasestr(style, "bold")) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
    }
    cache[key] = f;
    return f;
}

}  // namespace

int TextWidth(const Font& font, const std::string& utf8) {
    if (utf8.empty()) return 0;
    TTF_Font* f = Open(font);
    if (!f) return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

bool DrawsAny(const Font& font, const std::string& utf8) {
    TTF_Font* f = Open(font);
    if (!f) return true;
    for (char32_t c : Utf8Decode(utf8))
        if (TTF_GlyphIsProvided32(f, static_cast<Uint32>(c))) return true;
    return false;
}

int LineHeight(const Font& font) {
    if (TTF_Font* f = Open(font)) return TTF_FontLineSkip(f);
    // Without a font nothing is drawn, but callers still divide by this.
    return PixelSize(font) + 3;
}

int FontHeight(const Font& font) {
    if (TTF_Font* f = Open(font)) return TTF_FontHeight(f);
    return PixelSize(font) + 2;
}

void DrawTextLine(Surface& dst, Rect clip, int x, int y, const Font& font,
                  const std::string& utf8, Colour colour) {
    if (utf8.empty() || dst.Empty()) return;
    clip = Intersect(clip, Rect{0, 0, dst.Width(), dst.Height()});
    if (clip.Empty()) return;
    TTF_Font* f = Open(font);
    if (!f) return;

    // Rendered in white: the alpha channel alone is the glyph coverage.
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return;
    SDL_Surface* argb = glyphs;
    if (glyphs->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(glyphs);
        if (!argb) return;
    }

    const Rect area = Intersect(clip, Rect{x, y, argb->w, argb->h});
    const std::uint32_t cr = colour & 0xFF, cg = (colour >> 8) & 0xFF, cb = (colour >> 16) & 0xFF;
    SDL_LockSurface(argb);
    for (int row = area.y; row < area.Bottom(); ++row) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(
            static_cast<const unsigned char*>(argb->pixels) + static_cast<size_t>(row - y) * argb->pitch);
        std::uint32_t* out = dst.Row(row);
        for (int col = area.x; col < area.Right(); ++col) {
            const std::uint32_t a = src[col - x] >> 24;
            if (a == 0) continue;
            std::uint32_t& p = out[col];
            if (a == 255) {
                p = (cr << 16) | (cg << 8) | cb;
                continue;
            }
            const std::uint32_t pr = (p >> 16) & 0xFF, pg = (p >> 8) & 0xFF, pb = p & 0xFF;
            const std::uint32_t r = (cr * a + pr * (255 - a) + 127) / 255;
            const std::uint32_t g = (cg * a + pg * (255 - a) + 127) / 255;
            const std::uint32_t b = (cb * a + pb * (255 - a) + 127) / 255;
            p = (r << 16) | (g << 8) | b;
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
}

std::vector<std::string> WrapText(const Font& font, const std::string& utf8, int width) {
    std::vector<std::string> lines;
    if (utf8.empty()) return lines;

    auto wrapParagraph = [&](const std::string& para) {
        const size_t first = lines.size();
        std::string line;
        bool started = false;  // a line holds at least one word
        size_t pos = 0;
        while (pos <= para.size()) {
            size_t end = para.find(' ', pos);
            if (end == std::string::npos) end = para.size();
            const std::string word = para.substr(pos, end - pos);
            pos = end + 1;
            if (!started) {
                line = word;
                started = !word.empty();
                continue;
            }
            std::string candidate = line + ' ' + word;
            if (TextWidth(font, candidate) <= width) {
                line = std::move(candidate);
            } else {
                lines.push_back(line);
                line = word;
                started = !word.empty();
            }
        }
        // Trailing blanks after a break need no line of their own; an empty
        // paragraph still keeps its blank line.
        if (started || lines.size() == first) lines.push_back(line);
    };

    size_t start = 0;
    while (true) {
        size_t nl = utf8.find('\n', start);
        std::string para = utf8.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!para.empty() && para.back() == '\r') para.pop_back();
        wrapParagraph(para);
        if (nl == std::string::npos) break;
        start = nl + 1;
        if (start == utf8.size()) break;  // a final line break adds no empty line
    }
    return lines;
}

}  // namespace plat
