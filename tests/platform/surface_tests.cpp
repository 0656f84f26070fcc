#include <gtest/gtest.h>

#include "platform/region.h"
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

TEST(BlockCopy, RasterOperationsCombineWithTheDestination) {
    Surface dst(4, 1, 0x00F0F0F0);
    Surface src(4, 1, 0x000FF00F);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, SRCCOPY);
    BitBlt(dst, 1, 0, 1, 1, src, 0, 0, SRCAND);
    BitBlt(dst, 2, 0, 1, 1, src, 0, 0, SRCPAINT);
    EXPECT_EQ(dst.At(0, 0), 0x000FF00Fu);
    EXPECT_EQ(dst.At(1, 0), 0x0000F000u);
    EXPECT_EQ(dst.At(2, 0), 0x00FFF0FFu);
    EXPECT_EQ(dst.At(3, 0), 0x00F0F0F0u);
}

TEST(BlockCopy, ClipsAgainstBothSurfacesOnEverySide) {
    const Surface src = Numbered(10, 10);
    // A copy hanging off the destination's left and top edges.
    Surface dst(6, 6, 7);
    BitBlt(dst, -2, -3, 5, 5, src, 1, 1, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), src.At(3, 4));
    EXPECT_EQ(dst.At(2, 1), src.At(5, 5));
    EXPECT_EQ(dst.At(3, 0), 7u);
    EXPECT_EQ(dst.At(0, 2), 7u);
    // Off the right and bottom edges.
    Surface dst2(6, 6, 7);
    BitBlt(dst2, 4, 4, 5, 5, src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst2.At(5, 5), src.At(1, 1));
    EXPECT_EQ(dst2.At(3, 5), 7u);
    // A source rectangle that starts outside its surface.
    Surface dst3(6, 6, 7);
    BitBlt(dst3, 0, 0, 4, 4, src, -2, 8, SRCCOPY);
    EXPECT_EQ(dst3.At(2, 0), src.At(0, 8));
    EXPECT_EQ(dst3.At(3, 1), src.At(1, 9));
    EXPECT_EQ(dst3.At(1, 0), 7u);
    EXPECT_EQ(dst3.At(2, 2), 7u);
    // Entirely outside: nothing changes and nothing is read out of bounds.
    Surface dst4(6, 6, 7);
    BitBlt(dst4, 100, 0, 4, 4, src, 0, 0, SRCCOPY);
    BitBlt(dst4, 0, 0, 4, 4, src, 50, 50, SRCCOPY);
    EXPECT_EQ(dst4, Surface(6, 6, 7));
}

TEST(BlockCopy, OverlappingCopyWithinOneSurface) {
    Surface s = Numbered(5, 5);
    const Surface before = s;
    BitBlt(s, 0, 1, 5, 4, s, 0, 0, SRCCOPY);
    for (int y = 1; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(s.At(x, y), before.At(x, y - 1));
}

TEST(BlockCopy, RecordsWhatChangedForPresenting) {
    Surface dst(100, 100);
    dst.TakeDirty();
    const Surface src(10, 10, 1);
    BitBlt(dst, 95, 95, 10, 10, src, 0, 0, SRCCOPY);
    BitBlt(dst, 0, 0, 10, 10, src, 0, 0, SRCCOPY);
    auto dirty = dst.TakeDirty();
    ASSERT_EQ(dirty.size(), 2u);
    EXPECT_EQ(dirty[0], (Rect{95, 95, 5, 5}));
    EXPECT_EQ(dirty[1], (Rect{0, 0, 10, 10}));
    EXPECT_TRUE(dst.TakeDirty().empty());
}

TEST(StretchCopy, ShrinkingDropsRowsAndColumnsWithoutBlending) {
    Surface src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.Row(y)[x] = (x + y) % 2 ? 0x00FFFFFF : 0;
    Surface dst(2, 2, 5);
    StretchBlt(dst, 0, 0, 2, 2, src, 0, 0, 4, 4, SRCCOPY);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            const auto v = dst.At(x, y);
            EXPECT_TRUE(v == 0 || v == 0x00FFFFFF) << "blended pixel " << v;
        }
    // 80 x 64 into 76 x 60: every destination pixel is some source pixel.
    Surface big(80, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 80; ++x) big.Row(y)[x] = static_cast<std::uint32_t>(y * 100 + x);
    Surface head(80, 64, 0xABCDEF);
    StretchBlt(head, 2, 4, 76, 60, big, 0, 0, 80, 64, SRCCOPY);
    EXPECT_EQ(head.At(0, 0), 0xABCDEFu);
    EXPECT_EQ(head.At(1, 63), 0xABCDEFu);
    EXPECT_EQ(head.At(78, 63), 0xABCDEFu);
    EXPECT_EQ(head.At(2, 4), big.At(0, 0));
    EXPECT_EQ(head.At(77, 63), big.At(78, 62));  // a column and rows were dropped
}

TEST(Outline, RoundedRectanglesAndTheirUnion) {
    Region a = CreateRoundRectRgn(0, 0, 720, 440, 96, 96);
    const Region b = CreateRoundRectRgn(0, 0, 552, 488, 96, 96);
    CombineRgn(a, a, b, RGN_OR);
    // Cut corners.
    EXPECT_FALSE(a.Contains(0, 0));
    EXPECT_FALSE(a.Contains(719, 0));
    EXPECT_FALSE(a.Contains(719, 439));
    EXPECT_FALSE(a.Contains(0, 487));
    EXPECT_FALSE(a.Contains(551, 487));
    // Inside near the corners, and the square inner corner of the tab.
    EXPECT_TRUE(a.Contains(48, 2));
    EXPECT_TRUE(a.Contains(20, 20));
    EXPECT_TRUE(a.Contains(551, 440));
    EXPECT_TRUE(a.Contains(552, 439));
    EXPECT_FALSE(a.Contains(552, 440));
    // Bounds are exclusive.
    EXPECT_FALSE(a.Contains(720, 200));
    EXPECT_FALSE(a.Contains(300, 488));
    const auto mask = a.Mask(720, 488);
    EXPECT_EQ(mask[200 * 720 + 719], 1);
    EXPECT_EQ(mask[0], 0);
}
