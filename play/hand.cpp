// The player's hand: picking a piece up, dragging it, dropping it on the
// board, putting it back. bBusy keeps handlers that run inside the sound
// call's yield away from a hand that is being changed.
#include <cmath>

#include "board/geometry.h"
#include "ui/frmtessa.h"

using namespace modTessa;
using namespace geometry;

namespace {

int RoundToInt(float v) { return static_cast<int>(std::lround(v)); }

void ResetOrientation(int p) {
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) tabPieceOrient[p][r][c] = tabPieceShape[p][r][c];
}

constexpr int kHalfBox = kPieceBox / 2;

}  // namespace

void frmTessa::pctEcran_MouseDown(int button, int, float x, float y) {
    if (bMenuShown) {
        HideMenu();
        return;
    }
    if (!bLevelActive || bBusy) return;
    if (button == plat::vbLeftButton && nHeldPiece == -1) {
        bBusy = vbTrue;
        // Taking off the board starts one pixel further right than dropping.
        if (x > kBoardLeft && x < kBoardRight) TakeBackPiece(x, y);
        else PickUpFromTray(x, y);
        bBusy = vbFalse;
    } else if (button == plat::vbLeftButton) {
        bBusy = vbTrue;
        if (x > kBoardLeft - 1 && x < kBoardRight) {
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
    nHeldX = tabTrayX[p] + kHalfBox;
    nHeldY = tabTrayY[p] + kHalfBox;
    // The clean copy the drag restores from.
    plat::BitBlt(Picture, 0, kPlayAreaTop, kPlayAreaWidth, kPlayAreaHeight, pctEcran.Image, 0, 0,
                 plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::EraseHeldImage() {
    plat::BitBlt(pctEcran.Image, nHeldX - kHalfBox, nHeldY - kHalfBox, kPieceBox, kPieceBox, Picture,
                 nHeldX - kHalfBox, nHeldY - kHalfBox + kPlayAreaTop, plat::SRCCOPY);
}

void frmTessa::StampHeldImage(float x, float y) {
    const int left = RoundToInt(x - kHalfBox), top = RoundToInt(y - kHalfBox);
    plat::BitBlt(pctEcran.Image, left, top, kPieceBox, kPieceBox, pctTessa.Image, 0, 0, plat::SRCAND);
    plat::BitBlt(pctEcran.Image, left, top, kPieceBox, kPieceBox, pctTessa.Image, kPieceBox, 0,
                 plat::SRCPAINT);
    nHeldX = RoundToInt(x);
    nHeldY = RoundToInt(y);
}

void frmTessa::pctEcran_MouseMove(int, int, float x, float y) {
    if (nHeldPiece < 0 || !bLevelActive || bBusy) return;
    EraseHeldImage();
    StampHeldImage(x, y);
    // The piece never shows in the outermost strips.
    constexpr int right = kPlayAreaWidth - kEdgeStrip;
    plat::BitBlt(pctEcran.Image, 0, 0, kEdgeStrip, kPlayAreaHeight, Picture, 0, kPlayAreaTop,
                 plat::SRCCOPY);
    plat::BitBlt(pctEcran.Image, right, 0, kEdgeStrip, kPlayAreaHeight, Picture, right, kPlayAreaTop,
                 plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::DropPiece(float x, float y) {
    const int p = nHeldPiece;
    const int cx = static_cast<int>(std::floor((x - kBoardLeft) / kCell));
    const int cy = static_cast<int>(std::floor(y / kCell));
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) {
            if (tabPieceOrient[p][r][c] < 1) continue;
            const int bx = cx - 2 + c, by = cy - 2 + r;
            if (bx < 0 || bx > 15 || by < 0 || by > 15 || tabBoard[bx][by] != -1) return;
        }
    PlaySound("tessa32f.dat");
    pctEcran.SetMousePointer(labMenu[0].MousePointer());
    // The dragged image goes: the board from the clean copy, and the image's
    // own square too, as it may reach past the board's edges.
    plat::BitBlt(pctEcran.Image, kBoardLeft, 0, kBoardSize, kBoardSize, Picture, kBoardLeft,
                 kPlayAreaTop, plat::SRCCOPY);
    EraseHeldImage();
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) {
            if (tabPieceOrient[p][r][c] < 1) continue;
            const int bx = cx - 2 + c, by = cy - 2 + r;
            plat::BitBlt(pctEcran.Image, CellLeft(bx), CellTop(by), kCell, kCell, pctBrique.Image,
                         kCell * p, 0, plat::SRCCOPY);
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
