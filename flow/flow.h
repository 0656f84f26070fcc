// The game's flow: the level loop, saved-game files, help, and what the
// player is told.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "app/modtessa.h"
#include "levels/level_text.h"
#include "lang/i18n.h"

namespace plat {
class Form;
}

class frmTessa;

namespace modTessa {

// Plays levels in the window until one is left unsolved or none is left.
void StartLevel(frmTessa& f);
// Every level unsolved, before a game is opened or random play starts.
void ClearProgress(GameState& state);
bool LoadProgress(GameState& state);
bool SaveProgress(GameState& state);
// Plays one shape as a random shape is played, no saved game open: a shipped
// level (its index in the catalogue) or, with shipped < 0, any other.
void PlayShape(frmTessa& f, const levels::Level& level, int shipped = -1);
// The 256-byte record of shipped level n, and its caption under the head.
std::string_view LevelRecord(const GameState& state, int n);
std::string ShippedCaption(const GameState& state, int n);
// The shape's code, the key of its record ("" for a record that is no level).
std::string CodeOfRecord(std::string_view record);
// The playing clock: started when the shape is set up; when the drop fills
// it, the time passed less the time held (dialogs, a minimised window) goes
// to the records.
void StartPlayClock(GameState& state, std::string_view record);
void KeepPlayTime(const GameState& state);
void OpenHelpDocument(const GameState& state, const std::string& path, plat::Form* owner = nullptr);

inline constexpr const char* kAllSolvedMessage =
    N_("Tous les niveaux de cette partie ont été effectués. Choisissez une autre partie.");
inline constexpr const char* kSaveFailedMessage =
    N_("La partie n'a pas pu être enregistrée !\r\nVérifiez le dossier des parties.");
inline constexpr const char* kNameTakenMessage =
    N_("Ce nom existe déjà !\r\nChoisissez un autre nom.");
inline constexpr const char* kBadNameMessage =
    N_("Ce nom n'est pas correct !\r\nN'utilisez pas de caractères spéciaux.");
inline constexpr const char* kNoHelpViewerMessage = N_("Aucun programme n'ouvre l'aide !\r\nElle se trouve ici : ");
inline constexpr const char* kNoLevelsMessage =
    N_("Aucune forme n'a été trouvée !\r\nLes fichiers de niveaux manquent.");

}  // namespace modTessa
