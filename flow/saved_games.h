// Saved games on disk.
// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games on disk: the folder's listing, the name rules, creating,
// removing, reading and writing a game's progress, and the clean-up of
// temporaries a crash left behind. No game state: everything it works on
// comes in as parameters.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace saves {

inline constexpr std::size_t kMaxNameLength = 12;  // code points, after composition
inline constexpr std::string_view kExtension = ".pnt";

// The name a typed text stands for: blanks trimmed, composed (NFC), then
// lowered code point by code point.
std::string NormalName(const std::string& typed);
// A name the naming dialog accepts: not empty, valid UTF-8, no control
// character, no leading dot, no path or character a file system may refuse,
// no device name of Windows (con, nul, com1...), so games move between systems.
bool IsAcceptableName(const std::string& name);
// A file name the chooser lists: an acceptable name followed by ".pnt".
bool IsGameFileName(const std::string& fileName);
std::string FileNameOf(const std::string& name);   // name + ".pnt"
std::string GameNameOf(const std::string& fileName);  // without ".pnt"

// The games of dir: regular files (not links) with a listable name, sorted.
std::vector<std::string> List(const std::string& dir);

enum class NewGame { Created, Taken, Failed };
// Creates the file of a new game, every level unsolved, never replacing
// anything: Taken when a file of that name, or one that reads as the same
// name, is there already.
NewGame Create(const std::string& dir, const std::string& name, int levelCount);
// Deletes a game's file when it is a regular file.
bool Remove(const std::string& dir, const std::string& fileName);

// One line of a saved game: solved when, blanks and a leading byte-order
// mark removed, it reads "#TRUE#" in any letter case.
bool IsSolvedLine(std::string_view line);
std::string ProgressText(const std::vector<bool>& done);

enum class LoadStatus { Read, Missing, Unreadable };
struct Progress {
    LoadStatus status = LoadStatus::Missing;
    std::vector<bool> done;  // levelCount entries; all false unless Read
    std::size_t lines = 0;   // how many of them the file held
};
// Missing also covers a name that is no regular file (a folder, a link, a
// FIFO): nothing of the player's is there. Unreadable: a regular file, or
// an entry that cannot even be looked at, whose bytes cannot be read.
Progress Load(const std::string& dir, const std::string& fileName, int levelCount);
// Writes the progress all at once (see plat::ReplaceFile).
bool Save(const std::string& dir, const std::string& fileName, const std::vector<bool>& done);
// True when fileName names something in dir that exists but cannot be read.
bool IsUnreadable(const std::string& dir, const std::string& fileName);

// Removes the ".tessalor-XXXXXX" temporaries of interrupted saves older than
// maxAgeSeconds: regular files of dir only. Returns how many went.
int RemoveStaleTemporaries(const std::string& dir, double maxAgeSeconds = 60);

}  // namespace saves
