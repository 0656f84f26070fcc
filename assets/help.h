// The French help page "aidetessalor/aide.htm".
#pragma once
#include <string>

namespace art {
std::string HelpPage();
}
