// Level sources and designs as text, and the 256-byte records they make.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/level_text.h"

#include <algorithm>
#include <cstdlib>

#include "levels/catalogue.h"
#include "levels/level_names.h"

namespace levels {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string FileLine(const std::string& file, int line) { return file + ":" + std::to_string(line); }

std::string Quoted(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) return std::string("'") + c + "'";
    return "code " + std::to_string(u);
}

std::string Trim(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return std::string(s);
}

std::string PieceLabel(int p) {
    return std::string("'") + catalogue::RecordLetter(p) + "' (" + catalogue::kPieces[p].shapeName + ")";
}

}  // namespace

std::string Level::Where(int row) const {
    if (record >= 0) return file + ": record " + std::to_string(record) + ", row " + std::to_string(row);
    return FileLine(file, line + 1 + row);
}

std::string Level::Where() const {
    if (record >= 0) return file + ": record " + std::to_string(record);
    return FileLine(file, line);
}

ParseResult ParseSource(std::string_view text, const std::string& file) {
    ParseResult result;
    const auto lines = SplitLines(text);
    size_t i = 0;
    while (i < lines.size()) {
        if (IsBlank(lines[i])) {
            ++i;
            continue;
        }
        Level level;
        level.name = std::string(lines[i]);
        level.file = file;
        level.line = static_cast<int>(i) + 1;
        ++i;
        bool ok = true;
        for (int row = 0; row < kBoard; ++row, ++i) {
            const int lineNo = static_cast<int>(i) + 1;
            if (i >= lines.size()) {
                result.errors.push_back(FileLine(file, lineNo - 1) + ": level \"" + level.name + "\" ends after " +
                                        std::to_string(row) + " of 16 rows");
                ok = false;
                break;
            }
            const std::string_view line = lines[i];
            if (line.size() != kBoard) {
                result.errors.push_back(FileLine(file, lineNo) + ": row " + std::to_string(row) + " has " +
                                        std::to_string(line.size()) + " characters, expected 16");
                ok = false;
                continue;
            }
            for (int x = 0; x < kBoard; ++x) {
                const char c = line[x];
                if (c == kOutsideText) {
                    level.cell[row * kBoard + x] = -1;
                } else if (c >= 'B' && c <= 'M') {
                    level.cell[row * kBoard + x] = static_cast<std::int8_t>(c - 'B');
                } else {
                    result.errors.push_back(FileLine(file, lineNo) + ": unknown character " + Quoted(c) + " in column " +
                                            std::to_string(x) + " (use '.' or 'B' to 'M')");
                    ok = false;
                    break;
                }
            }
        }
        if (!ok) continue;
        for (const auto& problem : CheckPieces(level))
            result.errors.push_back(level.Where(problem.row) + ": " + problem.message);
        result.levels.push_back(std::move(level));
    }
    return result;
}

std::string FormatSource(const std::vector<Level>& levels) {
    std::string out;
    for (size_t n = 0; n < levels.size(); ++n) {
        if (n) out += '\n';
        out += levels[n].name;
        out += '\n';
        for (int y = 0; y < kBoard; ++y) {
            for (int x = 0; x < kBoard; ++x) {
                const int p = levels[n].At(x, y);
                out += p < 0 ? kOutsideText : catalogue::RecordLetter(p);
            }
            out += '\n';
        }
    }
    return out;
}

std::string ToRecord(const Level& level) {
    std::string out(kBoard * kBoard, kOutsideRecord);
    for (int k = 0; k < kBoard * kBoard; ++k)
        if (level.cell[k] >= 0) out[k] = catalogue::RecordLetter(level.cell[k]);
    return out;
}

bool FromRecord(std::string_view record, Level& level, std::string& error, bool pastLastIsOutside) {
    if (record.size() != kBoard * kBoard) {
        error = "record has " + std::to_string(record.size()) + " characters, expected 256";
        return false;
    }
    for (int k = 0; k < kBoard * kBoard; ++k) {
        const auto c = static_cast<unsigned char>(record[k]);
        if (c < 'B' || (c > 'M' && pastLastIsOutside)) {
            level.cell[k] = -1;
        } else if (c <= 'M') {
            level.cell[k] = static_cast<std::int8_t>(c - 'B');
        } else {
            error = "row " + std::to_string(k / kBoard) + ", column " + std::to_string(k % kBoard) +
                    ": character code " + std::to_string(c) + " is no piece letter";
            return false;
        }
    }
    return true;
}

std::vector<PieceProblem> CheckPieces(const Level& level) {
    std::vector<PieceProblem> problems;
    for (int p = 0; p < kPieceCount; ++p) {
        std::vector<Cell> cells;
        for (int y = 0; y < kBoard; ++y)
            for (int x = 0; x < kBoard; ++x)
                if (level.At(x, y) == p) cells.push_back({x, y});
        if (cells.empty()) continue;
        const int row = cells.front().y;
        const auto count = cells.size();
        if (count > 5 && count % 5 == 0) {
            problems.push_back({row, "piece " + PieceLabel(p) + " used more than once (" + std::to_string(count) +
                                         " cells)"});
        } else if (count != 5) {
            problems.push_back({row, "piece " + PieceLabel(p) + " covers " + std::to_string(count) +
                                         " cells, expected 5"});
        } else if (!IsPiece(p, cells)) {
            problems.push_back({row, "cells of " + PieceLabel(p) + " do not form that pentomino"});
        }
    }
    return problems;
}

PieceSet PiecesOf(const Level& level) {
    PieceSet set = 0;
    for (auto c : level.cell)
        if (c >= 0) set = static_cast<PieceSet>(set | (1u << c));
    return set;
}

Shape ShapeOf(const Level& level) {
    Shape shape(kBoard, kBoard);
    for (int y = 0; y < kBoard; ++y)
        for (int x = 0; x < kBoard; ++x) shape.Set(x, y, level.At(x, y) >= 0);
    return shape;
}

std::vector<std::string> VerifyLevels(const std::vector<Level>& levels, bool complete) {
    std::vector<std::string> errors;
    if (complete && levels.size() < kLevelNames.size())
        errors.push_back((levels.empty() ? std::string("catalogue") : levels.back().Where()) + ": only " +
                         std::to_string(levels.size()) + " levels, the names table has " +
                         std::to_string(kLevelNames.size()));
    if (levels.size() > kLevelNames.size())
        errors.push_back(levels[kLevelNames.size()].Where() + ": more than " + std::to_string(kLevelNames.size()) +
                         " levels; the names table ends there");
    for (size_t n = 0; n < levels.size(); ++n) {
        const Level& level = levels[n];
        if (n < kLevelNames.size() && level.name != kLevelNames[n])
            errors.push_back(level.Where() + ": level " + std::to_string(n) + " is named \"" + level.name +
                             "\", the names table says \"" + std::string(kLevelNames[n]) + "\"");
        const auto problems = CheckPieces(level);
        for (const auto& problem : problems) errors.push_back(level.Where(problem.row) + ": " + problem.message);
        if (!problems.empty()) continue;

        int minX = kBoard, maxX = -1, minY = kBoard, maxY = -1;
        for (int y = 0; y < kBoard; ++y)
            for (int x = 0; x < kBoard; ++x)
                if (level.At(x, y) >= 0) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        if (maxX < 0) {
            errors.push_back(level.Where() + ": level \"" + level.name + "\" has no cells");
            continue;
        }
        if (std::abs(minX - (kBoard - 1 - maxX)) > 1 || std::abs(minY - (kBoard - 1 - maxY)) > 1)
            errors.push_back(level.Where() + ": level \"" + level.name + "\" is not centred on the board");
        if (!SolveOne(ShapeOf(level), PiecesOf(level)))
            errors.push_back(level.Where() + ": level \"" + level.name + "\" cannot be tiled by its own pieces");
    }
    return errors;
}

Level CentredLevel(const std::string& name, const Tiling& tiling) {
    Level level;
    level.name = name;
    level.cell.fill(-1);
    int minX = tiling.width, maxX = -1, minY = tiling.height, maxY = -1;
    for (int y = 0; y < tiling.height; ++y)
        for (int x = 0; x < tiling.width; ++x)
            if (tiling.At(x, y) >= 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    if (maxX < 0) return level;
    const int dx = (kBoard - (maxX - minX + 1)) / 2 - minX;
    const int dy = (kBoard - (maxY - minY + 1)) / 2 - minY;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x)
            level.cell[(y + dy) * kBoard + x + dx] = static_cast<std::int8_t>(tiling.At(x, y));
    return level;
}

ShapeResult ParseShape(std::string_view text, const std::string& file, int firstLine) {
    ShapeResult result;
    auto lines = SplitLines(text);
    while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();
    if (lines.empty()) {
        result.errors.push_back(FileLine(file, firstLine) + ": no shape");
        return result;
    }
    const size_t width = lines.front().size();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() != width)
            result.errors.push_back(FileLine(file, firstLine + static_cast<int>(i)) + ": row has " +
                                    std::to_string(lines[i].size()) + " characters, the first row " +
                                    std::to_string(width));
    if (width > kBoard || lines.size() > kBoard)
        result.errors.push_back(FileLine(file, firstLine) + ": shape of " + std::to_string(width) + " x " +
                                std::to_string(lines.size()) + " does not fit the 16 x 16 board");
    if (!result.errors.empty()) return result;
    result.shape = Shape(static_cast<int>(width), static_cast<int>(lines.size()));
    for (size_t y = 0; y < lines.size(); ++y)
        for (size_t x = 0; x < width; ++x)
            result.shape.Set(static_cast<int>(x), static_cast<int>(y), lines[y][x] != '.' && lines[y][x] != ' ');
    if (result.shape.Area() == 0) result.errors.push_back(FileLine(file, firstLine) + ": the shape has no cells");
    return result;
}

bool ParsePieceList(std::string_view text, PieceSet& set) {
    set = 0;
    for (char c : text) {
        if (c < 'B' || c > 'M') return false;
        set = static_cast<PieceSet>(set | (1u << (c - 'B')));
    }
    return !text.empty();
}

std::vector<Design> ParseDesigns(std::string_view text, const std::string& file) {
    std::vector<std::string> lines;
    for (const auto line : SplitLines(text)) lines.push_back(Trim(line));
    std::vector<Design> designs;
    for (size_t i = 0; i < lines.size();) {
        if (lines[i].empty()) {
            ++i;
            continue;
        }
        Design& d = designs.emplace_back();
        d.line = static_cast<int>(i) + 1;
        for (; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            const int lineNo = static_cast<int>(i) + 1;
            if (l.rfind("name:", 0) == 0) {
                d.name = Trim(std::string_view(l).substr(5));
            } else if (l.rfind("pieces:", 0) == 0) {
                if (!ParsePieceList(Trim(std::string_view(l).substr(7)), d.pieces))
                    d.errors.push_back(FileLine(file, lineNo) + ": pieces are record letters B to M");
            } else if (l.rfind("pick:", 0) == 0) {
                d.pick = std::strtol(l.c_str() + 5, nullptr, 10);
                if (d.pick < 1) d.errors.push_back(FileLine(file, lineNo) + ": pick takes a number from 1");
            } else {
                break;
            }
        }
        const int gridLine = static_cast<int>(i) + 1;
        std::string grid;
        for (; i < lines.size() && !lines[i].empty(); ++i) grid += lines[i] + "\n";
        if (d.name.empty()) d.errors.push_back(FileLine(file, d.line) + ": design without 'name:'");
        auto parsed = ParseShape(grid, file, gridLine);
        d.shaped = parsed.errors.empty();
        d.errors.insert(d.errors.end(), parsed.errors.begin(), parsed.errors.end());
        if (d.shaped) d.shape = std::move(parsed.shape);
    }
    return designs;
}

}  // namespace levels
