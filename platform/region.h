// Window outlines: rounded rectangles and their union.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

namespace plat {

class Region {
public:
    Region() = default;
    // Right and bottom bounds exclusive; ew x eh is the corner ellipse.
    static Region RoundRect(int x1, int y1, int x2, int y2, int ew, int eh);
    void Union(const Region& other);
    // A pixel belongs to the region when its centre lies inside.
    bool Contains(int x, int y) const;
    bool Empty() const { return parts_.empty(); }
    // One byte per pixel, 1 inside.
    std::vector<unsigned char> Mask(int w, int h) const;

private:
    struct Part { int x1, y1, x2, y2, ew, eh; };
    std::vector<Part> parts_;
};

inline constexpr int RGN_OR = 2;
Region CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ew, int eh);
// dst = a OR b; only the union mode is offered.
void CombineRgn(Region& dst, const Region& a, const Region& b, int mode);

}  // namespace plat
