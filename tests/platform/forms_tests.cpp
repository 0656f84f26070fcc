// Tests of the forms runtime: controls, events, timers and modal forms.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/text.h"

using namespace plat;

namespace {

class RuntimeTest : public ::testing::Test {
protected:
    HeadlessHost host;
    void SetUp() override { SetHost(&host); }
    void TearDown() override { SetHost(nullptr); }
};

struct TwoButtons : Form {
    Label a{"a"}, b{"b"};
    int clicksA = 0, clicksB = 0;
    TwoButtons() : Form("two") {
        Move(0, 0, 200, 100);
        a.Move(10, 10, 50, 20);
        b.Move(100, 10, 50, 20);
        Add(a);
        Add(b);
        a.Click = [this] { ++clicksA; };
        b.Click = [this] { ++clicksB; };
    }
};

Font Arial(double size, bool bold = false) { return Font{"Arial", size, bold}; }

}  // namespace

TEST_F(RuntimeTest, ClickNeedsALeftPressAndReleaseOnTheSameControlOfAnEnabledForm) {
    TwoButtons f;
    f.Show();
    std::vector<std::pair<int, float>> moves;
    f.a.MouseMove = [&](int buttons, int, float x, float) { moves.emplace_back(buttons, x); };
    host.Click(f, &f.a, 5, 5);
    host.MouseDown(f, &f.a, 5, 5);
    host.MouseMove(f, nullptr, 120, 15, vbLeftButton);  // over b, but a holds the mouse
    host.MouseUp(f, nullptr, 120, 15);                  // released over b: no click
    host.MouseMove(f, nullptr, 120, 15);                // free again: b's, not a's
    host.Click(f, &f.b, 5, 5, vbRightButton);           // only the left button clicks
    DoEvents();
    EXPECT_EQ(f.clicksA, 1);
    EXPECT_EQ(f.clicksB, 0);
    EXPECT_EQ(moves, (std::vector<std::pair<int, float>>{{vbLeftButton, 110.0f}}));
    f.SetEnabled(false);  // a disabled form takes no input but still paints
    f.a.SetBackColor(RGB(255, 0, 0));
    host.Click(f, &f.a, 5, 5);
    DoEvents();
    EXPECT_EQ(f.clicksA, 1);
    EXPECT_EQ(host.Frame(f).At(15, 15), Pixel(255, 0, 0));
}

TEST_F(RuntimeTest, ModalFormBlocksOthersAndReturnsWhenHidden) {
    TwoButtons main, dialog;
    main.Show();
    dialog.Owner = &main;
    int step = 0;
    dialog.b.Click = [&] { dialog.Hide(); };
    host.OnIdle = [&] {
        if (step == 0) host.Click(main, &main.a, 5, 5);  // ignored
        else if (step == 1) host.Click(dialog, &dialog.a, 5, 5);
        else if (step == 2) host.Click(dialog, &dialog.b, 5, 5);
        ++step;
    };
    dialog.ShowModal();
    host.OnIdle = nullptr;
    EXPECT_EQ(main.clicksA, 0);
    EXPECT_EQ(dialog.clicksA, 1);
    EXPECT_FALSE(host.IsShown(dialog));
    host.Click(main, &main.a, 5, 5);
    DoEvents();
    EXPECT_EQ(main.clicksA, 1);
    host.QuitRequest();  // quit unwinds from any depth
    EXPECT_THROW(DoEvents(), ProgramEnd);
}

TEST_F(RuntimeTest, TimersTickOnTheirPeriod) {
    Timer t;
    t.Interval = 300;
    int ticks = 0;
    t.Tick = [&] { ++ticks; };
    t.SetEnabled(true);
    for (double start = Now(); Now() - start < 1.0;) WaitEvents();
    EXPECT_EQ(ticks, 3);
}

TEST(Text, WrapIsGreedyWithinTheWidthAndKeepsBreaksAndLongWords) {
    const std::string text = "Tous les niveaux de cette partie ont été effectués. Choisissez une autre partie.";
    const auto lines = WrapText(Arial(12), text, 235);
    std::string joined = lines.at(0);
    for (size_t i = 1; i < lines.size(); ++i) {
        joined += " " + lines[i];
        EXPECT_LE(TextWidth(Arial(12), lines[i]), 235) << lines[i];
        // The line before could not have taken this one's first word.
        EXPECT_GT(TextWidth(Arial(12), lines[i - 1] + " " + lines[i].substr(0, lines[i].find(' '))), 235);
    }
    EXPECT_EQ(joined, text);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapText(Arial(9.75), "haut\r\n\r\nbas\nfin", 1000), (Lines{"haut", "", "bas", "fin"}));
    EXPECT_TRUE(WrapText(Arial(9.75), "", 1000).empty());
    EXPECT_EQ(WrapText(Arial(12), "un anticonstitutionnellement de", 60),
              (Lines{"un", "anticonstitutionnellement", "de"}));
}

TEST(Text, DrawingStaysInsideTheClipAndTheSurface) {
    const std::uint32_t back = Pixel(10, 20, 30);
    Surface s(200, 40, back);
    const Rect clip{20, 0, 40, 40};
    DrawTextLine(s, clip, 0, 5, Arial(15.75, true), "MMMMMMMMMMMM", RGB(255, 0, 0));
    int changed = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.At(x, y) != back) {
                ASSERT_TRUE(clip.Contains(x, y)) << x << "," << y;
                ++changed;
            }
    EXPECT_GT(changed, 50);
    Surface tiny(30, 10, 0);  // partly above and left of the surface, clip larger than it
    DrawTextLine(tiny, Rect{-50, -50, 500, 500}, -7, -6, Arial(12), "Wagon", RGB(255, 255, 255));
    DrawTextLine(tiny, Rect{0, 0, 30, 10}, 25, 4, Arial(12), "Wagon", RGB(255, 255, 255));
    EXPECT_NE(tiny, Surface(30, 10, 0));
    Surface empty;
    DrawTextLine(empty, Rect{0, 0, 10, 10}, 0, 0, Arial(12), "x", 0);
}
