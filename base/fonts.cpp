// Finding font files: through fontconfig, or on Windows in the system's
// fonts folder with the faces shipped beside the program as the fallback.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/fonts.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>

#include "base/files.h"
#else
#include <fontconfig/fontconfig.h>
#endif

#include <map>
#include <utility>

namespace plat {

#ifdef _WIN32

namespace {

std::wstring ProgramDir() {
    std::wstring buf(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    buf.resize(n);
    return std::filesystem::path(buf).parent_path().wstring();
}

}  // namespace

std::string FindFontFile(const std::string& family, bool bold) {
    // Arial is every face the game asks for; Liberation Sans has its metrics.
    (void)family;
    std::wstring fonts(MAX_PATH, L'\0');
    fonts.resize(GetWindowsDirectoryW(fonts.data(), MAX_PATH));
    const std::filesystem::path candidates[] = {
        std::filesystem::path(fonts) / L"Fonts" / (bold ? L"arialbd.ttf" : L"arial.ttf"),
        std::filesystem::path(ProgramDir()) /
            (bold ? L"LiberationSans-Bold.ttf" : L"LiberationSans-Regular.ttf"),
    };
    for (const auto& c : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(c, ec)) return Utf8Of(c);
    }
    return {};
}

#else

std::string FindFontFile(const std::string& family, bool bold) {
    static std::map<std::pair<std::string, bool>, std::string> cache;
    const auto key = std::make_pair(family, bold);
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    std::string path;
    if (FcInit()) {
        FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
        if (pat) {
            FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
            FcConfigSubstitute(nullptr, pat, FcMatchPattern);
            FcDefaultSubstitute(pat);
            FcResult result = FcResultNoMatch;
            if (FcPattern* match = FcFontMatch(nullptr, pat, &result)) {
                FcChar8* file = nullptr;
                if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
                    path = reinterpret_cast<const char*>(file);
                FcPatternDestroy(match);
            }
            FcPatternDestroy(pat);
        }
    }
    cache[key] = path;
    return path;
}

#endif

}  // namespace plat
