// The two dialogs of saved games: naming a new one, choosing or deleting one.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "flow/flow.h"
#include "flow/saved_games.h"
#include "platform/text.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"
#include "lang/i18n.h"

using namespace modTessa;

namespace {
constexpr int kArrowStep = 6;
}  // namespace

// ---- frmInput -------------------------------------------------------------

frmInput::frmInput(const modTessa::GameState& game, plat::Form* owner) : Dialog("frmInput", owner), game_(game) {
    // Wide enough for the whole question on one line, right edge in place.
    Label1.Move(11, 18, 222, 18);
    Label1.Alignment = plat::Align::Right;
    Label1.SetCaption(_("Donnez un nom à votre partie :"));
    txtNom.Move(17, 77, 221, 26);
    txtNom.SetBackColor(clrButton);
    txtNom.ForeColor = 0;
    txtNom.BoxFont = {"Arial", 15.75, false};
    txtNom.MaxLength = static_cast<int>(saves::kMaxNameLength);
    Add(txtNom);
    AddButton(_("Ok"), 84, 130);
    SetFocus(&txtNom);
    // The field keeps its arrows; Enter confirms in keyboard mode only.
    KeyPreview = true;
    arrowsLight = false;
    enterPresses = Options().keyboard;
    enterButton = 0;
}

std::optional<std::string> frmInput::AcceptedName() {
    const std::string name = saves::NormalName(txtNom.Text());
    if (name.empty()) {
        Result.reset();
        Hide();
        return std::nullopt;
    }
    // Checked before the disk is touched: "../x" must never leave the folder.
    // A name the font cannot draw at all would read as nothing in the chooser.
    if (!saves::IsAcceptableName(name) || !plat::DrawsAny(txtNom.BoxFont, name)) {
        ShowAlert(_(kBadNameMessage), this);
        return std::nullopt;
    }
    return name;
}

void frmInput::lbBout_Click(int) {
    const std::optional<std::string> name = AcceptedName();
    if (!name) return;
    CreateSaveDirs(game_);
    switch (saves::Create(game_.strSaveDir, *name, game_.nLevelCount)) {
        case saves::NewGame::Created:
            Result = saves::FileNameOf(*name);
            Hide();
            break;
        case saves::NewGame::Taken:
            ShowAlert(_(kNameTakenMessage), this);
            break;
        case saves::NewGame::Failed:
            ShowAlert(_(kSaveFailedMessage), this);
            break;
    }
}

// ---- frmChoix -------------------------------------------------------------

void DrawScrollStrip(plat::Surface& s) {
    const int w = s.Width(), h = s.Height();
    const std::uint32_t frame = plat::ToPixel(look::kFrameGreen.bgr());
    s.Fill({0, 0, w, h}, frame);
    s.Fill({2, 2, w - 4, h - 4}, plat::ToPixel(look::kTroughGreen.bgr()));
    for (int top : {0, h - 24}) {
        s.Fill({0, top, w, 24}, frame);
        s.Fill({2, top + 2, w - 4, 20}, plat::ToPixel(clrButton));
        const bool up = top == 0;
        // A triangle of rows, 13 pixels wide at its base.
        for (int row = 0; row < 7; ++row) {
            const int y = top + (up ? 8 + row : 15 - row);
            s.Fill({w / 2 - row, y, 2 * row + 1, 1}, plat::ToPixel(clrButtonHover));
        }
    }
}

frmChoix::frmChoix(const modTessa::GameState& game, plat::Form* owner) : Dialog("frmChoix", owner), game_(game) {
    KeyPreview = true;
    Label1.Move(58, 5, 141, 18);
    Label1.Alignment = plat::Align::Center;
    Label1.SetCaption(_("Choix de la partie"));
    lstFile.Move(20, 28, 213, 110);
    lstFile.SetBackColor(clrButton);
    lstFile.ForeColor = clrButtonHover;
    // Black on the bright green bar: the chosen row reads clearly.
    lstFile.SelectedBackColor = clrButtonHover;
    lstFile.SelectedForeColor = look::kBlack.bgr();
    lstFile.ListFont = {"Arial", 12, false};
    lstFile.ItemHeight = 18;  // six rows, as many as an arrow step
    lstFile.SetMousePointer(plat::Cursor::Hand);
    Add(lstFile);
    Picture1.Move(208, 29, 24, 108);
    Picture1.Resize(24, 108);
    DrawScrollStrip(Picture1.Image);
    Add(Picture1);
    for (int i = 0; i < 2; ++i) {
        plat::ImageArea& arrow = Image1[i];
        arrow.Move(0, i == 0 ? 0 : 84, 24, 24);
        arrow.SetMousePointer(plat::Cursor::Hand);
        arrow.MouseDown = [this, i](int b, int s, float x, float y) { Image1_MouseDown(i, b, s, x, y); };
        Picture1.Add(arrow);
    }
    exclusiveHover = true;
    AddButton(_("Ok"), 21, 147);
    AddButton(_("Annuler"), 144, 147);
    enterButton = 0;
    KeyDown = [this](int key, int shift) { Form_KeyDown(key, shift); };
    SetFocus(&lstFile);
}

void frmChoix::Form_Load() {
    Dialog::Form_Load();
    FillList();
    nScrollPos = kArrowStep;
    if (nLastIndex >= 0) lstFile.SetListIndex(0);
}

void frmChoix::FillList() {
    lstFile.Clear();
    files_ = saves::List(game_.strSaveDir);
    for (const std::string& file : files_) lstFile.AddItem(saves::GameNameOf(file));
    nLastIndex = static_cast<std::int32_t>(files_.size()) - 1;
}

void frmChoix::Image1_MouseDown(int index, int, int, float, float) {
    if (nLastIndex < 0) return;
    nScrollPos += index == 0 ? -kArrowStep : kArrowStep;
    nScrollPos = std::clamp(nScrollPos, 0, nLastIndex);
    lstFile.SetListIndex(nScrollPos);
}

void frmChoix::lbBout_Click(int index) {
    if (index != 0) {
        Result.reset();
        Hide();
        return;
    }
    const int chosen = lstFile.ListIndex();
    if (chosen < 0) {
        plat::Beep();
        return;
    }
    const std::string& file = files_[static_cast<size_t>(chosen)];
    // A game that is there but cannot be read is never started, so that no
    // save can ever overwrite it.
    if (saves::IsUnreadable(game_.strSaveDir, file)) {
        ShowAlert(_(kUnreadableGameMessage), this);
        return;
    }
    Result = file;
    Hide();
}

void frmChoix::Form_KeyDown(int keyCode, int) {
    if (DialogKeyDown(keyCode) || keyCode != plat::vbKeyDelete) return;
    const int chosen = lstFile.ListIndex();
    if (chosen < 0) return;
    if (!AskYesNo(lstFile.List(chosen) + "\r\n" + _("Voulez-vous supprimer ce fichier ?"), this)) return;
    // Whatever happened on disk, the list shows what is really there.
    saves::Remove(game_.strSaveDir, files_[static_cast<size_t>(chosen)]);
    FillList();
}
