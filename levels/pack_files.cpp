// Reading and writing whole level packs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/pack_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/files.h"
#include "base/pack.h"
#include "levels/level_names.h"

namespace levels {

namespace {

// Level sources and packs are a few kilobytes; this bounds a hostile file.
constexpr std::size_t kMaxInputBytes = 1u << 20;

}  // namespace

bool ReadFile(const std::string& path, std::string& bytes, std::string& error) {
    bool tooLong = false;
    int e = 0;
    if (plat::ReadRegularFile(path, kMaxInputBytes, bytes, &tooLong, &e) && !tooLong) return true;
    error = path + ": cannot open: " +
            (tooLong ? std::string("larger than 1 MB")
             : e == plat::kNotRegular ? std::string("not a regular file")
                                      : std::string(std::strerror(e)));
    return false;
}

std::string CannotWrite(const std::string& path, int error) {
    return path + ": cannot create or replace" + (error ? std::string(": ") + std::strerror(error) : std::string());
}

bool ReadPack(const std::string& path, std::string& plain, std::string& error) {
    std::string bytes;
    if (!ReadFile(path, bytes, error)) return false;
    if (bytes.size() < static_cast<size_t>(pack::kTrailerSize) ||
        (bytes.size() - pack::kTrailerSize) % pack::kRecordSize != 0) {
        error = path + ": length " + std::to_string(bytes.size()) + " is not 256 x n + 2";
        return false;
    }
    bytes.resize(bytes.size() - pack::kTrailerSize);
    plain = pack::Unscramble(bytes);
    return true;
}

bool WritePack(const std::string& path, std::string_view plain, std::string& error) {
    std::string bytes = pack::Scramble(plain);
    bytes += "\r\n";  // the trailer the reader skips
    // As the game writes its saves: on disk before the rename, the folder after.
    int why = 0;
    if (plat::ReplaceFile(path, bytes, &why)) return true;
    error = CannotWrite(path, why);
    return false;
}

std::vector<std::string> PackFilesIn(const std::string& dir) {
    std::vector<std::string> out;
    for (int d = 0; d < pack::kMaxPacks; ++d) {
        const auto path = std::filesystem::path(dir) / pack::PackFileName(d);
        if (std::filesystem::is_regular_file(path)) out.push_back(path.string());
    }
    return out;
}

bool LoadPacks(const std::vector<std::string>& paths, std::vector<Level>& levels, std::vector<std::string>& errors) {
    const size_t before = errors.size();
    int index = 0;
    for (const auto& path : paths) {
        std::string plain, error;
        if (!ReadPack(path, plain, error)) {
            errors.push_back(error);
            continue;
        }
        for (size_t k = 0; k < plain.size(); k += pack::kRecordSize) {
            Level level;
            level.file = path;
            level.record = index++;
            if (static_cast<size_t>(level.record) < kLevelNames.size())
                level.name = std::string(kLevelNames[level.record]);
            else
                level.name = "niveau " + std::to_string(level.record + 1);
            if (!FromRecord(std::string_view(plain).substr(k, pack::kRecordSize), level, error)) {
                errors.push_back(level.Where() + ": " + error);
                continue;
            }
            levels.push_back(std::move(level));
        }
    }
    return errors.size() == before;
}

}  // namespace levels
