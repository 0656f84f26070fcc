// Drawing pieces and the board on the play area.
// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces are composed as a mask and a picture, then stamped with AND and OR
// so that only their own cells change the play area. Also the board's set-up
// on screen.
#include "flow/flow.h"
#include "levels/catalogue.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using namespace geometry;

namespace {

int TrayX(int p) { return catalogue::kPieces[static_cast<size_t>(p)].trayX; }
int TrayY(int p) { return catalogue::kPieces[static_cast<size_t>(p)].trayY; }

}  // namespace

void frmTessa::ComposePiece(int p, const rules::PieceGrid& grid) {
    plat::Surface& buf = pctTessa.Image;
    const plat::Surface& tiles = pctBrique.Image;
    for (int r = 0; r < rules::kBox; ++r)
        for (int c = 0; c < rules::kBox; ++c) {
            const bool cell = grid[r][c] != 0;
            plat::BitBlt(buf, kCell * c, kCell * r, kCell, kCell, tiles, cell ? kBlackTileX : kWhiteTileX, 0,
                         plat::SRCCOPY);
            plat::BitBlt(buf, kPieceBox + kCell * c, kCell * r, kCell, kCell, tiles, cell ? kCell * p : kBlackTileX,
                         0, plat::SRCCOPY);
        }
}

void frmTessa::MakePieceImage(int p) { ComposePiece(p, rules::CatalogueGrid(p)); }

void frmTessa::MakeOrientedPieceImage(int p) { ComposePiece(p, state.board.tabPieceOrient[p]); }

void frmTessa::DrawTrayPiece(int p) {
    MakePieceImage(p);
    plat::BitBlt(pctEcran.Image, TrayX(p), TrayY(p), kPieceBox, kPieceBox, pctTessa.Image, 0, 0, plat::SRCAND);
    plat::BitBlt(pctEcran.Image, TrayX(p), TrayY(p), kPieceBox, kPieceBox, pctTessa.Image, kPieceBox, 0,
                 plat::SRCPAINT);
}

void frmTessa::DrawTrayHole(int p) {
    MakePieceImage(p);
    plat::BitBlt(pctEcran.Image, TrayX(p), TrayY(p), kPieceBox, kPieceBox, pctTessa.Image, 0, 0, plat::SRCAND);
}

void frmTessa::SetUpLevel(int n) {
    if (n >= 0 && n < state.nLevelCount) SetUpShape(modTessa::LevelRecord(state, n));
}

void frmTessa::SetUpShape(std::string_view record) {
    nMarkerX = kNoMarker;  // the whole play area is drawn anew
    // The window surface goes back to the bare background, dropping any clean
    // copy a drag left there, and the play area shows it.
    RestoreBackground();
    plat::BitBlt(pctEcran.Image, 0, 0, kPlayAreaWidth, kPlayAreaHeight, Picture, 0, kPlayAreaTop, plat::SRCCOPY);
    state.board.SetUp(record);
    HintBoardChanged(false);
    const rules::Board& b = state.board;
    // Pieces of the level in colour, the others as black silhouettes.
    for (int p = 0; p < rules::kPieceCount; ++p) {
        if (b.tabInTray[p]) DrawTrayPiece(p);
        else DrawTrayHole(p);
    }
    // Empty cells of the shape: plain wood, or the solution's colours when
    // the hidden word switched them on.
    for (int x = 0; x < rules::kBoardCells; ++x)
        for (int y = 0; y < rules::kBoardCells; ++y) {
            if (b.tabBoard[x][y] != rules::Empty) continue;
            const int sx = state.bShowSolution ? kCell * b.tabSolution[x][y] : kWoodTileX;
            const int sy = state.bShowSolution ? kCell : 0;
            plat::BitBlt(pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, pctBrique.Image, sx, sy,
                         plat::SRCCOPY);
        }
    // One refresh shows the whole new board at once.
    pctEcran.Refresh();
}

void frmTessa::ShowEmptyBoard() {
    nMarkerX = kNoMarker;  // the whole play area is drawn anew
    HintBoardChanged(false);
    RestoreBackground();
    plat::BitBlt(pctEcran.Image, 0, 0, kPlayAreaWidth, kPlayAreaHeight, Picture, 0, kPlayAreaTop, plat::SRCCOPY);
    for (int p = 0; p < rules::kPieceCount; ++p) DrawTrayPiece(p);
    pctEcran.Refresh();
}

void frmTessa::RestoreBackground() {
    // Drags only ever write the play area's part of the window surface.
    plat::BitBlt(Picture, 0, kPlayAreaTop, kPlayAreaWidth, kPlayAreaHeight, backgroundPicture, 0, kPlayAreaTop,
                 plat::SRCCOPY);
}
