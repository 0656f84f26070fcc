// Persistent 32-bit images and the block copies the game draws with.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Colours as the game writes them: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour RGB(int r, int g, int b) {
    return static_cast<Colour>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
// Pixels in a Surface are 0x00RRGGBB.
constexpr std::uint32_t ToPixel(Colour c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr std::uint32_t Pixel(int r, int g, int b) { return ToPixel(RGB(r, g, b)); }

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool operator==(const Rect&) const = default;
};
Rect Intersect(const Rect& a, const Rect& b);
Rect Bounding(const Rect& a, const Rect& b);

class Surface {
public:
    Surface() = default;
    Surface(int w, int h, std::uint32_t pixel = 0);

    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Empty() const { return w_ == 0 || h_ == 0; }
    std::uint32_t* Row(int y) { return px_.data() + static_cast<size_t>(y) * w_; }
    const std::uint32_t* Row(int y) const { return px_.data() + static_cast<size_t>(y) * w_; }
    // Read-back for tests and presenting; drawing goes through the block copies.
    std::uint32_t At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
    void Fill(Rect r, std::uint32_t pixel);
    bool operator==(const Surface& o) const { return w_ == o.w_ && h_ == o.h_ && px_ == o.px_; }

    // Changed rectangles since the owner last presented them.
    void Invalidate(Rect r);
    void InvalidateAll() { Invalidate({0, 0, w_, h_}); }
    std::vector<Rect> TakeDirty();
    bool HasDirty() const { return !dirty_.empty(); }

private:
    int w_ = 0, h_ = 0;
    std::vector<std::uint32_t> px_;
    std::vector<Rect> dirty_;
};

// Raster operations with their classic values.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;
inline constexpr std::uint32_t SRCAND = 0x008800C6;
inline constexpr std::uint32_t SRCPAINT = 0x00EE0086;
inline constexpr int COLORONCOLOR = 3;

// Copies w x h from src (sx, sy) to dst (x, y), clipped to both surfaces.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            std::uint32_t rop);
// Nearest-pixel stretch (rows and columns dropped or repeated, never blended).
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, std::uint32_t rop);
// Only COLORONCOLOR exists here; kept so callers state the mode they rely on.
int SetStretchBltMode(Surface& dst, int mode);

// BMP, JPEG or PNG recognised by content. On failure returns an empty
// Surface and puts a French reason into *error.
Surface LoadPicture(const std::string& path, std::string* error = nullptr);
Surface LoadPictureFromMemory(const void* data, std::size_t size, std::string* error = nullptr);

}  // namespace plat
