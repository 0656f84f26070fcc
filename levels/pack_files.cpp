#include "levels/pack_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/level_names.h"
#include "levels/pack.h"
#include "platform/files.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace levels {

namespace {

// Level sources and packs are a few kilobytes; this bounds a hostile file.
constexpr std::size_t kMaxInputBytes = 16u << 20;

// Flushes a written file, or the folder that holds a renamed one, to disk.
bool Sync(int fd) {
#ifdef _WIN32
    return _commit(fd) == 0;
#else
    return fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
#endif
}

}  // namespace

bool ReadFile(const std::string& path, std::string& bytes, std::string& error) {
    const int e = plat::ReadRegularFile(path, kMaxInputBytes, bytes);
    if (e == 0) return true;
    error = path + ": cannot open: " +
            (e == plat::kNotRegular ? std::string("not a regular file") : std::string(std::strerror(e)));
    return false;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    // Written beside the target, on disk before the rename and the rename on
    // disk after it: a crash leaves the old file or the new one, whole.
    const std::string temp = path + ".tmp";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        error = temp + ": cannot create: " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0 &&
              Sync(fileno(out));
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        error = temp + ": write error";
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = path + ": cannot replace: " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
#ifndef _WIN32
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ok = dir >= 0 && Sync(dir);
    const int e = errno;
    if (dir >= 0) close(dir);
    if (!ok) {
        error = path + ": written, but its folder could not be flushed: " + std::strerror(e);
        return false;
    }
#endif
    return true;
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
    return WriteFileAtomically(path, bytes, error);
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
