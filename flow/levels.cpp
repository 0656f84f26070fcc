// The level loop: choose, lay out, play, save, chain.
#include <cmath>

#include "board/geometry.h"
#include "ui/frmtessa.h"

namespace modTessa {

namespace {

// Level that a saved game plays next; -1 when all are solved.
int FirstUnsolvedLevel() {
    for (std::int32_t i = 0; i < nLevelCount; ++i)
        if (!tabLevelDone[static_cast<size_t>(i)]) return i;
    return -1;
}

}  // namespace

void StartLevel() {
    frmTessa& f = MainForm();
    // Nothing to play without levels; the menu tells the player.
    if (nLevelCount <= 0) return;
    for (;;) {
        f.SetEnabled(false);
        if (!strGameName.empty()) {
            nCurLevel = FirstUnsolvedLevel();
            if (nCurLevel < 0) {
                nCurLevel = 0;
                f.SetEnabled(true);
                ShowAlert(kAllSolvedMessage);
                return;
            }
        } else {
            nCurLevel = static_cast<std::int32_t>(std::floor(Rnd() * nLevelCount));
        }
        f.labNom.SetCaption("forme " + std::to_string(nCurLevel + 1) + "\r\n" +
                            tabLevelName[static_cast<size_t>(nCurLevel)]);
        SetUpLevel(nCurLevel);
        bBoardFull = vbFalse;
        nHeldPiece = -1;
        bLevelActive = vbTrue;
        f.pctEcran.SetMousePointer(f.labMenu[0].MousePointer());
        f.SetEnabled(true);
        while (bLevelActive) plat::WaitEvents();
        f.pctEcran.SetMousePointer(plat::Cursor::Default);
        if (!bBoardFull || strGameName.empty()) break;
        if (!SaveProgress()) ShowAlert(kSaveFailedMessage);
    }
    // Play stops: an empty board and every piece back in the tray.
    f.RestoreBackground();
    plat::BitBlt(f.pctEcran.Image, 0, 0, geometry::kPlayAreaWidth, geometry::kPlayAreaHeight, f.Picture, 0,
                 geometry::kPlayAreaTop, plat::SRCCOPY);
    for (int p = 0; p <= 11; ++p) DrawTrayPiece(p);
    f.pctEcran.Refresh();
}

}  // namespace modTessa
