// Turning and mirroring the held piece about the centre of its box.
#include "ui/frmtessa.h"

using namespace modTessa;

namespace {

// Rewrites the held piece's grid about the centre cell (2, 2) of its box.
void Reorient(int p, bool turn) {
    std::int32_t scratch[5][5];
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) scratch[r][c] = tabPieceOrient[p][r][c];
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c)
            tabPieceOrient[p][r][c] = turn ? scratch[4 - c][r]   // quarter turn clockwise
                                           : scratch[r][4 - c];  // left-right mirror
}

}  // namespace

void frmTessa::TurnPiece(float x, float y) {
    bBusy = vbTrue;
    Reorient(nHeldPiece, true);
    RepaintHeldPiece(x, y);
}

void frmTessa::MirrorPiece(float x, float y) {
    bBusy = vbTrue;
    Reorient(nHeldPiece, false);
    RepaintHeldPiece(x, y);
}

void frmTessa::RepaintHeldPiece(float x, float y) {
    MakeOrientedPieceImage(nHeldPiece);
    PlaySound("tessa32g.dat");
    EraseHeldImage();
    StampHeldImage(x, y);
    pctEcran.Refresh();
    bBusy = vbFalse;
}

void frmTessa::Form_KeyDown(int keyCode, int) {
    if (!bLevelActive || nHeldPiece < 0 || bBusy) return;
    if (keyCode == plat::vbKeySpace) MirrorPiece(static_cast<float>(nHeldX), static_cast<float>(nHeldY));
    else if (keyCode == plat::vbKeyReturn) TurnPiece(static_cast<float>(nHeldX), static_cast<float>(nHeldY));
}
