// The game from the keyboard: the menu panel, help, and the hand in a level.
// SPDX-License-Identifier: GPL-3.0-or-later
// Keys only take meanings the mouse-driven game leaves unused, and call the
// same handlers as the mouse.
#include <algorithm>
#include <vector>

#include "platform/host.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using namespace geometry;

namespace {

constexpr int kFastSteps = 4;  // cells per arrow press with Shift

}  // namespace

void frmTessa::Form_KeyDown(int keyCode, int shift) {
    // The hand's marker is lifted while a key acts, so nothing paints over it.
    HideHandMarker();
    [&] {
        if (WorkshopKeyDown(keyCode, shift)) return;
        if (keyCode == plat::vbKeyF2) return RequestHint();
        if (SettingsKeyDown(keyCode)) return;
        if (ShapesKeyDown(keyCode, shift)) return;
        if (MenuKeyDown(keyCode) || bMenuShown) return;
        if (!state.bLevelActive || bBusy) return;
        if (HistoryKeyDown(keyCode, shift)) return;
        if (HandKeyDown(keyCode, shift) || state.board.nHeldPiece == rules::kNoPiece) return;
        const float x = static_cast<float>(nHeldX), y = static_cast<float>(nHeldY);
        if (keyCode == plat::vbKeySpace) MirrorPiece(x, y);
        else if (keyCode == plat::vbKeyReturn) TurnPiece(x, y);
    }();
    ShowHandMarker();
}

// Where the pointer cannot be moved, an empty hand shows as a white square
// under it; a held piece shows itself.
void frmTessa::ShowHandMarker() {
    if (!bPointerStays || !(state.bLevelActive || WorkshopOpen()) || bMenuShown || state.board.nHeldPiece != rules::kNoPiece) return;
    nMarkerX = nHandX - kCell / 2;
    nMarkerY = nHandY - kCell / 2;
    plat::BitBlt(markerBackup, 0, 0, kCell, kCell, pctEcran.Image, nMarkerX, nMarkerY, plat::SRCCOPY);
    plat::BitBlt(pctEcran.Image, nMarkerX, nMarkerY, kCell, kCell, pctBrique.Image, kWhiteTileX, 0, plat::SRCCOPY);
    pctEcran.Refresh();
}

void frmTessa::HideHandMarker() {
    if (nMarkerX == kNoMarker) return;
    plat::BitBlt(pctEcran.Image, nMarkerX, nMarkerY, kCell, kCell, markerBackup, 0, 0, plat::SRCCOPY);
    nMarkerX = kNoMarker;
    pctEcran.Refresh();
}

bool frmTessa::MenuKeyDown(int keyCode) {
    if (keyCode == plat::vbKeyF1) {
        imgMenu_Click(1);
        return true;
    }
    if (keyCode == plat::vbKeyF10) {
        if (bMenuShown) {
            HideMenu();
            nMenuKey = -1;
            return true;
        }
        // The panel opens on its first visible entry by number: "Nouvelle
        // partie", or "Abandonner" during a shape.
        ShowMenu();
        nMenuKey = -1;
        for (int i = kMenuEntries - 1; i >= 0; --i)
            if (labMenu[static_cast<size_t>(i)].Visible()) nMenuKey = i;
        labMenu_MouseMove(nMenuKey, 0, 0, 0, 0);
        return true;
    }
    if (!bMenuShown) return false;
    if (keyCode == plat::vbKeyEscape) {
        HideMenu();
        nMenuKey = -1;
        return true;
    }
    if (keyCode == plat::vbKeyDown || keyCode == plat::vbKeyUp) {
        // The next visible entry down (or up) the panel, wrapping.
        std::vector<int> shown;
        for (int i = 0; i < kMenuEntries; ++i)
            if (labMenu[static_cast<size_t>(i)].Visible()) shown.push_back(i);
        if (shown.empty()) return true;
        std::sort(shown.begin(), shown.end(), [this](int a, int b) {
            return labMenu[static_cast<size_t>(a)].Top() < labMenu[static_cast<size_t>(b)].Top();
        });
        const int n = static_cast<int>(shown.size());
        const int at = static_cast<int>(std::find(shown.begin(), shown.end(), nMenuKey) - shown.begin());
        const int next = at == n ? (keyCode == plat::vbKeyDown ? 0 : n - 1)
                                 : (at + (keyCode == plat::vbKeyDown ? 1 : n - 1)) % n;
        nMenuKey = shown[static_cast<size_t>(next)];
        labMenu_MouseMove(nMenuKey, 0, 0, 0, 0);
        return true;
    }
    if (keyCode == plat::vbKeyReturn && nMenuKey >= 0) {
        const int i = nMenuKey;
        nMenuKey = -1;
        labMenu_Click(i);
        return true;
    }
    return false;
}

void frmTessa::MoveHand(int x, int y) {
    nHandX = std::clamp(x, 0, kPlayAreaWidth - 1);
    nHandY = std::clamp(y, 0, kPlayAreaHeight - 1);
    if (plat::CurrentHost()) bPointerStays = !plat::WarpPointer(*this, nHandX, nHandY + kPlayAreaTop);
}

bool frmTessa::HandKeyDown(int keyCode, int shift) {
    rules::Board& b = state.board;
    const bool holding = b.nHeldPiece != rules::kNoPiece;
    const float hx = static_cast<float>(nHandX), hy = static_cast<float>(nHandY);
    switch (keyCode) {
        case plat::vbKeyPageDown:
        case plat::vbKeyPageUp: {
            const int dir = keyCode == plat::vbKeyPageDown ? 1 : rules::kPieceCount - 1;
            // From the held piece, or from either end of the catalogue.
            int p = holding ? b.nHeldPiece : (dir == 1 ? rules::kPieceCount - 1 : 0);
            int found = rules::kNoPiece;
            for (int n = 0; n < rules::kPieceCount && found == rules::kNoPiece; ++n) {
                p = (p + dir) % rules::kPieceCount;
                if (b.tabInTray[static_cast<size_t>(p)]) found = p;
            }
            if (found == rules::kNoPiece) return true;
            bBusy = true;
            if (holding) PutBackHeldPiece();
            TakeFromTray(found);
            bBusy = false;
            MoveHand(nHeldX, nHeldY);
            return true;
        }
        case plat::vbKeyLeft:
        case plat::vbKeyRight:
        case plat::vbKeyUp:
        case plat::vbKeyDown: {
            const int d = kCell * ((shift & 1) ? kFastSteps : 1);
            const int dx = keyCode == plat::vbKeyLeft ? -d : keyCode == plat::vbKeyRight ? d : 0;
            const int dy = keyCode == plat::vbKeyUp ? -d : keyCode == plat::vbKeyDown ? d : 0;
            int x = std::clamp(nHandX + dx, 0, kPlayAreaWidth - 1), y = std::clamp(nHandY + dy, 0, kPlayAreaHeight - 1);
            // A held piece over the board lies on its cells, where a drop would put it.
            if (holding && DropsOnBoard(static_cast<float>(x))) {
                const CellPos at = CellUnder(static_cast<float>(x), static_cast<float>(y));
                x = CellLeft(at.column) + kCell / 2;
                y = CellTop(at.row) + kCell / 2;
            }
            MoveHand(x, y);
            pctEcran_MouseMove(0, shift, static_cast<float>(nHandX), static_cast<float>(nHandY));
            return true;
        }
        case plat::vbKeyInsert:
            if (holding) pctEcran_MouseDown(plat::vbLeftButton, 0, hx, hy);
            return true;
        case plat::vbKeyDelete:
            bBusy = true;
            if (holding) PutBackHeldPiece();
            else if (TakesOffBoard(hx)) TakeBackPiece(hx, hy);
            bBusy = false;
            return true;
        default:
            return false;
    }
}
