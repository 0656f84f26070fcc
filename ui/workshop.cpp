// The shape workshop (F6): the board as the player's canvas, judged by the solver as it is drawn.
// SPDX-License-Identifier: GPL-3.0-or-later
// With no shape in play, F6 turns the board into a canvas: the left button
// (or Insert) adds cells, the right button (or Delete) removes them, a click
// on a tray piece (or Space on the piece PgDn/PgUp lit) puts it in or out of
// the set; with no piece chosen the solver picks the set. After each edit the
// verdict is worked out on the host's worker, the next edit cancelling it,
// and shown in the label under the board. Enter saves the shape among the
// player's own, Escape leaves, F2 shows one tiling, Ctrl+C and Ctrl+V copy
// and paste its code. Leaving puts back the play area and the label as they
// were.
#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "flow/flow.h"
#include "flow/own_shapes.h"
#include "flow/saved_games.h"
#include "lang/i18n.h"
#include "levels/workshop.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using namespace geometry;

namespace {

constexpr int kFastSteps = 4;  // cells per arrow press with Shift

constexpr const char* kBadCodeMessage =
    N_("Ce code de forme n'est pas valable !\r\nCopiez-le en entier, sans rien d'autre.");
constexpr const char* kCannotSaveMessage =
    N_("Cette forme ne peut pas être remplie :\r\nelle ne peut pas être enregistrée.");
constexpr const char* kShapeNotSavedMessage =
    N_("La forme n'a pas pu être enregistrée !\r\nVérifiez le dossier de vos formes.");
constexpr const char* kUnsavedQuestion = N_("Votre forme n'est pas enregistrée.\r\nQuitter l'atelier ?");

int CellIndex(int x, int y) { return y * rules::kBoardCells + x; }

// Each line of the label is one text of its own, so that every language fits
// the label's width line by line.
std::string WhyText(const levels::Verdict& v) {
    switch (v.why) {
        case levels::ImpossibleWhy::RegionSize:
            return lang::Format(C_("workshop", "zone de %d ≠ 5×n"), {std::to_string(v.where.size())});
        case levels::ImpossibleWhy::Unreachable: return C_("workshop", "cases isolées");
        case levels::ImpossibleWhy::WrongCount:
            return lang::Format(C_("workshop", "il faut %d cases"),
                                {std::to_string(5 * levels::PieceCountOf(v.pieces))});
        default: return C_("workshop", "aucune solution");
    }
}

std::string CellsText(int cells) {
    return lang::Format(lang::TranslatePlural("%d case", "%d cases", static_cast<unsigned long>(cells)),
                        {std::to_string(cells)});
}

// The verdict's lines: ways or impossible, then why, or how the pieces were chosen.
std::string VerdictText(const levels::Verdict& v, levels::PieceSet chosen) {
    if (v.kind == levels::VerdictKind::Impossible) return std::string(C_("workshop", "impossible")) + "\r\n" + WhyText(v);
    std::string text =
        v.more ? lang::Format(C_("workshop", "plus de %d"), {std::to_string(levels::kWaysCeiling)})
               : lang::Format(lang::TranslatePlural("%d façon", "%d façons", static_cast<unsigned long>(v.ways)),
                              {std::to_string(v.ways)});
    if (!chosen) text += std::string("\r\n") + C_("workshop", "automatique");
    return text;
}

// Asks for the new shape's name with the naming dialog's look and rules.
class frmShapeName : public frmInput {
public:
    frmShapeName(const modTessa::GameState& game, plat::Form* owner) : frmInput(game, owner) {
        Label1.SetCaption(_("Donnez un nom à votre forme :"));
    }
    void lbBout_Click(int) override {
        Result = AcceptedName();
        if (!Result) return;
        for (const levels::Level& level : modTessa::LoadOwnShapes().levels)
            if (saves::NormalName(level.name) == *Result) {
                modTessa::ShowAlert(_(modTessa::kNameTakenMessage), this);
                Result.reset();
                return;
            }
        Hide();
    }
};

}  // namespace

struct frmTessa::WorkshopRequest {
    std::weak_ptr<Workshop> window;  // gone when the workshop closes while the worker thinks
    levels::BoardShape shape;
    std::atomic<bool> cancel{false};
    levels::Verdict verdict;
};

struct frmTessa::Workshop {
    frmTessa* window = nullptr;
    levels::BoardShape shape;
    plat::Surface idle;       // the play area as it was before the workshop
    std::string idleCaption;  // and the label, with its place
    int labelLeft = 0, labelTop = 0, labelWidth = 0, labelHeight = 0;
    bool saved = true;        // nothing drawn since the last save
    bool tilingShown = false;
    CellPos dragFrom{-1, -1};  // the cell the button last marked, while it is held
    std::shared_ptr<WorkshopRequest> pending;
    std::optional<levels::Verdict> verdict;  // of the shape as it is, once known
    ~Workshop() {
        if (pending) pending->cancel = true;
    }
};

bool frmTessa::WorkshopKeyDown(int keyCode, int shift) {
    if (!workshop_) {
        if (keyCode != plat::vbKeyF6 || state.bLevelActive || bBusy || bMenuShown || !Enabled()) return false;
        OpenWorkshop();
        return true;
    }
    // Help and the settings keep their keys; every other key is the workshop's.
    if (keyCode == plat::vbKeyF1 || keyCode == plat::vbKeyF3 || keyCode == plat::vbKeyF8) return false;
    const bool ctrl = (shift & 2) != 0;
    const CellPos at = CellUnder(static_cast<float>(nHandX), static_cast<float>(nHandY));
    switch (keyCode) {
        case plat::vbKeyLeft:
        case plat::vbKeyRight:
        case plat::vbKeyUp:
        case plat::vbKeyDown: {
            // Cell by cell on the board; from the tray the hand comes back to the middle.
            const int d = (shift & 1) ? kFastSteps : 1;
            const bool onBoard = DropsOnBoard(static_cast<float>(nHandX));
            int column = onBoard ? at.column : rules::kBoardCells / 2, row = onBoard ? at.row : rules::kBoardCells / 2;
            if (onBoard) {
                column += keyCode == plat::vbKeyLeft ? -d : keyCode == plat::vbKeyRight ? d : 0;
                row += keyCode == plat::vbKeyUp ? -d : keyCode == plat::vbKeyDown ? d : 0;
            }
            column = std::clamp(column, 0, rules::kBoardCells - 1);
            row = std::clamp(row, 0, rules::kBoardCells - 1);
            MoveHand(CellLeft(column) + kCell / 2, CellTop(row) + kCell / 2);
            break;
        }
        case plat::vbKeyInsert:
        case plat::vbKeyDelete:
            if (DropsOnBoard(static_cast<float>(nHandX))) SetCanvasCell(at.column, at.row, keyCode == plat::vbKeyInsert);
            break;
        case plat::vbKeyPageDown:
        case plat::vbKeyPageUp: {
            // The hand goes to the next (or previous) piece of the tray.
            const int dir = keyCode == plat::vbKeyPageDown ? 1 : rules::kPieceCount - 1;
            const int lit = FindTrayPiece(static_cast<float>(nHandX), static_cast<float>(nHandY));
            const int p = lit == rules::kNoPiece ? (dir == 1 ? 0 : rules::kPieceCount - 1) : (lit + dir) % rules::kPieceCount;
            for (const TrayRect& r : kTrayRects)
                if (r.piece == p) MoveHand((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
            break;
        }
        case plat::vbKeySpace:
            ToggleWorkshopPiece(FindTrayPiece(static_cast<float>(nHandX), static_cast<float>(nHandY)));
            break;
        case plat::vbKeyReturn: SaveCanvas(); break;
        case plat::vbKeyEscape:
        case plat::vbKeyF6: LeaveWorkshop(); break;
        case plat::vbKeyF2: ShowCanvasTiling(!workshop_->tilingShown); break;
        case 'C':
            if (ctrl && workshop_->shape.Cells() > 0) {
                plat::SetClipboardText(levels::EncodeShape(workshop_->shape));
                ShowWorkshopLabel(C_("workshop", "code copié"));
            }
            break;
        case 'V':
            if (ctrl) PasteCanvas();
            break;
        default: break;
    }
    return true;
}

bool frmTessa::WorkshopMouse(int button, float x, float y, bool down) {
    if (!workshop_) return false;
    nHandX = static_cast<int>(x);
    nHandY = static_cast<int>(y);
    if (bBusy || !Enabled()) return true;
    Workshop& w = *workshop_;
    const bool left = (button & plat::vbLeftButton) != 0, right = (button & plat::vbRightButton) != 0;
    if (DropsOnBoard(x) && (left || right)) {
        // A drag marks every cell on its way, however far the pointer jumped
        // between two moves.
        const CellPos at = CellUnder(x, y);
        const CellPos from = down || w.dragFrom.column < 0 ? at : w.dragFrom;
        const int steps = std::max(std::abs(at.column - from.column), std::abs(at.row - from.row));
        for (int i = 1; i <= steps; ++i)
            SetCanvasCell(from.column + (at.column - from.column) * i / steps, from.row + (at.row - from.row) * i / steps, left);
        SetCanvasCell(at.column, at.row, left);
        w.dragFrom = at;
        return true;
    }
    w.dragFrom = {-1, -1};
    if (down && left) ToggleWorkshopPiece(FindTrayPiece(x, y));
    return true;
}

void frmTessa::OpenWorkshop() {
    CancelHint();
    workshop_ = std::make_shared<Workshop>();
    workshop_->window = this;
    workshop_->idle = pctEcran.Image;
    workshop_->idleCaption = labNom.Caption();
    Workshop& w = *workshop_;
    w.labelLeft = labNom.Left(), w.labelTop = labNom.Top(), w.labelWidth = labNom.Width(), w.labelHeight = labNom.Height();
    // Three lines of the label's font: it reaches up to the frame's edge.
    labNom.Move(w.labelLeft, w.labelTop - 4, w.labelWidth, 39);
    ShowWorkshopLabel();
}

bool frmTessa::LeaveWorkshop() {
    if (!workshop_) return true;
    if (!workshop_->saved && workshop_->shape.Cells() > 0 && !AskYesNo(_(kUnsavedQuestion), this)) return false;
    if (!workshop_) return true;  // left meanwhile
    const std::shared_ptr<Workshop> w = std::move(workshop_);
    if (w->pending) w->pending->cancel = true;
    HideHandMarker();
    plat::BitBlt(pctEcran.Image, 0, 0, kPlayAreaWidth, kPlayAreaHeight, w->idle, 0, 0, plat::SRCCOPY);
    pctEcran.Refresh();
    labNom.Move(w->labelLeft, w->labelTop, w->labelWidth, w->labelHeight);
    labNom.SetCaption(w->idleCaption);
    return true;
}

void frmTessa::PaintCanvasCell(int x, int y, bool solution) {
    const Workshop& w = *workshop_;
    if (!w.shape.in[static_cast<size_t>(CellIndex(x, y))]) {
        plat::BitBlt(pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, w.idle, CellLeft(x), CellTop(y),
                     plat::SRCCOPY);
        return;
    }
    int sx = kWoodTileX, sy = 0;
    if (solution && w.verdict && w.verdict->tiling) sx = kCell * w.verdict->tiling->At(x, y), sy = kCell;
    plat::BitBlt(pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, pctBrique.Image, sx, sy, plat::SRCCOPY);
}

void frmTessa::SetCanvasCell(int x, int y, bool in) {
    Workshop& w = *workshop_;
    if (x < 0 || y < 0 || x >= rules::kBoardCells || y >= rules::kBoardCells) return;
    bool& cell = w.shape.in[static_cast<size_t>(CellIndex(x, y))];
    if (cell == in) return;
    ShowCanvasTiling(false);
    cell = in;
    w.saved = false;
    PaintCanvasCell(x, y);
    pctEcran.Refresh();
    JudgeCanvas();
}

void frmTessa::ToggleWorkshopPiece(int p) {
    if (p == rules::kNoPiece) return;
    Workshop& w = *workshop_;
    ShowCanvasTiling(false);
    w.shape.pieces ^= static_cast<levels::PieceSet>(1u << p);
    w.saved = false;
    DrawWorkshopTray();
    JudgeCanvas();
}

void frmTessa::DrawWorkshopTray() {
    // The chosen pieces in colour, the others as silhouettes; all in colour
    // while the solver chooses.
    const levels::PieceSet set = workshop_->shape.pieces;
    for (int p = 0; p < rules::kPieceCount; ++p) {
        if (!set || (set >> p & 1)) DrawTrayPiece(p);
        else DrawTrayHole(p);
    }
    pctEcran.Refresh();
}

void frmTessa::JudgeCanvas() {
    Workshop& w = *workshop_;
    if (w.pending) w.pending->cancel = true;
    w.pending.reset();
    MarkFault(false);
    w.verdict.reset();
    if (w.shape.Cells() > 0) {
        auto request = std::make_shared<WorkshopRequest>();
        request->window = workshop_;
        request->shape = w.shape;
        w.pending = request;
        plat::RunInBackground([request] {
            request->verdict = levels::JudgeShape(request->shape, &request->cancel);
            plat::Post([request] { AnswerWorkshop(request); });
        }, std::shared_ptr<std::atomic<bool>>(request, &request->cancel));
    }
    // The label says the verdict is under way until it comes.
    ShowWorkshopLabel();
}

void frmTessa::AnswerWorkshop(const std::shared_ptr<WorkshopRequest>& request) {
    const std::shared_ptr<Workshop> w = request->window.lock();
    // A cancelled answer, or one for a drawing that changed since, never shows.
    if (!w || w->pending != request || request->cancel || request->verdict.kind == levels::VerdictKind::Cancelled)
        return;
    w->pending.reset();
    w->verdict = request->verdict;
    w->window->MarkFault(true);
    w->window->ShowWorkshopLabel();
}

void frmTessa::MarkFault(bool on) {
    const Workshop& w = *workshop_;
    // Cells no piece reaches, or a part cut off from the rest, show white as
    // the hint shows an empty part that cannot be filled.
    if (!w.verdict || w.verdict->kind != levels::VerdictKind::Impossible ||
        static_cast<int>(w.verdict->where.size()) >= w.shape.Cells())
        return;
    for (const levels::Cell& c : w.verdict->where) {
        if (!w.shape.in[static_cast<size_t>(CellIndex(c.x, c.y))]) continue;
        if (on) plat::BitBlt(pctEcran.Image, CellLeft(c.x), CellTop(c.y), kCell, kCell, pctBrique.Image, kWhiteTileX, 0, plat::SRCCOPY);
        else PaintCanvasCell(c.x, c.y);
    }
    pctEcran.Refresh();
}

void frmTessa::ShowWorkshopLabel(const std::string& note) {
    const Workshop& w = *workshop_;
    const int cells = w.shape.Cells();
    std::string text = C_("workshop", "atelier de formes");
    if (cells > 0)
        text = CellsText(cells) + "\r\n" +
               (w.verdict ? VerdictText(*w.verdict, w.shape.pieces) : std::string(C_("workshop", "calcul…")));
    // A note (copied, saved) takes the third line.
    if (!note.empty()) text = text.substr(0, text.find("\r\n", text.find("\r\n") + 2)) + "\r\n" + note;
    labNom.SetCaption(text);
}

void frmTessa::ShowCanvasTiling(bool shown) {
    Workshop& w = *workshop_;
    if (shown && !(w.verdict && w.verdict->tiling)) {
        plat::Beep();
        return;
    }
    if (w.tilingShown == shown) return;
    w.tilingShown = shown;
    for (int x = 0; x < rules::kBoardCells; ++x)
        for (int y = 0; y < rules::kBoardCells; ++y)
            if (w.shape.in[static_cast<size_t>(CellIndex(x, y))]) PaintCanvasCell(x, y, shown);
    pctEcran.Refresh();
}

void frmTessa::SaveCanvas() {
    Workshop& w = *workshop_;
    if (w.shape.Cells() == 0) return;
    // A verdict still being worked out is waited for here.
    if (!w.verdict) {
        if (w.pending) w.pending->cancel = true;
        w.pending.reset();
        w.verdict = levels::JudgeShape(w.shape);
        MarkFault(true);
        ShowWorkshopLabel();
    }
    if (!w.verdict->tiling) {
        modTessa::ShowAlert(_(kCannotSaveMessage), this);
        return;
    }
    auto dialog = std::make_unique<frmShapeName>(state, this);
    dialog->ShowModal();
    const std::optional<std::string> name = dialog->Result;
    dialog->Unload();
    if (!name || !workshop_) return;
    levels::Level level = *w.verdict->tiling;
    level.name = *name;
    if (!modTessa::AddOwnShape(level)) {
        modTessa::ShowAlert(_(kShapeNotSavedMessage), this);
        return;
    }
    w.saved = true;
    ShowWorkshopLabel(C_("workshop", "enregistrée"));
}

void frmTessa::PasteCanvas() {
    const std::optional<levels::BoardShape> shape = levels::DecodeShape(plat::ClipboardText());
    if (!shape) {
        modTessa::ShowAlert(_(kBadCodeMessage), this);
        return;
    }
    Workshop& w = *workshop_;
    ShowCanvasTiling(false);
    w.shape = *shape;
    w.saved = false;
    for (int x = 0; x < rules::kBoardCells; ++x)
        for (int y = 0; y < rules::kBoardCells; ++y) PaintCanvasCell(x, y);
    DrawWorkshopTray();
    JudgeCanvas();
}
