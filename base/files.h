// Small files that must never block, grow without bound or be left
// half-written: saved games and the like.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

namespace plat {

// Paths are UTF-8 inside the game; Windows reads narrow paths in its own code
// page, so every path crosses to and from the system through these.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// Beside errno's values: the path names a FIFO, a device or a socket.
inline constexpr int kNotRegular = -1;

// A descriptor open for reading on a regular file, or -1 with error set to
// an errno value (ENOENT, EISDIR, EACCES...) or kNotRegular. Never waits.
int OpenRegularFile(const std::string& path, int& error);
// Closes a descriptor OpenRegularFile gave.
void CloseDescriptor(int fd);
// True when path is a regular file that can be opened for reading.
bool CanReadRegularFile(const std::string& path);
// Why a file could not be read, in French: "fichier introuvable", "c'est un dossier"...
std::string FileErrorText(int error);

// Reads at most maxBytes of a regular file. FIFOs, devices and directories
// are refused at once, without waiting for a writer. truncated tells that
// the file holds more than was read; error, why it failed (as above).
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out,
                     bool* truncated = nullptr, int* error = nullptr);

enum class CreateResult { Created, Exists, Failed };
// Creates a new file holding bytes, never replacing one that exists. The file
// is on disk when this returns Created; after a failed write nothing is left.
CreateResult CreateNewFile(const std::string& path, const std::string& bytes);

// Replaces the file's contents all at once: written to a fresh temporary
// file beside it, flushed to disk, then renamed over it. The old contents
// stay whole when anything fails. The new file keeps the permission bits of
// the regular file it replaces (never a link's target), owner read and write
// always; anything else gets 0644 less the umask. The temporary is named
// ".tessalor-XXXXXX". The game's saves, the generated pictures and the level
// packs are all written through it. On failure, error (when given) gets the
// errno value that stopped it, or 0 when the system named none.
bool ReplaceFile(const std::string& path, const std::string& bytes, int* error = nullptr);

// Deletes path only when it is a regular file (not a link, not a directory).
bool RemoveRegularFile(const std::string& path);

}  // namespace plat
