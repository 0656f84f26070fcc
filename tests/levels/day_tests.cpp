// Tests of the shape of the day: three dates pinned to their shapes, and the weekday.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/day.h"

#include <gtest/gtest.h>

namespace levels {
namespace {

// A change of generator, seed or budget changes these shapes: a player would
// see another shape on the same date than a player of an older version.
TEST(ShapeOfTheDay, IsAFixedFunctionOfTheDate) {
    struct Case {
        int y, m, d, firstRow;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {2027, 3, 1, 4,  // a Monday: 5 pieces
         {"......FF........", "......FF.B......", "......IFMB......", ".....IIIMB......", ".....IMMMB......",
          ".....DDDDB......", "........D......."}},
        {2027, 6, 16, 4,  // a Wednesday: 7 pieces
         {".....J..........", "...JJJ....C.....", "...JBBBBBCCC....", "....DFFMMMC.....", "....DFFMKKK.....",
          "....DF.M.K......", "....DD...K......"}},
        {2027, 10, 31, 4,  // a Sunday: all twelve
         {"...E.FFFD.......", "...E..FFDDDD....", "...EE.BBBBBI....", "...HECKKK.III...", "...HCCCKJJLLI...",
          "...HHCMKJLL.....", "...H..MJJLG.G...", "....MMM...GGG..."}},
    };
    for (const Case& c : cases) {
        const Level level = ShapeOfTheDay(c.y, c.m, c.d);
        std::string expected = "forme du jour\n";
        for (int y = 0; y < kBoard; ++y) {
            const int k = y - c.firstRow;
            expected += (k >= 0 && k < static_cast<int>(c.rows.size()) ? c.rows[k] : std::string(16, '.')) + "\n";
        }
        EXPECT_EQ(FormatSource({level}), expected) << c.y << "-" << c.m << "-" << c.d;
    }
}

TEST(ShapeOfTheDay, WeekdayOfGregorianDates) {
    struct Case {
        int y, m, d, weekday;
    };
    for (const Case c : {Case{2026, 12, 8, 1}, Case{2000, 1, 1, 5}, Case{2024, 2, 29, 3}, Case{2100, 3, 1, 0},
                         Case{1970, 1, 1, 3}})
        EXPECT_EQ(DayOfWeek(c.y, c.m, c.d), c.weekday) << c.y << "-" << c.m << "-" << c.d;
}

}  // namespace
}  // namespace levels
