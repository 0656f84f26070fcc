// The level tool's commands, callable without a process.
// SPDX-License-Identifier: GPL-3.0-or-later
// The level tool's commands, callable without a process: argv[0] is the
// command ("build", "verify", ...). Returns the exit status: 0, 1 on a
// failure, 2 on a usage error.
#pragma once
#include <string>
#include <vector>

namespace levels {

int RunLevelTool(const std::vector<std::string>& argv);

}  // namespace levels
