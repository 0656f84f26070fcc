// The pictures built into the program and the files the build places beside
// it (background, sounds, help page), decoded as the game decodes them.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "assets/art.h"
#include "assets/embedded.h"
#include "board/catalogue.h"
#include "platform/fonts.h"
#include "platform/utf8.h"

namespace {

const std::string kDir = TESSALOR_DATA_DIR;

struct Px {
    int r, g, b, a;
    bool operator==(const Px&) const = default;
};

struct Picture {
    int w = 0, h = 0;
    bool hasAlpha = false;  // the file itself carries an alpha channel
    std::vector<Px> px;
    Px at(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

Picture Decode(const unsigned char* data, std::size_t size) {
    Picture pic;
    SDL_Surface* raw = IMG_Load_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    if (!raw) return pic;
    pic.hasAlpha = raw->format->Amask != 0;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    if (!s) return pic;
    pic.w = s->w, pic.h = s->h;
    for (int y = 0; y < s->h; ++y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w; ++x) pic.px.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
    }
    SDL_FreeSurface(s);
    return pic;
}
Picture Load(const assets::Blob& b) { return Decode(b.data, b.size); }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
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
    ASSERT_EQ(TTF_Init(), 0);
    const art::FontFiles fonts{plat::FindFontFile("Arial", false), plat::FindFontFile("Arial", true)};
    struct Case {
        const assets::Blob& blob;
        int w, h;
        bool alpha;
        art::Image made;
    };
    for (const Case& c : {Case{assets::kTileSheet, 408, 48, false, art::MakeTileSheet()},
                          {assets::kHeadSheet, 800, 64, false, art::MakeHeadSheet(fonts)},
                          {assets::kAboutPicture, 256, 180, false, art::MakeAboutPicture(fonts)},
                          {assets::kHandCursor, 32, 32, true, art::MakeHandCursor()}}) {
        const Picture pic = Load(c.blob);
        EXPECT_EQ(std::tuple(pic.w, pic.h, pic.hasAlpha), std::tuple(c.w, c.h, c.alpha));
        EXPECT_TRUE(c.alpha || std::all_of(pic.px.begin(), pic.px.end(), [](Px p) { return p.a == 255; }));
        // Made again, the picture is the same bytes: the output is deterministic.
        const std::vector<unsigned char> png = art::EncodePng(c.made, c.alpha);
        EXPECT_TRUE(std::equal(png.begin(), png.end(), c.blob.data, c.blob.data + c.blob.size)) << c.w;
    }
    TTF_Quit();
}

TEST(BuiltInPictures, TileSheetHoldsExactMasksFlatPiecesAndSolutionCrosses) {
    const Picture sheet = Load(assets::kTileSheet);
    // The AND/OR stamping only works if the two mask tiles are exact in every pixel.
    EXPECT_EQ(CountOther(sheet, 312, 0, 24, 24, {0, 0, 0, 255}), 0);
    EXPECT_EQ(CountOther(sheet, 336, 0, 24, 24, {255, 255, 255, 255}), 0);
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        SCOPED_TRACE(p);
        const auto& d = catalogue::kPieces[static_cast<std::size_t>(p)];
        const Px c{d.r, d.g, d.b, 255};
        const int x0 = 24 * p;
        EXPECT_EQ(CountOther(sheet, x0 + 6, 6, 12, 12, c), 0) << "the face is one flat colour";
        // The solution tile: wood with a cross of both diagonals in the piece colour.
        for (auto [x, y] : {std::pair{11, 11}, {12, 12}, {8, 8}, {15, 8}}) EXPECT_EQ(sheet.at(x0 + x, 24 + y), c);
        for (auto [x, y] : {std::pair{1, 1}, {22, 1}, {1, 22}, {22, 22}, {12, 1}, {1, 12}})
            EXPECT_EQ(sheet.at(x0 + x, 24 + y), sheet.at(384 + x, y));
    }
}

TEST(BuiltInPictures, HeadFramesDifferAndTheAboutCloseButtonIsClear) {
    const Picture s = Load(assets::kHeadSheet);
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b) {
            int differ = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 80; ++x) differ += !(s.at(80 * a + x, y) == s.at(80 * b + x, y));
            EXPECT_GT(differ, 40) << "frames " << a << " and " << b << " look alike";
        }
    const Picture about = Load(assets::kAboutPicture);
    // The "X" button lies at (228, 9), 18 x 18: only the smooth ground there.
    for (int y = 9; y < 27; ++y)
        for (int x = 229; x < 246; ++x) EXPECT_LE(std::abs(about.at(x, y).g - about.at(x - 1, y).g), 3);
}

TEST(DataFiles, BackgroundHasPlainDarkPlacesForTheGameToWriteOn) {
    const std::string file = ReadFile(kDir + "tessa32c.dat");
    const Picture bg = Decode(reinterpret_cast<const unsigned char*>(file.data()), file.size());
    ASSERT_EQ(std::pair(bg.w, bg.h), std::pair(720, 488));
    // The game writes the level name and the clock in green over these.
    for (const auto& [x0, y0, w, h] : {std::tuple{128, 419, 91, 35}, {130, 455, 88, 24}}) {
        EXPECT_EQ(CountOther(bg, x0, y0, w, h, bg.at(x0, y0)), 0) << x0 << "," << y0;
        EXPECT_LT(bg.at(x0, y0).r + bg.at(x0, y0).g + bg.at(x0, y0).b, 120);
    }
}

TEST(DataFiles, SoundsAreShortDistinctAudibleMonoWavFiles) {
    const std::vector<std::string> names{"tessa32d.dat", "tessa32e.dat", "tessa32f.dat",
                                         "tessa32g.dat", "tessa32h.dat", "tessa32i.dat"};
    std::set<std::string> contents;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string wav = ReadFile(kDir + name);
        SDL_AudioSpec got;
        Uint8* buf = nullptr;
        Uint32 len = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &got, &buf, &len),
                  nullptr) << SDL_GetError();
        EXPECT_EQ(std::tuple(got.freq, got.format, got.channels), std::tuple(22050, AUDIO_S16LSB, Uint8(1)));
        std::vector<std::int16_t> s(len / 2);
        std::memcpy(s.data(), buf, s.size() * 2);
        SDL_FreeWAV(buf);
        ASSERT_FALSE(s.empty());
        EXPECT_LE(s.size() / 22050.0, 1.6) << "short";
        int peak = 0;
        for (auto v : s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_TRUE(peak > 8000 && peak < 32767) << "audible, not clipped: " << peak;
        contents.insert(wav);
    }
    EXPECT_EQ(contents.size(), names.size());
}

TEST(DataFiles, HelpPageIsUtf8) {
    const std::string html = ReadFile(kDir + "aidetessalor/aide.htm");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    const auto chars = plat::Utf8Decode(html);  // bad bytes decode as U+FFFD
    EXPECT_FALSE(chars.empty());
    EXPECT_EQ(std::count(chars.begin(), chars.end(), U'\uFFFD'), 0);
}
