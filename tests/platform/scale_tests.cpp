// The window scale: who wins when several sources say something, what counts
// as a valid value, and positions left of the window rounding down.
#include <gtest/gtest.h>

#include "platform/scale.h"

namespace {

TEST(Scale, PlayerChoiceThenDesktop) {
    struct Case {
        int asked;
        const char *env, *gdk;
        const char* resources;
        int want;
    } cases[] = {
        {0, nullptr, nullptr, "", 1},
        {3, "2", "4", "Xft.dpi:\t192\n", 3},            // --scale wins
        {0, "2", "4", "", 2},                            // then TESSALOR_SCALE
        {0, "9", "4", "", 4},                            // invalid: the next source
        {0, nullptr, "2", "Xft.dpi:\t96\n", 2},          // GDK_SCALE before Xft.dpi
        {0, nullptr, "0", "Xft.antialias:\t1\nXft.dpi:\t144\n", 2},
        {0, nullptr, nullptr, "Xft.dpi:\t120\n", 1},
        {0, "", "2x", "Xft.dpi: junk\n", 1},
        {5, "12", nullptr, "", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::ChooseScale(c.asked, c.env, c.gdk, c.resources), c.want)
            << c.asked << " " << (c.env ? c.env : "-") << " " << (c.gdk ? c.gdk : "-") << " " << c.resources;
}

TEST(Scale, UnscaleRoundsDown) {
    const int cases[][3] = {{0, 2, 0}, {3, 2, 1}, {-1, 2, -1}, {-2, 2, -1}, {-3, 2, -2}, {7, 1, 7}, {-7, 3, -3}};
    for (const auto& c : cases) EXPECT_EQ(plat::Unscale(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

}  // namespace
