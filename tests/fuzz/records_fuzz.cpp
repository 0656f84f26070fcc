// A records file read, a solve noted and read again: no line lost or changed but the one noted.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "flow/records.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    records::File f = records::Parse(text, "r");
    const std::string kept = records::Text(f);
    const records::File again = records::Parse(kept, "r");
    fuzz::Check(again.byCode == f.byCode && again.errors.size() == f.errors.size(), "the text read back as read");
    const std::string code = "Z9fuzz";
    const auto before = f.byCode.count(code) ? f.byCode.at(code).times : 0u;
    records::NoteSolve(f, code, 1234, {2026, 12, 8});
    const records::File noted = records::Parse(records::Text(f), "r");
    fuzz::Check(noted.byCode.count(code) && noted.byCode.at(code).times == std::max(before + 1, 1u) &&
                    noted.byCode.at(code).bestMillis <= 1234,
                "the solve is noted");
    fuzz::Check(noted.byCode.size() == again.byCode.size() + (before ? 0 : 1) &&
                    noted.errors.size() == again.errors.size(),
                "the other lines stay as they were");
    return 0;
}
