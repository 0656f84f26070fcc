// The menu panel and its five commands.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include "flow/flow.h"
#include "platform/system.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"
#include "lang/language.h"

using namespace modTessa;

namespace {

// Without any level the game can only say that the level files are missing.
bool HaveLevels(const GameState& state) {
    if (state.nLevelCount > 0) return true;
    ShowAlert(_(kNoLevelsMessage));
    return false;
}

}  // namespace

void frmTessa::ShowMenu() {
    bMenuShown = true;
    const bool playing = state.bLevelActive;
    labMenu[0].SetVisible(!playing);
    labMenu[1].SetVisible(!playing);
    labMenu[3].SetVisible(!playing);
    labMenu[2].SetVisible(playing);
    labMenu[4].SetVisible(true);
    pctMenu.SetVisible(true);
}

void frmTessa::HideMenu() {
    bMenuShown = false;
    pctMenu.SetVisible(false);
}

void frmTessa::labMenu_Click(int index) {
    switch (index) {
        case 0: {
            HideMenu();
            if (!HaveLevels(state)) return;
            state.strGameName = AskNewGameName().value_or("");
            ClearProgress(state);
            if (!state.strGameName.empty()) {
                LoadProgress(state);
                StartLevel(*this);
            }
            break;
        }
        case 1: {
            HideMenu();
            if (!HaveLevels(state)) return;
            state.strGameName = ChooseSavedGame().value_or("");
            if (state.strGameName.empty()) return;
            ClearProgress(state);
            if (LoadProgress(state)) {
                StartLevel(*this);
                return;
            }
            ShowAlert(_(kAllSolvedMessage));
            break;
        }
        case 2: {
            if (!state.bLevelActive) return;
            HideMenu();
            plat::DoEvents();
            timerTete.SetEnabled(false);
            SetEnabled(false);
            PlaySound(Sound::Abandon);
            ShowHeadFrame(look::kHeadSad);
            plat::WaitEventsFor(3.0);
            state.strGameName.clear();
            state.tabLevelDone[static_cast<size_t>(state.nCurLevel)] = false;
            labNom.SetCaption("");
            SetEnabled(true);
            timerTete.SetEnabled(true);
            state.bLevelActive = false;
            break;
        }
        case 3:
            HideMenu();
            if (!HaveLevels(state)) return;
            state.strGameName.clear();
            ClearProgress(state);
            StartLevel(*this);
            break;
        case 4:
            HideMenu();
            if (AskYesNo()) plat::EndProgram(0);
            break;
        default:
            break;
    }
}

void frmTessa::imgMenu_Click(int index) {
    switch (index) {
        case 0:
            if (!bMenuShown) ShowMenu();
            break;
        case 1:
            if (bMenuShown) HideMenu();
        {
            const std::string folder = state.strDataDir + "aidetessalor" + plat::kPathSeparator;
            OpenHelpDocument(state, lang::LocalizedFile(folder + "aide.htm",
                                                        folder + "aide-" + lang::CurrentLanguage() + ".htm"));
        }
            break;
        case 2: {
            if (bMenuShown) HideMenu();
            ShowDialog<frmPropos>();
            break;
        }
        default:
            break;
    }
}

namespace modTessa {

void OpenHelpDocument(const GameState& state, const std::string& path) {
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    // Silently nothing when the help page is missing or no viewer exists.
    const std::string help = state.strDataDir + "aidetessalor" + plat::kPathSeparator + "aide.htm";
    if (!FileExists(help)) return;
    plat::OpenDocument(path);
}

}  // namespace modTessa
