#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {
class SoundTest : public GameTest {};
}

TEST_F(SoundTest, EachSoundSendsTheFullSequenceAndYieldsOnce) {
    StartGame();
    form->kvtUt.log.clear();
    // A click waiting in the queue is handled inside the call, after the 7.
    std::vector<size_t> seenAt;
    form->pctTete.MouseDown = [&](int, int, float, float) { seenAt.push_back(form->kvtUt.log.size()); };
    host.MouseDown(*form, &form->pctTete, 5, 5);
    PlaySound("tessa32e.dat");
    PlaySound("tessa32f.dat");
    const std::vector<std::string> want = {
        "1=7", "5=" + strDataDir + "tessa32e.dat", "1=6",
        "1=7", "5=" + strDataDir + "tessa32f.dat", "1=6"};
    EXPECT_EQ(form->kvtUt.log, want);
    ASSERT_EQ(seenAt.size(), 1u);
    EXPECT_EQ(seenAt[0], 1u);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat", "tessa32f.dat"}));
}
