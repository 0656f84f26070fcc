// The open game's progress between its file and tabLevelDone.
#include <algorithm>
#include <iostream>
#include <string>

#include "flow/saved_games.h"
#include "ui/frmtessa.h"

namespace modTessa {

namespace {

std::vector<bool> DoneTable() {
    std::vector<bool> done(static_cast<std::size_t>(std::max(nLevelCount, 0)));
    for (std::size_t i = 0; i < done.size(); ++i) done[i] = tabLevelDone[i] != vbFalse;
    return done;
}

}  // namespace

void ClearProgress() {
    for (std::int32_t i = 0; i < nLevelCount; ++i) tabLevelDone[static_cast<size_t>(i)] = vbFalse;
}

bool LoadProgress() {
    const saves::Progress p = saves::Load(strSaveDir, strGameName, nLevelCount);
    if (p.status == saves::LoadStatus::Unreadable) {
        // Never saved over: the game is closed and plays on unsaved.
        strGameName.clear();
    }
    if (p.status != saves::LoadStatus::Read) {
        ClearProgress();
        return true;
    }
    // Levels past the end of the file keep what the caller set.
    bool unsolvedLeft = false;
    for (std::size_t i = 0; i < p.done.size(); ++i) {
        if (i < p.lines) tabLevelDone[i] = ToBool16(p.done[i]);
        unsolvedLeft = unsolvedLeft || !tabLevelDone[i];
    }
    return unsolvedLeft;
}

bool SaveProgress() {
    CreateSaveDirs();  // the folder may have been removed while playing
    const bool ok = saves::Save(strSaveDir, strGameName, DoneTable());
    if (!ok) std::cerr << "tessalor: impossible d'enregistrer la partie « " << strSaveDir + strGameName << " »\n";
    return ok;
}

}  // namespace modTessa
