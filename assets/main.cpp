// The asset generator's program: every picture, sound, icon and help page.
// SPDX-License-Identifier: GPL-3.0-or-later
// tessalor-assets DATA_DIR [EMBEDDED_CPP] [--preview DIR]
// Writes the background picture, the sounds, the help page and the icons into DATA_DIR,
// and the pictures built into the game as C++ source.
// tessalor-assets --localize DATA_DIR CODE WORDS_FILE HELP_BODY
// Writes what differs in language CODE: DATA_DIR/locale/CODE/tessa32c.dat and
// apropos.png with the words of WORDS_FILE, and aidetessalor/aide-CODE.htm
// around HELP_BODY (none when that file is missing or empty).
#include <SDL_ttf.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/art.h"
#include "assets/help.h"
#include "assets/output.h"
#include "assets/sounds.h"
#include "base/files.h"
#include "base/fonts.h"

namespace {

std::string Bytes(const std::vector<unsigned char>& v) { return std::string(v.begin(), v.end()); }

// Writes a generated file whole, making its folder first: an interrupted build
// never leaves a half-written file.
bool Write(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    if (bytes.empty() || !plat::ReplaceFile(path, bytes)) {
        std::fprintf(stderr, "tessalor-assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string ReadSmallFile(const std::string& path) {
    std::string bytes;
    plat::ReadRegularFile(path, 1u << 20, bytes);
    return bytes;
}

bool Localize(const art::FontFiles& fonts, const std::vector<std::string>& args) {
    const std::string dataDir = args[0] + "/", code = args[1];
    art::SetWords(art::ReadWords(ReadSmallFile(args[2])));
    const std::string folder = dataDir + "locale/" + code + "/";
    bool ok = Write(folder + "tessa32c.dat", Bytes(art::EncodePng(art::MakeBackground(fonts), false)));
    ok = ok && Write(folder + "apropos.png", Bytes(art::EncodePng(art::MakeAboutPicture(fonts), false)));
    const std::string page = art::TranslatedHelpPage(code, ReadSmallFile(args[3]));
    if (ok && !page.empty()) ok = Write(dataDir + "aidetessalor/aide-" + code + ".htm", page);
    return ok;
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool localize = !args.empty() && args[0] == "--localize";
    if (localize) args.erase(args.begin());
    std::string preview;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--preview") {
            preview = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    if (localize ? args.size() != 4 : args.empty() || args.size() > 2) {
        std::fprintf(stderr, "usage: tessalor-assets DATA_DIR [EMBEDDED_CPP] [--preview DIR]\n"
                             "       tessalor-assets --localize DATA_DIR CODE WORDS_FILE HELP_BODY\n");
        return 2;
    }
    const std::string dataDir = args[0] + "/";
    const std::string embeddedCpp = args.size() > 1 ? args[1] : dataDir + "generated/embedded_assets.cpp";

    if (TTF_Init() != 0) {
        std::fprintf(stderr, "tessalor-assets: %s\n", TTF_GetError());
        return 1;
    }
    const art::FontFiles fonts{plat::FindFontFile("Arial", false), plat::FindFontFile("Arial", true)};
    if (fonts.regular.empty() || fonts.bold.empty()) {
        std::fprintf(stderr, "tessalor-assets: no font found for Arial\n");
        return 1;
    }

    if (localize) {
        const bool ok = Localize(fonts, args);
        TTF_Quit();
        return ok ? 0 : 1;
    }
    bool ok = true;
    const std::vector<art::NamedBlob> blobs{
        {"kTileSheet", art::EncodePng(art::MakeTileSheet(), false)},
        {"kLetterTileSheet", art::EncodePng(art::MakeTileSheet(true), false)},
        {"kHeadSheet", art::EncodePng(art::MakeHeadSheet(fonts), false)},
        {"kAboutPicture", art::EncodePng(art::MakeAboutPicture(fonts), false)},
        {"kHandCursor", art::EncodePng(art::MakeHandCursor(), true)},
        {"kIcon", art::EncodePng(art::MakeIcon(64), true)},
    };
    for (const auto& b : blobs) ok = ok && !b.bytes.empty();
    const auto background = art::EncodePng(art::MakeBackground(fonts), false);

    ok = ok && Write(dataDir + "tessa32c.dat", Bytes(background));
    for (const auto& s : art::kSoundFiles) ok = ok && Write(dataDir + s.file, art::EncodeWav(art::Synthesise(s.sound)));
    ok = ok && Write(dataDir + "aidetessalor/aide.htm", art::HelpPage());
    // The desktop's icon sizes, installed into the icon theme, and the same
    // in one file for the Windows program.
    std::vector<art::SizedPng> icons;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icons.push_back({size, art::EncodePng(art::MakeIcon(size), true)});
        ok = ok && Write(dataDir + "icons/tessalor-" + std::to_string(size) + ".png", Bytes(icons.back().png));
    }
    ok = ok && Write(dataDir + "icons/tessalor.ico", art::IconFile(icons));
    ok = ok && Write(embeddedCpp, art::EmbeddedSource(blobs));
    if (ok && !preview.empty()) {
        for (const auto& b : blobs) ok = ok && Write(preview + "/" + b.name + ".png", Bytes(b.bytes));
        ok = ok && Write(preview + "/background.png", Bytes(background));
    }
    TTF_Quit();
    return ok ? 0 : 1;
}
