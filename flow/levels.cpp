// The level loop: choose, lay out, play, save, chain.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/flow.h"
#include "platform/system.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"
#include "lang/i18n.h"

namespace modTessa {

namespace {

// Level that a saved game plays next; -1 when all are solved.
int FirstUnsolvedLevel(const GameState& state) {
    for (std::int32_t i = 0; i < state.nLevelCount; ++i)
        if (!state.tabLevelDone[static_cast<size_t>(i)]) return i;
    return -1;
}

}  // namespace

void StartLevel(frmTessa& f) {
    GameState& state = f.state;
    // Nothing to play without levels; the menu tells the player.
    if (state.nLevelCount <= 0) return;
    for (;;) {
        f.SetEnabled(false);
        if (!state.strGameName.empty()) {
            state.nCurLevel = FirstUnsolvedLevel(state);
            if (state.nCurLevel < 0) {
                state.nCurLevel = 0;
                f.SetEnabled(true);
                ShowAlert(_(kAllSolvedMessage), &f);
                return;
            }
        } else {
            state.nCurLevel = rules::RandomLevel(state.random.Rnd(), state.nLevelCount);
        }
        f.labNom.SetCaption(lang::Format(_("forme %d"), {std::to_string(state.nCurLevel + 1)}) + "\r\n" +
                            C_("level", state.tabLevelName[static_cast<size_t>(state.nCurLevel)].c_str()));
        // A fresh board: the hand empty, every piece of the level in the tray.
        f.SetUpLevel(state.nCurLevel);
        state.bLevelActive = true;
        f.pctEcran.SetMousePointer(f.labMenu[0].MousePointer());
        f.SetEnabled(true);
        while (state.bLevelActive) plat::WaitEvents();
        f.pctEcran.SetMousePointer(plat::Cursor::Default);
        if (!state.board.bBoardFull || state.strGameName.empty()) break;
        if (!SaveProgress(state)) ShowAlert(_(kSaveFailedMessage), &f);
    }
    // Play stops: an empty board and every piece back in the tray.
    f.ShowEmptyBoard();
}

}  // namespace modTessa
