// Tests of surfaces and their block copies.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/scale.h"
#include "platform/surface.h"

using namespace plat;

namespace {

Surface Numbered(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.Row(y)[x] = static_cast<std::uint32_t>(y * 1000 + x);
    return s;
}

}  // namespace

// Each copy changes only its clipped rectangle, which it records for presenting.
TEST(BlockCopy, ClipsAgainstBothSurfacesOnEverySideAndRecordsWhatChanged) {
    const Surface src = Numbered(10, 10);
    struct Case {
        int dx, dy, w, h, sx, sy;
        int inX, inY, fromX, fromY;  // a copied pixel and where it came from
        Rect changed;
    };
    for (const Case& c : {Case{-2, -3, 5, 5, 1, 1, 0, 0, 3, 4, {0, 0, 3, 2}},   // off the left and top
                          Case{4, 4, 5, 5, 0, 0, 5, 5, 1, 1, {4, 4, 2, 2}},     // off the right and bottom
                          Case{0, 0, 4, 4, -2, 8, 2, 0, 0, 8, {2, 0, 2, 2}}}) {  // the source starts outside
        Surface dst(6, 6, 7);
        dst.TakeDirty();
        BitBlt(dst, c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, SRCCOPY);
        EXPECT_EQ(dst.At(c.inX, c.inY), src.At(c.fromX, c.fromY)) << c.dx << "," << c.sx;
        EXPECT_EQ(dst.TakeDirty(), std::vector<Rect>{c.changed}) << c.dx << "," << c.sx;
        dst.Fill(c.changed, 7);
        EXPECT_EQ(dst, Surface(6, 6, 7)) << c.dx << "," << c.sx;
    }
    Surface dst(6, 6, 7);  // entirely outside: nothing changes, nothing is read out of bounds
    BitBlt(dst, 100, 0, 4, 4, src, 0, 0, SRCCOPY);
    BitBlt(dst, 0, 0, 4, 4, src, 50, 50, SRCCOPY);
    EXPECT_EQ(dst, Surface(6, 6, 7));
    Surface s = Numbered(5, 5);  // overlapping copy within one surface
    BitBlt(s, 0, 1, 5, 4, s, 0, 0, SRCCOPY);
    EXPECT_EQ(s.At(3, 4), 3003u);
}

// The window scale: which source wins, what counts as a valid value, and
// the fit to the screen's usable area (W x H, 0 x 0 unknown) that lowers the
// desktop's wish but never the player's choice, which is then said too large.
TEST(Scale, PlayerChoiceThenDesktopFittingTheScreen) {
    struct Case {
        int asked;
        const char *env, *gdk;
        const char* resources;
        int w, h, want;
        bool tooLarge;
    } cases[] = {
        {0, nullptr, nullptr, "", 0, 0, 1, false},
        {3, "2", "4", "Xft.dpi:\t192\n", 0, 0, 3, false},            // --scale wins
        {0, "2", "4", "", 0, 0, 2, false},                            // then TESSALOR_SCALE
        {0, "9", "4", "", 0, 0, 4, false},                            // invalid: the next source
        {0, nullptr, "2", "Xft.dpi:\t96\n", 0, 0, 2, false},          // GDK_SCALE before Xft.dpi
        {0, nullptr, "0", "Xft.antialias:\t1\nXft.dpi:\t144\n", 0, 0, 2, false},
        {0, nullptr, nullptr, "Xft.dpi:\t120\n", 0, 0, 1, false},
        {0, "", "2x", "Xft.dpi: junk\n", 0, 0, 1, false},
        {5, "12", nullptr, "", 0, 0, 1, false},
        {0, nullptr, nullptr, "Xft.dpi:\t192\n", 1280, 1024, 1, false},  // 1440 x 976 would be cut
        {0, nullptr, nullptr, "Xft.dpi:\t144\n", 1440, 976, 2, false},   // just fits
        {0, nullptr, nullptr, "Xft.dpi:\t144\n", 1440, 975, 1, false},
        {0, nullptr, "4", "", 2560, 1600, 3, false},                   // the largest that fits, not above
        {0, nullptr, nullptr, "Xft.dpi:\t192\n", 600, 400, 1, false},    // not even 1 fits: 1
        {3, nullptr, nullptr, "", 1280, 1024, 3, true},                // the player's choice stays
        {0, "2", nullptr, "", 1280, 1024, 2, true},
    };
    for (const Case& c : cases) {
        bool tooLarge = !c.tooLarge;
        EXPECT_EQ(ChooseFittingScale(c.asked, c.env, c.gdk, c.resources, c.w, c.h, &tooLarge), c.want)
            << c.asked << " " << (c.env ? c.env : "-") << " " << (c.gdk ? c.gdk : "-") << " " << c.resources << c.w;
        EXPECT_EQ(tooLarge, c.tooLarge) << c.asked << " " << c.w << "x" << c.h;
    }
}

TEST(Scale, UnscaleRoundsDownLeftOfTheWindow) {
    const int cases[][3] = {{3, 2, 1}, {-1, 2, -1}, {-2, 2, -1}, {-3, 2, -2}, {-7, 3, -3}};
    for (const auto& c : cases) EXPECT_EQ(Unscale(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

// Catches: a full screen scaled past the screen's height, off centre, one
// that refuses a screen smaller than the game, and a pointer mapped without
// the offset or rounded towards it (the first board cell's edge, form x 168).
TEST(Scale, FullScreenPlacesTheGameAndMapsThePointerBack) {
    const struct { int w, h; Placement want; } screens[] = {
        {1920, 1080, {2, 240, 52}}, {3840, 2160, {4, 480, 104}}, {1440, 976, {2, 0, 0}},
        {1366, 768, {1, 323, 140}}, {640, 480, {1, -40, -4}},
    };
    for (const auto& c : screens) EXPECT_EQ(FitOnScreen(c.w, c.h, kWindowWidth, kWindowHeight), c.want) << c.w << "x" << c.h;
    const Placement p = FitOnScreen(1920, 1080, kWindowWidth, kWindowHeight);
    const int points[][2] = {{240 + 2 * 168, 168}, {239 + 2 * 168, 167}, {241, 0}, {239, -1}, {238, -1}, {237, -2}};
    for (const auto& c : points) EXPECT_EQ(FormPixel(c[0], p.x, p.scale), c[1]) << c[0];
}
