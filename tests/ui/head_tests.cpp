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
    // Which frame of the sheet the head shows, or -1.
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
    void CursorAt(int windowX, int windowY) {
        host.screenCursorX = host.windowX + windowX;
        host.screenCursorY = host.windowY + windowY;
    }
};

}  // namespace

TEST_F(HeadTest, EyesFollowTheCursorAcrossTheWindow) {
    EXPECT_EQ(Frame(), 0);
    CursorAt(239, 100);
    form->timerTete_Timer();
    EXPECT_EQ(Frame(), 240);
    CursorAt(240, 324);
    form->timerTete_Timer();
    EXPECT_EQ(Frame(), 400);
    CursorAt(240, 325);
    form->timerTete_Timer();
    EXPECT_EQ(Frame(), 320);
    CursorAt(-50, -20);  // left of and above the window
    form->timerTete_Timer();
    EXPECT_EQ(Frame(), 240);
    // The clock shows the time of day.
    const std::string clock = form->labTemps.Caption();
    ASSERT_EQ(clock.size(), 8u);
    EXPECT_EQ(clock[2], ':');
    EXPECT_EQ(clock[5], ':');
}

TEST_F(HeadTest, DozesAfterSixtyStillTicksAndKeepsAlternating) {
    CursorAt(100, 100);
    form->timerTete_Timer();  // moved: watching
    std::vector<int> frames;
    for (int tick = 1; tick <= 75; ++tick) {
        form->timerTete_Timer();
        frames.push_back(Frame());
    }
    EXPECT_EQ(frames[59], 240);  // 60 still ticks draw nothing
    EXPECT_EQ(frames[60], 80);   // counter 60
    EXPECT_EQ(frames[65], 160);  // counters 65 to 69
    EXPECT_EQ(frames[69], 160);
    EXPECT_EQ(frames[70], 80);   // 70 again
    // Past 1000 the counter restarts at 70: frame 80 for six ticks in a row.
    form->nIdleTicks = 995;
    std::vector<int> wrap;
    for (int i = 0; i < 9; ++i) {
        form->timerTete_Timer();
        wrap.push_back(Frame());
    }
    // counters 995..999 (r = 5..9: 160), 1000 (80), then 70..72 (80)
    EXPECT_EQ(wrap, (std::vector<int>{160, 160, 160, 160, 160, 80, 80, 80, 80}));
    EXPECT_EQ(form->nIdleTicks, 73);
}

TEST_F(HeadTest, ClickShowsTheTongueUntilTheNextDrawingTick) {
    CursorAt(100, 100);
    form->timerTete_Timer();
    host.MouseDown(*form, &form->pctTete, 10, 10);
    Pump();
    EXPECT_EQ(Frame(), 560);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32i.dat"}));
    form->timerTete_Timer();  // the cursor rests: nothing drawn
    EXPECT_EQ(Frame(), 560);
    CursorAt(400, 100);
    form->timerTete_Timer();
    EXPECT_EQ(Frame(), 400);
}
