// Shapes the level tests share.
#pragma once
#include <string>
#include <vector>

#include "levels/solver.h"

namespace levels::testing {

inline Shape Rect(int w, int h) {
    Shape s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.Set(x, y, true);
    return s;
}

inline Shape FromRows(const std::vector<std::string>& rows) {
    Shape s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) s.Set(static_cast<int>(x), static_cast<int>(y), rows[y][x] != '.');
    return s;
}

}  // namespace levels::testing
