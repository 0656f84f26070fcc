// The help pages: the French "aidetessalor/aide.htm" and the translated ones beside it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace art {
std::string HelpPage();
// The page in another language: the French page's head and style around a
// translated body (what lies between <main> and </main>), with its language
// and its title (from the words set). "@SAVE_FOLDER@" in the body becomes the
// save folder of the system. Empty when the body is empty.
std::string TranslatedHelpPage(const std::string& code, const std::string& body);
}
