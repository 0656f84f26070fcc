// Turning and mirroring the held piece on screen, by the mouse or the keys.
#include "ui/frmtessa.h"

void frmTessa::TurnPiece(float x, float y) { RepaintHeldPiece(state.board.Turn(), x, y); }

void frmTessa::MirrorPiece(float x, float y) { RepaintHeldPiece(state.board.Mirror(), x, y); }

void frmTessa::RepaintHeldPiece(rules::Change change, float x, float y) {
    if (change == rules::Change::None) return;
    bBusy = true;
    MakeOrientedPieceImage(state.board.nHeldPiece);
    PlaySound(SoundOf(change));
    EraseHeldImage();
    StampHeldImage(x, y);
    pctEcran.Refresh();
    bBusy = false;
}

void frmTessa::Form_KeyDown(int keyCode, int) {
    if (keyCode == plat::vbKeyF2) return RequestHint();
    if (!state.bLevelActive || state.board.nHeldPiece == rules::kNoPiece || bBusy) return;
    const float x = static_cast<float>(nHeldX), y = static_cast<float>(nHeldY);
    if (keyCode == plat::vbKeySpace) MirrorPiece(x, y);
    else if (keyCode == plat::vbKeyReturn) TurnPiece(x, y);
}
