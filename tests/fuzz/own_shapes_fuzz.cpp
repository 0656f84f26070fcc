// A shapes file read, each shape removed and one added: every other shape and every bad block stays.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>

#include "flow/own_shapes.h"
#include "fuzz_files.h"

using modTessa::ParseOwnShapes;

namespace {

long CountOf(const modTessa::OwnShapes& s, const levels::Level& l) {
    return std::count_if(s.levels.begin(), s.levels.end(),
                         [&](const levels::Level& x) { return x.name == l.name && x.cell == l.cell; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto read = ParseOwnShapes(text, "f");
    for (const levels::Level& level : read.levels) {
        const auto without = modTessa::WithoutOwnShape(text, level);
        fuzz::Check(without.has_value(), "a shape read can be removed");
        const auto after = ParseOwnShapes(*without, "f");
        fuzz::Check(after.levels.size() + 1 == read.levels.size() && CountOf(after, level) + 1 == CountOf(read, level),
                    "one shape fewer, the one removed");
        fuzz::Check(after.errors.size() == read.errors.size(), "the bad blocks stay");
    }
    if (!read.levels.empty()) {
        const auto with = modTessa::WithOwnShape(text, read.levels.front());
        fuzz::Check(with.has_value(), "a shape read can be added again");
        const auto after = ParseOwnShapes(*with, "f");
        fuzz::Check(after.levels.size() == read.levels.size() + 1 && after.errors.size() == read.errors.size(),
                    "one shape more, the bad blocks as they were");
    }
    return 0;
}
