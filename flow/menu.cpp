// The menu panel and its five commands.
#include <memory>

#include "platform/system.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"

using namespace modTessa;

namespace {

// Without any level the game can only say that the level files are missing.
bool HaveLevels() {
    if (nLevelCount > 0) return true;
    ShowAlert(kNoLevelsMessage);
    return false;
}

}  // namespace

void frmTessa::ShowMenu() {
    bMenuShown = vbTrue;
    const bool playing = bLevelActive != vbFalse;
    labMenu[0].SetVisible(!playing);
    labMenu[1].SetVisible(!playing);
    labMenu[3].SetVisible(!playing);
    labMenu[2].SetVisible(playing);
    labMenu[4].SetVisible(true);
    pctMenu.SetVisible(true);
}

void frmTessa::HideMenu() {
    bMenuShown = vbFalse;
    pctMenu.SetVisible(false);
}

void frmTessa::labMenu_Click(int index) {
    switch (index) {
        case 0: {
            HideMenu();
            if (!HaveLevels()) return;
            strGameName = AskNewGameName().value_or("");
            ClearProgress();
            if (!strGameName.empty()) {
                LoadProgress();
                StartLevel();
            }
            break;
        }
        case 1: {
            HideMenu();
            if (!HaveLevels()) return;
            strGameName = ChooseSavedGame().value_or("");
            if (strGameName.empty()) return;
            ClearProgress();
            if (LoadProgress()) {
                StartLevel();
                return;
            }
            ShowAlert(kAllSolvedMessage);
            break;
        }
        case 2: {
            if (!bLevelActive) return;
            HideMenu();
            plat::DoEvents();
            timerTete.SetEnabled(false);
            SetEnabled(false);
            PlaySound("tessa32h.dat");
            ShowHeadFrame(look::kHeadSad);
            plat::WaitEventsFor(3.0);
            strGameName.clear();
            tabLevelDone[static_cast<size_t>(nCurLevel)] = vbFalse;
            labNom.SetCaption("");
            SetEnabled(true);
            timerTete.SetEnabled(true);
            bLevelActive = vbFalse;
            break;
        }
        case 3:
            HideMenu();
            if (!HaveLevels()) return;
            strGameName.clear();
            ClearProgress();
            StartLevel();
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
            OpenHelpDocument(strDataDir + "aidetessalor" + plat::kPathSeparator + "aide.htm");
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

void OpenHelpDocument(const std::string& path) {
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    // Silently nothing when the help page is missing or no viewer exists.
    const std::string help = strDataDir + "aidetessalor" + plat::kPathSeparator + "aide.htm";
    if (!FileExists(help)) return;
    plat::OpenDocument(path);
}

}  // namespace modTessa
