// Rounded rectangles and their union, for shaped windows and hit tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/region.h"

#include <cstddef>
#include <utility>

namespace plat {

Region Region::RoundRect(int x1, int y1, int x2, int y2, int ew, int eh) {
    Region r;
    if (x2 > x1 && y2 > y1) r.parts_.push_back({x1, y1, x2, y2, ew, eh});
    return r;
}

void Region::Union(const Region& other) {
    parts_.insert(parts_.end(), other.parts_.begin(), other.parts_.end());
}

bool Region::Contains(int x, int y) const {
    const double px = x + 0.5, py = y + 0.5;
    for (const auto& p : parts_) {
        if (px < p.x1 || py < p.y1 || px > p.x2 || py > p.y2) continue;
        const double rx = p.ew / 2.0, ry = p.eh / 2.0;
        if (rx <= 0 || ry <= 0) return true;
        // Nearest corner ellipse centre, when the point lies in a corner zone.
        const double cx = px < p.x1 + rx ? p.x1 + rx : (px > p.x2 - rx ? p.x2 - rx : px);
        const double cy = py < p.y1 + ry ? p.y1 + ry : (py > p.y2 - ry ? p.y2 - ry : py);
        const double dx = (px - cx) / rx, dy = (py - cy) / ry;
        if (dx * dx + dy * dy <= 1.0) return true;
    }
    return false;
}

std::vector<unsigned char> Region::Mask(int w, int h) const {
    std::vector<unsigned char> m(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m[static_cast<std::size_t>(y) * w + x] = Contains(x, y) ? 1 : 0;
    return m;
}

Region CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ew, int eh) {
    return Region::RoundRect(x1, y1, x2, y2, ew, eh);
}

void CombineRgn(Region& dst, const Region& a, const Region& b, int) {
    Region r = a;
    r.Union(b);
    dst = std::move(r);
}

}  // namespace plat
