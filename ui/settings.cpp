// The settings from the main window: F8 turns the sound off and on, F3 opens "Réglages", F11 full screen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "flow/settings.h"
#include "platform/sound.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"

namespace {

// A setting the player changed, kept in the file; a file that cannot be
// written leaves the change in force for this run and says so once.
void Keep(const std::function<void(settings::Settings&)>& apply) {
    if (!settings::Change(apply))
        std::fprintf(stderr, "tessalor : réglages non enregistrés dans %s\n", settings::FilePath().c_str());
}

}  // namespace

bool frmTessa::SettingsKeyDown(int keyCode) {
    if (keyCode == plat::vbKeyF8) {
        const bool on = !settings::Current().sound;
        Keep([on](settings::Settings& s) { s.sound = on; });
        if (!on) plat::StopSounds();
        return true;
    }
    return false;
}
