// Level records written as rows of record letters, for any test.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace testing_support {

// A record with the given rows (top first) from (left, top); '.' and every
// other cell outside.
inline std::string MakeRecord(const std::vector<std::string>& rows, int top = 0, int left = 0) {
    std::string rec(256, 'A');
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] != '.') rec[(top + r) * 16 + left + c] = rows[r][c];
    return rec;
}

// I, X, V, W and U fill a 5 x 5 square in the top-left corner.
inline const std::string kSquareRecord = MakeRecord({"BBBBB", "CCCMM", "CCLLM", "GGLLM", "GGGLG"});

// The square, and the other seven pieces on one cell each of the bottom row,
// so that all twelve are in play.
inline std::string AllPiecesRecord() {
    std::string rec = kSquareRecord;
    for (int p : {2, 3, 4, 6, 7, 8, 9}) rec[15 * 16 + p] = static_cast<char>('B' + p);
    return rec;
}

}  // namespace testing_support
