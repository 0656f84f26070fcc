// A solved board: the victory face, then the level ends. Also the typed
// word that switches the solution display on.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/flow.h"
#include "ui/frmtessa.h"

namespace {
constexpr const char* kSolutionWord = "vazmek";
}

void frmTessa::PlayVictory() {
    modTessa::KeepPlayTime(state);
    CancelHint();
    timerTete.SetEnabled(false);
    SetEnabled(false);
    PlaySound(Sound::Victory);
    plat::SetStretchBltMode(pctTete.Image, plat::COLORONCOLOR);
    for (int i = 0; i < 8; ++i) {
        pctTete.Cls();
        plat::StretchBlt(pctTete.Image, 2, 4, 76, 60, pctTeteBase.Image, look::kHeadVictory, 0,
                         look::kHeadFrameWidth, look::kHeadFrameHeight, plat::SRCCOPY);
        pctTete.Refresh();
        plat::Sleep(100);
        plat::BitBlt(pctTete.Image, 0, 0, look::kHeadFrameWidth, look::kHeadFrameHeight, pctTeteBase.Image,
                     look::kHeadVictory, 0, plat::SRCCOPY);
        pctTete.Refresh();
        plat::Sleep(100);
    }
    plat::WaitEventsFor(3.0);
    state.tabLevelDone[static_cast<size_t>(state.nCurLevel)] = true;
    SetEnabled(true);
    timerTete.SetEnabled(true);
    state.bLevelActive = false;
}

void frmTessa::Form_KeyPress(int ch) {
    const std::string word = kSolutionWord;
    if (ch > 0 && ch < 128 && word.find(static_cast<char>(ch)) != std::string::npos) {
        strTyped += static_cast<char>(ch);
        if (strTyped == word) {
            PlaySound(Sound::Word);
            state.bShowSolution = true;
        }
    } else {
        strTyped.clear();
    }
}
