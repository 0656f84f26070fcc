// The player's hand on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's hand on screen: picking a piece up, dragging it, dropping it
// on the board, putting it back, taking one off the board. The rules decide,
// these handlers turn pixels into cells, paint and sound. bBusy keeps
// handlers that run inside the sound call's yield away from a hand that is
// being changed.
#include <cmath>

#include "levels/catalogue.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using namespace geometry;
using rules::Change;

namespace {

int RoundToInt(float v) { return static_cast<int>(std::lround(v)); }

constexpr int kHalfBox = kPieceBox / 2;

}  // namespace

Sound SoundOf(Change change) {
    switch (change) {
        case Change::Taken:
        case Change::TakenBack: return Sound::Take;
        case Change::Turned:
        case Change::Mirrored: return Sound::Turn;
        default: return Sound::Drop;
    }
}

namespace geometry {

CellPos CellUnder(float x, float y) {
    return {static_cast<int>(std::floor((x - kBoardLeft) / kCell)), static_cast<int>(std::floor(y / kCell))};
}

}  // namespace geometry

void frmTessa::pctEcran_MouseDown(int button, int, float x, float y) {
    HideHandMarker();
    if (WorkshopMouse(button, x, y, true)) return;
    if (bMenuShown) {
        HideMenu();
        return;
    }
    const rules::Board& b = state.board;
    if (!state.bLevelActive || bBusy) return;
    if (button == plat::vbLeftButton && b.nHeldPiece == rules::kNoPiece) {
        bBusy = true;
        if (TakesOffBoard(x)) TakeBackPiece(x, y);
        else PickUpFromTray(x, y);
        bBusy = false;
    } else if (button == plat::vbLeftButton) {
        bBusy = true;
        if (DropsOnBoard(x)) {
            if (DropPiece(x, y) == Change::Full) PlayVictory();
        } else {
            PutBackHeldPiece();
        }
        bBusy = false;
    } else if (button == plat::vbRightButton && b.nHeldPiece != rules::kNoPiece) {
        TurnPiece(x, y);
    }
}

int frmTessa::FindTrayPiece(float x, float y) const {
    for (const TrayRect& r : kTrayRects)
        if (x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2) return r.piece;
    return rules::kNoPiece;
}

void frmTessa::PickUpFromTray(float x, float y) { TakeFromTray(FindTrayPiece(x, y)); }

void frmTessa::TakeFromTray(int p) {
    const Change change = state.board.Take(p);
    if (change == Change::None) return;
    PlaySound(SoundOf(change));
    pctEcran.SetMousePointer(pctBrique.MousePointer());
    MakePieceImage(p);
    DrawTrayHole(p);
    const auto& slot = catalogue::kPieces[static_cast<size_t>(p)];
    nHeldX = slot.trayX + kHalfBox;
    nHeldY = slot.trayY + kHalfBox;
    // The clean copy the drag restores from.
    plat::BitBlt(Picture, 0, kPlayAreaTop, kPlayAreaWidth, kPlayAreaHeight, pctEcran.Image, 0, 0, plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::EraseHeldImage() {
    plat::BitBlt(pctEcran.Image, nHeldX - kHalfBox, nHeldY - kHalfBox, kPieceBox, kPieceBox, Picture,
                 nHeldX - kHalfBox, nHeldY - kHalfBox + kPlayAreaTop, plat::SRCCOPY);
}

void frmTessa::StampHeldImage(float x, float y) {
    const int left = RoundToInt(x - kHalfBox), top = RoundToInt(y - kHalfBox);
    plat::BitBlt(pctEcran.Image, left, top, kPieceBox, kPieceBox, pctTessa.Image, 0, 0, plat::SRCAND);
    plat::BitBlt(pctEcran.Image, left, top, kPieceBox, kPieceBox, pctTessa.Image, kPieceBox, 0, plat::SRCPAINT);
    nHeldX = RoundToInt(x);
    nHeldY = RoundToInt(y);
}

void frmTessa::pctEcran_MouseMove(int button, int, float x, float y) {
    HideHandMarker();
    if (WorkshopMouse(button, x, y, false)) return;
    nHandX = RoundToInt(x);
    nHandY = RoundToInt(y);
    if (state.board.nHeldPiece == rules::kNoPiece || !state.bLevelActive || bBusy) return;
    EraseHeldImage();
    StampHeldImage(x, y);
    ClearEdgeStrips();
    pctEcran.Refresh();
}

void frmTessa::ClearEdgeStrips() {
    // The piece never shows in the outermost strips.
    constexpr int right = kPlayAreaWidth - kEdgeStrip;
    plat::BitBlt(pctEcran.Image, 0, 0, kEdgeStrip, kPlayAreaHeight, Picture, 0, kPlayAreaTop, plat::SRCCOPY);
    plat::BitBlt(pctEcran.Image, right, 0, kEdgeStrip, kPlayAreaHeight, Picture, right, kPlayAreaTop,
                 plat::SRCCOPY);
}

Change frmTessa::DropPiece(float x, float y) {
    const int p = state.board.nHeldPiece;
    const CellPos at = CellUnder(x, y);
    const Change change = state.board.Drop(at.column, at.row);
    if (change == Change::None) return change;
    PlaySound(SoundOf(change));
    pctEcran.SetMousePointer(labMenu[0].MousePointer());
    // The dragged image goes: the board from the clean copy, and the image's
    // own square too, as it may reach past the board's edges.
    plat::BitBlt(pctEcran.Image, kBoardLeft, 0, kBoardSize, kBoardSize, Picture, kBoardLeft, kPlayAreaTop,
                 plat::SRCCOPY);
    EraseHeldImage();
    const rules::PieceGrid& grid = state.board.tabPieceOrient[p];
    for (int r = 0; r < rules::kBox; ++r)
        for (int c = 0; c < rules::kBox; ++c)
            if (grid[r][c])
                plat::BitBlt(pctEcran.Image, CellLeft(at.column - rules::kBoxCentre + c),
                             CellTop(at.row - rules::kBoxCentre + r), kCell, kCell, pctBrique.Image, kCell * p, 0,
                             plat::SRCCOPY);
    pctEcran.Refresh();
    HintBoardChanged();
    return change;
}

void frmTessa::PutBackHeldPiece() {
    const int p = state.board.nHeldPiece;
    pctEcran.SetMousePointer(labMenu[0].MousePointer());
    const Change change = state.board.PutBack();
    if (change == Change::None) return;
    PlaySound(SoundOf(change));
    EraseHeldImage();
    DrawTrayPiece(p);
    pctEcran.Refresh();
}

void frmTessa::TakeBackPiece(float x, float y) {
    const CellPos at = CellUnder(x, y);
    const int k = state.board.At(at.column, at.row);
    const rules::BoardGrid<std::int16_t> before = state.board.tabBoard;
    const Change change = state.board.TakeBack(at.column, at.row);
    if (change == Change::None) return;
    PlaySound(SoundOf(change));
    for (int bx = 0; bx < rules::kBoardCells; ++bx)
        for (int by = 0; by < rules::kBoardCells; ++by)
            if (before[bx][by] == k)
                plat::BitBlt(pctEcran.Image, CellLeft(bx), CellTop(by), kCell, kCell, pctBrique.Image, kWoodTileX, 0,
                             plat::SRCCOPY);
    DrawTrayPiece(k);
    pctEcran.Refresh();
    HintBoardChanged();
}
