#include <algorithm>
#include <cstring>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

using Cells = std::vector<std::pair<int, int>>;  // (column, row), sorted

// The cells of a 5 x 5 grid after m mirrors then t clockwise quarter turns.
Cells Oriented(int p, int m, int t) {
    int g[5][5];
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) g[r][c] = tabPieceShape[p][r][c];
    auto apply = [&](bool turn) {
        int s[5][5];
        std::memcpy(s, g, sizeof s);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c) g[r][c] = turn ? s[4 - c][r] : s[r][4 - c];
    };
    for (int i = 0; i < m; ++i) apply(false);
    for (int i = 0; i < t; ++i) apply(true);
    Cells out;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (g[r][c]) out.emplace_back(c, r);
    std::sort(out.begin(), out.end());
    return out;
}

class WholeLevelTest : public GameTest {
protected:
    // Plays the level's reference solution through the mouse and keys.
    void PlayReferenceSolution(int n) {
        nCurLevel = n;
        SetUpLevel(n);
        nHeldPiece = -1;
        bBoardFull = vbFalse;
        bLevelActive = vbTrue;
        for (int p = 0; p < 12; ++p) {
            Cells target;
            for (int x = 0; x < 16; ++x)
                for (int y = 0; y < 16; ++y)
                    if (tabSolution[x][y] == p) target.emplace_back(x, y);
            if (target.empty()) continue;
            ASSERT_EQ(target.size(), 5u) << "level " << n << " piece " << p;
            std::sort(target.begin(), target.end());
            bool placed = false;
            for (int m = 0; m < 2 && !placed; ++m)
                for (int t = 0; t < 4 && !placed; ++t) {
                    const Cells cells = Oriented(p, m, t);
                    const int dx = target[0].first - cells[0].first;
                    const int dy = target[0].second - cells[0].second;
                    bool same = true;
                    for (size_t i = 0; i < 5; ++i)
                        same = same && cells[i].first + dx == target[i].first &&
                               cells[i].second + dy == target[i].second;
                    if (!same) continue;
                    TakeFromTray(p);
                    ASSERT_EQ(nHeldPiece, p);
                    for (int i = 0; i < m; ++i) Key(plat::vbKeySpace);
                    for (int i = 0; i < t; ++i) Key(plat::vbKeyReturn);
                    // The box centre (2, 2) lands on the cell under the click.
                    const int cx = 2 + dx, cy = 2 + dy;
                    MoveScreen(CellX(cx) + 12, CellY(cy) + 12);
                    ClickScreen(CellX(cx) + 12, CellY(cy) + 12);
                    ASSERT_EQ(nHeldPiece, -1) << "level " << n << " piece " << p << " refused";
                    placed = true;
                }
            ASSERT_TRUE(placed) << "level " << n << " piece " << p << " matches no orientation";
        }
    }
};

}  // namespace

TEST_F(WholeLevelTest, ShippedLevelsAreSolvedByTheirReferenceSolutions) {
    InstallShippedPacks();
    StartGame();
    ASSERT_EQ(nLevelCount, 40);
    for (int n : {0, 12, 26}) {
        form->kvtUt.played.clear();
        PlayReferenceSolution(n);
        EXPECT_TRUE(bBoardFull) << "level " << n;
        EXPECT_FALSE(bLevelActive);
        EXPECT_TRUE(tabLevelDone[static_cast<size_t>(n)]);
        EXPECT_EQ(Sounds().back(), "tessa32d.dat");
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                if (tabSolution[x][y] >= 0) {
                    EXPECT_EQ(tabBoard[x][y], tabSolution[x][y]);
                }
    }
}
