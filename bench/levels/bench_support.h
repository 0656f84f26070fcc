// What the level benchmarks share: timing in milliseconds, percentiles, the levels' source.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "levels/level_text.h"
#include "levels/pack_files.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The value at quantile q of sorted figures.
inline double At(const std::vector<double>& sorted, double q) {
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())))];
}

// "name: median, p95, p99, max" of the figures, sorted in place.
inline void PrintFigures(const char* name, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms\n", name, At(ms, 0.5), At(ms, 0.95),
                At(ms, 0.99), ms.back());
}

// The levels of a source file; false after a message on stderr.
inline bool LoadLevels(const std::string& source, const char* program, std::vector<levels::Level>& out) {
    std::string text, error;
    if (!levels::ReadFile(source, text, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return false;
    }
    auto parsed = levels::ParseSource(text, source);
    if (!parsed.errors.empty()) {
        std::fprintf(stderr, "%s: %s\n", program, parsed.errors[0].c_str());
        return false;
    }
    out = std::move(parsed.levels);
    return true;
}

}  // namespace bench
