// Tests of picture loading and the sound control.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/headless.h"
#include "platform/sound.h"
#include "platform/surface.h"
#include "tests/support/temp_dir.h"

using namespace plat;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 0); }
    void TearDown() override { CloseAudio(); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    // Saves a 3 x 2 picture with a different colour in every pixel.
    void SaveSample(const std::string& name, bool png, Uint8 alpha = 255) const {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
        for (int i = 0; i < 6; ++i)
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + i / 3 * s->pitch)[i % 3] =
                Uint32(alpha) << 24 | kSample[i];
        ASSERT_EQ(png ? IMG_SavePNG(s, Path(name).c_str()) : SDL_SaveBMP(s, Path(name).c_str()), 0);
        SDL_FreeSurface(s);
    }
    static constexpr Uint32 kSample[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFEDCBA, 0x808080};
    testing_support::TempDir dir_;
};

}  // namespace

TEST_F(Files, PictureIsRecognisedByContentAndLosesItsAlpha) {
    SaveSample("tessa32c.dat", true, 40);
    SaveSample("image.png", false);  // a BMP with the wrong name
    for (const char* name : {"tessa32c.dat", "image.png"}) {
        const Surface p = LoadPicture(Path(name));
        ASSERT_EQ(std::pair(p.Width(), p.Height()), std::pair(3, 2)) << name;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.At(i % 3, i / 3), kSample[i]) << name << " pixel " << i;
    }
}

TEST_F(Files, UnreadablePicturesGiveAFrenchReasonNamingTheFile) {
    SaveSample("good.dat", true);
    const std::string good = testing_support::ReadFile(Path("good.dat"));
    std::ofstream(Path("truncated.dat"), std::ios::binary) << good.substr(0, 40);
    std::ofstream(Path("noise.dat"), std::ios::binary) << "ceci n'est pas une image\n";
    fs::create_directory(Path("dossier.dat"));
    for (const char* name : {"absent.dat", "truncated.dat", "noise.dat", "dossier.dat"}) {
        std::string error;
        EXPECT_TRUE(LoadPicture(Path(name), &error).Empty()) << name;
        EXPECT_NE(error.find("Impossible de lire l'image"), std::string::npos) << error;
        EXPECT_NE(error.find(Path(name)), std::string::npos) << error;
    }
    EXPECT_TRUE(LoadPicture(Path("absent.dat")).Empty());  // no error wanted: no crash
}

TEST_F(Files, SoundControlHandsItsFilesToTheHostOrPlaysThemOnOverlappingChannels) {
    ASSERT_TRUE(OpenAudio()) << "SDL_AUDIODRIVER=dummy should always open";
    const std::string victory = std::string(TESSALOR_DATA_DIR) + "/tessa32d.dat";  // 1.25 s: still playing below
    std::ofstream(Path("broken.dat")) << "pas un son";
    SoundControl kvt;
    for (const char* name : {"absent.dat", "broken.dat"}) {  // silent
        kvt.SetProperty(5, Path(name));
        kvt.SetProperty(1, 6);
    }
    EXPECT_EQ(Mix_Playing(-1), 0);
    kvt.SetProperty(5, victory);
    kvt.SetProperty(1, 6);
    EXPECT_EQ(Mix_Playing(-1), 1);
    kvt.SetProperty(1, 6);  // playing again replays the remembered file on its own channel
    EXPECT_EQ(Mix_Playing(-1), 2);
    // With a host, every file asked for goes to it, unreadable ones too, and not to the mixer.
    HeadlessHost host;
    SetHost(&host);
    kvt.SetProperty(5, Path("absent.dat"));
    kvt.SetProperty(1, 6);
    kvt.SetProperty(5, victory);
    kvt.SetProperty(1, 7);
    kvt.SetProperty(1, 6);
    SetHost(nullptr);
    EXPECT_EQ(host.sounds, (std::vector<std::string>{Path("absent.dat"), victory}));
    EXPECT_EQ(Mix_Playing(-1), 2);
}
