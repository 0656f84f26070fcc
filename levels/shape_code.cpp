// Shape codes: a shape and its pieces packed into letters and digits with a checksum.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/shape_code.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

Shape BoxShapeOf(const BoardShape& shape, Cell* corner) {
    int x0 = kBoard, y0 = kBoard, x1 = -1, y1 = -1;
    for (int i = 0; i < kBoard * kBoard; ++i)
        if (shape.in[i]) {
            x0 = std::min(x0, i % kBoard), x1 = std::max(x1, i % kBoard);
            y0 = std::min(y0, i / kBoard), y1 = std::max(y1, i / kBoard);
        }
    if (x1 < 0) x0 = y0 = 0;
    Shape out(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) out.Set(x, y, shape.in[(y + y0) * kBoard + x + x0]);
    if (corner) *corner = {x0, y0};
    return out;
}

// The code: "T1", then the payload, then two checksum characters, all in
// the 32 symbols below (digits and capitals without I, L, O and U, which
// read back as 1, 1, 0 or not at all).
//
// The payload is a bit string cut into groups of five, most significant bit
// first: the width less one (4 bits) and the height less one (4 bits) of the
// shape's bounding box, its pieces (12 bits, piece 0 first), then the box's
// cells row by row (1 = in the shape), padded with zero bits to a whole
// group. A box is at most 16 x 16, so the payload holds at most
// 4 + 4 + 12 + 256 = 276 bits, that is ceil(276 / 5) = 56 characters, and a
// code at most 2 + 56 + 2 = 60 characters, whatever the shape. The box is
// the shape's own (its first and last rows and columns hold a cell), so a
// shape has exactly one code and a code one shape.
//
// The checksum is a 10-bit cyclic redundancy check over the payload's bits
// (x^10 + x^9 + x^5 + x^4 + x + 1): it catches every change confined to ten
// consecutive bits, so any one mistyped character and any two neighbours
// swapped.
namespace {

constexpr std::string_view kPrefix = "T1";
constexpr std::string_view kSymbols = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int kHeaderBits = 4 + 4 + 12;
constexpr int kCheckChars = 2;

int CheckOf(const std::vector<int>& symbols) {
    unsigned crc = 0x3FF;
    for (int s : symbols)
        for (int b = 4; b >= 0; --b) {
            const unsigned top = ((crc >> 9) ^ (static_cast<unsigned>(s) >> b)) & 1u;
            crc = (crc << 1) & 0x3FF;
            if (top) crc ^= 0x233;
        }
    return static_cast<int>(crc);
}

int SymbolOf(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O') c = '0';
    if (c == 'I' || c == 'L') c = '1';
    const size_t at = kSymbols.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The bits of a payload, read or written most significant first.
struct Bits {
    std::vector<bool> bits;
    size_t read = 0;
    void Put(unsigned value, int count) {
        for (int b = count - 1; b >= 0; --b) bits.push_back((value >> b) & 1u);
    }
    unsigned Get(int count) {
        unsigned v = 0;
        for (int b = 0; b < count; ++b) v = (v << 1) | (read < bits.size() && bits[read++]);
        return v;
    }
};

}  // namespace

std::string EncodeShape(const BoardShape& shape) {
    Cell corner;
    const Shape box = BoxShapeOf(shape, &corner);
    if (box.Area() == 0) return {};
    Bits bits;
    bits.Put(static_cast<unsigned>(box.Width() - 1), 4);
    bits.Put(static_cast<unsigned>(box.Height() - 1), 4);
    bits.Put(shape.pieces & kAllPieces, 12);
    for (int y = 0; y < box.Height(); ++y)
        for (int x = 0; x < box.Width(); ++x) bits.Put(box.At(x, y), 1);
    std::vector<int> symbols;
    while (bits.read < bits.bits.size()) symbols.push_back(static_cast<int>(bits.Get(5)));
    std::string code(kPrefix);
    for (int s : symbols) code += kSymbols[s];
    const int check = CheckOf(symbols);
    code += kSymbols[check >> 5];
    code += kSymbols[check & 31];
    return code;
}

std::optional<BoardShape> DecodeShape(std::string_view code) {
    std::vector<int> symbols;
    for (char c : code) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '-') continue;
        if (symbols.size() == kMaxCodeLength) return std::nullopt;
        const int s = SymbolOf(c);
        if (s < 0) return std::nullopt;
        symbols.push_back(s);
    }
    const auto prefix = static_cast<std::ptrdiff_t>(kPrefix.size());
    if (symbols.size() < kPrefix.size() + kCheckChars ||
        !std::equal(symbols.begin(), symbols.begin() + prefix, kPrefix.begin(),
                    [](int s, char c) { return SymbolOf(c) == s; }))
        return std::nullopt;
    const std::vector<int> payload(symbols.begin() + prefix, symbols.end() - kCheckChars);
    if (CheckOf(payload) != symbols[symbols.size() - 2] * 32 + symbols.back()) return std::nullopt;

    Bits bits;
    for (int s : payload) bits.Put(static_cast<unsigned>(s), 5);
    const int w = static_cast<int>(bits.Get(4)) + 1, h = static_cast<int>(bits.Get(4)) + 1;
    if (payload.size() != static_cast<size_t>((kHeaderBits + w * h + 4) / 5)) return std::nullopt;
    BoardShape shape;
    shape.pieces = static_cast<PieceSet>(bits.Get(12));
    // Centred as the shipped levels are: the spare columns and rows split
    // evenly, the odd one after the shape.
    const int dx = (kBoard - w) / 2, dy = (kBoard - h) / 2;
    bool top = false, bottom = false, left = false, right = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!bits.Get(1)) continue;
            shape.in[(y + dy) * kBoard + x + dx] = true;
            top = top || y == 0, bottom = bottom || y == h - 1, left = left || x == 0, right = right || x == w - 1;
        }
    // A shape that does not touch every side of its box, or stray padding
    // bits, would give a second code for the same shape.
    if (!(top && bottom && left && right) || bits.Get(5) != 0) return std::nullopt;
    return shape;
}

}  // namespace levels
