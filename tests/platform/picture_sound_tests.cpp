#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/surface.h"

using namespace plat;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "tessalor-pict-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    // A 3x2 picture with a different colour in every pixel, as SDL sees it.
    static SDL_Surface* Sample(Uint8 alpha = 255) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
        const Uint32 px[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFEDCBA, 0x808080};
        for (int y = 0; y < 2; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
            for (int x = 0; x < 3; ++x) row[x] = (Uint32(alpha) << 24) | px[y * 3 + x];
        }
        return s;
    }
    static void ExpectSample(const Surface& p) {
        ASSERT_EQ(p.Width(), 3);
        ASSERT_EQ(p.Height(), 2);
        EXPECT_EQ(p.At(0, 0), Pixel(255, 0, 0));
        EXPECT_EQ(p.At(1, 0), Pixel(0, 255, 0));
        EXPECT_EQ(p.At(2, 0), Pixel(0, 0, 255));
        EXPECT_EQ(p.At(0, 1), Pixel(0x12, 0x34, 0x56));
        EXPECT_EQ(p.At(1, 1), Pixel(0xFE, 0xDC, 0xBA));
        EXPECT_EQ(p.At(2, 1), Pixel(0x80, 0x80, 0x80));
    }
    static std::vector<char> Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string dir_;
};

}  // namespace

TEST_F(Files, PictureIsRecognisedByContentNotByName) {
    SDL_Surface* s = Sample();
    ASSERT_EQ(IMG_SavePNG(s, Path("tessa32c.dat").c_str()), 0);
    ASSERT_EQ(SDL_SaveBMP(s, Path("image.png").c_str()), 0);  // a BMP with the wrong name
    SDL_FreeSurface(s);

    std::string error = "untouched";
    ExpectSample(LoadPicture(Path("tessa32c.dat"), &error));
    ExpectSample(LoadPicture(Path("image.png"), &error));
}

TEST_F(Files, AlphaIsDroppedFromPictures) {
    SDL_Surface* s = Sample(40);
    ASSERT_EQ(IMG_SavePNG(s, Path("alpha.dat").c_str()), 0);
    SDL_FreeSurface(s);
    const Surface p = LoadPicture(Path("alpha.dat"));
    ASSERT_FALSE(p.Empty());
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) EXPECT_EQ(p.At(x, y) >> 24, 0u);
    EXPECT_EQ(p.At(1, 1), Pixel(0xFE, 0xDC, 0xBA));
}

TEST_F(Files, UnreadablePicturesGiveAFrenchReasonNamingTheFile) {
    SDL_Surface* s = Sample();
    ASSERT_EQ(IMG_SavePNG(s, Path("good.dat").c_str()), 0);
    SDL_FreeSurface(s);
    const auto good = Bytes(Path("good.dat"));
    std::ofstream(Path("truncated.dat"), std::ios::binary).write(good.data(), 40);
    std::ofstream(Path("noise.dat"), std::ios::binary) << "ceci n'est pas une image\n";
    fs::create_directory(Path("dossier.dat"));

    for (const char* name : {"absent.dat", "truncated.dat", "noise.dat", "dossier.dat"}) {
        std::string error;
        const Surface p = LoadPicture(Path(name), &error);
        EXPECT_TRUE(p.Empty()) << name;
        EXPECT_NE(error.find("Impossible de lire l'image"), std::string::npos) << error;
        EXPECT_NE(error.find(Path(name)), std::string::npos) << error;
    }
    std::string error;
    EXPECT_TRUE(LoadPicture(Path("absent.dat"), &error).Empty());
    EXPECT_NE(error.find("introuvable"), std::string::npos) << error;
    EXPECT_TRUE(LoadPicture(Path("absent.dat")).Empty());  // no error wanted: no crash

    EXPECT_TRUE(LoadPictureFromMemory("GIF89", 5, &error).Empty());
    EXPECT_NE(error.find("Impossible de lire l'image"), std::string::npos) << error;
    EXPECT_TRUE(LoadPictureFromMemory(nullptr, 0, &error).Empty());
}

namespace {

// A mono 16-bit WAV of a given length, written by hand.
void WriteWav(const std::string& path, int ms) {
    const std::uint32_t rate = 22050, frames = rate * ms / 1000, data = frames * 2;
    auto u32 = [](std::ofstream& o, std::uint32_t v) { o.write(reinterpret_cast<char*>(&v), 4); };
    auto u16 = [](std::ofstream& o, std::uint16_t v) { o.write(reinterpret_cast<char*>(&v), 2); };
    std::ofstream o(path, std::ios::binary);
    o << "RIFF";
    u32(o, 36 + data);
    o << "WAVEfmt ";
    u32(o, 16);
    u16(o, 1);
    u16(o, 1);
    u32(o, rate);
    u32(o, rate * 2);
    u16(o, 2);
    u16(o, 16);
    o << "data";
    u32(o, data);
    for (std::uint32_t i = 0; i < frames; ++i) u16(o, static_cast<std::uint16_t>((i % 50) * 400));
}

class Sound : public Files {
protected:
    void SetUp() override {
        Files::SetUp();
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    void TearDown() override {
        CloseAudio();
        Files::TearDown();
    }
};

}  // namespace

TEST_F(Sound, LogsEveryAssignmentAndRecordsWhatWasPlayed) {
    WriteWav(Path("tessa32d.dat"), 50);
    SoundControl kvt;
    kvt.SetProperty(1, 7);
    kvt.SetProperty(5, Path("tessa32d.dat"));
    kvt.SetProperty(1, 6);
    EXPECT_EQ(kvt.log, (std::vector<std::string>{"1=7", "5=" + Path("tessa32d.dat"), "1=6"}));
    EXPECT_EQ(kvt.played, (std::vector<std::string>{Path("tessa32d.dat")}));

    // Playing again replays the remembered file.
    kvt.SetProperty(1, 6);
    EXPECT_EQ(kvt.played.size(), 2u);
}

TEST_F(Sound, ReadableFilesReachTheMixerAndMissingOnesAreSilent) {
    ASSERT_TRUE(OpenAudio()) << "SDL_AUDIODRIVER=dummy should always open";
    EXPECT_TRUE(OpenAudio());
    WriteWav(Path("long.dat"), 2000);
    std::ofstream(Path("broken.dat")) << "pas un son";

    SoundControl kvt;
    kvt.SetProperty(5, Path("absent.dat"));
    kvt.SetProperty(1, 6);
    kvt.SetProperty(5, Path("broken.dat"));
    kvt.SetProperty(1, 6);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(kvt.played.size(), 2u);

    kvt.SetProperty(5, Path("long.dat"));
    kvt.SetProperty(1, 6);
    EXPECT_EQ(Mix_Playing(-1), 1);
    kvt.SetProperty(1, 6);  // overlapping sounds each get a channel
    EXPECT_EQ(Mix_Playing(-1), 2);
}

