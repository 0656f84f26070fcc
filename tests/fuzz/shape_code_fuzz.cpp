// Shape codes: decoding never fails badly; a code that decodes is its shape's own, within the bound.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <string_view>

#include "fuzz_files.h"
#include "levels/shape_code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto shape = levels::DecodeShape(text);
    if (shape) {
        const std::string code = levels::EncodeShape(*shape);
        fuzz::Check(!code.empty() && code.size() <= levels::kMaxCodeLength, "a code within the bound");
        fuzz::Check(levels::DecodeShape(code) == shape, "the same shape from its code");
    }
    return 0;
}
