// A saved game read, written back and read again gives the same progress.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/modtessa.h"
#include "fuzz_files.h"
#include "flow/flow.h"

using namespace modTessa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameState state;
    state.strSaveDir = fuzz::Folder();
    state.strGameName = "partie.pnt";
    state.nLevelCount = 40;
    state.tabLevelDone.assign(41, false);
    fuzz::Write(state.strSaveDir + state.strGameName, data, size);
    const bool unsolvedLeft = LoadProgress(state);
    const auto read = state.tabLevelDone;
    fuzz::Check(SaveProgress(state), "the progress is written");
    // Every level flipped, so the second reading must set each one.
    state.tabLevelDone.flip();
    state.tabLevelDone.back() = read.back();
    fuzz::Check(LoadProgress(state) == unsolvedLeft, "same answer after a round trip");
    fuzz::Check(state.tabLevelDone == read, "same progress after a round trip");
    return 0;
}
