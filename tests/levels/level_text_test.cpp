#include "levels/level_text.h"

#include <gtest/gtest.h>

#include "app/level_names.h"

namespace levels {
namespace {

// A source for one level named after table entry `index`, rows given
// from row 6 on (line 8 of the text); all other rows outside.
std::string Source(size_t index, const std::vector<std::string>& middle) {
    std::string text = std::string(kLevelNames[index]) + "\n";
    for (int y = 0; y < kBoard; ++y) {
        const int k = y - 6;
        text += (k >= 0 && k < static_cast<int>(middle.size())) ? middle[k] : std::string(16, '.');
        text += "\n";
    }
    return text;
}

// 3x5 rectangle of P, U and Y, centred.
const std::vector<std::string> kGood = {
    "......FFGGG.....",
    "......FFGHG.....",
    "......FHHHH.....",
};

// Parses text that must fail; returns the first error.
std::string FirstError(const std::string& text) {
    const auto r = ParseSource(text, "lv.txt");
    EXPECT_FALSE(r.errors.empty());
    return r.errors.empty() ? "" : r.errors.front();
}

TEST(LevelSource, ParsesAndFormatsBackTheSameText) {
    const std::string text = Source(0, kGood) + "\n" + Source(1, kGood);
    const auto r = ParseSource(text, "lv.txt");
    ASSERT_TRUE(r.errors.empty()) << r.errors.front();
    ASSERT_EQ(r.levels.size(), 2u);
    EXPECT_EQ(r.levels[0].name, kLevelNames[0]);
    EXPECT_EQ(r.levels[1].line, 19);
    EXPECT_EQ(r.levels[0].At(6, 6), 4);   // 'F' is piece 4
    EXPECT_EQ(r.levels[0].At(5, 6), -1);
    EXPECT_EQ(PiecesOf(r.levels[0]), (1u << 4) | (1u << 5) | (1u << 6));
    EXPECT_EQ(FormatSource(r.levels), text);
}

TEST(LevelSource, RecordsUseAOutsideAndBPlusPiece) {
    const auto r = ParseSource(Source(0, kGood), "lv.txt");
    ASSERT_TRUE(r.errors.empty());
    const std::string record = ToRecord(r.levels[0]);
    ASSERT_EQ(record.size(), 256u);
    EXPECT_EQ(record[0], 'A');
    EXPECT_EQ(record[6 * 16 + 6], 'F');
    EXPECT_EQ(record[8 * 16 + 10], 'H');
    Level back;
    std::string error;
    ASSERT_TRUE(FromRecord(record, back, error)) << error;
    EXPECT_EQ(back.cell, r.levels[0].cell);
}

TEST(LevelSource, RecordCodesBelowBAreOutsideAndAboveMAreRejected) {
    std::string record(256, '@');
    record[17] = 'M';
    Level level;
    std::string error;
    ASSERT_TRUE(FromRecord(record, level, error));
    EXPECT_EQ(level.At(1, 1), 11);
    EXPECT_EQ(level.At(0, 0), -1);
    record[40] = 'N';
    EXPECT_FALSE(FromRecord(record, level, error));
    EXPECT_NE(error.find("row 2, column 8"), std::string::npos) << error;
}

TEST(LevelSource, MalformedRowsNameTheirLine) {
    auto rows = kGood;
    rows[1] = "......FFGHG....";  // 15 characters, on line 8
    EXPECT_EQ(FirstError(Source(0, rows)), "lv.txt:9: row 7 has 15 characters, expected 16");

    rows = kGood;
    rows[2][3] = 'z';  // line 10
    EXPECT_EQ(FirstError(Source(0, rows)).rfind("lv.txt:10: unknown character 'z' in column 3", 0), 0u);

    rows = kGood;
    rows[0][0] = 'A';  // 'A' is outside in records, not in sources
    EXPECT_EQ(FirstError(Source(0, rows)).rfind("lv.txt:8: unknown character 'A'", 0), 0u);

    std::string cut = std::string(kLevelNames[0]) + "\n";
    for (int y = 0; y < 9; ++y) cut += std::string(16, '.') + "\n";
    cut += "......";  // the file ends in row 9
    const auto cutErrors = ParseSource(cut, "lv.txt").errors;
    ASSERT_EQ(cutErrors.size(), 2u);
    EXPECT_EQ(cutErrors[0], "lv.txt:11: row 9 has 6 characters, expected 16");
    EXPECT_EQ(cutErrors[1], "lv.txt:11: level \"3 pièces #1\" ends after 10 of 16 rows");

    const auto errs = ParseSource(Source(1, kGood) + "\n" + std::string(kLevelNames[1]) + "\n" +
                                      std::string(16, '.') + "\n", "lv.txt");
    ASSERT_FALSE(errs.errors.empty());
    EXPECT_EQ(errs.errors.front(), "lv.txt:20: level \"3 pièces #2\" ends after 1 of 16 rows");
}

TEST(LevelSource, MalformedPiecesNameTheLineOfTheirFirstCell) {
    auto rows = kGood;
    rows[2][10] = '.';  // Y loses a cell
    EXPECT_EQ(FirstError(Source(0, rows)), "lv.txt:9: piece 'H' (Y) covers 4 cells, expected 5");

    rows = kGood;
    rows.push_back("..........H.....");  // Y gains a sixth cell, first on line 9
    EXPECT_EQ(FirstError(Source(0, rows)), "lv.txt:9: piece 'H' (Y) covers 6 cells, expected 5");

    rows = kGood;
    rows.push_back("......FFGGG.....");
    rows.push_back("......FFGHG.....");
    rows.push_back("......FHHHH.....");
    EXPECT_EQ(FirstError(Source(0, rows)), "lv.txt:8: piece 'F' (P) used more than once (10 cells)");

    rows = kGood;
    rows[0] = "......FFGGGH....";  // Y now has an odd shape: five cells, not a Y
    rows[2] = "......FHHH......";
    EXPECT_EQ(FirstError(Source(0, rows)), "lv.txt:8: cells of 'H' (Y) do not form that pentomino");

    rows = kGood;
    rows[0] = "......FFGGGGG...";  // U as a straight line of five
    rows[1] = "......FF.H......";
    EXPECT_EQ(FirstError(Source(0, rows)).rfind("lv.txt:8: cells of 'G' (U) do not form", 0), 0u);
}

TEST(VerifyLevels, ChecksNamesCentringAndCount) {
    auto parse = [](const std::string& text) { return ParseSource(text, "lv.txt").levels; };
    EXPECT_TRUE(VerifyLevels(parse(Source(0, kGood)), false).empty());

    auto wrongName = parse(Source(0, kGood));
    wrongName[0].name = "3 pieces #1";
    auto errors = VerifyLevels(wrongName, false);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("lv.txt:1: level 0 is named \"3 pieces #1\"", 0), 0u);

    std::vector<std::string> shifted;
    for (const auto& row : kGood) shifted.push_back(row.substr(3) + "...");
    errors = VerifyLevels(parse(Source(0, shifted)), false);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("not centred"), std::string::npos);

    errors = VerifyLevels(parse(Source(0, kGood)), true);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("only 1 levels"), std::string::npos);
}

TEST(CentredLevel, PutsTheShapeInTheMiddle) {
    Tiling t{5, 3, std::vector<int>(15, 7)};
    const Level level = CentredLevel("x", t);
    EXPECT_EQ(level.At(5, 6), 7);
    EXPECT_EQ(level.At(9, 8), 7);
    EXPECT_EQ(level.At(4, 6), -1);
    EXPECT_EQ(level.At(10, 8), -1);
    EXPECT_EQ(level.At(5, 5), -1);
    EXPECT_EQ(level.At(5, 9), -1);
}

TEST(ShapeText, ReadsGridsAndRejectsBadOnes) {
    auto ok = ParseShape("##.\n.##\n", "s.txt");
    ASSERT_TRUE(ok.errors.empty());
    EXPECT_EQ(ok.shape.Width(), 3);
    EXPECT_EQ(ok.shape.Area(), 4);
    EXPECT_FALSE(ok.shape.At(2, 0));

    auto ragged = ParseShape("###\n##\n", "s.txt");
    ASSERT_FALSE(ragged.errors.empty());
    EXPECT_EQ(ragged.errors[0], "s.txt:2: row has 2 characters, the first row 3");

    auto big = ParseShape(std::string(17, '#') + "\n", "s.txt");
    ASSERT_FALSE(big.errors.empty());
    EXPECT_NE(big.errors[0].find("does not fit the 16 x 16 board"), std::string::npos);

    EXPECT_FALSE(ParseShape("...\n", "s.txt").errors.empty());

    PieceSet set = 0;
    EXPECT_TRUE(ParsePieceList("BM", set));
    EXPECT_EQ(set, (1u << 0) | (1u << 11));
    EXPECT_FALSE(ParsePieceList("BN", set));
    EXPECT_FALSE(ParsePieceList("", set));
}

}  // namespace
}  // namespace levels
