#include <gtest/gtest.h>

#include <string>

#include "platform/fonts.h"
#include "platform/text.h"

using namespace plat;

namespace {

Font Arial(double size, bool bold = false) { return Font{"Arial", size, bold}; }

bool HaveFont() { return !FindFontFile("Arial", false).empty(); }

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) s += (i ? " " : "") + lines[i];
    return s;
}

}  // namespace

TEST(TextMetrics, PointsAreMeasuredAt96Dpi) {
    if (FindFontFile("Arial", false).find("Liberation") == std::string::npos)
        GTEST_SKIP() << "metrics below are those of Liberation Sans";
    // 12 pt is a 16 px em: Liberation Sans at 16 px is 18 high with a 19 px line skip.
    EXPECT_EQ(FontHeight(Arial(12)), 18);
    EXPECT_EQ(LineHeight(Arial(12)), 19);
    EXPECT_LT(FontHeight(Arial(8.25)), FontHeight(Arial(9.75)));
    EXPECT_LT(FontHeight(Arial(9.75)), FontHeight(Arial(12)));
    EXPECT_LT(FontHeight(Arial(12)), FontHeight(Arial(15.75)));
}

TEST(WrapText, KeepsEveryLineWithinTheWidth) {
    if (!HaveFont()) GTEST_SKIP() << "no font";
    const std::string text =
        "Tous les niveaux de cette partie ont été effectués. Choisissez une autre partie.";
    const auto lines = WrapText(Arial(12), text, 235);
    ASSERT_GE(lines.size(), 2u);
    for (const auto& l : lines) {
        EXPECT_LE(TextWidth(Arial(12), l), 235) << l;
        EXPECT_FALSE(l.empty());
        EXPECT_NE(l.front(), ' ') << l;
    }
    EXPECT_EQ(Join(lines), text);
    // Greedy: the next word would not have fitted on any line.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
        EXPECT_GT(TextWidth(Arial(12), lines[i] + " " + next), 235) << lines[i];
    }
}

TEST(WrapText, SplitsAtLineBreaks) {
    if (!HaveFont()) GTEST_SKIP() << "no font";
    EXPECT_EQ(WrapText(Arial(9.75), "Ligne un\r\nLigne deux", 1000),
              (std::vector<std::string>{"Ligne un", "Ligne deux"}));
    EXPECT_EQ(WrapText(Arial(9.75), "un\ndeux", 1000), (std::vector<std::string>{"un", "deux"}));
    EXPECT_EQ(WrapText(Arial(9.75), "haut\r\n\r\nbas", 1000),
              (std::vector<std::string>{"haut", "", "bas"}));
    EXPECT_TRUE(WrapText(Arial(9.75), "", 1000).empty());
}

TEST(WrapText, LongWordStaysWholeOnItsOwnLine) {
    if (!HaveFont()) GTEST_SKIP() << "no font";
    const auto lines = WrapText(Arial(12), "un anticonstitutionnellement de", 60);
    EXPECT_EQ(lines, (std::vector<std::string>{"un", "anticonstitutionnellement", "de"}));
    EXPECT_GT(TextWidth(Arial(12), lines[1]), 60);
}

TEST(DrawTextLine, PaintsInTheGivenColourOnlyInsideClip) {
    if (!HaveFont()) GTEST_SKIP() << "no font";
    const std::uint32_t back = Pixel(10, 20, 30);
    Surface s(200, 40, back);
    const Rect clip{20, 0, 40, 40};
    DrawTextLine(s, clip, 0, 5, Arial(15.75, true), "MMMMMMMMMMMM", RGB(255, 0, 0));

    int changed = 0, solid = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const std::uint32_t p = s.At(x, y);
            if (p == back) continue;
            ASSERT_TRUE(clip.Contains(x, y)) << x << "," << y;
            ++changed;
            // Blending towards red never lowers red nor raises green and blue.
            EXPECT_GE(p >> 16, 10u);
            EXPECT_LE((p >> 8) & 0xFF, 20u);
            EXPECT_LE(p & 0xFF, 30u);
            if (p == Pixel(255, 0, 0)) ++solid;
        }
    EXPECT_GT(changed, 50);
    EXPECT_GT(solid, 10) << "the stems of M are fully covered";
}

TEST(DrawTextLine, ClipsAtTheSurfaceEdges) {
    if (!HaveFont()) GTEST_SKIP() << "no font";
    Surface s(30, 10, 0);
    // Partly above and left of the surface, clip larger than it.
    DrawTextLine(s, Rect{-50, -50, 500, 500}, -7, -6, Arial(12), "Wagon", RGB(255, 255, 255));
    DrawTextLine(s, Rect{0, 0, 30, 10}, 25, 4, Arial(12), "Wagon", RGB(255, 255, 255));
    bool any = false;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) any |= s.At(x, y) != 0;
    EXPECT_TRUE(any);
    Surface empty;
    DrawTextLine(empty, Rect{0, 0, 10, 10}, 0, 0, Arial(12), "x", 0);
}

