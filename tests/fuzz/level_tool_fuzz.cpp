// The level tool's commands on a fuzzed file; the first byte picks the
// command, the second the pieces. Shapes are solved with four pieces at most
// and designs are kept small, so that one input stays fast.
#include <iostream>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "levels/tool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const bool quiet = [] {
        std::cout.rdbuf(nullptr);
        std::cerr.rdbuf(nullptr);
        return true;
    }();
    (void)quiet;
    const std::string dir = fuzz::Folder();
    const std::string in = dir + "tessa320.dat", out = dir + "out";
    fuzz::Write(in, data + 2, size - 2);
    std::string pieces;
    for (int p = 0; p < 12 && pieces.size() < 4; ++p)
        if (data[1] >> (p % 8) & 1) pieces += static_cast<char>('B' + p);
    if (pieces.empty()) pieces.push_back('B');
    const std::vector<std::vector<std::string>> commands = {
        {"verify", in},        {"dump", in, "-o", out},           {"build", in, dir},
        {"solve", in, "--pieces", pieces, "--board"}, {"count", in, "--pieces", pieces},
        {"fill", in, "-o", out},
    };
    const auto& argv = commands[data[0] % commands.size()];
    if (argv[0] == "fill" && size > 50) return 0;
    levels::RunLevelTool(argv);
    return 0;
}
