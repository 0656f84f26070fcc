// The generator's own machinery: drawing, PNG output, atomic writes, determinism.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <cmath>
#include <filesystem>

#include "assets/art.h"
#include "assets/embedded.h"
#include "assets/output.h"
#include "assets/sounds.h"
#include "picture.h"
#include "platform/fonts.h"

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("tessalor-assets-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
}

}  // namespace

TEST(WriteFileAtomic, ReplacesContentAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = (dir.path() / "sub" / "aide.htm").string();
    ASSERT_TRUE(art::WriteFileAtomic(path, "first version, longer"));
    ASSERT_TRUE(art::WriteFileAtomic(path, "second"));
    EXPECT_EQ(testpic::ReadFile(path), "second");
    EXPECT_EQ(Listing(dir.path() / "sub"), std::vector<std::string>{"aide.htm"});
}

TEST(WriteFileAtomic, FailsCleanlyWhereNoFileCanBeMade) {
    TempDir dir;
    ASSERT_TRUE(art::WriteFileAtomic((dir.path() / "plain").string(), "x"));
    // A regular file in the way of a directory.
    EXPECT_FALSE(art::WriteFileAtomic((dir.path() / "plain" / "inner.dat").string(), "y"));
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"plain"});
    EXPECT_EQ(testpic::ReadFile((dir.path() / "plain").string()), "x");
}

TEST(EncodePng, RoundTripsEveryPixelWithAndWithoutAlpha) {
    art::Image img(37, 11);
    for (int y = 0; y < img.h(); ++y)
        for (int x = 0; x < img.w(); ++x)
            img.at(x, y) = {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 23),
                            static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(255 - x * 6)};
    for (bool alpha : {true, false}) {
        SCOPED_TRACE(alpha);
        const auto png = art::EncodePng(img, alpha);
        const testpic::Picture pic = testpic::Decode(png.data(), png.size());
        ASSERT_EQ(pic.w, 37);
        ASSERT_EQ(pic.h, 11);
        EXPECT_EQ(pic.hasAlpha, alpha);
        for (int y = 0; y < img.h(); ++y)
            for (int x = 0; x < img.w(); ++x) {
                const art::Rgba c = img.at(x, y);
                ASSERT_EQ(pic.at(x, y), (testpic::Px{c.r, c.g, c.b, alpha ? c.a : 255})) << x << "," << y;
            }
    }
}

TEST(Generator, BuiltInPicturesAreWhatTheGeneratorMakesNow) {
    // Same bytes twice and the same bytes as the build embedded: the output is
    // deterministic and the program's copy is current.
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

