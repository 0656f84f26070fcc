// "Formes" (F4): the chooser of every shape, its rows drawn in columns, and what its keys do.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shapes.h"

#include <algorithm>

#include "flow/flow.h"
#include "lang/i18n.h"
#include "platform/system.h"
#include "platform/text.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using modTessa::ShapeEntry;

namespace {

constexpr int kWidth = 480, kHeight = 312;
constexpr int kListLeft = 20, kListTop = 48, kListWidth = 440, kRowHeight = 18, kRows = 11;
constexpr int kStripWidth = 24;
// Columns, from the list's left edge: name, marks, best time (right-aligned),
// solved (centred).
constexpr int kMarksX = 206, kMarkSize = 10, kMarkStep = 12;
constexpr int kTimeRight = 336, kSolvedCentre = 384;
constexpr int kBatch = 4;  // shapes rated per job, so that closing stops soon

// Copies the part of src that falls inside clip to (x, y).
void ClippedCopy(plat::Surface& dst, plat::Rect clip, int x, int y, const plat::Surface& src) {
    const plat::Rect r = plat::Intersect(clip, {x, y, src.Width(), src.Height()});
    if (!r.Empty()) plat::BitBlt(dst, r.x, r.y, r.w, r.h, src, r.x - x, r.y - y, plat::SRCCOPY);
}

}  // namespace

std::string ShownName(const ShapeEntry& entry) {
    if (entry.day) return C_("level", "forme du jour");
    if (entry.own) return entry.level.name;
    if (entry.level.name == "forme partagée") return C_("level", "forme partagée");
    return C_("level", entry.level.name.c_str());
}

void ShapeList::Paint(plat::Surface& dst, plat::Rect clip, int ox, int oy) {
    const plat::Rect r = plat::Intersect(clip, {ox, oy, width_, height_});
    if (r.Empty()) return;
    dst.Fill(r, plat::ToPixel(backColor_));
    const int rh = RowHeight();
    for (int i = TopIndex(), y = oy; i < ListCount() && y < oy + height_; ++i, y += rh) {
        const ShapeEntry& e = entries[static_cast<size_t>(i)];
        const plat::Rect row = plat::Intersect(r, {ox, y, width_, rh});
        plat::Colour fg = ForeColor;
        if (i == ListIndex()) {
            dst.Fill(row, plat::ToPixel(SelectedBackColor));
            fg = SelectedForeColor;
        }
        // One pixel up, as the plain list: descenders end inside the row.
        plat::DrawTextLine(dst, plat::Intersect(row, {ox, y, kMarksX - 4, rh}), ox + 3, y - 1, ListFont, List(i), fg);
        if (e.stars > 0) ClippedCopy(dst, row, ox + kMarksX, y + (rh - kMarkSize) / 2, marks[std::min(e.stars, 5)]);
        const auto rec = e.code.empty() ? records.byCode.end() : records.byCode.find(e.code);
        const bool solved = rec != records.byCode.end();
        const std::string time = solved ? records::ShownTime(rec->second.bestMillis) : "–";
        plat::DrawTextLine(dst, row, ox + kTimeRight - plat::TextWidth(ListFont, time), y - 1, ListFont, time, fg);
        const std::string done = solved ? _("oui") : _("non");
        plat::DrawTextLine(dst, row, ox + kSolvedCentre - plat::TextWidth(ListFont, done) / 2, y - 1, ListFont, done,
                           fg);
    }
}

// ---- frmFormes -------------------------------------------------------------

struct frmFormes::Jobs {
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
    frmFormes* dialog = nullptr;  // null once the dialog is gone
    bool running = false;
};

frmFormes::frmFormes(const modTessa::GameState& game, const plat::Surface& tiles, plat::Form* owner)
    : Dialog("frmFormes", owner), game_(game), jobs_(std::make_shared<Jobs>()) {
    jobs_->dialog = this;
    // Larger than the other dialogs, in their look.
    Move(0, 0, kWidth, kHeight);
    Shape1.Move(0, 0, kWidth - 2, kHeight - 2);
    KeyPreview = true;
    Label1.Move(20, 6, kWidth - 40, 20);
    Label1.Alignment = plat::Align::Center;
    Label1.SetCaption(_("Formes"));
    const char* heads[] = {N_("Forme"), N_("Difficulté"), N_("Record"), N_("Résolue")};
    // Each heading's box, as wide as its column allows (the fit test knows them).
    const int headX[] = {3, kMarksX - 14, kTimeRight - 54, kSolvedCentre - 28};
    const int headW[] = {190, 88, 54, 56};
    const plat::Align headAlign[] = {plat::Align::Left, plat::Align::Center, plat::Align::Right,
                                     plat::Align::Center};
    for (size_t i = 0; i < labHead.size(); ++i) {
        plat::Label& h = labHead[i];
        h.Name = "labHead";
        h.Index = static_cast<int>(i);
        h.Move(kListLeft + headX[i], kListTop - 19, headW[i], 17);
        h.Alignment = headAlign[i];
        h.ForeColor = look::kFrameGreen.bgr();
        h.LabelFont = {"Arial", 8.25, false};
        h.Transparent = true;
        h.WordWrap = false;
        h.SetCaption(_(heads[i]));
        Add(h);
    }
    lstShapes.Move(kListLeft, kListTop, kListWidth, kRowHeight * kRows);
    lstShapes.SetBackColor(clrButton);
    lstShapes.ForeColor = clrButtonHover;
    lstShapes.SelectedBackColor = clrButtonHover;
    lstShapes.SelectedForeColor = look::kBlack.bgr();
    lstShapes.ListFont = {"Arial", 12, false};
    lstShapes.ItemHeight = kRowHeight;
    lstShapes.SetMousePointer(plat::Cursor::Hand);
    // The marks: the board's wood for each point of difficulty, black for the rest.
    for (int lit = 0; lit <= 5; ++lit) {
        plat::Surface& m = lstShapes.marks[static_cast<size_t>(lit)];
        m = plat::Surface(5 * kMarkStep - (kMarkStep - kMarkSize), kMarkSize, plat::ToPixel(clrButton));
        plat::SetStretchBltMode(m, plat::COLORONCOLOR);
        for (int j = 0; j < 5; ++j)
            plat::StretchBlt(m, j * kMarkStep, 0, kMarkSize, kMarkSize, tiles,
                             j < lit ? geometry::kWoodTileX : geometry::kBlackTileX, 0, geometry::kCell,
                             geometry::kCell, plat::SRCCOPY);
    }
    Add(lstShapes);
    const int stripHeight = kRowHeight * kRows;
    Picture1.Move(kListLeft + kListWidth - kStripWidth, kListTop, kStripWidth, stripHeight);
    Picture1.Resize(kStripWidth, stripHeight);
    DrawScrollStrip(Picture1.Image);
    Add(Picture1);
    for (int i = 0; i < 2; ++i) {
        plat::ImageArea& arrow = Image1[i];
        arrow.Move(0, i == 0 ? 0 : stripHeight - 24, 24, 24);
        arrow.SetMousePointer(plat::Cursor::Hand);
        // A page up or down the list.
        arrow.MouseDown = [this, i](int, int, float, float) {
            const int page = lstShapes.VisibleRows() - 1;
            const int at = std::max(lstShapes.ListIndex(), 0) + (i == 0 ? -page : page);
            lstShapes.SetListIndex(std::clamp(at, 0, lstShapes.ListCount() - 1));
        };
        Picture1.Add(arrow);
    }
    labStatus.Move(kListLeft, kListTop + stripHeight + 3, kListWidth, 17);
    labStatus.Alignment = plat::Align::Center;
    labStatus.ForeColor = look::kTextGreen.bgr();
    labStatus.LabelFont = {"Arial", 9.75, false};
    labStatus.Transparent = true;
    labStatus.WordWrap = false;
    Add(labStatus);
    exclusiveHover = true;
    AddButton(_("Ok"), 21, kHeight - 36);
    AddButton(_("Annuler"), kWidth - 25 - 88, kHeight - 36);
    enterButton = 0;
    KeyDown = [this](int key, int shift) { Form_KeyDown(key, shift); };
    SetFocus(&lstShapes);
}

frmFormes::~frmFormes() {
    jobs_->dialog = nullptr;
    *jobs_->cancel = true;
}

void frmFormes::Form_Load() {
    Dialog::Form_Load();
    SetOutline(plat::CreateRoundRectRgn(0, 0, kWidth - 1, kHeight - 1, 44, 44));
    FillList();
    lstShapes.SetListIndex(0);
    RateNext();
}

void frmFormes::FillList() {
    const std::vector<ShapeEntry> before = std::move(lstShapes.entries);
    lstShapes.entries.clear();
    // The shape of the day keeps its row, made or not.
    ShapeEntry day = !before.empty() && before.front().day ? before.front() : ShapeEntry{};
    day.day = true;
    lstShapes.entries.push_back(std::move(day));
    for (ShapeEntry& e : modTessa::ListShapes(game_, modTessa::LoadOwnShapes()))
        lstShapes.entries.push_back(std::move(e));
    lstShapes.records = records::Load();
    const int keep = lstShapes.ListIndex();
    lstShapes.Clear();
    for (const ShapeEntry& e : lstShapes.entries) lstShapes.AddItem(ShownName(e));
    lstShapes.SetListIndex(std::min(keep, lstShapes.ListCount() - 1));
}

// One job at a time on the worker: the shape of the day first, then the
// classes still unknown, from the rows in view down.
void frmFormes::RateNext() {
    if (jobs_->running) return;
    std::vector<std::pair<size_t, ShapeEntry>> todo;
    const auto& entries = lstShapes.entries;
    const bool needDay = entries.front().code.empty();
    const size_t from = static_cast<size_t>(std::max(lstShapes.TopIndex(), 0));
    for (size_t k = 0; k < entries.size() && todo.size() < kBatch && !needDay; ++k) {
        const size_t i = (from + k) % entries.size();
        if (entries[i].stars == 0 && !entries[i].code.empty()) todo.emplace_back(i, entries[i]);
    }
    if (!needDay && todo.empty()) return;
    int y = 0, m = 0, d = 0;
    plat::LocalDate(y, m, d);
    jobs_->running = true;
    std::shared_ptr<Jobs> jobs = jobs_;
    plat::RunInBackground(
        [jobs, todo, needDay, y, m, d]() mutable {
            std::optional<ShapeEntry> day;
            if (needDay) {
                day = modTessa::DayEntry(y, m, d);
                if (day) day->stars = modTessa::RateEntry(*day, jobs->cancel.get());
            }
            for (auto& [i, e] : todo) e.stars = modTessa::RateEntry(e, jobs->cancel.get());
            plat::Post([jobs, todo, day, needDay] {
                jobs->running = false;
                frmFormes* f = jobs->dialog;
                if (!f) return;
                auto& rows = f->lstShapes.entries;
                if (needDay) {
                    // No shape of the day can be made: its row stays, empty.
                    if (!day) return f->lstShapes.Invalidate();
                    rows.front() = *day;
                }
                // The rows may have moved (a shape removed): found again by code.
                for (const auto& [i, e] : todo)
                    for (ShapeEntry& row : rows)
                        if (row.code == e.code) row.stars = std::max(e.stars, 0);
                for (const auto& [i, e] : todo)
                    if (e.stars == 0)
                        for (ShapeEntry& row : rows)
                            if (row.code == e.code) row.stars = -1;  // not to be rated again
                f->lstShapes.Invalidate();
                f->RateNext();
            });
        },
        jobs_->cancel);
}

void frmFormes::lbBout_Click(int index) {
    if (index != 0) {
        Result.reset();
        Hide();
        return;
    }
    const int chosen = lstShapes.ListIndex();
    if (chosen < 0 || lstShapes.entries[static_cast<size_t>(chosen)].code.empty()) {
        plat::Beep();
        return;
    }
    Result = lstShapes.entries[static_cast<size_t>(chosen)];
    Hide();
}

void frmFormes::Form_KeyDown(int keyCode, int shift) {
    if (DialogKeyDown(keyCode)) return;
    const int chosen = lstShapes.ListIndex();
    const bool ctrl = (shift & 2) != 0;
    if (ctrl && keyCode == 'V') return Paste();
    if (chosen < 0) return;
    const ShapeEntry& e = lstShapes.entries[static_cast<size_t>(chosen)];
    if (ctrl && keyCode == 'C') {
        if (e.code.empty()) return plat::Beep();
        plat::SetClipboardText(e.code);
        labStatus.SetCaption(lang::Format(_("Code de « %s » copié"), {ShownName(e)}));
        return;
    }
    if (keyCode != plat::vbKeyDelete) return;
    if (!e.own) return plat::Beep();
    const levels::Level level = e.level;
    if (!AskYesNo(ShownName(e) + "\r\n" + _("Voulez-vous supprimer cette forme ?"), this)) return;
    // Whatever happened on disk, the list shows what is really there.
    modTessa::RemoveOwnShape(level);
    FillList();
}

void frmFormes::Paste() {
    const char* message = nullptr;
    const auto level = modTessa::LevelOfCode(plat::ClipboardText(), message);
    if (!level) return modTessa::ShowAlert(_(message), this);
    ShapeEntry e;
    e.level = *level;
    e.code = "-";
    Result = std::move(e);
    Hide();
}

std::optional<ShapeEntry> ChooseShape(const modTessa::GameState& game, const plat::Surface& tiles,
                                      plat::Form& owner) {
    auto dlg = std::make_unique<frmFormes>(game, tiles, &owner);
    dlg->ShowModal();
    std::optional<ShapeEntry> result = dlg->Result;
    dlg->Unload();
    return result;
}

bool frmTessa::ShapesKeyDown(int keyCode, int shift) {
    // Alt+F4 belongs to the window system.
    if (keyCode != plat::vbKeyF4 || (shift & 4)) return false;
    // During a shape F4 does nothing: the chooser opens between shapes.
    if (state.bLevelActive || bBusy) return true;
    if (bMenuShown) HideMenu();
    CancelHint();
    if (const auto chosen = ChooseShape(state, pctBrique.Image, *this))
        modTessa::PlayShape(*this, chosen->level, chosen->shipped);
    return true;
}

void frmTessa::PlayShapeCode(const std::string& code) {
    const char* message = nullptr;
    if (const auto level = modTessa::LevelOfCode(code, message)) modTessa::PlayShape(*this, *level);
    else modTessa::ShowAlert(_(message), this);
}
