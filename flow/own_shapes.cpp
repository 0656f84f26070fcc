// The player's own shapes file: blocks of level text, each taken or kept aside on its own.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/own_shapes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "flow/text_file.h"
#include "lang/i18n.h"
#include "platform/system.h"
#include "platform/utf8.h"

namespace modTessa {
namespace {

// A name the chooser can show on one line.
bool IsShowableName(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos || !plat::IsValidUtf8(name)) return false;
    const auto cps = plat::Utf8Decode(name);
    return std::none_of(cps.begin(), cps.end(), [](char32_t c) { return plat::IsControl(c); });
}

// What is wrong with a level read from a block, or empty.
std::string Fault(const levels::Level& level) {
    if (!IsShowableName(level.name)) return _("nom illisible");
    if (std::all_of(level.cell.begin(), level.cell.end(), [](std::int8_t c) { return c < 0; })) return _("forme vide");
    return {};
}

// "file:N: message" made by the parser for a block read alone, with N
// counted from the block's first line: the message and N in the file.
std::string AtFileLine(const std::string& file, int firstLine, const std::string& error) {
    const auto colon = error.find(':');
    const auto next = error.find(':', colon + 1);
    int line = 1;
    std::string message = error;
    if (colon != std::string::npos && next != std::string::npos) {
        line = std::atoi(error.c_str() + colon + 1);
        message = error.substr(next + 1);
        if (!message.empty() && message.front() == ' ') message.erase(0, 1);
    }
    return file + ":" + std::to_string(firstLine + std::max(line, 1) - 1) + ": " + message;
}

bool IsBlankLine(const text_file::Line& line) {
    return line.text.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool SameShape(const levels::Level& a, const levels::Level& b) { return a.name == b.name && a.cell == b.cell; }

}  // namespace

OwnShapes ParseOwnShapes(std::string_view text, const std::string& file) {
    OwnShapes out;
    out.raw = std::string(text);
    const auto lines = text_file::SplitLines(text);
    for (std::size_t i = 0; i < lines.size();) {
        if (IsBlankLine(lines[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < lines.size() && !IsBlankLine(lines[end])) ++end;
        const std::size_t from = lines[i].start, to = lines[end - 1].start + lines[end - 1].text.size();
        const int firstLine = static_cast<int>(i) + 1;
        levels::ParseResult parsed = levels::ParseSource(text.substr(from, to - from), "");
        std::string why = parsed.errors.empty() ? std::string() : AtFileLine(file, firstLine, parsed.errors.front());
        for (levels::Level& level : parsed.levels) {
            level.file = file;
            level.line += firstLine - 1;
            if (why.empty() && !Fault(level).empty()) why = level.Where() + ": " + Fault(level);
        }
        if (why.empty()) {
            for (levels::Level& level : parsed.levels) out.levels.push_back(std::move(level));
        } else {
            out.errors.push_back(why);
        }
        i = end;
    }
    return out;
}

std::optional<std::string> WithOwnShape(std::string_view text, const levels::Level& level) {
    const std::string block = levels::FormatSource({level});
    const OwnShapes check = ParseOwnShapes(block, "");
    if (!check.errors.empty() || check.levels.size() != 1 || !SameShape(check.levels.front(), level)) return {};
    std::string out(text);
    if (!out.empty() && out.back() != '\n') out += '\n';
    if (!out.empty() && out.find_first_not_of(" \t\r\n") != std::string::npos) out += '\n';
    return out + block;
}

std::optional<std::string> WithoutOwnShape(std::string_view text, const levels::Level& level) {
    const OwnShapes now = ParseOwnShapes(text, "");
    const auto found = std::find_if(now.levels.begin(), now.levels.end(),
                                    [&](const levels::Level& l) { return SameShape(l, level); });
    if (found == now.levels.end()) return {};
    const auto lines = text_file::SplitLines(text);
    // Its name line and its sixteen rows. When they are a block of their own,
    // also the blank line after them (or before them, for the last block), so
    // that blocks stay apart by one; a shape sharing its block with others
    // leaves every blank line, else the rest of its block would join a
    // neighbour and could be lost with it if that one is bad.
    std::size_t first = static_cast<std::size_t>(found->line) - 1, last = first + levels::kBoard;
    const bool blankBefore = first == 0 || IsBlankLine(lines[first - 1]);
    const bool blankAfter = last + 1 >= lines.size() || IsBlankLine(lines[last + 1]);
    if (blankBefore && blankAfter) {
        if (last + 1 < lines.size()) ++last;
        else if (first > 0) --first;
    }
    const std::size_t from = lines[first].start;
    const std::size_t to = last + 1 < lines.size() ? lines[last + 1].start : text.size();
    return std::string(text.substr(0, from)) + std::string(text.substr(to));
}

std::string OwnShapesPath() { return plat::DataDir() + "formes.txt"; }

OwnShapes LoadOwnShapes() {
    const std::string path = OwnShapesPath();
    const text_file::Read read = text_file::ReadBounded(path, kMaxOwnShapesBytes);
    OwnShapes shapes = ParseOwnShapes(read.text, path);
    shapes.writable = read.whole;
    // Each bad block is told once a run, however often the chooser opens.
    static std::set<std::string> told;
    for (const std::string& error : shapes.errors)
        if (told.insert(error).second) std::fprintf(stderr, _("tessalor : forme ignorée, %s\n"), error.c_str());
    return shapes;
}

bool AddOwnShape(const levels::Level& level) {
    const OwnShapes now = LoadOwnShapes();
    if (!now.writable) return false;
    const auto text = WithOwnShape(now.raw, level);
    return text && text_file::Write(OwnShapesPath(), *text);
}

bool RemoveOwnShape(const levels::Level& level) {
    const OwnShapes now = LoadOwnShapes();
    if (!now.writable) return false;
    const auto text = WithoutOwnShape(now.raw, level);
    return text && text_file::Write(OwnShapesPath(), *text);
}

}  // namespace modTessa
