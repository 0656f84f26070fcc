// The small modal windows: their common look, the question, the alert, the about box.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include "assets/embedded.h"
#include "ui/frmtessa.h"
#include "lang/i18n.h"
#include "lang/language.h"
#include "platform/system.h"

namespace {
constexpr plat::Colour kDialogBack = look::kDarkGreen.bgr();
constexpr plat::Colour kFrameGreen = look::kFrameGreen.bgr();

PlayOptions playOptions;
}  // namespace

const PlayOptions& Options() { return playOptions; }
void SetOptions(const PlayOptions& options) { playOptions = options; }

Dialog::Dialog(std::string name, plat::Form* owner) : plat::Form(std::move(name)) {
    Move(0, 0, 257, 181);
    SetBackColor(kDialogBack);
    Owner = plat::ModalTop() ? plat::ModalTop() : owner;
    Caption = "Tessalor";
    Shape1.Move(0, 0, 255, 179);
    Shape1.BorderWidth = 4;
    Shape1.BorderColor = kFrameGreen;
    Shape1.CornerRadius = 22;
    Label1.ForeColor = kFrameGreen;
    Label1.LabelFont = {"Arial", 12, false};
    Label1.Transparent = true;
    Label1.WordWrap = true;
    Add(Shape1);
    Add(Label1);
    Load = [this] { Form_Load(); };
    MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    CloseRequest = [this] {
        Tag.clear();
        Hide();
    };
    KeyDown = [this](int key, int) { DialogKeyDown(key); };
}

void Dialog::Form_Load() {
    SetOutline(plat::CreateRoundRectRgn(0, 0, 256, 180, 44, 44));
    if (Options().keyboard && !lbBout.empty()) LightButton(0);
}

void Dialog::LightButton(int index) {
    for (auto& b : lbBout) b->SetBackColor(clrButton);
    lbBout[static_cast<size_t>(index)]->SetBackColor(clrButtonHover);
}

int Dialog::LitButton() const {
    for (size_t i = 0; i < lbBout.size(); ++i)
        if (lbBout[i]->BackColor() == clrButtonHover) return static_cast<int>(i);
    return -1;
}

bool Dialog::DialogKeyDown(int keyCode) {
    const int count = static_cast<int>(lbBout.size());
    if (count == 0) return false;
    switch (keyCode) {
        case plat::vbKeyLeft:
        case plat::vbKeyRight:
            if (!arrowsLight) return false;
            LightButton(keyCode == plat::vbKeyLeft ? 0 : count - 1);
            return true;
        case plat::vbKeyTab:
            LightButton((LitButton() + 1) % count);
            return true;
        case plat::vbKeyReturn: {
            const int lit = LitButton();
            const int button = lit >= 0 ? lit : enterButton;
            if (!enterPresses || button < 0) return false;
            lbBout_Click(button);
            return true;
        }
        case plat::vbKeyEscape:
            if (CloseRequest) CloseRequest();
            return true;
        case plat::vbKeyF8:
            ToggleSound();
            return true;
        case plat::vbKeyF11:
            ToggleFullScreen(*this);
            return true;
        default:
            return false;
    }
}

plat::Label& Dialog::AddButton(const std::string& caption, int left, int top, int width,
                               int height) {
    const int index = static_cast<int>(lbBout.size());
    auto b = std::make_unique<plat::Label>("lbBout", index);
    b->Move(left, top, width, height);
    b->SetCaption(caption);
    b->SetBackColor(clrButton);
    b->ForeColor = 0;
    b->LabelFont = {"Arial", 12, false};
    b->Alignment = plat::Align::Center;
    b->WordWrap = false;
    b->SetMousePointer(plat::Cursor::Hand);
    b->Click = [this, index] { lbBout_Click(index); };
    b->MouseMove = [this, index](int bt, int s, float x, float y) {
        lbBout_MouseMove(index, bt, s, x, y);
    };
    Add(*b);
    lbBout.push_back(std::move(b));
    return *lbBout.back();
}

void Dialog::Form_MouseMove(int, int, float, float) {
    for (auto& b : lbBout) b->SetBackColor(clrButton);
}

void Dialog::lbBout_MouseMove(int index, int, int, float, float) {
    if (exclusiveHover)
        for (auto& b : lbBout) b->SetBackColor(clrButton);
    lbBout[static_cast<size_t>(index)]->SetBackColor(clrButtonHover);
}

// ---- frmMess --------------------------------------------------------------

frmMess::frmMess(plat::Form* owner) : Dialog("frmMess", owner) {
    Label1.Move(14, 38, 225, 71);
    Label1.Alignment = plat::Align::Center;
    Label1.SetCaption(_("Voulez-vous vraiment quitter le jeu ?"));
    exclusiveHover = true;
    AddButton(_("OUI"), 25, 131);
    AddButton(_("NON"), 139, 131);
}

void frmMess::lbBout_Click(int index) {
    Tag = index == 0 ? "1" : "0";
    Hide();
}

// ---- frmAlert -------------------------------------------------------------

frmAlert::frmAlert(plat::Form* owner) : Dialog("frmAlert", owner) {
    Label1.Move(11, 23, 235, 76);
    Label1.Alignment = plat::Align::Center;
    AddButton(_("Ok"), 84, 131);
}

void frmAlert::lbBout_Click(int) { Hide(); }

// ---- frmPropos ------------------------------------------------------------

frmPropos::frmPropos(plat::Form* owner) : Dialog("frmPropos", owner) {
    Label1.SetVisible(false);
    // The picture's words in the player's language, drawn beside the data.
    if (lang::CurrentLanguage() != lang::kFrench)
        Picture = plat::LoadPicture(lang::LocalizedDataFile(plat::ExecutableDir(), "apropos.png"));
    if (Picture.Empty())
        Picture = plat::LoadPictureFromMemory(assets::kAboutPicture.data, assets::kAboutPicture.size);
    plat::Label& x = AddButton("X", 228, 9, 18, 18);
    x.LabelFont = {"Arial", 9.75, true};
    enterButton = 0;
}

void frmPropos::lbBout_Click(int) { Hide(); }

// ---- callers --------------------------------------------------------------

namespace {

template <class D>
std::optional<std::string> ShowForResult(const modTessa::GameState& game, plat::Form& owner) {
    auto dlg = std::make_unique<D>(game, &owner);
    dlg->ShowModal();
    std::optional<std::string> result = dlg->Result;
    dlg->Unload();
    return result;
}

}  // namespace

std::optional<std::string> AskNewGameName(const modTessa::GameState& game, plat::Form& owner) {
    return ShowForResult<frmInput>(game, owner);
}
std::optional<std::string> ChooseSavedGame(const modTessa::GameState& game, plat::Form& owner) {
    return ShowForResult<frmChoix>(game, owner);
}

bool AskYesNo(const std::string& question, plat::Form* owner) {
    auto dlg = std::make_unique<frmMess>(owner);
    if (!question.empty()) dlg->Label1.SetCaption(question);
    dlg->ShowModal();
    const bool yes = dlg->Tag == "1";
    dlg->Unload();
    return yes;
}

namespace modTessa {

void ShowAlert(const std::string& text, plat::Form* owner) {
    auto dlg = std::make_unique<frmAlert>(owner);
    dlg->Label1.SetCaption(text);
    dlg->ShowModal();
    dlg->Unload();
}

}  // namespace modTessa
