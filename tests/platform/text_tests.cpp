#include <gtest/gtest.h>

#include <string>

#include "platform/fonts.h"
#include "platform/text.h"

using namespace plat;

namespace {

Font Arial(double size, bool bold = false) { return Font{"Arial", size, bold}; }

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindFontFile("Arial", false).empty()) GTEST_SKIP() << "no font";
    }
};

}  // namespace

TEST_F(TextTest, PointsAreMeasuredAt96Dpi) {
    if (FindFontFile("Arial", false).find("Liberation") == std::string::npos)
        GTEST_SKIP() << "metrics below are those of Liberation Sans";
    // 12 pt is a 16 px em: Liberation Sans at 16 px is 18 high with a 19 px line skip.
    EXPECT_EQ(FontHeight(Arial(12)), 18);
    EXPECT_EQ(LineHeight(Arial(12)), 19);
    EXPECT_LT(FontHeight(Arial(8.25)), FontHeight(Arial(15.75)));
}

TEST_F(TextTest, WrapIsGreedyWithinTheWidthAndKeepsBreaksAndLongWords) {
    const std::string text = "Tous les niveaux de cette partie ont été effectués. Choisissez une autre partie.";
    const auto lines = WrapText(Arial(12), text, 235);
    ASSERT_GE(lines.size(), 2u);
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        joined += (i ? " " : "") + lines[i];
        EXPECT_LE(TextWidth(Arial(12), lines[i]), 235) << lines[i];
        EXPECT_NE(lines[i].front(), ' ') << lines[i];
        if (i + 1 < lines.size()) {  // the next word would not have fitted
            EXPECT_GT(TextWidth(Arial(12), lines[i] + " " + lines[i + 1].substr(0, lines[i + 1].find(' '))), 235);
        }
    }
    EXPECT_EQ(joined, text);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapText(Arial(9.75), "haut\r\n\r\nbas", 1000), (Lines{"haut", "", "bas"}));
    EXPECT_EQ(WrapText(Arial(9.75), "un\ndeux", 1000), (Lines{"un", "deux"}));
    EXPECT_TRUE(WrapText(Arial(9.75), "", 1000).empty());
    EXPECT_EQ(WrapText(Arial(12), "un anticonstitutionnellement de", 60),
              (Lines{"un", "anticonstitutionnellement", "de"}));
}

TEST_F(TextTest, DrawingBlendsTheColourOnlyInsideTheClipAndTheSurface) {
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
            EXPECT_TRUE(p >> 16 >= 10u && ((p >> 8) & 0xFF) <= 20u && (p & 0xFF) <= 30u) << std::hex << p;
            solid += p == Pixel(255, 0, 0);
        }
    EXPECT_GT(changed, 50);
    EXPECT_GT(solid, 10) << "the stems of M are fully covered";
    Surface tiny(30, 10, 0);  // partly above and left of the surface, clip larger than it
    DrawTextLine(tiny, Rect{-50, -50, 500, 500}, -7, -6, Arial(12), "Wagon", RGB(255, 255, 255));
    DrawTextLine(tiny, Rect{0, 0, 30, 10}, 25, 4, Arial(12), "Wagon", RGB(255, 255, 255));
    EXPECT_NE(tiny, Surface(30, 10, 0));
    Surface empty;
    DrawTextLine(empty, Rect{0, 0, 10, 10}, 0, 0, Arial(12), "x", 0);
}
