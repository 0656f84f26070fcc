// Every shape the player can choose (the shape of the day, the shipped levels, the player's own) and what is known of each.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/modtessa.h"
#include "flow/own_shapes.h"
#include "flow/records.h"
#include "lang/i18n.h"
#include "levels/level_text.h"

namespace modTessa {

struct ShapeEntry {
    levels::Level level;     // its cells hold its reference tiling
    int shipped = -1;        // its index among the shipped levels, or -1
    bool own = false;        // one of the player's own (Delete removes it)
    bool day = false;        // the shape of the day (not made yet while code is empty)
    std::string code;        // the key of its record
    int stars = 0;           // its class, 1..5; 0 while unknown
};

// The shipped levels in catalogue order, then the player's own shapes, their
// classes taken from the embedded table or the cache. The shape of the day
// comes later (DayEntry): it takes time to make.
std::vector<ShapeEntry> ListShapes(const GameState& state, const OwnShapes& own);
// The shape of the day for that date as an entry; nullopt when none could be made.
std::optional<ShapeEntry> DayEntry(int year, int month, int day);
// The class of a shape: cached by its code, rated on first asking (slow: off
// the main thread); 0 when cancelled or not fillable.
int RateEntry(const ShapeEntry& entry, const std::atomic<bool>* cancel);
// The class already known for a code, or 0.
int CachedStars(const std::string& code);

// A pasted or typed code as a shape to play: nullopt and the message (a
// French msgid) when it does not decode or cannot be filled.
std::optional<levels::Level> LevelOfCode(std::string_view code, const char*& message);
inline constexpr const char* kBadCodeMessage =
    N_("Ce code ne correspond à aucune forme !\r\nVérifiez qu'il a été copié en entier.");
inline constexpr const char* kUnfillableMessage =
    N_("Cette forme ne peut pas être remplie\r\navec ses pièces !");

}  // namespace modTessa
