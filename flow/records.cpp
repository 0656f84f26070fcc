// The records file: one line per shape, read line by line, a bad line kept aside, rewritten whole.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "flow/flow.h"
#include "flow/text_file.h"
#include "levels/shape_code.h"
#include "platform/forms.h"
#include "platform/system.h"

namespace records {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t at = 0;;) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos) return out;
        const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
        out.push_back(line.substr(at, end - at));
        at = end;
    }
}

// A number of at most nine digits, within [low, high].
bool ReadNumber(std::string_view s, std::uint32_t low, std::uint32_t high, std::uint32_t& out) {
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    std::uint32_t v = 0;
    for (char c : s) v = v * 10 + static_cast<std::uint32_t>(c - '0');
    out = v;
    return v >= low && v <= high;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool ReadDate(std::string_view s, Date& d) {
    std::uint32_t y = 0, m = 0, day = 0;
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !ReadNumber(s.substr(0, 4), 1970, 9999, y) ||
        !ReadNumber(s.substr(5, 2), 1, 12, m) || !ReadNumber(s.substr(8, 2), 1, 31, day))
        return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (static_cast<int>(day) > kDays[m - 1] || (m == 2 && day == 29 && !IsLeapYear(static_cast<int>(y))))
        return false;
    d = {static_cast<int>(y), static_cast<int>(m), static_cast<int>(day)};
    return true;
}

bool IsCode(std::string_view s) {
    return !s.empty() && s.size() <= kMaxCodeLength && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

// Why the line is not a record, or empty.
std::string ReadLine(std::string_view line, std::string& code, Record& r) {
    const auto f = Fields(line);
    if (f.size() != 4) return "quatre champs attendus";
    if (!IsCode(f[0])) return "code de forme incorrect";
    if (!ReadNumber(f[1], 1, kMaxMillis, r.bestMillis)) return "temps incorrect";
    if (!ReadNumber(f[2], 1, 999999999u, r.times)) return "nombre de fois incorrect";
    if (!ReadDate(f[3], r.bestDate)) return "date incorrecte";
    code = std::string(f[0]);
    return {};
}

std::string LineOf(const std::string& code, const Record& r) {
    char tail[64];
    std::snprintf(tail, sizeof tail, " %u %u %04d-%02d-%02d", static_cast<unsigned>(r.bestMillis),
                  static_cast<unsigned>(r.times), r.bestDate.year, r.bestDate.month, r.bestDate.day);
    return code + tail;
}

}  // namespace

File Parse(std::string_view text, const std::string& file) {
    File f;
    for (const text_file::Line& l : text_file::SplitLines(text)) {
        const std::size_t index = f.lines.size();
        f.lines.emplace_back(l.text);
        const auto first = l.text.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || l.text[first] == '#') continue;
        std::string code;
        Record r;
        std::string why = ReadLine(l.text, code, r);
        if (why.empty() && f.byCode.count(code)) why = "forme déjà notée plus haut";
        if (!why.empty()) {
            f.errors.push_back(file + ":" + std::to_string(index + 1) + ": " + why);
            continue;
        }
        f.byCode.emplace(code, r);
        f.lineOf.emplace(code, index);
    }
    return f;
}

std::string Text(const File& f) {
    std::string out;
    for (const std::string& line : f.lines) out += line + "\n";
    return out;
}

void NoteSolve(File& f, const std::string& code, std::uint32_t millis, const Date& today) {
    millis = std::clamp<std::uint32_t>(millis, 1, kMaxMillis);
    auto [at, fresh] = f.byCode.try_emplace(code);
    Record& r = at->second;
    if (fresh || millis < r.bestMillis) {
        r.bestMillis = millis;
        r.bestDate = today;
    }
    r.times = std::min<std::uint32_t>(r.times + 1, 999999999u);
    if (fresh) {
        if (f.lines.empty()) f.lines.emplace_back("# code, meilleur temps (ms), fois résolue, date du meilleur temps");
        f.lineOf[code] = f.lines.size();
        f.lines.push_back(LineOf(code, r));
    } else {
        f.lines[f.lineOf.at(code)] = LineOf(code, r);
    }
}

std::string ShownTime(std::uint32_t millis) {
    const std::uint32_t s = millis / 1000;
    char out[32];
    if (s >= 3600)
        std::snprintf(out, sizeof out, "%u:%02u:%02u", static_cast<unsigned>(s / 3600),
                      static_cast<unsigned>(s / 60 % 60), static_cast<unsigned>(s % 60));
    else
        std::snprintf(out, sizeof out, "%u:%02u", static_cast<unsigned>(s / 60), static_cast<unsigned>(s % 60));
    return out;
}

std::string FilePath() { return plat::DataDir() + "records.txt"; }

File Load() {
    const std::string path = FilePath();
    const text_file::Read read = text_file::ReadBounded(path, kMaxFileBytes);
    File f = Parse(read.text, path);
    f.writable = read.whole;
    for (const std::string& error : f.errors) std::fprintf(stderr, _("tessalor : ligne ignorée, %s\n"), error.c_str());
    return f;
}

bool KeepSolve(const std::string& code, double seconds) {
    File f = Load();
    if (!f.writable) return false;
    Date today;
    plat::LocalDate(today.year, today.month, today.day);
    const double ms = std::round(std::max(seconds, 0.0) * 1000.0);
    NoteSolve(f, code, ms >= kMaxMillis ? kMaxMillis : static_cast<std::uint32_t>(ms), today);
    return text_file::Write(FilePath(), Text(f));
}

}  // namespace records

namespace modTessa {

std::string CodeOfRecord(std::string_view record) {
    levels::Level level;
    std::string error;
    if (!levels::FromRecord(record, level, error, true)) return {};
    return levels::EncodeShape(levels::BoardShapeOf(level));
}

void StartPlayClock(GameState& state, std::string_view record) {
    state.strShapeCode = CodeOfRecord(record);
    state.dSetUpTime = plat::Now();
    state.dSetUpHeld = plat::HeldSeconds();
}

void KeepPlayTime(const GameState& state) {
    const double played = (plat::Now() - state.dSetUpTime) - (plat::HeldSeconds() - state.dSetUpHeld);
    if (!state.strShapeCode.empty() && !records::KeepSolve(state.strShapeCode, played))
        std::fprintf(stderr, _("tessalor : temps non enregistré dans %s\n"), records::FilePath().c_str());
}

}  // namespace modTessa
