// The game's level packs and names table: the input split at a point its
// first byte gives, as packs 0 and 2, the way start-up finds them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/modtessa.h"
#include "base/pack.h"
#include "fuzz_files.h"

using namespace modTessa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameState state;
    const std::size_t cut = size ? data[0] * size / 256 : 0;
    state.strDataDir = fuzz::Folder();
    fuzz::Write(state.strDataDir + pack::PackFileName(0), data, cut);
    fuzz::Write(state.strDataDir + pack::PackFileName(2), data + cut, size - cut);
    LoadLevelPacks(state);
    FillLevelNames(state);
    fuzz::Check(state.strLevelData.size() == static_cast<std::size_t>(state.nLevelCount) * pack::kRecordSize,
                "whole records only");
    fuzz::Check(state.tabLevelName.size() == static_cast<std::size_t>(state.nLevelCount) + 1, "one name per record and a spare");
    return 0;
}
