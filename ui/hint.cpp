// Hints on F2.
// SPDX-License-Identifier: GPL-3.0-or-later
// Hints on F2. The first press on a board tells whether the pieces left can
// still fill it; the next one shows a placement that keeps it finishable, or
// what is wrong. The engine runs on the host's worker and its answer comes
// back as a posted task; a newer press, a board change, a menu command or
// the end of the level cancels it, and an answer for a board that has
// changed since, or that arrives while the window is disabled or a dialog is
// open, is dropped.
#include <atomic>

#include "levels/hint.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"
#include "lang/i18n.h"

using namespace geometry;

namespace {

// What a hint depends on: the cells, and the pieces left in the tray and the
// hand together, so that taking or turning a piece keeps the ladder.
struct BoardKey {
    rules::BoardGrid<std::int16_t> cells{};
    levels::PieceSet left = 0;
    bool operator==(const BoardKey&) const = default;
};

BoardKey KeyOf(const rules::Board& b) {
    BoardKey k{b.tabBoard, 0};
    for (int p = 0; p < rules::kPieceCount; ++p)
        if (b.tabInTray[p] || b.nHeldPiece == p) k.left |= static_cast<levels::PieceSet>(1u << p);
    return k;
}

levels::HintBoard HintBoardOf(const rules::Board& b) {
    levels::HintBoard h;
    for (int x = 0; x < rules::kBoardCells; ++x)
        for (int y = 0; y < rules::kBoardCells; ++y) h.Set(x, y, b.tabBoard[x][y]);
    return h;
}

std::string VerdictText(const levels::HintResult& r) {
    if (r.verdict != levels::HintVerdict::Solvable)
        return _("Cette forme ne peut plus être remplie avec les pièces qui restent.");
    std::string text = _("Cette forme peut encore être remplie avec les pièces qui restent.");
    if (r.ways)
        text += "\r\n" + lang::Format(lang::TranslatePlural("Il reste une façon de la finir.",
                                                             "Il reste %d façons de la finir.", *r.ways),
                                        {std::to_string(*r.ways)});
    return text;
}

constexpr const char* kSizeFault =
    N_("Une partie vide de la forme ne peut pas être remplie : sa taille n'est pas un multiple de 5.");
constexpr const char* kFitFault =
    N_("Une partie vide de la forme ne peut pas être remplie : aucune pièce restante n'y entre.");
constexpr const char* kNoCulprit =
    N_("Aucune pièce posée ne débloque la forme à elle seule : reprenez-en plusieurs.");

}  // namespace

struct frmTessa::HintRequest {
    // The window's hint state: gone when the window closes while the worker thinks.
    std::weak_ptr<HintState> window;
    BoardKey key;
    levels::HintBoard board;
    levels::PieceSet left = 0;
    int held = rules::kNoPiece;
    bool detail = false;  // the placement or the fault, else the verdict
    std::atomic<bool> cancel{false};
    levels::HintResult result;
};

struct frmTessa::HintState {
    frmTessa* window = nullptr;
    BoardKey key;
    bool verdictShown = false;
    std::shared_ptr<HintRequest> pending;
    std::vector<levels::Cell> marked;
    int markedPiece = rules::kNoPiece;
    ~HintState() {
        if (pending) pending->cancel = true;
    }
};

void frmTessa::RequestHint() {
    if (!state.bLevelActive || bBusy || !Enabled()) return;
    if (!hint_) {
        hint_ = std::make_shared<HintState>();
        hint_->window = this;
    }
    HintState& h = *hint_;
    const BoardKey key = KeyOf(state.board);
    if (!(key == h.key)) HintBoardChanged();
    if (h.pending) h.pending->cancel = true;
    auto request = std::make_shared<HintRequest>();
    request->window = hint_;
    request->key = key;
    request->board = HintBoardOf(state.board);
    request->left = key.left;
    request->held = state.board.nHeldPiece;
    request->detail = h.verdictShown;
    h.key = key;
    h.pending = request;
    plat::RunInBackground([request] {
        levels::HintOptions options;
        if (request->detail) options.countSteps = 0;
        else options.explain = false;
        request->result = levels::FindHint(request->board, request->left, request->held, options, &request->cancel);
        plat::Post([request] { Answer(request); });
    }, std::shared_ptr<std::atomic<bool>>(request, &request->cancel));
}

void frmTessa::Answer(const std::shared_ptr<HintRequest>& request) {
    if (const std::shared_ptr<HintState> h = request->window.lock()) h->window->ShowHint(request);
}

void frmTessa::CancelHint() {
    if (!hint_ || !hint_->pending) return;
    hint_->pending->cancel = true;
    hint_->pending.reset();
}

void frmTessa::ShowHint(const std::shared_ptr<HintRequest>& request) {
    if (!hint_ || hint_->pending != request || request->cancel) return;
    if (bBusy) {
        // The hand is being changed inside a sound's yield: answer after it.
        plat::Post([request] { Answer(request); });
        return;
    }
    // Never over the quit question, a dialog, the victory or the abandon.
    if (!Enabled() || plat::ModalTop()) {
        CancelHint();
        return;
    }
    HintState& h = *hint_;
    h.pending.reset();
    const levels::HintResult& r = request->result;
    if (r.verdict == levels::HintVerdict::Cancelled || !(KeyOf(state.board) == request->key) ||
        !state.bLevelActive)
        return;
    if (!request->detail) {
        h.verdictShown = true;
        modTessa::ShowAlert(VerdictText(r), this);
    } else if (r.verdict == levels::HintVerdict::Solvable && r.cells.size() == 5) {
        PaintMarkedCells(false);
        h.marked = r.cells;
        h.markedPiece = r.piece;
        PaintMarkedCells(true);
    } else if (r.fault != levels::RegionFault::None) {
        modTessa::ShowAlert(_(r.fault == levels::RegionFault::Size ? kSizeFault : kFitFault), this);
    } else if (r.culprit >= 0) {
        // The culprit blinks twice: plain wood, then its own tile.
        for (int i = 0; i < 4; ++i) {
            const int sx = i % 2 == 0 ? kWoodTileX : kCell * r.culprit;
            for (int x = 0; x < rules::kBoardCells; ++x)
                for (int y = 0; y < rules::kBoardCells; ++y)
                    if (state.board.tabBoard[x][y] == r.culprit)
                        plat::BitBlt(pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, pctBrique.Image, sx, 0,
                                     plat::SRCCOPY);
            pctEcran.Refresh();
            plat::Sleep(120);
        }
        if (state.board.nHeldPiece != rules::kNoPiece) {
            EraseHeldImage();
            StampHeldImage(static_cast<float>(nHeldX), static_cast<float>(nHeldY));
            pctEcran.Refresh();
        }
    } else {
        modTessa::ShowAlert(_(kNoCulprit), this);
    }
}

void frmTessa::PaintMarkedCells(bool marked) {
    if (!hint_ || hint_->marked.empty()) return;
    const rules::Board& b = state.board;
    const bool held = b.nHeldPiece != rules::kNoPiece;
    for (const levels::Cell& c : hint_->marked) {
        // The mark is the solution display's tile; unmarked, the cell as it lies.
        int sx = kWoodTileX, sy = 0;
        const int at = b.At(c.x, c.y);
        if (marked) sx = kCell * hint_->markedPiece, sy = kCell;
        else if (at >= 0) sx = kCell * at;
        else if (at == rules::Empty && state.bShowSolution) sx = kCell * b.tabSolution[c.x][c.y], sy = kCell;
        plat::BitBlt(pctEcran.Image, CellLeft(c.x), CellTop(c.y), kCell, kCell, pctBrique.Image, sx, sy,
                     plat::SRCCOPY);
        // While a piece is dragged the clean copy it restores from holds the marks too.
        if (held)
            plat::BitBlt(Picture, CellLeft(c.x), CellTop(c.y) + kPlayAreaTop, kCell, kCell, pctBrique.Image, sx, sy,
                         plat::SRCCOPY);
    }
    if (held) {
        EraseHeldImage();
        StampHeldImage(static_cast<float>(nHeldX), static_cast<float>(nHeldY));
    }
    pctEcran.Refresh();
}

void frmTessa::HintBoardChanged(bool repaint) {
    if (!hint_) return;
    if (repaint) PaintMarkedCells(false);
    HintState& h = *hint_;
    h.marked.clear();
    h.markedPiece = rules::kNoPiece;
    h.verdictShown = false;
    if (h.pending) h.pending->cancel = true;
    h.pending.reset();
    h.key = KeyOf(state.board);
}
