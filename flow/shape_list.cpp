// The chooser's list of shapes: names, codes, classes (cached), and shapes from codes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/shape_list.h"

#include <algorithm>
#include <mutex>
#include <tuple>
#include <unordered_map>

#include "flow/flow.h"
#include "levels/day.h"
#include "levels/difficulty.h"
#include "levels/shape_code.h"
#include "levels/workshop.h"

namespace modTessa {
namespace {

// Classes rated this run, by code; the rating runs on the worker thread.
struct StarCache {
    std::mutex lock;
    std::unordered_map<std::string, int> stars;
};
StarCache& Cache() {
    static StarCache c;
    return c;
}

// A level the board can be set up from: some cells, every piece whole.
bool IsPlayable(const levels::Level& level) {
    const bool any = std::any_of(level.cell.begin(), level.cell.end(), [](std::int8_t c) { return c >= 0; });
    return any && levels::CheckPieces(level).empty();
}

std::string CodeOf(const levels::Level& level) { return levels::EncodeShape(levels::BoardShapeOf(level)); }

}  // namespace

std::vector<ShapeEntry> ListShapes(const GameState& state, const OwnShapes& own) {
    std::vector<ShapeEntry> list;
    list.reserve(static_cast<size_t>(std::max(state.nLevelCount, 0)) + own.levels.size());
    for (int i = 0; i < state.nLevelCount; ++i) {
        ShapeEntry e;
        std::string error;
        if (!levels::FromRecord(LevelRecord(state, i), e.level, error, true)) continue;
        e.level.name = state.tabLevelName[static_cast<size_t>(i)];
        e.shipped = i;
        e.code = CodeOf(e.level);
        e.stars = levels::ShippedStars(i);
        list.push_back(std::move(e));
    }
    for (const levels::Level& level : own.levels) {
        ShapeEntry e;
        e.level = level;
        e.own = true;
        e.code = CodeOf(level);
        e.stars = CachedStars(e.code);
        list.push_back(std::move(e));
    }
    return list;
}

std::optional<ShapeEntry> DayEntry(int year, int month, int day) {
    // Made once a day: the chooser asks each time it opens.
    static std::mutex lock;
    static std::tuple<int, int, int> madeFor{};
    static levels::Level made;
    ShapeEntry e;
    {
        const std::lock_guard<std::mutex> hold(lock);
        if (madeFor != std::tuple{year, month, day}) {
            made = levels::ShapeOfTheDay(year, month, day);
            madeFor = {year, month, day};
        }
        e.level = made;
    }
    if (!IsPlayable(e.level)) return {};
    e.level.name = "forme du jour";
    e.day = true;
    e.code = CodeOf(e.level);
    e.stars = CachedStars(e.code);
    return e;
}

int CachedStars(const std::string& code) {
    StarCache& c = Cache();
    const std::lock_guard<std::mutex> hold(c.lock);
    const auto at = c.stars.find(code);
    return at == c.stars.end() ? 0 : at->second;
}

int RateEntry(const ShapeEntry& entry, const std::atomic<bool>* cancel) {
    if (entry.stars > 0) return entry.stars;
    if (const int known = CachedStars(entry.code)) return known;
    const levels::Rating r = levels::RateShape(levels::BoardShapeOf(entry.level), cancel);
    if (r.stars <= 0) return 0;
    StarCache& c = Cache();
    const std::lock_guard<std::mutex> hold(c.lock);
    c.stars[entry.code] = r.stars;
    return r.stars;
}

std::optional<levels::Level> LevelOfCode(std::string_view code, const char*& message) {
    // A code is short; a long paste is cut before it is decoded.
    const auto shape = levels::DecodeShape(code.substr(0, 4096));
    if (!shape) {
        message = kBadCodeMessage;
        return {};
    }
    levels::Verdict verdict = levels::JudgeShape(*shape);
    if (verdict.kind != levels::VerdictKind::Ways || !verdict.tiling || !IsPlayable(*verdict.tiling)) {
        message = kUnfillableMessage;
        return {};
    }
    levels::Level level = std::move(*verdict.tiling);
    level.name = "forme partagée";
    return level;
}

}  // namespace modTessa
