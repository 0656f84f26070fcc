// Without libFuzzer (gcc builds): runs the target once on each file named on
// the command line, so the committed corpus replays in every build. As with
// libFuzzer, -max_len=N cuts longer inputs to their first N bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
        if (!in) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            return 1;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() > maxLen) {
            std::fprintf(stderr, "%s: %zu bytes, only the first %zu replayed\n", argv[i], bytes.size(), maxLen);
            bytes.resize(maxLen);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
