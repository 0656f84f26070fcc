// UTF-8 names: validation, composition and lower case.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/utf8.h"

#include <utf8proc.h>

#include <cstdlib>

namespace plat {

std::vector<char32_t> Utf8Decode(const std::string& s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(s.data());
    for (std::size_t i = 0; i < s.size();) {
        utf8proc_int32_t cp = 0;
        const utf8proc_ssize_t n =
            utf8proc_iterate(p + i, static_cast<utf8proc_ssize_t>(s.size() - i), &cp);
        if (n <= 0 || cp < 0) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(static_cast<char32_t>(cp));
        i += static_cast<std::size_t>(n);
    }
    return out;
}

void AppendUtf8(std::string& s, char32_t cp) {
    if (!utf8proc_codepoint_valid(static_cast<utf8proc_int32_t>(cp))) cp = 0xFFFD;
    utf8proc_uint8_t buf[4];
    const utf8proc_ssize_t n = utf8proc_encode_char(static_cast<utf8proc_int32_t>(cp), buf);
    s.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
}

std::string Utf8Encode(const std::u32string& cps) {
    std::string s;
    s.reserve(cps.size());
    for (char32_t c : cps) AppendUtf8(s, c);
    return s;
}

std::size_t Utf8Length(const std::string& s) { return Utf8Decode(s).size(); }

std::string Utf8DropFormat(const std::string& s) {
    std::string out;
    for (char32_t c : Utf8Decode(s))
        if (utf8proc_category(static_cast<utf8proc_int32_t>(c)) != UTF8PROC_CATEGORY_CF) AppendUtf8(out, c);
    return out;
}

bool IsValidUtf8(const std::string& s) {
    const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(s.data());
    for (std::size_t i = 0; i < s.size();) {
        utf8proc_int32_t cp = 0;
        const utf8proc_ssize_t n =
            utf8proc_iterate(p + i, static_cast<utf8proc_ssize_t>(s.size() - i), &cp);
        if (n <= 0 || cp < 0) return false;
        i += static_cast<std::size_t>(n);
    }
    return true;
}

std::string Utf8Nfc(const std::string& s) {
    std::string valid = s;
    if (!IsValidUtf8(s)) {
        const std::vector<char32_t> cps = Utf8Decode(s);
        valid = Utf8Encode(std::u32string(cps.begin(), cps.end()));
    }
    utf8proc_uint8_t* out = nullptr;
    const utf8proc_ssize_t n =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(valid.data()),
                     static_cast<utf8proc_ssize_t>(valid.size()), &out,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (n < 0 || !out) {
        std::free(out);
        return valid;  // out of memory only: the text as it came
    }
    std::string result(reinterpret_cast<const char*>(out), static_cast<std::size_t>(n));
    std::free(out);
    return result;
}

char32_t ToLower(char32_t c) {
    return static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
}

std::string Utf8ToLower(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : Utf8Decode(s)) AppendUtf8(out, ToLower(c));
    return out;
}

bool IsControl(char32_t c) {
    if (c > 0x10FFFF) return false;
    const utf8proc_category_t cat = utf8proc_category(static_cast<utf8proc_int32_t>(c));
    return cat == UTF8PROC_CATEGORY_CC || cat == UTF8PROC_CATEGORY_ZL || cat == UTF8PROC_CATEGORY_ZP;
}

}  // namespace plat
