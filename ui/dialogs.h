// The small modal windows: common look, hover and result protocol.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "lang/i18n.h"

namespace modTessa {
struct GameState;
}  // namespace modTessa

// How the player asked to play: the settings in force (flow/settings.h sets them).
struct PlayOptions {
    // Keyboard mode (--clavier): dialogs open with their first button lit and
    // Enter confirms the naming dialog.
    bool keyboard = false;
    // Piece letters (--lettres): each piece shows its letter wherever it is drawn.
    bool letters = false;
    // Sound (F8 turns it off): the game's sounds are played.
    bool sound = true;
};
const PlayOptions& Options();
void SetOptions(const PlayOptions& options);

// 257 x 181, rounded outline, green frame, label-buttons. A dialog stores
// its result and hides itself; closing it through the window system counts
// as no choice. It opens over the innermost modal window, else over the
// owner its caller gives.
class Dialog : public plat::Form {
public:
    Dialog(std::string name, plat::Form* owner);
    plat::Shape Shape1{"Shape1"};
    plat::Label Label1{"Label1"};
    std::vector<std::unique_ptr<plat::Label>> lbBout;

protected:
    plat::Label& AddButton(const std::string& caption, int left, int top, int width = 88,
                           int height = 19);
    virtual void Form_MouseMove(int, int, float, float);
    virtual void lbBout_MouseMove(int index, int, int, float, float);
    virtual void lbBout_Click(int index) = 0;
    virtual void Form_Load();
    // Left and Right light the first and the last button, Tab the next one,
    // Enter presses the lit one (or enterButton when none is lit), Escape
    // closes as the window system does. True when the key was taken.
    bool DialogKeyDown(int keyCode);
    void LightButton(int index);
    int LitButton() const;  // -1: none
    // Lighting one button puts out the others (dialogs with two buttons).
    bool exclusiveHover = false;
    bool arrowsLight = true;  // false where a text field keeps the arrows
    bool enterPresses = true;
    int enterButton = -1;
};

class frmMess : public Dialog {
public:
    explicit frmMess(plat::Form* owner = nullptr);
    void lbBout_Click(int index) override;
};

class frmAlert : public Dialog {
public:
    explicit frmAlert(plat::Form* owner = nullptr);
    void lbBout_Click(int index) override;
};

class frmPropos : public Dialog {
public:
    explicit frmPropos(plat::Form* owner = nullptr);
    void lbBout_Click(int index) override;
};

// Asks for the name of a new saved game and creates its file; Result is the
// file name, empty when no name was given or the window was closed.
class frmInput : public Dialog {
public:
    // The game gives the save folder and the level count.
    explicit frmInput(const modTessa::GameState& game, plat::Form* owner = nullptr);
    plat::TextBox txtNom{"txtNom"};
    std::optional<std::string> Result;
    void lbBout_Click(int index) override;

protected:
    // The typed name, normalised, when the naming rules accept it; nothing
    // when none was typed (the dialog closes) or it was refused (an alert said why).
    std::optional<std::string> AcceptedName();

private:
    const modTessa::GameState& game_;
};

// Lists the saved games to resume one or delete one; Result is the chosen
// file name, empty when cancelled.
class frmChoix : public Dialog {
public:
    explicit frmChoix(const modTessa::GameState& game, plat::Form* owner = nullptr);
    plat::ListBox lstFile{"lstFile"};
    plat::PictureBox Picture1{"Picture1"};
    plat::ImageArea Image1[2] = {plat::ImageArea("Image1", 0), plat::ImageArea("Image1", 1)};
    std::int32_t nScrollPos = 6;
    std::int32_t nLastIndex = -1;
    std::optional<std::string> Result;

    void Form_Load() override;
    void Image1_MouseDown(int index, int button, int shift, float x, float y);
    void lbBout_Click(int index) override;
    void Form_KeyDown(int keyCode, int shift);

private:
    const modTessa::GameState& game_;  // its save folder
    std::vector<std::string> files_;  // the real file name of each entry
    void FillList();
};

// The choosers' scroll strip: a green trough with an arrow button at each end.
void DrawScrollStrip(plat::Surface& s);

// Shows a fresh dialog of that kind modally, then unloads it.
template <class D>
void ShowDialog(plat::Form* owner) {
    auto dlg = std::make_unique<D>(owner);
    dlg->ShowModal();
    dlg->Unload();
}

// F8, in the main window and in every dialog: sound off (a sound playing
// stops) or on again, kept in the settings.
void ToggleSound();
// F11, in the main window and in every dialog: the game fills the screen or
// goes back to its window; kept as a setting.
void ToggleFullScreen(plat::Form& any);
// "Réglages" (F3): every setting, changed and kept at once; the window scale,
// the letters and the language take effect at the next start.
void ShowSettings(plat::Form* owner);
// The naming dialog: the new game's file name, or nothing.
std::optional<std::string> AskNewGameName(const modTessa::GameState& game, plat::Form& owner);
// The chooser: the chosen game's file name, or nothing.
std::optional<std::string> ChooseSavedGame(const modTessa::GameState& game, plat::Form& owner);
// Asks a yes/no question; true only for "OUI".
bool AskYesNo(const std::string& question = {}, plat::Form* owner = nullptr);

namespace modTessa {
// A message in the alert dialog, shown modally.
void ShowAlert(const std::string& text, plat::Form* owner = nullptr);
inline constexpr const char* kUnreadableGameMessage =
    N_("Cette partie ne peut pas être lue !\r\nVérifiez ses droits d'accès.");
}  // namespace modTessa
