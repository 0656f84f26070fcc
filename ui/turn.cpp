// Turning and mirroring the held piece on screen, by the mouse or the keys.
#include "ui/frmtessa.h"

void frmTessa::TurnPiece(float x, float y) {
    bBusy = true;
    state.board.Turn();
    RepaintHeldPiece(x, y);
}

void frmTessa::MirrorPiece(float x, float y) {
    bBusy = true;
    state.board.Mirror();
    RepaintHeldPiece(x, y);
}

void frmTessa::RepaintHeldPiece(float x, float y) {
    MakeOrientedPieceImage(state.board.nHeldPiece);
    PlaySound(Sound::Turn);
    EraseHeldImage();
    StampHeldImage(x, y);
    pctEcran.Refresh();
    bBusy = false;
}

void frmTessa::Form_KeyDown(int keyCode, int) {
    if (!state.bLevelActive || state.board.nHeldPiece == rules::kNoPiece || bBusy) return;
    const float x = static_cast<float>(nHeldX), y = static_cast<float>(nHeldY);
    if (keyCode == plat::vbKeySpace) MirrorPiece(x, y);
    else if (keyCode == plat::vbKeyReturn) TurnPiece(x, y);
}
