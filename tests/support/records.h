// Level records written as rows of record letters, for any test.
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

}  // namespace testing_support
