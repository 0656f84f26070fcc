// The board on screen: a set-up paints the shape and the tray in one refresh.
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class SetUpTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        // I, L and X (pieces 0, 2, 1) side by side.
        WritePack(dataDir / "tessa320.dat", MakeRecord({"BDD.C", "B.DCCC", "B.D.C", "B.D", "B"}, 3, 5));
        StartGame();
    }
    std::uint32_t Wood() const { return form->pctBrique.Image.At(384 + 12, 12); }
    std::uint32_t At(int x, int y) const { return form->pctEcran.Image.At(CellX(x) + 12, CellY(y) + 12); }
};

}  // namespace

TEST_F(SetUpTest, PaintsTheShapeInWoodAndTheTrayInOneRefresh) {
    const int presents = host.PresentCount(*form);
    form->SetUpLevel(0);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            EXPECT_EQ(At(x, y), B().tabBoard[x][y] == rules::Empty ? Wood()
                                                                  : form->backgroundPicture.At(CellX(x) + 12, CellY(y) + 36));
    EXPECT_EQ(Screen().At(676, 156), form->pctBrique.Image.At(12, 12));  // the I in colour
    EXPECT_EQ(Screen().At(44, 84), 0u);                                   // the N black
    // The same level again gives the same picture.
    const plat::Surface first = Screen();
    form->SetUpLevel(0);
    EXPECT_TRUE(Screen() == first);
}
