// Finding font files through fontconfig.
#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <utility>

namespace plat {

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

}  // namespace plat
