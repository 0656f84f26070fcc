// The corpus replayer for builds without libFuzzer.
// SPDX-License-Identifier: GPL-3.0-or-later
// Without libFuzzer (gcc builds): runs the target once on each file named on
// the command line, so the committed corpus replays in every build. As with
// libFuzzer, -max_len=N cuts longer inputs to their first N bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t maxLen = SIZE_MAX;
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-max_len=", 9) == 0) {
            maxLen = std::strtoull(argv[i] + 9, nullptr, 10);
            continue;
        }
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) return std::fprintf(stderr, "%s: cannot read\n", argv[i]), 1;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() > maxLen) std::fprintf(stderr, "%s: only the first %zu bytes replayed\n", argv[i], maxLen);
        bytes.resize(std::min(bytes.size(), maxLen));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
