// tessalor-levels: writes, checks, solves and counts the game's levels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tool.h"

#include <bit>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/pack.h"
#include "levels/catalogue.h"
#include "levels/day.h"
#include "levels/difficulty.h"
#include "levels/hint.h"
#include "levels/level_text.h"
#include "levels/pack_files.h"
#include "levels/shape_code.h"
#include "levels/solver.h"
#include "levels/workshop.h"

using namespace levels;

namespace {

constexpr int kOk = 0, kFailed = 1, kUsage = 2;

const char* const kUsageText =
    "usage: tessalor-levels COMMAND ...\n"
    "  build SOURCE DIR [--per-pack N]   check SOURCE and write tessa320.dat... into DIR\n"
    "                                    (N levels per pack, default 20)\n"
    "  dump DIR|PACK... [-o FILE]        write the packs back as level source text\n"
    "  verify SOURCE|DIR|PACK...         check every level: pieces, names, a tiling\n"
    "  solve SHAPE [--pieces LETTERS] [--board]\n"
    "                                    print one tiling in record letters\n"
    "  count SHAPE [--pieces LETTERS]    count tilings, all and up to symmetry\n"
    "  fill DESIGN [-o FILE]             solve each design and write level source text\n"
    "  render SOURCE DIR                 one PPM picture per level, for a contact sheet\n"
    "  hint SOURCE --level N|NAME [--place L@X,Y[,O]]... [--hold L]\n"
    "                                    can the level still be finished with these pieces\n"
    "                                    placed? prints the verdict, the number of ways when\n"
    "                                    quick to count, then a placement or what is wrong\n"
    "  rate SOURCE                       each level's figures and class (1 to 5 stars)\n"
    "  code SOURCE --level N|NAME        print the level's shape code\n"
    "  decode CODE                       print the shape of a code as level text\n"
    "  day YYYY-MM-DD                    print the shape of the day of a date as level text\n"
    "SHAPE is a text grid, '.' outside and any other character inside.\n"
    "LETTERS are record letters B..M (piece 0..11); the default is all twelve.\n"
    "A DESIGN is blocks of 'name: ...', optional 'pieces: LETTERS' and 'pick: N'\n"
    "(take the N-th tiling found), then the shape grid; blank lines between blocks.\n"
    "hint: N counts levels from 1 in SOURCE; --place puts piece L (a record letter) with\n"
    "the top left corner of its bounding box on column X, row Y (0 to 15) turned as its\n"
    "orientation O (0, the default, as in the piece catalogue); --hold L: piece L is in\n"
    "the hand. The exit status is 0 for either verdict.\n";

int Usage(const std::string& why) {
    std::cerr << "tessalor-levels: " << why << "\n" << kUsageText;
    return kUsage;
}

int Report(const std::vector<std::string>& errors) {
    for (const auto& e : errors) std::cerr << e << "\n";
    return errors.empty() ? kOk : kFailed;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// One option of a command: its name, whether a value follows it, and what it
// does with that value; a non-zero return is the exit status of a usage error.
struct Option {
    std::string name;
    bool takesValue;
    std::function<int(const std::string& value)> take;
};

// How a command takes the words that are not its options.
struct Operands {
    bool strict = true;        // a word starting with '-' that is no option is a usage error
    std::string onlyOne = "";  // the usage error for a second operand; empty: any number
};

// The one option parser of every command. An option needing a value counts
// only with a word after it; otherwise it is an operand like any other word.
// The operands come back in order; usage errors stop at the first one met.
int ParseArgs(const std::vector<std::string>& args, const std::vector<Option>& options, const Operands& rule,
              std::vector<std::string>& operands) {
    for (size_t i = 0; i < args.size(); ++i) {
        const Option* option = nullptr;
        for (const Option& o : options)
            if (args[i] == o.name && (!o.takesValue || i + 1 < args.size())) option = &o;
        if (option) {
            const std::string value = option->takesValue ? args[++i] : std::string();
            if (int rc = option->take(value)) return rc;
        } else if (rule.strict && !args[i].empty() && args[i][0] == '-') {
            return Usage("unknown option " + args[i]);
        } else if (rule.onlyOne.empty() || operands.empty() || operands[0].empty()) {
            // A single operand given as an empty word does not count yet.
            if (!rule.onlyOne.empty()) operands.clear();
            operands.push_back(args[i]);
        } else {
            return Usage(rule.onlyOne);
        }
    }
    return kOk;
}

// The one operand of a command that takes one, or empty when none was given.
std::string OnlyOperand(const std::vector<std::string>& operands) {
    return operands.empty() ? std::string() : operands[0];
}

// An option that only stores its value.
Option Store(const std::string& name, std::string& into) {
    return {name, true, [&into](const std::string& value) {
                into = value;
                return kOk;
            }};
}

// Writes a whole file through the atomic replace; the failures, for Report.
std::vector<std::string> WriteWhole(const std::string& path, const std::string& bytes) {
    int error = 0;
    if (plat::ReplaceFile(path, bytes, &error)) return {};
    return {CannotWrite(path, error)};
}

bool LoadSource(const std::string& path, std::vector<Level>& levels, std::vector<std::string>& errors) {
    std::string text, error;
    if (!ReadFile(path, text, error)) {
        errors.push_back(error);
        return false;
    }
    auto parsed = ParseSource(text, path);
    levels = std::move(parsed.levels);
    errors.insert(errors.end(), parsed.errors.begin(), parsed.errors.end());
    return parsed.errors.empty();
}

// Packs from a directory or from files named on the command line.
bool LoadPackArgs(const std::vector<std::string>& args, std::vector<Level>& levels, std::vector<std::string>& errors) {
    std::vector<std::string> paths;
    if (args.size() == 1 && std::filesystem::is_directory(args[0])) {
        paths = PackFilesIn(args[0]);
        if (paths.empty()) {
            errors.push_back(args[0] + ": no tessa32N.dat pack here");
            return false;
        }
    } else {
        paths = args;
    }
    return LoadPacks(paths, levels, errors);
}

std::string TilingText(const Tiling& t) {
    std::string out;
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) out += t.At(x, y) < 0 ? '.' : catalogue::RecordLetter(t.At(x, y));
        out += '\n';
    }
    return out;
}

struct ShapeArgs {
    std::string path;
    PieceSet pieces = kAllPieces;
    bool board = false;
};

int ParseShapeArgs(const std::vector<std::string>& args, bool allowBoard, ShapeArgs& out) {
    std::vector<Option> options = {{"--pieces", true, [&out](const std::string& letters) {
                                        return ParsePieceList(letters, out.pieces)
                                                   ? kOk
                                                   : Usage("--pieces takes record letters B to M");
                                    }}};
    if (allowBoard) options.push_back({"--board", false, [&out](const std::string&) {
                                           out.board = true;
                                           return kOk;
                                       }});
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, options, {true, "one shape file only"}, operands)) return rc;
    out.path = OnlyOperand(operands);
    if (out.path.empty()) return Usage("no shape file");
    return kOk;
}

bool LoadShape(const std::string& path, Shape& shape) {
    std::string text, error;
    if (!ReadFile(path, text, error)) {
        std::cerr << error << "\n";
        return false;
    }
    auto parsed = ParseShape(text, path);
    if (!parsed.errors.empty()) {
        Report(parsed.errors);
        return false;
    }
    shape = std::move(parsed.shape);
    return true;
}

int CmdSolve(const std::vector<std::string>& args) {
    ShapeArgs a;
    if (int rc = ParseShapeArgs(args, true, a)) return rc;
    Shape shape;
    if (!LoadShape(a.path, shape)) return kFailed;
    const auto tiling = SolveOne(shape, a.pieces);
    if (!tiling) {
        std::cerr << a.path << ": no tiling with these pieces\n";
        return kFailed;
    }
    std::cout << (a.board ? FormatSource({CentredLevel("", *tiling)}).substr(1) : TilingText(*tiling));
    return kOk;
}

int CmdCount(const std::vector<std::string>& args) {
    ShapeArgs a;
    if (int rc = ParseShapeArgs(args, false, a)) return rc;
    Shape shape;
    if (!LoadShape(a.path, shape)) return kFailed;
    const auto counts = CountTilings(shape, a.pieces);
    std::cout << "tilings: " << counts.raw << "\nup to symmetry: " << counts.distinct << "\n";
    return kOk;
}

int CmdVerify(const std::vector<std::string>& words) {
    std::vector<std::string> args;
    ParseArgs(words, {}, {false}, args);
    if (args.empty()) return Usage("verify needs a source, a directory or pack files");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    const bool packs = std::filesystem::is_directory(args[0]) || EndsWith(args[0], ".dat");
    if (packs) {
        LoadPackArgs(args, levels, errors);
    } else {
        if (args.size() != 1) return Usage("verify takes one source file");
        LoadSource(args[0], levels, errors);
    }
    if (errors.empty()) errors = VerifyLevels(levels, true);
    if (errors.empty()) std::cout << levels.size() << " levels verified\n";
    return Report(errors);
}

int CmdBuild(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    int perPack = 20;
    const Option perPackOption{"--per-pack", true, [&perPack](const std::string& value) {
                                   try {
                                       perPack = std::stoi(value);
                                   } catch (...) {
                                       perPack = 0;
                                   }
                                   return perPack < 1 ? Usage("--per-pack takes a positive number") : kOk;
                               }};
    if (int rc = ParseArgs(args, {perPackOption}, {false}, rest)) return rc;
    if (rest.size() != 2) return Usage("build needs a source file and an output directory");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    if (!LoadSource(rest[0], levels, errors)) return Report(errors);
    errors = VerifyLevels(levels, true);
    if (!errors.empty()) return Report(errors);
    const size_t packCount = (levels.size() + perPack - 1) / perPack;
    if (packCount > static_cast<size_t>(pack::kMaxPacks))
        return Usage("more than ten packs needed; raise --per-pack");

    std::vector<std::string> written;
    for (size_t d = 0; d < packCount; ++d) {
        std::string plain;
        for (size_t n = d * perPack; n < std::min(levels.size(), (d + 1) * perPack); ++n) plain += ToRecord(levels[n]);
        const auto path = (std::filesystem::path(rest[1]) / pack::PackFileName(static_cast<int>(d))).string();
        std::string error;
        if (!WritePack(path, plain, error)) return Report({error});
        written.push_back(path);
    }
    // Packs with higher digits would be read after ours: remove stale ones.
    for (int d = static_cast<int>(packCount); d < pack::kMaxPacks; ++d)
        std::filesystem::remove(std::filesystem::path(rest[1]) / pack::PackFileName(d));

    std::vector<Level> back;
    if (!LoadPacks(written, back, errors)) return Report(errors);
    for (size_t n = 0; n < levels.size(); ++n)
        if (n >= back.size() || back[n].cell != levels[n].cell)
            errors.push_back(levels[n].Where() + ": record read back differs from the source");
    if (back.size() != levels.size()) errors.push_back(rest[1] + ": packs hold a different number of records");
    if (errors.empty()) std::cout << levels.size() << " levels written to " << packCount << " packs\n";
    return Report(errors);
}

int CmdDump(const std::vector<std::string>& args) {
    std::vector<std::string> inputs;
    std::string output;
    if (int rc = ParseArgs(args, {Store("-o", output)}, {}, inputs)) return rc;
    if (inputs.empty()) return Usage("dump needs a directory or pack files");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    if (!LoadPackArgs(inputs, levels, errors)) return Report(errors);
    const std::string text = FormatSource(levels);
    if (output.empty()) {
        std::cout << text;
        return kOk;
    }
    return Report(WriteWhole(output, text));
}

int CmdFill(const std::vector<std::string>& args) {
    std::string output;
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, {Store("-o", output)}, {true, "one design file only"}, operands)) return rc;
    const std::string input = OnlyOperand(operands);
    if (input.empty()) return Usage("fill needs a design file");
    std::string text, error;
    if (!ReadFile(input, text, error)) return Report({error});

    std::vector<Level> levels;
    std::vector<std::string> errors;
    for (const Design& design : ParseDesigns(text, input)) {
        errors.insert(errors.end(), design.errors.begin(), design.errors.end());
        if (!design.shaped) continue;
        std::optional<Tiling> chosen;
        long seen = 0;
        ForEachTiling(design.shape, design.pieces, [&](const Tiling& t) {
            if (++seen < design.pick) return true;
            chosen = t;
            return false;
        });
        if (!chosen) {
            errors.push_back(input + ":" + std::to_string(design.line) + ": \"" + design.name + "\" has " +
                             (seen ? "only " + std::to_string(seen) + " tilings" : std::string("no tiling")) +
                             " with these pieces");
            continue;
        }
        levels.push_back(CentredLevel(design.name, *chosen));
    }
    if (!errors.empty()) return Report(errors);
    const std::string out = FormatSource(levels);
    if (output.empty()) {
        std::cout << out;
        return kOk;
    }
    return Report(WriteWhole(output, out));
}

int CmdRender(const std::vector<std::string>& words) {
    std::vector<std::string> args;
    ParseArgs(words, {}, {false}, args);
    if (args.size() != 2) return Usage("render needs a source file and an output directory");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    if (!LoadSource(args[0], levels, errors)) return Report(errors);
    constexpr int kCell = 12, kSide = kBoard * kCell;
    std::string labels;
    for (size_t n = 0; n < levels.size(); ++n) {
        std::string img = "P6\n" + std::to_string(kSide) + " " + std::to_string(kSide) + "\n255\n";
        for (int py = 0; py < kSide; ++py)
            for (int px = 0; px < kSide; ++px) {
                const int x = px / kCell, y = py / kCell, p = levels[n].At(x, y);
                unsigned char r = 236, g = 236, b = 236;  // outside: light, so the silhouette reads
                if (p >= 0) {
                    // One colour for the whole shape: the silhouette is what the sheet is for.
                    r = 70, g = 110, b = 170;
                    // Dark edges between pieces show the reference tiling.
                    const bool left = px % kCell == 0 && (x == 0 || levels[n].At(x - 1, y) != p);
                    const bool top = py % kCell == 0 && (y == 0 || levels[n].At(x, y - 1) != p);
                    const bool right = px % kCell == kCell - 1 && (x == kBoard - 1 || levels[n].At(x + 1, y) != p);
                    const bool bottom = py % kCell == kCell - 1 && (y == kBoard - 1 || levels[n].At(x, y + 1) != p);
                    if (left || top || right || bottom) r = 20, g = 30, b = 50;
                }
                img += static_cast<char>(r);
                img += static_cast<char>(g);
                img += static_cast<char>(b);
            }
        char file[32];
        std::snprintf(file, sizeof file, "%02zu.ppm", n);
        const auto failed = WriteWhole((std::filesystem::path(args[1]) / file).string(), img);
        if (!failed.empty()) return Report(failed);
        labels += std::to_string(n) + " " + levels[n].name + "\n";
    }
    return Report(WriteWhole((std::filesystem::path(args[1]) / "labels.txt").string(), labels));
}

std::string PieceName(int p) {
    return std::string(1, catalogue::RecordLetter(p)) + " (" + catalogue::kPieces[p].shapeName + ")";
}

std::string CellList(const std::vector<Cell>& cells) {
    std::string out;
    for (Cell c : cells) out += " " + std::to_string(c.x) + "," + std::to_string(c.y);
    return out;
}

bool ParseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(text);
    return true;
}

int PieceOfLetter(const std::string& text) {
    PieceSet one = 0;
    if (text.size() != 1 || !ParsePieceList(text, one)) return -1;
    return std::countr_zero(static_cast<unsigned>(one));
}

// Level N (from 1) or the level named so in a source file; a failure's exit status.
int FindLevel(const std::string& source, const std::string& which, std::vector<Level>& levels, const Level*& level,
              int& number) {
    std::vector<std::string> errors;
    if (!LoadSource(source, levels, errors)) return Report(errors);
    if (ParseNumber(which, number)) {
        if (number >= 1 && number <= static_cast<int>(levels.size())) level = &levels[number - 1];
    } else {
        for (size_t n = 0; n < levels.size() && !level; ++n)
            if (levels[n].name == which) level = &levels[n], number = static_cast<int>(n) + 1;
    }
    if (!level) return Report({source + ": no level " + which + " (" + std::to_string(levels.size()) + " levels)"});
    return kOk;
}

int CmdHint(const std::vector<std::string>& args) {
    std::string levelArg, holdArg;
    std::vector<std::string> places, operands;
    const Option placeOption{"--place", true, [&places](const std::string& value) {
                                 places.push_back(value);
                                 return kOk;
                             }};
    if (int rc = ParseArgs(args, {Store("--level", levelArg), placeOption, Store("--hold", holdArg)},
                           {true, "one source file only"}, operands))
        return rc;
    const std::string source = OnlyOperand(operands);
    if (source.empty()) return Usage("hint needs a level source file");
    if (levelArg.empty()) return Usage("hint needs --level N or --level NAME");
    const int held = holdArg.empty() ? -1 : PieceOfLetter(holdArg);
    if (!holdArg.empty() && held < 0) return Usage("--hold takes one record letter B to M");
    struct Drop {
        int piece, x, y, orientation;
    };
    std::vector<Drop> drops;
    for (const std::string& text : places) {
        // L@X,Y[,O]
        Drop d{-1, 0, 0, 0};
        const auto at = text.find('@');
        std::vector<std::string> numbers;
        if (at != std::string::npos) {
            d.piece = PieceOfLetter(text.substr(0, at));
            size_t from = at + 1;
            for (size_t comma; (comma = text.find(',', from)) != std::string::npos; from = comma + 1)
                numbers.push_back(text.substr(from, comma - from));
            numbers.push_back(text.substr(from));
        }
        const bool ok = d.piece >= 0 && (numbers.size() == 2 || numbers.size() == 3) && ParseNumber(numbers[0], d.x) &&
                        ParseNumber(numbers[1], d.y) && (numbers.size() == 2 || ParseNumber(numbers[2], d.orientation));
        if (!ok) return Usage("--place takes L@X,Y or L@X,Y,O (L a record letter B to M): " + text);
        drops.push_back(d);
    }

    std::vector<Level> levels;
    std::vector<std::string> errors;
    int number = 0;
    const Level* level = nullptr;
    if (int rc = FindLevel(source, levelArg, levels, level, number)) return rc;

    HintBoard board;
    for (int i = 0; i < kBoard * kBoard; ++i)
        if (level->cell[i] >= 0) board.cell[i] = kHintEmpty;
    PieceSet left = PiecesOf(*level);
    for (const Drop& d : drops) {
        const std::string what = "--place " + std::string(1, catalogue::RecordLetter(d.piece)) + "@" +
                                 std::to_string(d.x) + "," + std::to_string(d.y) + ": ";
        if (!(left & (1u << d.piece)))
            return Report({what + "piece " + PieceName(d.piece) +
                           (PiecesOf(*level) & (1u << d.piece) ? " is already placed" : " is not in this level")});
        const auto& orientations = Orientations(d.piece);
        if (d.orientation >= static_cast<int>(orientations.size()))
            return Report({what + "piece " + PieceName(d.piece) + " has orientations 0 to " +
                           std::to_string(orientations.size() - 1)});
        for (Cell c : orientations[d.orientation]) {
            const int x = d.x + c.x, y = d.y + c.y;
            if (x >= kBoard || y >= kBoard || board.At(x, y) != kHintEmpty)
                return Report({what + "cell " + std::to_string(x) + "," + std::to_string(y) +
                               " is not an empty cell of the shape"});
            board.Set(x, y, d.piece);
        }
        left = static_cast<PieceSet>(left & ~(1u << d.piece));
    }
    if (held >= 0 && !(left & (1u << held)))
        return Report({"--hold: piece " + PieceName(held) + " is not left to play"});

    const HintResult hint = FindHint(board, left, held);
    std::cout << "level " << number << " \"" << level->name << "\": " << drops.size() << " placed, "
              << PieceCountOf(left) << " left\n";
    if (hint.verdict == HintVerdict::Solvable) {
        std::cout << "solvable: the empty cells can still be filled with the pieces left\n";
        if (hint.ways) std::cout << "ways left: " << *hint.ways << "\n";
        else std::cout << "ways left: too many to count quickly\n";
        if (hint.piece >= 0) std::cout << "place " << PieceName(hint.piece) << " on" << CellList(hint.cells) << "\n";
        return kOk;
    }
    std::cout << "dead end: the empty cells cannot be filled with the pieces left\n";
    const std::string region = "the empty region of " + std::to_string(hint.region.size()) +
                               (hint.region.size() == 1 ? " cell at" : " cells at") + CellList(hint.region);
    if (hint.fault == RegionFault::Size) std::cout << region << " is not a multiple of 5 cells\n";
    else if (hint.fault == RegionFault::NoFit) std::cout << "no piece left can fill " << region << "\n";
    if (hint.culprit >= 0)
        std::cout << "taking back piece " << PieceName(hint.culprit) << " makes it solvable again\n";
    else
        std::cout << "taking back no single piece makes it solvable again\n";
    return kOk;
}

// The classes of the levels, one line each, or (--table) the C++ source
// that embeds them in the game.
int CmdRate(const std::vector<std::string>& args) {
    std::string table;
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, {Store("--table", table)}, {true, "one source file only"}, operands)) return rc;
    const std::string source = OnlyOperand(operands);
    if (source.empty()) return Usage("rate needs a level source file");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    if (!LoadSource(source, levels, errors)) return Report(errors);
    std::string stars;
    for (size_t n = 0; n < levels.size(); ++n) {
        const Rating r = RateShape(BoardShapeOf(levels[n]));
        if (r.stars == 0) errors.push_back(levels[n].Where() + ": level \"" + levels[n].name + "\" has no tiling");
        stars += (n ? ", " : "") + std::to_string(r.stars);
        if (table.empty())
            std::cout << n + 1 << "  " << levels[n].name << "  pieces " << r.pieces << "  tilings "
                      << (r.capped ? "over " : "") << (r.capped ? r.tilings - 1 : r.tilings) << "  effort " << r.effort
                      << "  stars " << r.stars << "\n";
    }
    if (!errors.empty() || table.empty()) return Report(errors);
    return Report(WriteWhole(
        table, "// The classes of the shipped levels, written by tessalor-levels rate from " +
                   std::filesystem::path(source).filename().string() +
                   ".\n// SPDX-License-Identifier: GPL-3.0-or-later\n#include <array>\n\n#include \"levels/difficulty.h\"\n\n"
                   "namespace levels {\n\nint ShippedStars(int index) {\n    static constexpr std::array<int, " +
                   std::to_string(levels.size()) + "> kStars{" + stars +
                   "};\n    return index >= 0 && index < static_cast<int>(kStars.size()) ? kStars[index] : 0;\n}\n\n"
                   "}  // namespace levels\n"));
}

// The shape of a date given as YYYY-MM-DD, as level text.
int CmdDay(const std::vector<std::string>& args) {
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, {}, {true, "one date only"}, operands)) return rc;
    const std::string date = OnlyOperand(operands);
    int y = 0, m = 0, d = 0;
    const bool shaped = date.size() == 10 && date[4] == '-' && date[7] == '-' && ParseNumber(date.substr(0, 4), y) &&
                        ParseNumber(date.substr(5, 2), m) && ParseNumber(date.substr(8, 2), d);
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (!shaped || y < 1 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1] || (m == 2 && d == 29 && !leap))
        return Usage("day takes a date YYYY-MM-DD" + (date.empty() ? std::string() : ", not " + date));
    std::cout << FormatSource({ShapeOfTheDay(y, m, d)});
    return kOk;
}

// The code of a level of a source file.
int CmdCode(const std::vector<std::string>& args) {
    std::string levelArg;
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, {Store("--level", levelArg)}, {true, "one source file only"}, operands)) return rc;
    const std::string source = OnlyOperand(operands);
    if (source.empty()) return Usage("code needs a level source file");
    if (levelArg.empty()) return Usage("code needs --level N or --level NAME");
    std::vector<Level> levels;
    int number = 0;
    const Level* level = nullptr;
    if (int rc = FindLevel(source, levelArg, levels, level, number)) return rc;
    std::cout << EncodeShape(BoardShapeOf(*level)) << "\n";
    return kOk;
}

// A code's shape as level text, with a tiling the solver finds for it.
int CmdDecode(const std::vector<std::string>& args) {
    std::vector<std::string> operands;
    if (int rc = ParseArgs(args, {}, {true, "one code only"}, operands)) return rc;
    const std::string code = OnlyOperand(operands);
    if (code.empty()) return Usage("decode needs a shape code");
    const auto shape = DecodeShape(code);
    if (!shape) return Report({"tessalor-levels: " + code + " is not a shape code (a mistyped or cut code?)"});
    const Verdict v = JudgeShape(*shape);
    if (v.kind != VerdictKind::Ways)
        return Report({"tessalor-levels: the shape of " + code + " (" + std::to_string(v.cells) +
                       " cells) cannot be filled with " + (shape->pieces ? "its pieces" : "any pieces")});
    Level level = *v.tiling;
    level.name = "forme partagée";
    std::cout << FormatSource({level});
    return kOk;
}

}  // namespace

int levels::RunLevelTool(const std::vector<std::string>& argv) {
    if (argv.empty()) return Usage("no command");
    const std::string& cmd = argv[0];
    const std::vector<std::string> args(argv.begin() + 1, argv.end());
    try {
        if (cmd == "build") return CmdBuild(args);
        if (cmd == "dump") return CmdDump(args);
        if (cmd == "verify") return CmdVerify(args);
        if (cmd == "solve") return CmdSolve(args);
        if (cmd == "count") return CmdCount(args);
        if (cmd == "fill") return CmdFill(args);
        if (cmd == "render") return CmdRender(args);
        if (cmd == "hint") return CmdHint(args);
        if (cmd == "rate") return CmdRate(args);
        if (cmd == "day") return CmdDay(args);
        if (cmd == "code") return CmdCode(args);
        if (cmd == "decode") return CmdDecode(args);
        if (cmd == "help" || cmd == "--help" || cmd == "-h") {
            std::cout << kUsageText;
            return kOk;
        }
    } catch (const std::exception& e) {
        std::cerr << "tessalor-levels: " << e.what() << "\n";
        return kFailed;
    }
    return Usage("unknown command " + cmd);
}
