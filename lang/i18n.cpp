// The lookups of the game's texts in the chosen catalog through libintl, and the filling of patterns.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/i18n.h"

#include <libintl.h>

#include "lang/language.h"

namespace lang {

namespace {
std::string gCurrent = kFrench;
}  // namespace

void SetCurrentLanguage(const std::string& code) { gCurrent = code; }

const std::string& CurrentLanguage() { return gCurrent; }

const char* Translate(const char* text) { return gCurrent == kFrench ? text : dgettext(kDomain, text); }

const char* TranslateIn(const char* context, const char* text) {
    if (gCurrent == kFrench) return text;
    thread_local std::string key;
    key = std::string(context) + '\004' + text;
    const char* found = dgettext(kDomain, key.c_str());
    return found == key.c_str() ? text : found;
}

const char* TranslatePlural(const char* one, const char* many, unsigned long n) {
    if (gCurrent == kFrench) return n == 1 ? one : many;
    return dngettext(kDomain, one, many, n);
}

std::string Format(const char* pattern, std::initializer_list<std::string> values) {
    std::string out;
    auto next = values.begin();
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '%') out += '%';
        else if ((*p == 's' || *p == 'd') && next != values.end()) out += *next++;
    }
    return out;
}

}  // namespace lang
