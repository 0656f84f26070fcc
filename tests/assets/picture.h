// Decoding pictures for the asset tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testpic {

struct Px {
    int r, g, b, a;
    bool operator==(const Px&) const = default;
};

struct Picture {
    int w = 0, h = 0;
    bool hasAlpha = false;  // the file itself carries an alpha channel
    std::vector<Px> px;
    Px at(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

Picture Decode(const unsigned char* data, std::size_t size);
Picture DecodeFile(const std::string& path);
std::string ReadFile(const std::string& path);

}  // namespace testpic
