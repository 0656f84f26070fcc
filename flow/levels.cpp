// The level loop: choose, lay out, play, save, chain.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "base/pack.h"
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

// Sets the shape up and lets the player play it until it is solved or given up.
void PlayOne(frmTessa& f, std::string_view record, const std::string& caption) {
    GameState& state = f.state;
    f.labNom.SetCaption(caption);
    // A fresh board: the hand empty, every piece of the level in the tray.
    f.SetUpShape(record);
    StartPlayClock(state, record);
    state.bLevelActive = true;
    f.pctEcran.SetMousePointer(f.labMenu[0].MousePointer());
    f.SetEnabled(true);
    while (state.bLevelActive) plat::WaitEvents();
    f.pctEcran.SetMousePointer(plat::Cursor::Default);
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
        PlayOne(f, LevelRecord(state, state.nCurLevel), ShippedCaption(state, state.nCurLevel));
        if (!state.board.bBoardFull || state.strGameName.empty()) break;
        if (!SaveProgress(state)) ShowAlert(_(kSaveFailedMessage), &f);
    }
    // Play stops: an empty board and every piece back in the tray.
    f.ShowEmptyBoard();
}

void PlayShape(frmTessa& f, const levels::Level& level, int shipped) {
    GameState& state = f.state;
    // A single shape, as a random one is played: no saved game open.
    state.strGameName.clear();
    ClearProgress(state);
    state.nCurLevel = std::max(shipped, 0);
    f.SetEnabled(false);
    PlayOne(f, levels::ToRecord(level), shipped >= 0 ? ShippedCaption(state, shipped) : C_("level", level.name.c_str()));
    f.ShowEmptyBoard();
}

std::string_view LevelRecord(const GameState& state, int n) {
    return std::string_view(state.strLevelData).substr(static_cast<size_t>(n) * pack::kRecordSize, pack::kRecordSize);
}

std::string ShippedCaption(const GameState& state, int n) {
    return lang::Format(_("forme %d"), {std::to_string(n + 1)}) + "\r\n" +
           C_("level", state.tabLevelName[static_cast<size_t>(n)].c_str());
}

}  // namespace modTessa
