// The player's hand: picking a piece up, dragging it, dropping it on the
// board, putting it back. bBusy keeps handlers that run inside the sound
// call's yield away from a hand that is being changed.
#include <cmath>

#include "ui/frmtessa.h"

using namespace modTessa;

namespace {

int RoundToInt(float v) { return static_cast<int>(std::lround(v)); }

void ResetOrientation(int p) {
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) tabPieceOrient[p][r][c] = tabPieceShape[p][r][c];
}

// Tray rectangles, inclusive bounds, chosen by column first.
struct TrayRect { int x1, x2, y1, y2, piece; };
constexpr TrayRect kTrayRects[12] = {
    {32, 80, 24, 120, 3},    {32, 80, 144, 240, 6},   {32, 80, 264, 336, 5},
    {88, 160, 24, 96, 1},    {88, 160, 144, 216, 11}, {88, 160, 264, 336, 10},
    {560, 632, 24, 96, 8},   {560, 632, 144, 216, 9}, {560, 632, 288, 360, 7},
    {640, 688, 24, 120, 2},  {640, 688, 144, 264, 0}, {640, 688, 288, 360, 4},
};

}  // namespace

void frmTessa::pctEcran_MouseDown(int button, int, float x, float y) {
    if (bMenuShown) {
        HideMenu();
        return;
    }
    if (!bLevelActive || bBusy) return;
    if (button == plat::vbLeftButton && nHeldPiece == -1) {
        bBusy = vbTrue;
        if (x > 168 && x < 552) TakeBackPiece(x, y);
        else PickUpFromTray(x, y);
        bBusy = vbFalse;
    } else if (button == plat::vbLeftButton) {
        bBusy = vbTrue;
        if (x > 167 && x < 552) {
            DropPiece(x, y);
            if (bBoardFull) PlayVictory();
        } else {
            PutBackHeldPiece();
        }
        bBusy = vbFalse;
    } else if (button == plat::vbRightButton && nHeldPiece != -1) {
        TurnPiece(x, y);
    }
}

void frmTessa::FindTrayPiece(float x, float y) {
    nHeldPiece = -1;
    for (const TrayRect& r : kTrayRects)
        if (x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2) {
            nHeldPiece = r.piece;
            return;
        }
}

void frmTessa::PickUpFromTray(float x, float y) {
    FindTrayPiece(x, y);
    if (nHeldPiece == -1) return;
    const int p = nHeldPiece;
    if (!tabInTray[p]) {
        nHeldPiece = -1;
        return;
    }
    PlaySound("tessa32e.dat");
    pctEcran.SetMousePointer(pctBrique.MousePointer());
    ResetOrientation(p);
    MakePieceImage(p);
    tabInTray[p] = vbFalse;
    DrawTrayHole(p);
    nHeldX = tabTrayX[p] + 60;
    nHeldY = tabTrayY[p] + 60;
    // The clean copy the drag restores from.
    plat::BitBlt(Picture, 0, 24, 720, 384, pctEcran.Image, 0, 0, plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::EraseHeldImage() {
    plat::BitBlt(pctEcran.Image, nHeldX - 60, nHeldY - 60, 120, 120, Picture, nHeldX - 60,
                 nHeldY - 36, plat::SRCCOPY);
}

void frmTessa::StampHeldImage(float x, float y) {
    const int left = RoundToInt(x - 60), top = RoundToInt(y - 60);
    plat::BitBlt(pctEcran.Image, left, top, 120, 120, pctTessa.Image, 0, 0, plat::SRCAND);
    plat::BitBlt(pctEcran.Image, left, top, 120, 120, pctTessa.Image, 120, 0, plat::SRCPAINT);
    nHeldX = RoundToInt(x);
    nHeldY = RoundToInt(y);
}

void frmTessa::pctEcran_MouseMove(int, int, float x, float y) {
    if (nHeldPiece < 0 || !bLevelActive || bBusy) return;
    EraseHeldImage();
    StampHeldImage(x, y);
    // The piece never shows in the outermost strips.
    plat::BitBlt(pctEcran.Image, 0, 0, 24, 384, Picture, 0, 24, plat::SRCCOPY);
    plat::BitBlt(pctEcran.Image, 696, 0, 24, 384, Picture, 696, 24, plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::DropPiece(float x, float y) {
    const int p = nHeldPiece;
    const int cx = static_cast<int>(std::floor((x - 168) / 24));
    const int cy = static_cast<int>(std::floor(y / 24));
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) {
            if (tabPieceOrient[p][r][c] < 1) continue;
            const int bx = cx - 2 + c, by = cy - 2 + r;
            if (bx < 0 || bx > 15 || by < 0 || by > 15 || tabBoard[bx][by] != -1) return;
        }
    PlaySound("tessa32f.dat");
    pctEcran.SetMousePointer(labMenu[0].MousePointer());
    plat::BitBlt(pctEcran.Image, 168, 0, 384, 384, Picture, 168, 24, plat::SRCCOPY);
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) {
            if (tabPieceOrient[p][r][c] < 1) continue;
            const int bx = cx - 2 + c, by = cy - 2 + r;
            plat::BitBlt(pctEcran.Image, 168 + 24 * bx, 24 * by, 24, 24, pctBrique.Image, 24 * p, 0,
                         plat::SRCCOPY);
            tabBoard[bx][by] = static_cast<std::int16_t>(p);
        }
    bBoardFull = vbTrue;
    for (int bx = 0; bx <= 15; ++bx)
        for (int by = 0; by <= 15; ++by)
            if (tabBoard[bx][by] == -1) bBoardFull = vbFalse;
    pctEcran.Refresh();
    nHeldPiece = -1;
}

void frmTessa::PutBackHeldPiece() {
    const int p = nHeldPiece;
    pctEcran.SetMousePointer(labMenu[0].MousePointer());
    tabInTray[p] = vbTrue;
    PlaySound("tessa32f.dat");
    ResetOrientation(p);
    EraseHeldImage();
    DrawTrayPiece(p);
    nHeldPiece = -1;
    pctEcran.Refresh();
}
