// The player's shapes file: what a text loads, what a bad block costs, what adding and removing keep.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "flow/own_shapes.h"

using modTessa::ParseOwnShapes;

namespace {

// A small good block: B, F and H fill a 15-cell shape.
std::string Block(const std::string& name, char last = 'H') {
    std::string rows[16];
    for (auto& r : rows) r = std::string(16, '.');
    rows[5] = ".....B..........";
    rows[6] = ".....BF.........";
    rows[7] = ".....BFF........";
    rows[8] = ".....BFFH.......";
    rows[9] = ".....BHHHH......";
    rows[9][9] = last;
    std::string out = name + "\n";
    for (auto& r : rows) out += r + "\n";
    return out;
}

std::vector<std::string> Names(const modTessa::OwnShapes& s) {
    std::vector<std::string> names;
    for (const auto& l : s.levels) names.push_back(l.name);
    return names;
}

}  // namespace

// Catches: a bad block taking good neighbours with it, an error at the wrong
// line, two levels without a blank line between them lost, CRLF refused,
// empty shapes or unreadable names let through.
TEST(OwnShapes, ContentsGiveShapesAndErrors) {
    const std::string bad = Block("trou", 'C');  // H with four cells, C with one
    std::string empty = "vide\n";
    for (int row = 0; row < 16; ++row) empty += std::string(16, '.') + "\n";
    struct Case {
        std::string text;
        std::vector<std::string> names;
        std::vector<std::string> errorsAt;  // "f:LINE:" of each error
    } cases[] = {
        {"", {}, {}},
        {Block("a") + "\n" + Block("b"), {"a", "b"}, {}},
        {Block("a") + Block("b"), {"a", "b"}, {}},
        {"\n\n" + Block("a") + "\n" + bad + "\n" + Block("c"), {"a", "c"}, {"f:31:"}},
        {Block("a").substr(0, 60) + "\n\n" + Block("b"), {"b"}, {"f:5:"}},
        {empty, {}, {"f:1:"}},
        {Block("\x01z") + "\n" + Block("\xff"), {}, {"f:1:", "f:19:"}},
    };
    for (const Case& c : cases) {
        const auto got = ParseOwnShapes(c.text, "f");
        EXPECT_EQ(Names(got), c.names) << c.text;
        ASSERT_EQ(got.errors.size(), c.errorsAt.size()) << c.text;
        for (size_t i = 0; i < c.errorsAt.size(); ++i)
            EXPECT_EQ(got.errors[i].rfind(c.errorsAt[i], 0), 0u) << got.errors[i];
    }
    std::string crlf = Block("a");
    for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) crlf.insert(at, "\r");
    EXPECT_EQ(Names(ParseOwnShapes(crlf, "f")), std::vector<std::string>{"a"});
}

// Catches: a rewrite dropping or altering a bad block or a neighbour, the
// wrong shape removed among same names, a shape that shared its block
// joined to a bad neighbour and lost with it, a shape that would not read
// back accepted.
TEST(OwnShapes, AddingAndRemovingKeepEveryOtherByte) {
    const std::string junk = "du texte\nqui n'est pas une forme\n";
    const std::string text = Block("a") + "\n" + junk + "\n" + Block("b") + "\n" + Block("a", 'C');
    auto a = ParseOwnShapes(Block("a"), "f").levels.at(0);
    const auto without = modTessa::WithoutOwnShape(text, a);
    ASSERT_TRUE(without);
    EXPECT_EQ(*without, junk + "\n" + Block("b") + "\n" + Block("a", 'C'));
    auto b = ParseOwnShapes(Block("b"), "f").levels.at(0);
    EXPECT_EQ(*modTessa::WithoutOwnShape(*without, b), junk + "\n" + Block("a", 'C'));
    EXPECT_FALSE(modTessa::WithoutOwnShape(junk, a));
    // Two shapes in one block beside a bad block: removing either leaves the
    // other in a block of its own, not joined to the bad one.
    const std::string shared = junk + "\n" + Block("a") + Block("b") + "\n" + junk;
    EXPECT_EQ(*modTessa::WithoutOwnShape(shared, a), junk + "\n" + Block("b") + "\n" + junk);
    EXPECT_EQ(*modTessa::WithoutOwnShape(shared, b), junk + "\n" + Block("a") + "\n" + junk);

    b.name = "nouvelle";
    EXPECT_EQ(*modTessa::WithOwnShape(junk, b), junk + "\n" + Block("nouvelle"));
    EXPECT_EQ(*modTessa::WithOwnShape("", b), Block("nouvelle"));
    for (const std::string name : {"", "deux\nlignes", "\x7f"}) {
        b.name = name;
        EXPECT_FALSE(modTessa::WithOwnShape(junk, b)) << name;
    }
    b.name = "x";
    b.cell.fill(-1);
    EXPECT_FALSE(modTessa::WithOwnShape(junk, b));
}
