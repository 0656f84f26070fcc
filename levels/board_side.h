// The side of the square board every level lies on.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace levels {

inline constexpr int kBoard = 16;  // board side in cells

}  // namespace levels
