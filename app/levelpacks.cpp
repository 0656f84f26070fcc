// The level packs read at start-up, and the names of their levels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>

#include "app/modtessa.h"
#include "base/files.h"
#include "base/pack.h"
#include "levels/level_names.h"
#include "lang/i18n.h"

namespace modTessa {

namespace {

// A pack holds a few dozen 256-byte records; a thousand is more than any.
constexpr std::size_t kMaxPackBytes = 1000 * pack::kRecordSize + pack::kTrailerSize;

std::string Unreadable(const std::string& path, int error) {
    return lang::Format(_("Le fichier de niveaux « %s » existe mais ne peut pas être lu (%s)."),
                        {path, plat::FileErrorText(error)});
}

}  // namespace

void LoadLevelPacks(GameState& state) {
    state.strLevelData.clear();
    for (int i = 0; i < pack::kMaxPacks; ++i) {
        const std::string path = state.strDataDir + pack::PackFileName(i);
        std::string bytes;
        bool tooLong = false;
        int error = 0;
        if (!plat::ReadRegularFile(path, kMaxPackBytes, bytes, &tooLong, &error)) {
            if (error == ENOENT) continue;  // a missing pack is simply skipped
            throw StartupError(Unreadable(path, error));
        }
        if (tooLong) throw StartupError(Unreadable(path, EFBIG));
        // Too short to hold its two trailing bytes: nothing to read.
        if (bytes.size() < static_cast<size_t>(pack::kTrailerSize)) continue;
        bytes.resize(bytes.size() - pack::kTrailerSize);
        std::string text = pack::Unscramble(bytes);
        // Whole records only: a partial last one is dropped so that the
        // records of the next pack stay aligned.
        text.resize(text.size() - text.size() % pack::kRecordSize);
        state.strLevelData += text;
    }
    state.nLevelCount = static_cast<std::int32_t>(state.strLevelData.size() / pack::kRecordSize);
}

void FillLevelNames(GameState& state) {
    state.tabLevelName.assign(static_cast<size_t>(state.nLevelCount) + 1, std::string());
    for (size_t i = 0; i < levels::kLevelNames.size() && i < static_cast<size_t>(state.nLevelCount); ++i)
        state.tabLevelName[i] = std::string(levels::kLevelNames[i]);
}

}  // namespace modTessa
