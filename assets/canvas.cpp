// The generator's drawing surface: shapes, bevels, text and PNG output.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

namespace {
std::uint8_t Clamp8(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}
}  // namespace

Rgba Shade(Rgba c, double f) { return {Clamp8(c.r * f), Clamp8(c.g * f), Clamp8(c.b * f), c.a}; }

Rgba Mix(Rgba a, Rgba b, double t) {
    return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t),
            Clamp8(a.b + (b.b - a.b) * t), Clamp8(a.a + (b.a - a.a) * t)};
}

Image::Image(int w, int h, Rgba fill)
    : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, fill) {}

void Image::blend(int x, int y, Rgba c, double cover) {
    if (!contains(x, y) || cover <= 0) return;
    Rgba& d = at(x, y);
    const double sa = c.a / 255.0 * std::min(cover, 1.0);
    const double da = d.a / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    auto ch = [&](std::uint8_t s, std::uint8_t t) { return Clamp8((s * sa + t * da * (1 - sa)) / oa); };
    d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), Clamp8(oa * 255)};
}

void Image::fillRect(int x, int y, int w, int h, Rgba c) {
    for (int j = std::max(y, 0); j < std::min(y + h, h_); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, w_); ++i) at(i, j) = c;
}

void Image::paste(const Image& src, int x, int y) {
    for (int j = 0; j < src.h(); ++j)
        for (int i = 0; i < src.w(); ++i)
            if (contains(x + i, y + j)) at(x + i, y + j) = src.at(i, j);
}

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1;
    };
}

Shape RoundRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const double qx = std::max({x0 + r - x, x - (x1 - r), 0.0});
        const double qy = std::max({y0 + r - y, y - (y1 - r), 0.0});
        return qx * qx + qy * qy <= r * r;
    };
}

namespace {
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}
}  // namespace

Shape Capsule(double ax, double ay, double bx, double by, double width) {
    return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) <= width / 2; };
}

Shape Stroke(std::vector<std::pair<double, double>> pts, double width) {
    return [pts = std::move(pts), width](double x, double y) {
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
            if (SegmentDistance(x, y, pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second) <=
                width / 2)
                return true;
        return false;
    };
}

std::vector<std::pair<double, double>> Arc(double cx, double cy, double rx, double ry, double fromDeg,
                                           double toDeg, int steps) {
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i <= steps; ++i) {
        const double a = (fromDeg + (toDeg - fromDeg) * i / steps) * std::numbers::pi / 180.0;
        pts.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
    return pts;
}

Shape Polygon(std::vector<std::pair<double, double>> pts) {
    return [pts = std::move(pts)](double x, double y) {
        bool in = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
}

Shape Union(std::vector<Shape> parts) {
    return [parts = std::move(parts)](double x, double y) {
        return std::any_of(parts.begin(), parts.end(), [&](const Shape& s) { return s(x, y); });
    };
}

Shape Minus(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

void Fill(Image& img, const Box& box, const Shape& shape, const Paint& paint) {
    constexpr int kSub = 4;
    const int x0 = std::max(0, static_cast<int>(std::floor(box.x0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(box.y0)));
    const int x1 = std::min(img.w(), static_cast<int>(std::ceil(box.x1)));
    const int y1 = std::min(img.h(), static_cast<int>(std::ceil(box.y1)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx)
                    hits += shape(x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub) ? 1 : 0;
            if (hits) img.blend(x, y, paint(x + 0.5, y + 0.5), hits / double(kSub * kSub));
        }
}

void Fill(Image& img, const Box& box, const Shape& shape, Rgba c) {
    Fill(img, box, shape, [c](double, double) { return c; });
}

Font::Font(const std::string& file, int px) {
    if (!file.empty()) font_ = TTF_OpenFont(file.c_str(), px);
    if (font_) TTF_SetFontHinting(static_cast<TTF_Font*>(font_), TTF_HINTING_LIGHT);
}

Font::~Font() {
    if (font_) TTF_CloseFont(static_cast<TTF_Font*>(font_));
}

namespace {
struct Ink {
    SDL_Surface* s = nullptr;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive bounds of non-zero alpha
};

Ink RenderInk(void* font, const std::string& text) {
    Ink ink;
    if (!font || text.empty()) return ink;
    SDL_Surface* raw = TTF_RenderUTF8_Blended(static_cast<TTF_Font*>(font), text.c_str(), {255, 255, 255, 255});
    if (!raw) return ink;
    ink.s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(raw);
    if (!ink.s) return ink;
    ink.x0 = ink.s->w, ink.y0 = ink.s->h;
    for (int y = 0; y < ink.s->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(ink.s->pixels) + y * ink.s->pitch);
        for (int x = 0; x < ink.s->w; ++x)
            if (row[x] >> 24) {
                ink.x0 = std::min(ink.x0, x), ink.x1 = std::max(ink.x1, x);
                ink.y0 = std::min(ink.y0, y), ink.y1 = std::max(ink.y1, y);
            }
    }
    return ink;
}
}  // namespace

void Font::drawCentred(Image& img, const std::string& text, double cx, double cy, Rgba c) const {
    Ink ink = RenderInk(font_, text);
    if (!ink.s) return;
    if (ink.x1 >= ink.x0) {
        const double inkW = ink.x1 - ink.x0 + 1, inkH = ink.y1 - ink.y0 + 1;
        const int ox = static_cast<int>(std::lround(cx - inkW / 2 - ink.x0));
        const int oy = static_cast<int>(std::lround(cy - inkH / 2 - ink.y0));
        for (int y = ink.y0; y <= ink.y1; ++y) {
            const auto* row =
                reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(ink.s->pixels) + y * ink.s->pitch);
            for (int xx = ink.x0; xx <= ink.x1; ++xx)
                img.blend(ox + xx, oy + y, c, (row[xx] >> 24) / 255.0);
        }
    }
    SDL_FreeSurface(ink.s);
}

int Font::inkWidth(const std::string& t) const {
    Ink ink = RenderInk(font_, t);
    if (!ink.s) return 0;
    SDL_FreeSurface(ink.s);
    return ink.x1 >= ink.x0 ? ink.x1 - ink.x0 + 1 : 0;
}

double Hash01(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double SmoothNoise(double x, double y, int seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    const double c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

namespace {
// SDL_RWops that appends everything written to a byte vector.
Sint64 VecSize(SDL_RWops* rw) { return static_cast<Sint64>(static_cast<std::vector<unsigned char>*>(rw->hidden.unknown.data1)->size()); }
Sint64 VecSeek(SDL_RWops* rw, Sint64, int whence) { return whence == RW_SEEK_CUR || whence == RW_SEEK_END ? VecSize(rw) : -1; }
size_t VecRead(SDL_RWops*, void*, size_t, size_t) { return 0; }
size_t VecWrite(SDL_RWops* rw, const void* p, size_t size, size_t n) {
    auto* v = static_cast<std::vector<unsigned char>*>(rw->hidden.unknown.data1);
    const auto* b = static_cast<const unsigned char*>(p);
    v->insert(v->end(), b, b + size * n);
    return n;
}
int VecClose(SDL_RWops* rw) {
    SDL_FreeRW(rw);
    return 0;
}
}  // namespace

std::vector<unsigned char> EncodePng(const Image& img, bool withAlpha) {
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(img.w()) * img.h() * 4);
    for (const Rgba& p : img.pixels()) {
        raw.push_back(p.r), raw.push_back(p.g), raw.push_back(p.b);
        if (withAlpha) raw.push_back(p.a);
    }
    const int bpp = withAlpha ? 4 : 3;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
        raw.data(), img.w(), img.h(), bpp * 8, img.w() * bpp,
        withAlpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24);
    std::vector<unsigned char> out;
    if (!s) return out;
    SDL_RWops* rw = SDL_AllocRW();
    if (rw) {
        rw->size = VecSize, rw->seek = VecSeek, rw->read = VecRead, rw->write = VecWrite, rw->close = VecClose;
        rw->type = SDL_RWOPS_UNKNOWN;
        rw->hidden.unknown.data1 = &out;
        if (IMG_SavePNG_RW(s, rw, 1) != 0) out.clear();
    }
    SDL_FreeSurface(s);
    return out;
}

}  // namespace art
