// Text drawn with TrueType fonts found through fontconfig. Sizes are points
// at 96 dpi (12 pt = 16 px).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/forms.h"

namespace plat {

int TextWidth(const Font& font, const std::string& utf8);
// False when the font has a glyph for none of the text's characters (true
// when no font can be opened: nothing can tell).
bool DrawsAny(const Font& font, const std::string& utf8);
int LineHeight(const Font& font);  // distance between wrapped lines
int FontHeight(const Font& font);
// One line with its top-left corner at (x, y), blended over dst inside clip.
void DrawTextLine(Surface& dst, Rect clip, int x, int y, const Font& font,
                  const std::string& utf8, Colour colour);
// Breaks at blanks (and CR LF) so that every line fits width where possible.
std::vector<std::string> WrapText(const Font& font, const std::string& utf8, int width);

}  // namespace plat
