// The built-in pictures, sounds and help page, decoded as the game decodes them; their pixels are the golden journeys'.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "assets/art.h"
#include "assets/embedded.h"
#include "base/fonts.h"
#include "platform/utf8.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kDir = TESSALOR_DATA_DIR;
using testing_support::ReadFile;

// A picture as RGBA bytes, row after row.
struct Picture {
    int w = 0, h = 0;
    bool hasAlpha = false;  // the file itself carries an alpha channel
    std::vector<Uint8> rgba;
    int at(int x, int y, int channel) const { return rgba[(static_cast<std::size_t>(y) * w + x) * 4 + channel]; }
};

Picture Load(const assets::Blob& b) {
    Picture pic;
    SDL_Surface* raw = IMG_Load_RW(SDL_RWFromConstMem(b.data, static_cast<int>(b.size)), 1);
    SDL_Surface* s = raw ? SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
    if (!s) return pic;
    pic = {s->w, s->h, raw->format->Amask != 0, {}};
    for (int y = 0; y < s->h; ++y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        pic.rgba.insert(pic.rgba.end(), row, row + 4 * s->w);
    }
    SDL_FreeSurface(s);
    SDL_FreeSurface(raw);
    return pic;
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
                          {assets::kLetterTileSheet, 408, 48, false, art::MakeTileSheet(true)},
                          {assets::kHeadSheet, 800, 64, false, art::MakeHeadSheet(fonts)},
                          {assets::kAboutPicture, 256, 180, false, art::MakeAboutPicture(fonts)},
                          {assets::kHandCursor, 32, 32, true, art::MakeHandCursor()}}) {
        const Picture pic = Load(c.blob);
        // SDL_image's own PNG writer (the Windows build has no libpng) always adds an alpha channel.
        EXPECT_EQ(std::tuple(pic.w, pic.h, pic.hasAlpha), std::tuple(c.w, c.h, c.alpha || kOnWindows));
        // Made again, the picture is the same bytes: the output is deterministic.
        const std::vector<unsigned char> png = art::EncodePng(c.made, c.alpha);
        EXPECT_TRUE(std::equal(png.begin(), png.end(), c.blob.data, c.blob.data + c.blob.size)) << c.w;
    }
    TTF_Quit();
}

TEST(DataFiles, SoundsAreShortDistinctMonoWavFiles) {
    std::set<std::string> contents;
    for (const char* name : {"tessa32d.dat", "tessa32e.dat", "tessa32f.dat", "tessa32g.dat", "tessa32h.dat", "tessa32i.dat"}) {
        SCOPED_TRACE(name);
        const std::string wav = ReadFile(kDir + name);
        SDL_AudioSpec got;
        Uint8* buf = nullptr;
        Uint32 len = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &got, &buf, &len),
                  nullptr) << SDL_GetError();
        EXPECT_EQ(std::tuple(got.freq, got.format, got.channels), std::tuple(22050, AUDIO_S16LSB, Uint8(1)));
        EXPECT_LE(len / 2 / 22050.0, 1.6) << "short";
        SDL_FreeWAV(buf);
        contents.insert(wav);
    }
    EXPECT_EQ(contents.size(), 6u);
}

TEST(DataFiles, HelpPageIsUtf8) {
    const std::string html = ReadFile(kDir + "aidetessalor/aide.htm");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    const auto chars = plat::Utf8Decode(html);  // bad bytes decode as U+FFFD
    EXPECT_EQ(std::count(chars.begin(), chars.end(), U'\uFFFD'), 0);
}

TEST(DataFiles, WindowsIconHoldsEveryIconSizeAsItsPng) {
    // Windows finds each image by the directory's size, length and offset.
    const std::string ico = ReadFile(kDir + "icons/tessalor.ico");
    auto u16 = [&ico](std::size_t at) { return static_cast<unsigned char>(ico[at]) | static_cast<unsigned char>(ico[at + 1]) << 8; };
    auto u32 = [&](std::size_t at) { return static_cast<std::size_t>(u16(at)) | static_cast<std::size_t>(u16(at + 2)) << 16; };
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(u16(2), 1);
    const int sizes[] = {16, 32, 48, 64, 128, 256};
    ASSERT_EQ(u16(4), static_cast<int>(std::size(sizes)));
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const std::size_t entry = 6 + 16 * i, length = u32(entry + 8), offset = u32(entry + 12);
        EXPECT_EQ(static_cast<unsigned char>(ico[entry]), sizes[i] & 0xFF) << sizes[i];
        ASSERT_LE(offset + length, ico.size()) << sizes[i];
        EXPECT_EQ(ico.substr(offset, length),
                  ReadFile(kDir + "icons/tessalor-" + std::to_string(sizes[i]) + ".png")) << sizes[i];
    }
}
