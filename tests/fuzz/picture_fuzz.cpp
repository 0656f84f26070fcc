// Pictures from bytes: BMP, JPEG and PNG headers and data of any kind.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_files.h"
#include "platform/surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const plat::Surface picture = plat::LoadPictureFromMemory(data, size, &error);
    fuzz::Check(picture.Empty() != error.empty(), "a picture or a reason");
    fuzz::Check(picture.Width() <= 2048 && picture.Height() <= 2048, "bounded size");
    return 0;
}
