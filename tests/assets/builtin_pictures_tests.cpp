// The pictures built into the program, decoded as the game decodes them.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "assets/art.h"
#include "assets/embedded.h"
#include "board/catalogue.h"
#include "picture.h"
#include "platform/fonts.h"

using testpic::Picture;
using testpic::Px;

namespace {

Picture Load(const assets::Blob& b) { return testpic::Decode(b.data, b.size); }
int Sum(Px c) { return c.r + c.g + c.b; }
Px PieceColour(int p) {
    const auto& d = catalogue::kPieces[static_cast<std::size_t>(p)];
    return {d.r, d.g, d.b, 255};
}
// Pixels of a rectangle that are not exactly `c`.
int CountOther(const Picture& pic, int x0, int y0, int w, int h, Px c) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += !(pic.at(x, y) == c);
    return n;
}

}  // namespace

TEST(BuiltInPictures, HaveTheirSizesAndAreWhatTheGeneratorMakesNow) {
    struct Case {
        const assets::Blob& blob;
        int w, h;
        bool alpha;
    };
    for (const Case& c : {Case{assets::kTileSheet, 408, 48, false}, {assets::kHeadSheet, 800, 64, false},
                          {assets::kAboutPicture, 256, 180, false}, {assets::kHandCursor, 32, 32, true}}) {
        const Picture pic = Load(c.blob);
        EXPECT_EQ(std::tuple(pic.w, pic.h, pic.hasAlpha), std::tuple(c.w, c.h, c.alpha));
        EXPECT_TRUE(c.alpha || std::all_of(pic.px.begin(), pic.px.end(), [](Px p) { return p.a == 255; }));
    }
    // Deterministic output, and the program's copy is current.
    ASSERT_EQ(TTF_Init(), 0);
    const art::FontFiles fonts{plat::FindFontFile("Arial", false), plat::FindFontFile("Arial", true)};
    auto same = [](const std::vector<unsigned char>& made, const assets::Blob& blob) {
        return made.size() == blob.size && std::equal(made.begin(), made.end(), blob.data);
    };
    EXPECT_TRUE(same(art::EncodePng(art::MakeTileSheet(), false), assets::kTileSheet));
    EXPECT_TRUE(same(art::EncodePng(art::MakeHeadSheet(fonts), false), assets::kHeadSheet));
    EXPECT_TRUE(same(art::EncodePng(art::MakeAboutPicture(fonts), false), assets::kAboutPicture));
    EXPECT_TRUE(same(art::EncodePng(art::MakeHandCursor(), true), assets::kHandCursor));
    TTF_Quit();
}

TEST(BuiltInPictures, TileSheetHoldsExactMasksBevelledPiecesAndSolutionCrosses) {
    const Picture sheet = Load(assets::kTileSheet);
    // The AND/OR stamping only works if the two mask tiles are exact in every pixel.
    EXPECT_EQ(CountOther(sheet, 312, 0, 24, 24, {0, 0, 0, 255}), 0);
    EXPECT_EQ(CountOther(sheet, 336, 0, 24, 24, {255, 255, 255, 255}), 0);
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        SCOPED_TRACE(p);
        const Px c = PieceColour(p);
        const int x0 = 24 * p;
        EXPECT_EQ(CountOther(sheet, x0 + 6, 6, 12, 12, c), 0) << "the face is one flat colour";
        for (int i = 0; i < 24; ++i)  // a bevel: every edge pixel darker than the face
            for (const Px e : {sheet.at(x0 + i, 0), sheet.at(x0 + i, 23), sheet.at(x0, i), sheet.at(x0 + 23, i)})
                EXPECT_TRUE(e.r <= c.r && e.g <= c.g && e.b <= c.b && Sum(e) < Sum(c));
        // The solution tile: wood with a cross of both diagonals in the piece colour.
        for (auto [x, y] : {std::pair{11, 11}, {12, 12}, {8, 8}, {15, 8}}) EXPECT_EQ(sheet.at(x0 + x, 24 + y), c);
        for (auto [x, y] : {std::pair{1, 1}, {22, 1}, {1, 22}, {22, 22}, {12, 1}, {1, 12}})
            EXPECT_EQ(sheet.at(x0 + x, 24 + y), sheet.at(384 + x, y));
    }
}

TEST(BuiltInPictures, HeadFramesDifferAndTheCursorPointsFromItsHotSpot) {
    const Picture s = Load(assets::kHeadSheet);
    for (int a = 0; a < 10; ++a) {
        EXPECT_EQ(s.at(80 * a, 63), (Px{0, 42, 0, 255})) << "the window's dark green ground";
        for (int b = a + 1; b < 10; ++b) {
            int differ = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 80; ++x) differ += !(s.at(80 * a + x, y) == s.at(80 * b + x, y));
            EXPECT_GT(differ, 40) << "frames " << a << " and " << b << " look alike";
        }
    }
    const Picture about = Load(assets::kAboutPicture);
    // The "X" button lies at (228, 9), 18 x 18: only the smooth ground there.
    for (int y = 9; y < 27; ++y)
        for (int x = 229; x < 246; ++x) EXPECT_LE(std::abs(about.at(x, y).g - about.at(x - 1, y).g), 3);
    const Picture hand = Load(assets::kHandCursor);
    EXPECT_EQ(hand.at(12, 1).a, 255);
    EXPECT_EQ(hand.at(12, 0).a, 0) << "nothing above the fingertip";
}
