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
bool HaveLevels(const GameState& state, plat::Form& owner) {
    if (state.nLevelCount > 0) return true;
    ShowAlert(_(kNoLevelsMessage), &owner);
    return false;
}

}  // namespace

void frmTessa::ShowMenu() {
    bMenuShown = true;
    const bool playing = state.bLevelActive;
    labMenu[kMenuNewGame].SetVisible(!playing);
    labMenu[kMenuLoadGame].SetVisible(!playing);
    labMenu[kMenuRandomShape].SetVisible(!playing);
    labMenu[kMenuAbandon].SetVisible(playing);
    labMenu[kMenuQuit].SetVisible(true);
    pctMenu.SetVisible(true);
}

void frmTessa::HideMenu() {
    bMenuShown = false;
    pctMenu.SetVisible(false);
}

void frmTessa::labMenu_Click(int index) {
    CancelHint();
    switch (index) {
        case kMenuNewGame: {
            HideMenu();
            if (!HaveLevels(state, *this)) return;
            state.strGameName = AskNewGameName(state, *this).value_or("");
            ClearProgress(state);
            if (!state.strGameName.empty()) {
                LoadProgress(state);
                StartLevel(*this);
            }
            break;
        }
        case kMenuLoadGame: {
            HideMenu();
            if (!HaveLevels(state, *this)) return;
            state.strGameName = ChooseSavedGame(state, *this).value_or("");
            if (state.strGameName.empty()) return;
            ClearProgress(state);
            if (LoadProgress(state)) {
                StartLevel(*this);
                return;
            }
            ShowAlert(_(kAllSolvedMessage), this);
            break;
        }
        case kMenuAbandon: {
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
        case kMenuRandomShape:
            HideMenu();
            if (!HaveLevels(state, *this)) return;
            state.strGameName.clear();
            ClearProgress(state);
            StartLevel(*this);
            break;
        case kMenuQuit:
            HideMenu();
            if (AskYesNo({}, this)) plat::EndProgram(0);
            break;
        default:
            break;
    }
}

void frmTessa::imgMenu_Click(int index) {
    CancelHint();
    switch (index) {
        case kMenuButton:
            if (WorkshopOpen() && !LeaveWorkshop()) break;
            if (!bMenuShown) ShowMenu();
            break;
        case kHelpButton:
            if (bMenuShown) HideMenu();
        {
            const std::string folder = state.strDataDir + "aidetessalor" + plat::kPathSeparator;
            OpenHelpDocument(state, lang::LocalizedFile(folder + "aide.htm",
                                                        folder + "aide-" + lang::CurrentLanguage() + ".htm"),
                             this);
        }
            break;
        case kAboutButton: {
            if (bMenuShown) HideMenu();
            ShowDialog<frmPropos>(this);
            break;
        }
        default:
            break;
    }
}

namespace modTessa {

void OpenHelpDocument(const GameState& state, const std::string& path, plat::Form* owner) {
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    // Silently nothing when the help page is missing; where no program can
    // show it, the player learns where it is.
    const std::string help = state.strDataDir + "aidetessalor" + plat::kPathSeparator + "aide.htm";
    if (!FileExists(help)) return;
    if (!plat::OpenDocument(path)) ShowAlert(_(kNoHelpViewerMessage) + path, owner);
}

}  // namespace modTessa
