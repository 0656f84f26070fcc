// Scrambling and unscrambling the level pack files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/pack.h"

namespace pack {

std::string PackFileName(int digit) { return "tessa32" + std::to_string(digit) + ".dat"; }

std::string Unscramble(std::string_view stored) {
    std::string out(stored.size(), '\0');
    unsigned char key = kSeed;
    for (size_t i = 0; i < stored.size(); ++i) {
        const auto c = static_cast<unsigned char>(stored[i]);
        out[i] = static_cast<char>(key ^ c);
        key = c;
    }
    return out;
}

std::string Scramble(std::string_view plain) {
    std::string out(plain.size(), '\0');
    unsigned char key = kSeed;
    for (size_t i = 0; i < plain.size(); ++i) {
        const auto c = static_cast<unsigned char>(key ^ static_cast<unsigned char>(plain[i]));
        out[i] = static_cast<char>(c);
        key = c;
    }
    return out;
}

}  // namespace pack
