#include "platform/utf8.h"

namespace plat {

std::vector<char32_t> Utf8Decode(const std::string& s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 0 : c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
        char32_t cp = n == 3 ? c & 7u : n == 2 ? c & 15u : n == 1 ? c & 31u : c;
        bool ok = n >= 0 && i + static_cast<std::size_t>(n) < s.size();
        for (int k = 1; ok && k <= n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3Fu);
        }
        // Overlong forms, surrogates and values past Unicode are not text.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (ok && n > 0) ok = cp >= kMin[n] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(n) + 1;
    }
    return out;
}

void AppendUtf8(std::string& s, char32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t Utf8Length(const std::string& s) { return Utf8Decode(s).size(); }

char32_t ToLower(char32_t c) {
    // Blocks where capitals and small letters sit at a fixed distance.
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    // Blocks where a capital is followed by its small letter.
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
                           (c >= 0x460 && c <= 0x4BF) || (c >= 0x1E00 && c <= 0x1E95) ||
                           (c >= 0x1EA0 && c <= 0x1EFF);
    if (evenPairs && c % 2 == 0 && c != 0x130) return c + 1;
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1) return c + 1;
    switch (c) {
        case 0x130: return U'i';
        case 0x178: return 0xFF;
        case 0x386: return 0x3AC;
        case 0x388: case 0x389: case 0x38A: return c + 37;
        case 0x38C: return 0x3CC;
        case 0x38E: case 0x38F: return c + 63;
        default: return c;
    }
}

std::string Utf8ToLower(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : Utf8Decode(s)) AppendUtf8(out, ToLower(c));
    return out;
}

}  // namespace plat
