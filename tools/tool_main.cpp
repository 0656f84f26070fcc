// The level tool's entry point.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tool.h"

int main(int argc, char** argv) { return levels::RunLevelTool({argv + 1, argv + argc}); }
