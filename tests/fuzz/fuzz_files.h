// What the fuzz targets share: a private folder and writing the input there.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <cstring>
inline char* mkdtemp(char* t) { return _mktemp_s(t, std::strlen(t) + 1) == 0 && _mkdir(t) == 0 ? t : nullptr; }
#endif

namespace fuzz {

// A property the target checks; a failure is a finding like a crash.
inline void Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "fuzz check failed: %s\n", what), std::abort();
}

// A folder made once per process, in the temporary folder (TMPDIR, default /tmp).
inline const std::string& Folder() {
    static const std::string dir = [] {
        std::string templ = (std::filesystem::temp_directory_path() / "tessalor-fuzz-XXXXXX").string();
        Check(mkdtemp(templ.data()) != nullptr, "a private folder");
        return templ + "/";
    }();
    return dir;
}

inline void Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    Check(f && (!size || std::fwrite(data, 1, size, f) == size) && std::fclose(f) == 0, "the input written");
}

}  // namespace fuzz
