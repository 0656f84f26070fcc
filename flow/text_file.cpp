// Small text files of the player's: read bounded, split into lines, written atomically.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "flow/text_file.h"
#include "lang/i18n.h"

namespace text_file {

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back({at, text.substr(at, end - at)});
        at = end + 1;
    }
    return lines;
}

Read ReadBounded(const std::string& path, std::size_t maxBytes) {
    Read read;
    bool tooLong = false;
    int error = 0;
    if (!plat::ReadRegularFile(path, maxBytes, read.text, &tooLong, &error)) {
        read.text.clear();
        read.whole = error == ENOENT;
        if (!read.whole)
            std::fprintf(stderr, _("tessalor : %s illisible (%s)\n"), path.c_str(), plat::FileErrorText(error).c_str());
    } else if (tooLong) {
        read.text.clear();
        read.whole = false;
        std::fprintf(stderr, _("tessalor : %s trop long, ignoré\n"), path.c_str());
    }
    return read;
}

bool Write(const std::string& path, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(plat::PathOf(path).parent_path(), ignored);
    return plat::ReplaceFile(path, text);
}

}  // namespace text_file
