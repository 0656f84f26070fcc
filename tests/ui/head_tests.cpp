// Tests of the head and the clock above the board.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class HeadTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        form->timerTete.SetEnabled(false);  // ticks are driven by hand here
    }
    // Which frame of the sheet the head shows (its x), or -1.
    int Frame() const {
        for (int k = 0; k < 10; ++k) {
            bool same = true;
            for (int y = 0; y < 64 && same; y += 2)
                for (int x = 0; x < 80 && same; x += 2)
                    same = form->pctTete.Image.At(x, y) == form->pctTeteBase.Image.At(80 * k + x, y);
            if (same) return 80 * k;
        }
        return -1;
    }
    int TickWithCursorAt(int windowX, int windowY) {
        host.screenCursorX = host.windowX + windowX;
        host.screenCursorY = host.windowY + windowY;
        form->timerTete_Timer();
        return Frame();
    }
};

}  // namespace

TEST_F(HeadTest, EyesFollowTheCursorAcrossTheWindow) {
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(TickWithCursorAt(239, 100), 240);
    EXPECT_EQ(TickWithCursorAt(240, 324), 400);
    EXPECT_EQ(TickWithCursorAt(240, 325), 320);
    EXPECT_EQ(TickWithCursorAt(-50, -20), 240);  // left of and above the window
    const std::string clock = form->labTemps.Caption();
    EXPECT_TRUE(clock.size() == 8 && clock[2] == ':' && clock[5] == ':') << clock;
}

TEST_F(HeadTest, DozesAfterSixtyStillTicksAndKeepsAlternating) {
    TickWithCursorAt(100, 100);
    std::vector<int> frames;
    for (int tick = 1; tick <= 71; ++tick) frames.push_back(TickWithCursorAt(100, 100));
    // 60 still ticks draw nothing; counters 60 to 64 and 70 show 80, 65 to 69 show 160.
    EXPECT_EQ(std::vector<int>(frames.begin() + 59, frames.end()),
              (std::vector<int>{240, 80, 80, 80, 80, 80, 160, 160, 160, 160, 160, 80}));
    // Past 1000 the counter restarts at 70.
    form->nIdleTicks = 995;
    frames.clear();
    for (int i = 0; i < 9; ++i) frames.push_back(TickWithCursorAt(100, 100));
    EXPECT_EQ(frames, (std::vector<int>{160, 160, 160, 160, 160, 80, 80, 80, 80}));
    EXPECT_EQ(form->nIdleTicks, 73);
}

TEST_F(HeadTest, ClickShowsTheTongueUntilTheNextDrawingTick) {
    TickWithCursorAt(100, 100);
    host.MouseDown(*form, &form->pctTete, 10, 10);
    Pump();
    EXPECT_EQ(Frame(), 560);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32i.dat"}));
    EXPECT_EQ(TickWithCursorAt(100, 100), 560);  // the cursor rests: nothing drawn
    EXPECT_EQ(TickWithCursorAt(400, 100), 400);
}
