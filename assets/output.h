// Writing the generated files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace art {

// Writes through a temporary file in the same directory and renames it into
// place, so an interrupted build never leaves a half-written file. Creates
// missing parent directories. Returns false (and leaves no file) on failure.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

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
