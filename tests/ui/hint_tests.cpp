// F2 on the headless host: the verdict, then five marked cells that keep the
// board finishable or the fault; board changes restart and drop stale answers.
// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef _WIN32
#include <poll.h>
#endif

#include <chrono>
#include <thread>

#include "levels/hint.h"
#include "tests/support/dialog_script.h"

using namespace testing_support;

namespace {

// I on top of U, P and N filling a 5 x 4 rectangle; `lone` adds a cell apart.
std::string Record(bool lone) {
    return MakeRecord({"BBBBB", "GGFFF", "GEEFF", "GGEEE", ".....", lone ? "G...." : "....."});
}

class HintTest : public ScriptedTest {
protected:
    void Start(bool lone) {
        WritePack(dataDir / "tessa320.dat", Record(lone));
        StartGame();
        BeginLevel();
        Script({});  // alerts are answered and noted
    }
    bool Shows(int x, int y, int sx, int sy) {
        for (int j = 0; j < 24; ++j)
            for (int i = 0; i < 24; ++i)
                if (Screen().At(CellX(x) + i, CellY(y) + j) != form->pctBrique.Image.At(sx + i, sy + j)) return false;
        return true;
    }
    // Cells showing a piece's solution mark, and that piece.
    std::vector<levels::Cell> Marked(int& piece) {
        std::vector<levels::Cell> cells;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                for (int p = 0; p < 12; ++p)
                    if (Shows(x, y, 24 * p, 24)) cells.push_back({x, y}), piece = p;
        return cells;
    }
};

constexpr const char* kCan = "Cette forme peut encore être remplie avec les pièces qui restent.";
// I on top or below, each over the four mirror images of one 3 x 5 tiling.
const std::string kEight = std::string(kCan) + "\r\nIl reste 8 façons de la finir.";
constexpr const char* kCannot = "Cette forme ne peut plus être remplie avec les pièces qui restent.";

}  // namespace

TEST_F(HintTest, VerdictThenFiveCellsThatKeepTheBoardFinishableOrTheFault) {
    struct Case {
        bool lone;
        int held;  // piece in the hand, or -1
        std::vector<std::string> alerts;
    } cases[] = {{false, -1, {kEight}},
                 {false, 4, {kEight}},
                 {true, -1, {kCannot, "Une partie vide de la forme ne peut pas être remplie : sa taille n'est pas un multiple de 5."}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        Start(c.lone);
        if (c.held >= 0) TakeFromTray(c.held);
        Key(plat::vbKeyF2);
        Key(plat::vbKeyF2);
        MoveScreen(CellX(2), CellY(2));  // a drag over the marks keeps them
        MoveScreen(CellX(10), CellY(12));
        EXPECT_EQ(alerts, c.alerts);
        int piece = -1;
        const std::vector<levels::Cell> cells = Marked(piece);
        ASSERT_EQ(cells.size(), c.lone ? 0u : 5u);
        EXPECT_TRUE(c.held < 0 || piece == c.held) << piece;
        levels::HintBoard next;
        levels::PieceSet left = 0;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y) next.Set(x, y, B().tabBoard[x][y]);
        for (levels::Cell cell : cells) next.Set(cell.x, cell.y, piece);
        for (int p : {0, 3, 4, 5})
            if (p != piece) left |= static_cast<levels::PieceSet>(1 << p);
        EXPECT_TRUE(c.lone || levels::FindHint(next, left).verdict == levels::HintVerdict::Solvable);
        form.reset();
        alerts.clear();
    }
}

TEST_F(HintTest, ABoardChangeClearsTheMarksRestartsAndDropsTheStaleAnswer) {
    Start(false);
    Key(plat::vbKeyF2);
    Key(plat::vbKeyF2);
    TakeFromTray(0);
    Key(plat::vbKeyReturn);  // I lies flat
    ClickScreen(CellX(2) + 12, CellY(3) + 12);  // not where the hint puts it
    ASSERT_EQ(B().tabBoard[4][3], 0);
    int piece = -1;
    EXPECT_TRUE(Marked(piece).empty());
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 3; ++y) EXPECT_TRUE(Shows(x, y, 384, 0)) << x << "," << y;  // wood again
    Key(plat::vbKeyF2);  // the ladder starts again: a verdict
    // An answer still on its way when the board changes is never shown.
    host.KeyDown(*form, plat::vbKeyF2);
    host.Click(*form, &form->pctEcran, CellX(2) + 12, CellY(3) + 12);  // takes I back
    Pump();
    EXPECT_EQ(alerts, (std::vector<std::string>{kEight, std::string(kCan) + "\r\nIl reste 4 façons de la finir."}));
    EXPECT_TRUE(Marked(piece).empty());
}

#ifndef _WIN32
// The real worker thread behind F2: the answer comes back through Post and the wake; a cancel racing it, the quit
// question or the abandon drops it.
TEST_F(HintTest, OnTheWorkerThreadAnAnswerShowsOnlyWhenNothingCameBetween) {
    plat::Worker worker;
    host.worker = &worker;
    Start(false);
    // Waits for the worker's post; `handle`: runs it.
    const auto arrives = [&](bool handle = true) {
        pollfd p{worker.WakeFd(), POLLIN, 0};
        ASSERT_EQ(poll(&p, 1, 10000), 1);
        worker.DrainWake();
        if (handle) Pump();
    };
    // F2 with the worker held back until it is pressed, so that no answer is handled before the test acts.
    std::atomic<bool> go{false};
    const auto f2 = [&] {
        go = false;
        worker.Run([&] {
            while (!go) std::this_thread::yield();
        });
        Key(plat::vbKeyF2);
        go = true;
    };
    Key(plat::vbKeyF2);
    arrives();
    EXPECT_EQ(alerts, std::vector<std::string>{kEight});
    int piece = -1;
    for (int i = 0; i < 40; ++i) {  // the five cells asked for, and cancelled at once or a little later
        f2();
        std::this_thread::sleep_for(std::chrono::microseconds(i * 20));
        form->CancelHint();
        arrives();
        ASSERT_TRUE(Marked(piece).empty()) << i;
    }
    for (int command : {kMenuQuit, kMenuAbandon}) {  // "Quitter", answered NON; "Abandonner"
        f2();
        arrives(false);
        Script({On("frmMess", [&](Dialog& d) { Press(d, 1); })});
        form->ShowMenu();
        host.Click(*form, &form->labMenu[static_cast<size_t>(command)], 5, 5);
        Pump();
        EXPECT_TRUE(Marked(piece).empty()) << command;
    }
    EXPECT_EQ(alerts, std::vector<std::string>{kEight});
    EXPECT_FALSE(S().bLevelActive);  // abandoned, never answered
    worker.Stop();
    host.worker = nullptr;
}
#endif
