// The open game's progress between its file and tabLevelDone.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <iostream>
#include <string>

#include "flow/flow.h"
#include "flow/saved_games.h"
#include "lang/i18n.h"

namespace modTessa {

namespace {

std::vector<bool> DoneTable(const GameState& state) {
    std::vector<bool> done(static_cast<std::size_t>(std::max(state.nLevelCount, 0)));
    for (std::size_t i = 0; i < done.size(); ++i) done[i] = state.tabLevelDone[i];
    return done;
}

}  // namespace

void ClearProgress(GameState& state) {
    for (std::int32_t i = 0; i < state.nLevelCount; ++i) state.tabLevelDone[static_cast<size_t>(i)] = false;
}

bool LoadProgress(GameState& state) {
    const saves::Progress p = saves::Load(state.strSaveDir, state.strGameName, state.nLevelCount);
    if (p.status == saves::LoadStatus::Unreadable) {
        // Never saved over: the game is closed and plays on unsaved.
        state.strGameName.clear();
    }
    if (p.status != saves::LoadStatus::Read) {
        ClearProgress(state);
        return true;
    }
    // Levels past the end of the file keep what the caller set.
    bool unsolvedLeft = false;
    for (std::size_t i = 0; i < p.done.size(); ++i) {
        if (i < p.lines) state.tabLevelDone[i] = p.done[i];
        unsolvedLeft = unsolvedLeft || !state.tabLevelDone[i];
    }
    return unsolvedLeft;
}

bool SaveProgress(GameState& state) {
    CreateSaveDirs(state);  // the folder may have been removed while playing
    const bool ok = saves::Save(state.strSaveDir, state.strGameName, DoneTable(state));
    if (!ok) std::cerr << lang::Format(_("tessalor: impossible d'enregistrer la partie « %s »"), {state.strSaveDir + state.strGameName}) << "\n";
    return ok;
}

}  // namespace modTessa
