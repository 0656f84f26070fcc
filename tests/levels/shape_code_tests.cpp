// Tests of shape codes: round trips, the length bound, broken codes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/shape_code.h"

#include <gtest/gtest.h>

namespace levels {
namespace {

// Cells given as rows of '#' from (x, y) on.
BoardShape Drawn(int x, int y, const std::vector<std::string>& rows, PieceSet pieces) {
    BoardShape s;
    s.pieces = pieces;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] == '#') s.in[(y + r) * kBoard + x + c] = true;
    return s;
}

// The code forgets where the shape lay, keeps its cells and pieces, and
// stays within 60 characters even for the largest boxes.
TEST(ShapeCode, RoundTripsCentredWithinTheBound) {
    const std::string full16(16, '#');
    std::vector<std::string> board(16, full16), checker(16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) checker[y] += (x + y) % 2 ? '.' : '#';
    struct Case {
        BoardShape drawn, centred;
        size_t length;
    };
    const std::vector<Case> cases = {
        {Drawn(0, 0, {"#"}, 0), Drawn(7, 7, {"#"}, 0), 9},
        {Drawn(1, 2, {"#####", "#####", "#####", "#####"}, 0x0F0), Drawn(5, 6, {"#####", "#####", "#####", "#####"}, 0x0F0), 12},
        {Drawn(9, 12, {".#.", "###", ".#."}, 0x002), Drawn(6, 6, {".#.", "###", ".#."}, 0x002), 10},
        {Drawn(0, 3, {"##########", "#........#", "##########"}, kAllPieces), Drawn(3, 6, {"##########", "#........#", "##########"}, kAllPieces), 14},
        {Drawn(0, 0, board, kAllPieces), Drawn(0, 0, board, kAllPieces), kMaxCodeLength},
        {Drawn(0, 0, checker, 0x801), Drawn(0, 0, checker, 0x801), kMaxCodeLength},
        {Drawn(0, 0, {full16, "#", full16}, 0x555), Drawn(0, 6, {full16, "#", full16}, 0x555), 18},
    };
    for (const Case& c : cases) {
        const std::string code = EncodeShape(c.drawn);
        EXPECT_EQ(code.size(), c.length) << code;
        EXPECT_EQ(code.find_first_not_of("0123456789ABCDEFGHJKMNPQRSTVWXYZ"), std::string::npos) << code;
        EXPECT_EQ(DecodeShape(code), c.centred) << code;
        EXPECT_EQ(EncodeShape(c.centred), code);
    }
    EXPECT_EQ(EncodeShape({}), "");
}

TEST(ShapeCode, ReadsWhatChatDoesToItAndRefusesBrokenCodes) {
    const std::string code = EncodeShape(Drawn(3, 3, {"###", "#.#", "###", "#.."}, 0x3C0));
    std::string lower = code;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string spaced = code;
    spaced.insert(7, "\r\n").insert(4, "-").insert(0, " ").push_back(' ');
    for (const std::string& same : {lower, spaced}) EXPECT_EQ(DecodeShape(same), DecodeShape(code)) << same;
    std::string misread = code;  // O and I typed for the digits
    for (char& c : misread) c = c == '0' ? 'O' : c == '1' ? 'I' : c;
    EXPECT_EQ(DecodeShape(misread), DecodeShape(code)) << misread;
    ASSERT_TRUE(DecodeShape(code));

    auto with = [&](size_t at, char c) { std::string s = code; s[at] = c; return s; };
    std::vector<std::string> broken = {
        "", "T1", "-- \n", "X" + code.substr(1), "T2" + code.substr(2), code.substr(0, code.size() - 1),
        code + "0", code.substr(0, 4) + code.substr(5), with(2, code[2] == 'Z' ? 'Y' : 'Z'), with(6, 'U'),
        with(5, '!'), with(code.size() - 1, code.back() == '0' ? '1' : '0'), code + std::string(60, 'A'),
        std::string(code.begin(), code.begin() + 2) + code.substr(3, 1) + code.substr(2, 1) + code.substr(4),
    };
    for (const std::string& b : broken) EXPECT_FALSE(DecodeShape(b)) << '"' << b << '"';

    // Payloads whose checksum is right but which are no shape's code: a 1 x 1
    // box with no cell, a 2 x 1 box with one cell, a padding bit set. The
    // single cell's payload is the control: one checksum of the 1024 fits.
    const std::string symbols = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (const auto& [body, valid] : std::vector<std::pair<std::string, int>>{
             {"T10000G", 1}, {"T100000", 0}, {"T12000G", 0}, {"T10000H", 0}}) {
        int accepted = 0;
        for (char a : symbols)
            for (char b : symbols) accepted += DecodeShape(body + a + b).has_value();
        EXPECT_EQ(accepted, valid) << body;
    }
}

}  // namespace
}  // namespace levels
