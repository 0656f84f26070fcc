// The French help page "aidetessalor/aide.htm".
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace art {
std::string HelpPage();
}
