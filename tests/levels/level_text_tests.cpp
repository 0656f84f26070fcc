// Tests of the level text format: parsing, errors and round trips.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/level_text.h"

#include <gtest/gtest.h>

#include "levels/level_names.h"

namespace levels {
namespace {

// One level named after table entry `index`, the given rows from row 6 (line 8) on, the rest outside.
std::string Source(size_t index, const std::vector<std::string>& middle) {
    std::string text = std::string(kLevelNames[index]) + "\n";
    for (int y = 0; y < kBoard; ++y) {
        const int k = y - 6;
        text += (k >= 0 && k < static_cast<int>(middle.size()) ? middle[k] : std::string(16, '.')) + "\n";
    }
    return text;
}

// 3 x 5 rectangle of P, U and Y, centred.
const std::vector<std::string> kGood = {"......FFGGG.....", "......FFGHG.....", "......FHHHH....."};

// What the tool's build and dump round trip cannot see: letters to pieces, each level's line, record codes.
TEST(LevelSource, ParsesLettersAndLinesAndWritesRecordCodes) {
    const auto r = ParseSource(Source(0, kGood) + "\n" + Source(1, kGood), "lv.txt");
    ASSERT_TRUE(r.errors.empty()) << r.errors.front();
    ASSERT_EQ(r.levels.size(), 2u);
    EXPECT_EQ(std::tuple(r.levels[1].line, r.levels[0].At(6, 6), PiecesOf(r.levels[0])), std::tuple(19, 4, 0x70u));
    EXPECT_EQ(ToRecord(r.levels[0]).substr(6 * 16 + 5, 3), "AFF");  // 'A' outside, 'B' + piece inside
}

TEST(LevelSource, ErrorsNameTheFileAndLine) {
    struct Case {
        int row;            // the row of kGood to replace, or -1 to append rows
        std::vector<std::string> rows;
        std::string error;  // the first error starts with this
    };
    const std::vector<Case> cases = {
        {1, {"......FFGHG...."}, "lv.txt:9: row 7 has 15 characters, expected 16"},
        {2, {"...z..FHHHH....."}, "lv.txt:10: unknown character 'z' in column 3"},
        {0, {"A.....FFGGG....."}, "lv.txt:8: unknown character 'A'"},  // 'A' is for records only
        {2, {"......FHHH......"}, "lv.txt:9: piece 'H' (Y) covers 4 cells, expected 5"},
        {-1, {"..........H....."}, "lv.txt:9: piece 'H' (Y) covers 6 cells, expected 5"},
        {-1, kGood, "lv.txt:8: piece 'F' (P) used more than once (10 cells)"},
        {0, {"......FFGGGH....", "......FFGHG.....", "......FHHH......"}, "lv.txt:8: cells of 'H' (Y) do not form"},
    };
    for (const Case& c : cases) {
        auto rows = kGood;
        if (c.row < 0) rows.insert(rows.end(), c.rows.begin(), c.rows.end());
        else std::copy(c.rows.begin(), c.rows.end(), rows.begin() + c.row);
        const auto errors = ParseSource(Source(0, rows), "lv.txt").errors;
        ASSERT_FALSE(errors.empty()) << c.error;
        EXPECT_EQ(errors.front().rfind(c.error, 0), 0u) << errors.front();
    }
    std::string cut = std::string(kLevelNames[0]) + "\n";
    for (int y = 0; y < 9; ++y) cut += std::string(16, '.') + "\n";
    EXPECT_EQ(ParseSource(cut + "......", "lv.txt").errors,
              (std::vector<std::string>{"lv.txt:11: row 9 has 6 characters, expected 16",
                                        "lv.txt:11: level \"3 pièces #1\" ends after 10 of 16 rows"}));
}

TEST(VerifyLevels, ChecksNamesCentringAndCount) {
    auto parse = [](const std::string& text) { return ParseSource(text, "lv.txt").levels; };
    EXPECT_TRUE(VerifyLevels(parse(Source(0, kGood)), false).empty());
    auto wrongName = parse(Source(0, kGood));
    wrongName[0].name = "3 pieces #1";
    std::vector<std::string> shifted;
    for (const auto& row : kGood) shifted.push_back(row.substr(3) + "...");
    for (auto [errors, want] : {std::pair{VerifyLevels(wrongName, false), "level 0 is named \"3 pieces #1\""},
                                {VerifyLevels(parse(Source(0, shifted)), false), "not centred"},
                                {VerifyLevels(parse(Source(0, kGood)), true), "only 1 levels"}}) {
        ASSERT_EQ(errors.size(), 1u) << want;
        EXPECT_NE(errors[0].find(want), std::string::npos) << errors[0];
    }
    const Level centred = CentredLevel("x", Tiling{5, 3, std::vector<int>(15, 7)});
    EXPECT_EQ(std::tuple(centred.At(5, 6), centred.At(9, 8), centred.At(4, 6), centred.At(10, 8), centred.At(5, 5)),
              std::tuple(7, 7, -1, -1, -1));
}

}  // namespace
}  // namespace levels
