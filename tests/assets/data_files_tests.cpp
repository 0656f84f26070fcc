// The files the build places beside the game (background, sounds, help page)
// and the generator's own output machinery.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <tuple>
#include <string>
#include <vector>

#include "assets/art.h"
#include "platform/utf8.h"
#include "picture.h"

using testpic::Picture;
using testpic::Px;
namespace fs = std::filesystem;

namespace {

const std::string kDir = TESSALOR_DATA_DIR;

bool Plain(const Picture& p, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (!(p.at(x, y) == p.at(x0, y0))) return false;
    return true;
}

}  // namespace

TEST(DataFiles, BackgroundHasPlainLabelPlacesButtonsWithLabelsAndADarkBoard) {
    const Picture bg = testpic::DecodeFile(kDir + "tessa32c.dat");
    ASSERT_EQ(std::pair(bg.w, bg.h), std::pair(720, 488));
    // The game writes the level name and the clock in green over these.
    EXPECT_TRUE(Plain(bg, 128, 419, 91, 35));
    EXPECT_TRUE(Plain(bg, 130, 455, 88, 24));
    EXPECT_LT(bg.at(130, 460).r + bg.at(130, 460).g + bg.at(130, 460).b, 120);
    struct Area { int x, y, w, h; };
    for (const Area a : {Area{230, 418, 261, 24}, Area{230, 452, 126, 24}, Area{367, 452, 125, 25}}) {
        int face = 0, inkLeft = 0, inkRight = 0;
        for (int y = a.y + 3; y < a.y + a.h - 3; ++y)
            for (int x = a.x + 3; x < a.x + a.w - 3; ++x) {
                const Px c = bg.at(x, y);
                face += c.g > 100 && c.r < 90 && c.b < 90;
                if (c.g < 60) (x < a.x + a.w / 2 ? inkLeft : inkRight)++;
            }
        EXPECT_GT(face, (a.w - 6) * (a.h - 6) / 2) << a.x << "," << a.y << ": a button-green face";
        EXPECT_GT(std::min(inkLeft, inkRight), 10) << a.x << "," << a.y << ": a centred label";
    }
    long sum = 0;
    for (int y = 24; y < 408; ++y)
        for (int x = 168; x < 552; ++x) sum += bg.at(x, y).r + bg.at(x, y).g + bg.at(x, y).b;
    EXPECT_LT(sum / (384.0 * 384.0), 120);
}

TEST(DataFiles, SoundsAreShortDistinctAudibleMonoWavFiles) {
    const std::vector<std::string> names{"tessa32d.dat", "tessa32e.dat", "tessa32f.dat",
                                         "tessa32g.dat", "tessa32h.dat", "tessa32i.dat"};
    std::set<std::string> contents;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string wav = testpic::ReadFile(kDir + name);
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
        EXPECT_LT(std::max(std::abs(int(s.front())), std::abs(int(s.back()))), 500) << "no click at the ends";
        contents.insert(wav);
    }
    EXPECT_EQ(contents.size(), names.size());
}

TEST(DataFiles, HelpPageIsUtf8FrenchCoveringTheGame) {
    const std::string html = testpic::ReadFile(kDir + "aidetessalor/aide.htm");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    const auto chars = plat::Utf8Decode(html);  // bad bytes decode as U+FFFD
    EXPECT_EQ(std::count(chars.begin(), chars.end(), U'\uFFFD'), 0);
    for (const char* text : {"Nouvelle partie", "Charger une partie", "Abandonner", "Jouer avec une forme au hasard",
                             "Quitter", "Entrée", "Espace", "Suppr", "droit", ".pnt", "~/.local/share/kvtscore/tessa2002/",
                             "horloge"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
}
