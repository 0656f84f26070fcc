// What the generator writes besides pictures: the icon file, the embedded source.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace art {

struct NamedBlob {
    std::string name;  // C++ identifier inside namespace assets
    std::vector<unsigned char> bytes;
};

// A Windows icon file holding each size as a PNG image, smallest first.
struct SizedPng {
    int size;
    std::vector<unsigned char> png;
};
std::string IconFile(const std::vector<SizedPng>& images);

// C++ source defining each blob as an assets::Blob (see assets/embedded.h).
std::string EmbeddedSource(const std::vector<NamedBlob>& blobs);

}  // namespace art
