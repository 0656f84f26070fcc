// The settings from the main window: F8 turns the sound off and on, F11 the full screen, F3 opens "Réglages".
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <iterator>
#include <string>

#include "flow/settings.h"
#include "lang/i18n.h"
#include "platform/sound.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"

namespace {

// A setting the player changed, kept in the file; a file that cannot be
// written leaves the change in force for this run and says so once.
void Keep(const std::function<void(settings::Settings&)>& apply) {
    if (!settings::Change(apply))
        std::fprintf(stderr, _("tessalor : réglages non enregistrés dans %s\n"), settings::FilePath().c_str());
}

// Each row of the dialog: its words, and its value shown and turned to the next.
struct Row {
    const char* label;
    std::string (*shown)(const settings::Settings&);
    void (*next)(settings::Settings&);
};

std::string YesNo(bool on) { return on ? _("oui") : _("non"); }

// The languages offered: automatic, then each catalog.
constexpr const char* kLanguages[] = {"auto", "fr", "en", "de", "es", "it", "nl", "pt", "pl"};

const Row kRows[] = {
    {N_("Son"), [](const settings::Settings& s) { return YesNo(s.sound); },
     [](settings::Settings& s) { s.sound = !s.sound; }},
    {N_("Lettres sur les pièces"), [](const settings::Settings& s) { return YesNo(s.letters); },
     [](settings::Settings& s) { s.letters = !s.letters; }},
    {N_("Jeu au clavier"), [](const settings::Settings& s) { return YesNo(s.keyboard); },
     [](settings::Settings& s) { s.keyboard = !s.keyboard; }},
    {N_("Taille"), [](const settings::Settings& s) { return s.scale ? "× " + std::to_string(s.scale) : std::string(_("auto")); },
     [](settings::Settings& s) { s.scale = (s.scale + 1) % 5; }},
    {N_("Plein écran"), [](const settings::Settings& s) { return YesNo(s.fullscreen); },
     [](settings::Settings& s) { s.fullscreen = !s.fullscreen; }},
    {N_("Langue"), [](const settings::Settings& s) { return s.language == "auto" ? std::string(_("auto")) : s.language; },
     [](settings::Settings& s) {
         size_t i = 0;
         while (i < std::size(kLanguages) && s.language != kLanguages[i]) ++i;
         s.language = kLanguages[(i + 1) % std::size(kLanguages)];
     }},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));
// The rows whose change acts at once beyond the file.
constexpr int kSoundRow = 0, kFullScreenRow = 4;

// "Réglages": one label-button a setting, Enter or a click turns it to its
// next value, kept at once; the X button or Escape closes.
class frmReglages : public Dialog {
public:
    explicit frmReglages(plat::Form* owner) : Dialog("frmReglages", owner) {
        Label1.Move(14, 9, 200, 22);
        Label1.SetCaption(_("Réglages"));
        for (int i = 0; i < kRowCount; ++i) AddButton({}, 14, 37 + i * 23, 229, 19);
        plat::Label& x = AddButton("X", 228, 9, 18, 18);
        x.LabelFont = {"Arial", 9.75, true};
        arrowsLight = false;
        ShowValues();
        KeyDown = [this](int key, int) {
            if (key != plat::vbKeyUp && key != plat::vbKeyDown) {
                DialogKeyDown(key);
                return ShowValues();  // F8 may have turned the sound
            }
            // Up and Down walk the rows, wrapping; Tab reaches the X too.
            const int lit = LitButton();
            const bool down = key == plat::vbKeyDown;
            if (lit < 0 || lit >= kRowCount) LightButton(down ? 0 : kRowCount - 1);
            else LightButton((lit + (down ? 1 : kRowCount - 1)) % kRowCount);
        };
    }
    void lbBout_Click(int index) override {
        if (index >= kRowCount) return Hide();
        if (index == kSoundRow) ToggleSound();
        else if (index == kFullScreenRow) ToggleFullScreen(*this);
        else Keep([index](settings::Settings& s) { kRows[index].next(s); });
        ShowValues();
    }

private:
    void ShowValues() {
        for (int i = 0; i < kRowCount; ++i)
            // TRANSLATORS: a setting and its value; the colon as the language writes it.
            lbBout[static_cast<size_t>(i)]->SetCaption(
                lang::Format(_("%s : %s"), {_(kRows[i].label), kRows[i].shown(settings::Current())}));
    }
};

}  // namespace

void ShowSettings(plat::Form* owner) { ShowDialog<frmReglages>(owner); }

void ToggleSound() {
    const bool on = !settings::Current().sound;
    Keep([on](settings::Settings& s) { s.sound = on; });
    if (!on) plat::StopSounds();
}

void ToggleFullScreen(plat::Form& any) {
    plat::Form* game = &any;
    while (game->Owner) game = game->Owner;
    const bool on = !settings::Current().fullscreen;
    Keep([on](settings::Settings& s) { s.fullscreen = on; });
    plat::SetFullScreen(*game, on);
}

bool frmTessa::SettingsKeyDown(int keyCode) {
    if (keyCode == plat::vbKeyF3) {
        if (!bBusy) ShowSettings(this);
        return true;
    }
    if (keyCode == plat::vbKeyF8) {
        ToggleSound();
        return true;
    }
    if (keyCode == plat::vbKeyF11) {
        ToggleFullScreen(*this);
        return true;
    }
    return false;
}
