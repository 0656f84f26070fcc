// Surfaces and their block copies.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace plat {

Rect Intersect(const Rect& a, const Rect& b) {
    const int x1 = std::max(a.x, b.x), y1 = std::max(a.y, b.y);
    const int x2 = std::min(a.Right(), b.Right()), y2 = std::min(a.Bottom(), b.Bottom());
    if (x2 <= x1 || y2 <= y1) return {x1, y1, 0, 0};
    return {x1, y1, x2 - x1, y2 - y1};
}

Rect Bounding(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    const int x1 = std::min(a.x, b.x), y1 = std::min(a.y, b.y);
    return {x1, y1, std::max(a.Right(), b.Right()) - x1, std::max(a.Bottom(), b.Bottom()) - y1};
}

Surface::Surface(int w, int h, std::uint32_t pixel)
    : w_(std::max(w, 0)), h_(std::max(h, 0)), px_(static_cast<size_t>(w_) * h_, pixel) {}

void Surface::Fill(Rect r, std::uint32_t pixel) {
    r = Intersect(r, {0, 0, w_, h_});
    if (r.Empty()) return;
    for (int y = r.y; y < r.Bottom(); ++y) std::fill_n(Row(y) + r.x, r.w, pixel);
    Invalidate(r);
}

void Surface::Invalidate(Rect r) {
    r = Intersect(r, {0, 0, w_, h_});
    if (r.Empty()) return;
    // Merge with a rectangle it touches; keep the list short.
    for (auto& d : dirty_) {
        const Rect grown{d.x - 1, d.y - 1, d.w + 2, d.h + 2};
        if (!Intersect(grown, r).Empty()) {
            d = Bounding(d, r);
            return;
        }
    }
    if (dirty_.size() >= 8) {
        Rect all = r;
        for (const auto& d : dirty_) all = Bounding(all, d);
        dirty_.assign(1, all);
        return;
    }
    dirty_.push_back(r);
}

std::vector<Rect> Surface::TakeDirty() {
    std::vector<Rect> out;
    out.swap(dirty_);
    return out;
}

namespace {

// Clips a copy of w x h from (sx, sy) to (x, y) against both surfaces.
bool ClipCopy(const Surface& dst, const Surface& src, int& x, int& y, int& w, int& h, int& sx,
              int& sy) {
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    w = std::min({w, dst.Width() - x, src.Width() - sx});
    h = std::min({h, dst.Height() - y, src.Height() - sy});
    return w > 0 && h > 0;
}

// Rows of different surfaces never overlap, which lets the compiler
// combine several pixels at once: stamping a piece is two of these per row.
void CombineRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int w,
                std::uint32_t rop) {
    if (rop == SRCAND)
        for (int k = 0; k < w; ++k) d[k] &= s[k];
    else
        for (int k = 0; k < w; ++k) d[k] |= s[k];
}

// Short rows (the drag's 24-pixel strips) cost more in calls than in copying.
void CopyRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int w) {
    for (int k = 0; k < w; ++k) d[k] = s[k];
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            std::uint32_t rop) {
    if (!ClipCopy(dst, src, x, y, w, h, sx, sy)) return;
    const bool same = &dst == &src;
    // Overlapping copies within one surface go bottom-up when moving down.
    const bool reverse = same && y > sy;
    for (int i = 0; i < h; ++i) {
        const int row = reverse ? h - 1 - i : i;
        std::uint32_t* d = dst.Row(y + row) + x;
        const std::uint32_t* s = src.Row(sy + row) + sx;
        if (rop == SRCAND || rop == SRCPAINT) {
            if (same) {
                if (rop == SRCAND) for (int k = 0; k < w; ++k) d[k] &= s[k];
                else for (int k = 0; k < w; ++k) d[k] |= s[k];
            } else {
                CombineRow(d, s, w, rop);
            }
        } else if (same) {
            std::memmove(d, s, static_cast<size_t>(w) * sizeof(std::uint32_t));
        } else {
            CopyRow(d, s, w);
        }
    }
    dst.Invalidate({x, y, w, h});
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, std::uint32_t rop) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const Rect area = Intersect({x, y, w, h}, {0, 0, dst.Width(), dst.Height()});
    if (area.Empty()) return;
    for (int dy = area.y; dy < area.Bottom(); ++dy) {
        const int srow = sy + static_cast<int>(static_cast<long long>(dy - y) * sh / h);
        if (srow < 0 || srow >= src.Height()) continue;
        std::uint32_t* d = dst.Row(dy);
        const std::uint32_t* s = src.Row(srow);
        for (int dx = area.x; dx < area.Right(); ++dx) {
            const int scol = sx + static_cast<int>(static_cast<long long>(dx - x) * sw / w);
            if (scol < 0 || scol >= src.Width()) continue;
            switch (rop) {
                case SRCAND: d[dx] &= s[scol]; break;
                case SRCPAINT: d[dx] |= s[scol]; break;
                default: d[dx] = s[scol]; break;
            }
        }
    }
    dst.Invalidate(area);
}

int SetStretchBltMode(Surface&, int mode) { return mode == COLORONCOLOR ? COLORONCOLOR : 0; }

}  // namespace plat
