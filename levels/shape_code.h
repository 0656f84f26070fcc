// Shapes on the board as short codes to share: letters and digits, a version and a checksum.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "levels/level_text.h"

namespace levels {

// A shape on the 16 x 16 board and the pieces meant to fill it.
struct BoardShape {
    std::array<bool, kBoard * kBoard> in{};  // row by row
    PieceSet pieces = 0;                      // 0: none chosen yet (the solver picks in the workshop)
    bool operator==(const BoardShape&) const = default;
    int Cells() const;
};

// The longest code of any shape on the board.
inline constexpr std::size_t kMaxCodeLength = 60;

BoardShape BoardShapeOf(const Level& level);  // its cells and the pieces of its reference tiling
Shape ShapeOf(const BoardShape& shape);       // the 16 x 16 board, for the solver
// The shape cut to its bounding box, for the solver; `corner` gets the box's top-left cell on the board.
Shape BoxShapeOf(const BoardShape& shape, Cell* corner = nullptr);

// Letters and digits only, a version prefix, a checksum, at most 60 characters for any shape on the board.
// The code does not depend on where the shape lies on the board (it is stored moved to the top-left corner;
// decoding centres it on the board as the shipped levels are centred). An empty shape has the empty code.
std::string EncodeShape(const BoardShape& shape);
// Case-insensitive; spaces, dashes and line breaks around or inside ignored; nullopt for anything that is not a
// valid code (bad prefix, checksum, length, out-of-board cells, empty shape).
std::optional<BoardShape> DecodeShape(std::string_view code);

}  // namespace levels
