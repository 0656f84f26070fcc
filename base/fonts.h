// Font files found through fontconfig ("Arial" resolves to a metric-compatible face).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace plat {
// Path of the best font file for the family; empty when fontconfig finds none.
std::string FindFontFile(const std::string& family, bool bold);
}
