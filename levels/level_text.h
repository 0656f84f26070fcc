// Levels as authors write them and as the packs store them.
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Source text: per level a name line, then sixteen rows of sixteen
// characters, '.' outside the shape and 'B'..'M' the piece covering the cell
// in the reference solution. Blank lines between levels are ignored.
// Record: 256 characters row by row, 'A' outside, 'B' + p for piece p.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "levels/solver.h"

namespace levels {

inline constexpr char kOutsideRecord = 'A';
inline constexpr char kOutsideText = '.';

struct Level {
    std::string name;
    std::array<std::int8_t, kBoard * kBoard> cell{};  // piece index, -1 outside
    // Where the level came from, for messages: a source file and the line of
    // its name, or a pack file and the record's index in the catalogue.
    std::string file;
    int line = 0;
    int record = -1;

    int At(int x, int y) const { return cell[y * kBoard + x]; }
    // "file:line" of the given board row, or "file: record n, row r".
    std::string Where(int row) const;
    std::string Where() const;
};

struct ParseResult {
    std::vector<Level> levels;
    std::vector<std::string> errors;  // "file:line: message"
};

// Reads level source text; every malformed row or piece gives an error.
ParseResult ParseSource(std::string_view text, const std::string& file);
std::string FormatSource(const std::vector<Level>& levels);

std::string ToRecord(const Level& level);
// Decodes a 256-character record; false and a message for a code that
// is neither outside nor a piece letter, unless codes past the last piece
// are to count as outside (as the game reads its packs).
bool FromRecord(std::string_view record, Level& level, std::string& error, bool pastLastIsOutside = false);

struct PieceProblem {
    int row;  // first board row holding the piece
    std::string message;
};
// Each piece present must cover exactly five cells forming that piece, once.
std::vector<PieceProblem> CheckPieces(const Level& level);

PieceSet PiecesOf(const Level& level);
Shape ShapeOf(const Level& level);  // the 16 x 16 board

// Full check of a list of levels: pieces, names against the names table,
// centring, and a tiling of each shape by exactly its own pieces. A complete
// catalogue also has one level for every entry of the names table.
std::vector<std::string> VerifyLevels(const std::vector<Level>& levels, bool complete);

// Places a tiling's shape in the middle of the board.
Level CentredLevel(const std::string& name, const Tiling& tiling);

// A shape drawn as text: '.' (or a space) outside, any other character inside.
struct ShapeResult {
    Shape shape;
    std::vector<std::string> errors;
};
ShapeResult ParseShape(std::string_view text, const std::string& file, int firstLine = 1);

// "BCD" style list of record letters; false on a character outside 'B'..'M'.
bool ParsePieceList(std::string_view text, PieceSet& set);

// A design, as level authors sketch a level before it is solved: blocks of
// "name: ...", optional "pieces: LETTERS" and "pick: N" (take the N-th
// tiling found), then the shape grid; blank lines between blocks.
struct Design {
    std::string name;
    PieceSet pieces = kAllPieces;
    long pick = 1;
    Shape shape;
    int line = 0;         // the block's first line
    bool shaped = false;  // the grid was read into `shape`
    std::vector<std::string> errors;  // "file:line: message", in line order
};
std::vector<Design> ParseDesigns(std::string_view text, const std::string& file);

}  // namespace levels
