// tessalor-levels: writes, checks, solves and counts the game's levels.
#include "levels/tool.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "levels/catalogue.h"
#include "levels/level_text.h"
#include "levels/pack.h"
#include "levels/pack_files.h"
#include "levels/solver.h"

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
    "SHAPE is a text grid, '.' outside and any other character inside.\n"
    "LETTERS are record letters B..M (piece 0..11); the default is all twelve.\n"
    "A DESIGN is blocks of 'name: ...', optional 'pieces: LETTERS' and 'pick: N'\n"
    "(take the N-th tiling found), then the shape grid; blank lines between blocks.\n";

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
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pieces" && i + 1 < args.size()) {
            if (!ParsePieceList(args[++i], out.pieces)) return Usage("--pieces takes record letters B to M");
        } else if (allowBoard && args[i] == "--board") {
            out.board = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return Usage("unknown option " + args[i]);
        } else if (out.path.empty()) {
            out.path = args[i];
        } else {
            return Usage("one shape file only");
        }
    }
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

int CmdVerify(const std::vector<std::string>& args) {
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
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--per-pack" && i + 1 < args.size()) {
            try {
                perPack = std::stoi(args[++i]);
            } catch (...) {
                perPack = 0;
            }
            if (perPack < 1) return Usage("--per-pack takes a positive number");
        } else {
            rest.push_back(args[i]);
        }
    }
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
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
        else if (!args[i].empty() && args[i][0] == '-') return Usage("unknown option " + args[i]);
        else inputs.push_back(args[i]);
    }
    if (inputs.empty()) return Usage("dump needs a directory or pack files");
    std::vector<Level> levels;
    std::vector<std::string> errors;
    if (!LoadPackArgs(inputs, levels, errors)) return Report(errors);
    const std::string text = FormatSource(levels);
    if (output.empty()) {
        std::cout << text;
        return kOk;
    }
    std::string error;
    if (!WriteFileAtomically(output, text, error)) return Report({error});
    return kOk;
}

int CmdFill(const std::vector<std::string>& args) {
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
        else if (!args[i].empty() && args[i][0] == '-') return Usage("unknown option " + args[i]);
        else if (input.empty()) input = args[i];
        else return Usage("one design file only");
    }
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
    if (!WriteFileAtomically(output, out, error)) return Report({error});
    return kOk;
}

int CmdRender(const std::vector<std::string>& args) {
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
        std::string error;
        if (!WriteFileAtomically((std::filesystem::path(args[1]) / file).string(), img, error)) return Report({error});
        labels += std::to_string(n) + " " + levels[n].name + "\n";
    }
    std::string error;
    if (!WriteFileAtomically((std::filesystem::path(args[1]) / "labels.txt").string(), labels, error))
        return Report({error});
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
