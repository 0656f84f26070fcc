// Saved games on disk: names, listing, creating, removing, loading and saving.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/saved_games.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "base/files.h"
#include "platform/utf8.h"

namespace saves {

namespace fs = std::filesystem;

namespace {

// A line is at most "#FALSE#" CR LF; a little room for a file from elsewhere.
constexpr std::size_t kBytesPerLevel = 9;
constexpr std::size_t kSlack = 4096;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTemporaryPrefix = ".tessalor-";

std::string PathOf(const std::string& dir, const std::string& fileName) {
    return plat::Utf8Of(plat::PathOf(dir) / plat::PathOf(fileName));
}

bool EndsWithExtension(const std::string& fileName) {
    return fileName.size() >= kExtension.size() &&
           fileName.compare(fileName.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

std::string Trim(std::string_view s, std::string_view blanks) {
    const std::size_t a = s.find_first_not_of(blanks);
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(blanks) - a + 1));
}

// Windows keeps these names for its devices, whatever the case and with any
// extension: "con.pnt" opens the console, not a file.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    base = Trim(base, " ");
    for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

std::string NormalName(const std::string& typed) {
    return plat::Utf8ToLower(plat::Utf8Nfc(Trim(typed, " ")));
}

// A name must stay a plain file inside the save folder, on any system:
// no path, no hidden or special file, nothing a file system may refuse.
bool IsAcceptableName(const std::string& name) {
    if (name.empty() || name.front() == '.' || !plat::IsValidUtf8(name) || IsDeviceName(name)) return false;
    for (char32_t c : plat::Utf8Decode(name)) {
        if (plat::IsControl(c) || c == 0xFFFD) return false;
        if (std::u32string_view(U"/\\:*?\"<>|").find(c) != std::u32string_view::npos) return false;
    }
    return true;
}

bool IsGameFileName(const std::string& fileName) {
    return EndsWithExtension(fileName) && IsAcceptableName(GameNameOf(fileName));
}

std::string FileNameOf(const std::string& name) { return name + std::string(kExtension); }

std::string GameNameOf(const std::string& fileName) {
    return EndsWithExtension(fileName) ? fileName.substr(0, fileName.size() - kExtension.size())
                                       : fileName;
}

std::vector<std::string> List(const std::string& dir) {
    std::vector<std::string> games;
    std::error_code ec;
    fs::directory_iterator it(plat::PathOf(dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2) || it->is_symlink(ec2)) continue;
        std::string name = plat::Utf8Of(it->path().filename());
        if (IsGameFileName(name)) games.push_back(std::move(name));
    }
    std::sort(games.begin(), games.end());
    return games;
}

NewGame Create(const std::string& dir, const std::string& name, int levelCount) {
    if (!IsAcceptableName(name)) return NewGame::Failed;
    // Any entry that reads as the same name is taken, even one made by hand
    // in another case or another composition.
    std::error_code ec;
    fs::directory_iterator it(plat::PathOf(dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string entry = plat::Utf8Of(it->path().filename());
        if (EndsWithExtension(entry) && NormalName(GameNameOf(entry)) == name) return NewGame::Taken;
    }
    switch (plat::CreateNewFile(PathOf(dir, FileNameOf(name)),
                                ProgressText(std::vector<bool>(static_cast<std::size_t>(std::max(levelCount, 0)))))) {
        case plat::CreateResult::Created: return NewGame::Created;
        case plat::CreateResult::Exists: return NewGame::Taken;  // appeared since the look
        case plat::CreateResult::Failed: break;
    }
    return NewGame::Failed;
}

bool Remove(const std::string& dir, const std::string& fileName) {
    return plat::RemoveRegularFile(PathOf(dir, fileName));
}

bool IsSolvedLine(std::string_view line) {
    if (line.substr(0, kByteOrderMark.size()) == kByteOrderMark) line.remove_prefix(kByteOrderMark.size());
    const std::string word = Trim(line, " \t\r\v\f");
    constexpr std::string_view kSolved = "#TRUE#";
    return word.size() == kSolved.size() &&
           std::equal(word.begin(), word.end(), kSolved.begin(), [](char a, char b) {
               return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b;
           });
}

std::string ProgressText(const std::vector<bool>& done) {
    std::string text;
    text.reserve(done.size() * kBytesPerLevel);
    for (bool d : done) text += d ? "#TRUE#\r\n" : "#FALSE#\r\n";
    return text;
}

namespace {

// Missing: nothing there, or nothing of the player's (not a regular file).
LoadStatus Look(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(plat::PathOf(path), ec);
    if (ec) return ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory
                       ? LoadStatus::Missing
                       : LoadStatus::Unreadable;
    return st.type() == fs::file_type::regular ? LoadStatus::Read : LoadStatus::Missing;
}

}  // namespace

Progress Load(const std::string& dir, const std::string& fileName, int levelCount) {
    const std::size_t count = static_cast<std::size_t>(std::max(levelCount, 0));
    Progress p;
    p.done.assign(count, false);
    const std::string path = PathOf(dir, fileName);
    p.status = Look(path);
    if (p.status != LoadStatus::Read) return p;
    std::string text;
    int error = 0;
    if (!plat::ReadRegularFile(path, count * kBytesPerLevel + kSlack, text, nullptr, &error)) {
        // Gone between the look and the read: a new game after all.
        p.status = error == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable;
        return p;
    }
    // Line by line: a line that is not a solved mark only loses its own level.
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < text.size(); ++i) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        p.done[i] = IsSolvedLine(std::string_view(text).substr(pos, end - pos));
        p.lines = i + 1;
        pos = end + 1;
    }
    return p;
}

bool Save(const std::string& dir, const std::string& fileName, const std::vector<bool>& done) {
    return plat::ReplaceFile(PathOf(dir, fileName), ProgressText(done));
}

bool IsUnreadable(const std::string& dir, const std::string& fileName) {
    const std::string path = PathOf(dir, fileName);
    const LoadStatus st = Look(path);
    if (st != LoadStatus::Read) return st == LoadStatus::Unreadable;
    std::string head;
    int error = 0;
    return !plat::ReadRegularFile(path, 64, head, nullptr, &error) && error != ENOENT;
}

int RemoveStaleTemporaries(const std::string& dir, double maxAgeSeconds) {
    int removed = 0;
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    fs::directory_iterator it(plat::PathOf(dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = plat::Utf8Of(it->path().filename());
        // The pattern of the save routine's temporaries, and nothing else.
        if (name.size() != kTemporaryPrefix.size() + 6 || name.compare(0, kTemporaryPrefix.size(), kTemporaryPrefix) != 0 ||
            !std::all_of(name.begin() + static_cast<long>(kTemporaryPrefix.size()), name.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            continue;
        std::error_code ec2;
        const auto st = fs::symlink_status(it->path(), ec2);
        if (ec2 || st.type() != fs::file_type::regular) continue;
        const auto written = fs::last_write_time(it->path(), ec2);
        if (ec2 || std::chrono::duration<double>(now - written).count() <= maxAgeSeconds) continue;
        if (plat::RemoveRegularFile(plat::Utf8Of(it->path()))) ++removed;
    }
    return removed;
}

}  // namespace saves
