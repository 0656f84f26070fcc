#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/level_names.h"
#include "app/modtessa.h"
#include "levels/pack.h"

namespace modTessa {

namespace {
std::string Unreadable(const std::string& path) {
    return "Le fichier de niveaux « " + path + " » existe mais ne peut pas être lu.";
}
}  // namespace

void LoadLevelPacks() {
    strLevelData.clear();
    for (int i = 0; i < pack::kMaxPacks; ++i) {
        const std::string name = pack::PackFileName(i);
        const std::string path = strDataDir + name;
        std::error_code ec;
        const bool present = std::filesystem::exists(path, ec);
        if (!FileExists(path)) {
            if (!present) continue;  // a missing pack is simply skipped
            throw StartupError(Unreadable(path));
        }
        if (!std::filesystem::is_regular_file(path, ec)) throw StartupError(Unreadable(path));
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) throw StartupError(Unreadable(path));
        // Too short to hold its two trailing bytes: nothing to read.
        if (bytes.size() < static_cast<size_t>(pack::kTrailerSize)) continue;
        bytes.resize(bytes.size() - pack::kTrailerSize);
        std::string text = pack::Unscramble(bytes);
        // Whole records only: a partial last one is dropped so that the
        // records of the next pack stay aligned.
        text.resize(text.size() - text.size() % pack::kRecordSize);
        strLevelData += text;
    }
    nLevelCount = static_cast<std::int32_t>(strLevelData.size() / pack::kRecordSize);
}

void FillLevelNames() {
    tabLevelName.assign(static_cast<size_t>(nLevelCount) + 1, std::string());
    for (size_t i = 0; i < kLevelNames.size() && i < static_cast<size_t>(nLevelCount); ++i)
        tabLevelName[i] = std::string(kLevelNames[i]);
}

}  // namespace modTessa
