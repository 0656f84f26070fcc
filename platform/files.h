// The bounded reads and atomic replace now live in base/; this name stays for
// the platform files still including it from here.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/files.h"
