// Display names of the forty shipped levels, by level index: the game shows
// them, and the level tool checks the catalogue's names and count against them.
#pragma once
#include <array>
#include <string_view>

namespace levels {

inline constexpr std::array<std::string_view, 40> kLevelNames{
    "3 pièces #1", "3 pièces #2", "3 pièces #3", "3 pièces #4", "chien",
    "rectangle 4x5 #1", "rectangle 4x5 #2", "rectangle 4x5 #3", "rectangle 4x5 #4", "rectangle 4x5 #5",
    "voiture", "table", "escargot", "carré 5x5 #1", "carré 5x5 #2",
    "carré 5x5 #3", "éléphant", "rectangle 6x5 #1", "rectangle 6x5 #2", "rectangle 6x5 #3",
    "dromadaire", "lama", "king kong", "grand T", "croix",
    "rectangle sans T", "rectangle 12x5", "rectangle 10x6", "carré sans coins", "carré à trous #1",
    "carré à trous #2", "carré troué", "rectangle 7x9", "rectangle sans I", "rectangle 8x11 #1",
    "rectangle 8x11 #2", "avion", "pyramide", "losange", "chat",
};

}  // namespace levels
