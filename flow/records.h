// The player's records: per shape, the best time, how often it was solved and when the best time was made.
// SPDX-License-Identifier: GPL-3.0-or-later
//
// $XDG_DATA_HOME/tessalor/records.txt (Windows: beside the settings), one
// line per shape, four fields apart by blanks:
//     CODE MILLISECONDS TIMES YYYY-MM-DD
// the shape's code (letters and digits, the same shape has one code whatever
// its name or where it came from), the best playing time in milliseconds, the
// number of times it was solved, and the local date of the best time, e.g.
//     T2K3M9QX4 83250 3 2026-12-08
// Blank lines and lines starting with '#' are kept as they are. A line the
// game cannot take (a bad field, a second line for the same code) costs only
// itself: one line on stderr, and its bytes stay when the file is rewritten.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace records {

inline constexpr std::size_t kMaxFileBytes = 4u << 20;    // about fifty thousand shapes
inline constexpr std::uint32_t kMaxMillis = 359999999u;   // just under a hundred hours
inline constexpr std::size_t kMaxCodeLength = 80;

struct Date {
    int year = 0, month = 0, day = 0;
    bool operator==(const Date&) const = default;
};

struct Record {
    std::uint32_t bestMillis = 0;
    std::uint32_t times = 0;
    Date bestDate;
    bool operator==(const Record&) const = default;
};

struct File {
    std::unordered_map<std::string, Record> byCode;  // the good lines
    std::vector<std::string> lines;                  // every line as read, without its '\n'
    std::unordered_map<std::string, std::size_t> lineOf;  // each code's line in `lines`
    std::vector<std::string> errors;                 // one per bad line: "file:line: why"
    bool writable = true;  // false when the file could not be read whole: never rewritten
};

File Parse(std::string_view text, const std::string& file);
// The file's text: its lines in order, each with its '\n'.
std::string Text(const File& f);
// One more solve of the shape: counted, and its time and today's date kept
// when it beats the best (or is the first); a new shape's line goes last.
void NoteSolve(File& f, const std::string& code, std::uint32_t millis, const Date& today);

// "0:42", "12:05", "1:02:03": minutes and seconds, with hours past the hour.
std::string ShownTime(std::uint32_t millis);

std::string FilePath();
// Reads the file: missing gives no records silently; a bad line or an
// unreadable file gives one line on stderr naming the file (and the line).
File Load();
// A shape solved in that many seconds of play: the file read, noted and
// written atomically; false (and the file as it was) when it could not be.
bool KeepSolve(const std::string& code, double seconds);

}  // namespace records
