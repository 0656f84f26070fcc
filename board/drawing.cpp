// Pieces are composed as a mask and a picture, then stamped with AND and OR
// so that only their own cells change the play area.
#include "board/geometry.h"
#include "ui/frmtessa.h"

namespace modTessa {

using namespace geometry;

namespace {

void ComposePiece(std::int32_t p, const std::int32_t (&grid)[kGrid][kGrid]) {
    frmTessa& f = MainForm();
    plat::Surface& buf = f.pctTessa.Image;
    const plat::Surface& tiles = f.pctBrique.Image;
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) {
            if (grid[r][c] != 0) {
                plat::BitBlt(buf, kCell * c, kCell * r, kCell, kCell, tiles, kBlackTileX, 0, plat::SRCCOPY);
                plat::BitBlt(buf, kPieceBox + kCell * c, kCell * r, kCell, kCell, tiles, kCell * p, 0,
                             plat::SRCCOPY);
            } else {
                plat::BitBlt(buf, kCell * c, kCell * r, kCell, kCell, tiles, kWhiteTileX, 0, plat::SRCCOPY);
                plat::BitBlt(buf, kPieceBox + kCell * c, kCell * r, kCell, kCell, tiles, kBlackTileX, 0,
                             plat::SRCCOPY);
            }
        }
}

}  // namespace

void MakePieceImage(std::int32_t p) { ComposePiece(p, tabPieceShape[p]); }

void MakeOrientedPieceImage(std::int32_t p) { ComposePiece(p, tabPieceOrient[p]); }

void DrawTrayPiece(std::int32_t p) {
    frmTessa& f = MainForm();
    MakePieceImage(p);
    plat::BitBlt(f.pctEcran.Image, tabTrayX[p], tabTrayY[p], kPieceBox, kPieceBox, f.pctTessa.Image, 0, 0,
                 plat::SRCAND);
    plat::BitBlt(f.pctEcran.Image, tabTrayX[p], tabTrayY[p], kPieceBox, kPieceBox, f.pctTessa.Image,
                 kPieceBox, 0, plat::SRCPAINT);
}

void DrawTrayHole(std::int32_t p) {
    frmTessa& f = MainForm();
    MakePieceImage(p);
    plat::BitBlt(f.pctEcran.Image, tabTrayX[p], tabTrayY[p], kPieceBox, kPieceBox, f.pctTessa.Image, 0, 0,
                 plat::SRCAND);
}

}  // namespace modTessa
