// Turning and mirroring the held piece on screen, by the mouse or the keys (ui/keys.cpp).
// SPDX-License-Identifier: GPL-3.0-or-later
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
