// Level source text and shapes: parsing never fails badly, and levels that
// parse come back the same from the text they are written as.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <string_view>

#include "fuzz_files.h"
#include "levels/level_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = levels::ParseSource(text, "fuzz");
    if (parsed.errors.empty()) {
        const auto again = levels::ParseSource(levels::FormatSource(parsed.levels), "again");
        fuzz::Check(again.errors.empty() && again.levels.size() == parsed.levels.size(), "written levels parse");
        for (std::size_t i = 0; i < again.levels.size(); ++i)
            fuzz::Check(again.levels[i].cell == parsed.levels[i].cell, "same cells after a round trip");
    }
    levels::ParseShape(text, "fuzz");
    levels::Level level;
    std::string error;
    if (size >= 256 && levels::FromRecord(text.substr(0, 256), level, error))
        levels::CheckPieces(level);
    return 0;
}
