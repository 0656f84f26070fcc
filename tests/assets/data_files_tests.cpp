// The files the build places beside the game: background, sounds, help page.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "picture.h"

using testpic::Picture;
using testpic::Px;

namespace {

const std::string kDir = TESSALOR_DATA_DIR;

// Every pixel of the rectangle has the same colour.
bool Plain(const Picture& p, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (!(p.at(x, y) == p.at(x0, y0))) return false;
    return true;
}

std::uint32_t U32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}
std::uint16_t U16(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8);
}

std::vector<std::int16_t> Samples(const std::string& wav) {
    std::vector<std::int16_t> out((wav.size() - 44) / 2);
    std::memcpy(out.data(), wav.data() + 44, out.size() * 2);
    return out;
}

}  // namespace

TEST(Background, IsTheWindowPictureWithPlainPlacesForTheLabels) {
    const Picture bg = testpic::DecodeFile(kDir + "tessa32c.dat");
    ASSERT_EQ(bg.w, 720);
    ASSERT_EQ(bg.h, 488);
    // The game writes the level name and the clock in green over these.
    EXPECT_TRUE(Plain(bg, 128, 419, 91, 35));
    EXPECT_TRUE(Plain(bg, 130, 455, 88, 24));
    const Px label = bg.at(130, 460);
    EXPECT_LT(label.r + label.g + label.b, 120) << "green text needs a dark ground";
}

TEST(Background, ButtonsAreDrawnWithTheirLabelsWhereTheClickAreasAre) {
    const Picture bg = testpic::DecodeFile(kDir + "tessa32c.dat");
    ASSERT_EQ(bg.w, 720);
    struct Area { int x, y, w, h; };
    for (const Area a : {Area{230, 418, 261, 24}, Area{230, 452, 126, 24}, Area{367, 452, 125, 25}}) {
        SCOPED_TRACE(a.x + 1000 * a.y);
        int face = 0, ink = 0, inkLeft = 0, inkRight = 0;
        for (int y = a.y + 3; y < a.y + a.h - 3; ++y)
            for (int x = a.x + 3; x < a.x + a.w - 3; ++x) {
                const Px c = bg.at(x, y);
                face += c.g > 100 && c.r < 90 && c.b < 90;
                if (c.g < 60) {
                    ++ink;
                    (x < a.x + a.w / 2 ? inkLeft : inkRight)++;
                }
            }
        EXPECT_GT(face, (a.w - 6) * (a.h - 6) / 2) << "a button-green face";
        EXPECT_GT(ink, 30) << "a label";
        EXPECT_GT(inkLeft, ink / 4) << "centred label";
        EXPECT_GT(inkRight, ink / 4) << "centred label";
    }
}

TEST(Background, BoardIsDarkSoTheWoodCellsStandOut) {
    const Picture bg = testpic::DecodeFile(kDir + "tessa32c.dat");
    ASSERT_EQ(bg.w, 720);
    long sum = 0;
    for (int y = 24; y < 408; ++y)
        for (int x = 168; x < 552; ++x) sum += bg.at(x, y).r + bg.at(x, y).g + bg.at(x, y).b;
    EXPECT_LT(sum / (384.0 * 384.0), 120);
}

TEST(Sounds, AreShortDistinctPcmWavFiles) {
    // Upper and lower bounds on each sound's length, in seconds.
    const std::map<std::string, std::pair<double, double>> sounds{
        {"tessa32d.dat", {0.9, 1.6}},  {"tessa32e.dat", {0.03, 0.3}}, {"tessa32f.dat", {0.03, 0.3}},
        {"tessa32g.dat", {0.01, 0.15}}, {"tessa32h.dat", {0.5, 1.2}},  {"tessa32i.dat", {0.15, 0.8}},
    };
    std::set<std::string> contents;
    for (const auto& [name, range] : sounds) {
        SCOPED_TRACE(name);
        const std::string wav = testpic::ReadFile(kDir + name);
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(U32(wav, 4), wav.size() - 8);
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(U32(wav, 16), 16u);
        EXPECT_EQ(U16(wav, 20), 1) << "PCM";
        EXPECT_EQ(U16(wav, 22), 1) << "mono";
        EXPECT_EQ(U32(wav, 24), 22050u);
        EXPECT_EQ(U32(wav, 28), 44100u);
        EXPECT_EQ(U16(wav, 32), 2);
        EXPECT_EQ(U16(wav, 34), 16);
        EXPECT_EQ(wav.substr(36, 4), "data");
        EXPECT_EQ(U32(wav, 40), wav.size() - 44);

        // SDL reads it the way the game's mixer will.
        SDL_AudioSpec got;
        Uint8* buf = nullptr;
        Uint32 len = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &got, &buf, &len),
                  nullptr)
            << SDL_GetError();
        EXPECT_EQ(got.freq, 22050);
        EXPECT_EQ(got.format, AUDIO_S16LSB);
        EXPECT_EQ(got.channels, 1);
        SDL_FreeWAV(buf);

        const auto s = Samples(wav);
        const double seconds = s.size() / 22050.0;
        EXPECT_GE(seconds, range.first);
        EXPECT_LE(seconds, range.second);
        int peak = 0;
        for (auto v : s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 8000) << "audible";
        EXPECT_LT(peak, 32767) << "not clipped";
        EXPECT_LT(std::abs(int(s.front())), 500) << "starts without a click";
        EXPECT_LT(std::abs(int(s.back())), 500) << "ends without a click";
        contents.insert(wav);
    }
    EXPECT_EQ(contents.size(), sounds.size());
}

namespace {

bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size()) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

// Open and close tags pair up (void elements aside); returns the first problem.
std::string TagProblem(const std::string& html) {
    static const std::set<std::string> kVoid{"meta", "br", "img", "link", "hr", "input"};
    std::vector<std::string> open;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        if (html.compare(at, 2, "<!") == 0) continue;
        const bool closing = html[at + 1] == '/';
        std::size_t b = at + (closing ? 2 : 1), e = b;
        while (e < html.size() && std::isalnum(static_cast<unsigned char>(html[e]))) ++e;
        const std::string tag = html.substr(b, e - b);
        if (tag.empty()) return "stray < at " + std::to_string(at);
        if (kVoid.count(tag)) continue;
        if (!closing) {
            open.push_back(tag);
        } else if (open.empty() || open.back() != tag) {
            return "</" + tag + "> does not close <" + (open.empty() ? "" : open.back()) + ">";
        } else {
            open.pop_back();
        }
    }
    return open.empty() ? "" : "<" + open.back() + "> is never closed";
}

}  // namespace

TEST(HelpPage, IsAWellFormedFrenchPageCoveringTheGame) {
    const std::string html = testpic::ReadFile(kDir + "aidetessalor/aide.htm");
    ASSERT_FALSE(html.empty());
    EXPECT_TRUE(ValidUtf8(html));
    EXPECT_NE(html.find("<html"), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(TagProblem(html), "");
    for (const char* text : {"Nouvelle partie", "Charger une partie", "Abandonner", "Jouer avec une forme au hasard",
                             "Quitter", "Entrée", "Espace", "Suppr", "droit", ".pnt",
                             "~/.local/share/kvtscore/tessa2002/", "horloge"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
}

