// The player's language: the choice, the checks on its compiled catalog, and the lookups through libintl.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/language.h"

#include <libintl.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "lang/i18n.h"
#include "base/files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lang {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// "de_DE.UTF-8@euro" → "de_DE"; "pt-BR" → "pt_BR".
std::string Stripped(std::string code) {
    code = code.substr(0, code.find_first_of(".@"));
    for (char& c : code)
        if (c == '-') c = '_';
    return code;
}

bool IsCLocale(const std::string& locale) {
    const std::string s = Stripped(locale);
    return s.empty() || s == "C" || s == "POSIX";
}

// The catalog for a code: "pt_BR" first, then "pt"; "" when neither exists.
// French needs none.
std::string Known(const std::string& asked, const std::function<bool(const std::string&)>& hasCatalog) {
    const std::string full = Stripped(asked);
    const std::string base = full.substr(0, full.find('_'));
    if (base == kFrench) return kFrench;
    if (!full.empty() && hasCatalog(full)) return full;
    if (!base.empty() && hasCatalog(base)) return base;
    return "";
}

std::uint32_t Word(std::string_view b, std::size_t at, bool swapped) {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(swapped ? i : 3 - i)]);
        w = (w << 8) | byte;
    }
    return w;
}

bool ValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        if (extra == 9 || (extra && (c < 0xC2 || i + extra >= s.size()))) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::vector<std::string> SystemLanguages() {
    std::vector<std::string> codes;
#ifdef _WIN32
    ULONG count = 0, size = 0;
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring buffer(size, L'\0');
        if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, buffer.data(), &size)) {
            for (const wchar_t* p = buffer.c_str(); *p; p += std::wcslen(p) + 1) {
                std::string code;
                for (const wchar_t* q = p; *q; ++q) code += *q < 0x80 ? static_cast<char>(*q) : '?';
                codes.push_back(code);
            }
        }
    }
#endif
    return codes;
}

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

}  // namespace

Choice ChooseLanguage(const Environment& env, const std::function<bool(const std::string&)>& hasCatalog) {
    if (!env.requested.empty()) {
        if (std::string code = Known(env.requested, hasCatalog); !code.empty()) return {code, false};
        return {kEnglish, true};
    }
    std::vector<std::string> asked;
    for (std::size_t at = 0; at <= env.language.size();) {
        const std::size_t end = std::min(env.language.find(':', at), env.language.size());
        if (end > at) asked.push_back(env.language.substr(at, end - at));
        at = end + 1;
    }
    const std::string& locale = !env.lcAll.empty() ? env.lcAll : !env.lcMessages.empty() ? env.lcMessages : env.lang;
    if (!IsCLocale(locale)) asked.push_back(locale);
    if (asked.empty()) asked = env.system;
    if (asked.empty()) return {kFrench, false};
    for (const std::string& a : asked)
        if (std::string code = Known(a, hasCatalog); !code.empty()) return {code, false};
    return {kEnglish, false};
}

std::string CatalogPath(const std::string& dataDir, const std::string& code) {
    std::string path = dataDir;
    if (!path.empty() && path.back() != kSeparator) path += kSeparator;
    for (const char* part : {"locale", code.c_str(), "LC_MESSAGES"}) path += std::string(part) + kSeparator;
    return path + kDomain + ".mo";
}

std::string CatalogProblem(std::string_view b) {
    if (b.size() < 28) return "fichier trop court";
    const bool swapped = Word(b, 0, false) != 0x950412deu;
    if (swapped && Word(b, 0, true) != 0x950412deu) return "ce n'est pas un catalogue";
    if ((Word(b, 4, swapped) >> 16) > 1) return "révision inconnue";
    const std::uint64_t n = Word(b, 8, swapped), keys = Word(b, 12, swapped), texts = Word(b, 16, swapped);
    const std::uint64_t hashSize = Word(b, 20, swapped), hashAt = Word(b, 24, swapped);
    if (n == 0 || keys + n * 8 > b.size() || texts + n * 8 > b.size() || hashAt + hashSize * 4 > b.size())
        return "table hors du fichier";
    for (std::uint64_t h = 0; h < hashSize; ++h)
        if (Word(b, static_cast<std::size_t>(hashAt + h * 4), swapped) > n) return "table de hachage invalide";
    std::string_view previous;
    for (std::uint64_t i = 0; i < n; ++i) {
        std::string_view entry[2];
        for (int t = 0; t < 2; ++t) {
            const std::size_t at = static_cast<std::size_t>((t ? texts : keys) + i * 8);
            const std::uint64_t length = Word(b, at, swapped), offset = Word(b, at + 4, swapped);
            if (offset + length >= b.size() || b[static_cast<std::size_t>(offset + length)] != '\0')
                return "texte hors du fichier";
            entry[t] = b.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
            for (std::size_t part = 0; part <= entry[t].size();) {
                const std::size_t end = std::min(entry[t].find('\0', part), entry[t].size());
                if (!ValidUtf8(entry[t].substr(part, end - part))) return "texte qui n'est pas en UTF-8";
                part = end + 1;
            }
        }
        if (i > 0 && !(previous < entry[0])) return "clés dans le désordre";
        previous = entry[0];
        if (i == 0 && (!entry[0].empty() || entry[1].find("charset=UTF-8") == std::string_view::npos))
            return "en-tête sans charset=UTF-8";
    }
    return "";
}

std::string UseLanguage(const std::string& dataDir, const std::string& requested) {
    const Environment env{requested.empty() ? Env("TESSALOR_LANGUE") : requested, Env("LANGUAGE"), Env("LC_ALL"),
                          Env("LC_MESSAGES"), Env("LANG"), SystemLanguages()};
    const Choice choice = ChooseLanguage(
        env, [&](const std::string& code) { return plat::CanReadRegularFile(CatalogPath(dataDir, code)); });
    SetCurrentLanguage(kFrench);
    if (choice.code == kFrench) return kFrench;
    const std::string path = CatalogPath(dataDir, choice.code);
    std::string bytes, problem;
    bool tooLong = false;
    if (!plat::ReadRegularFile(path, 4u << 20, bytes, &tooLong) || tooLong) problem = "illisible ou trop grand";
    else problem = CatalogProblem(bytes);
    if (problem.empty()) {
        // The catalog decides through LANGUAGE, which libintl reads only
        // under a locale other than C for messages.
        SetEnv("LANGUAGE", choice.code);
#ifdef _WIN32
        SetEnv("LC_MESSAGES", choice.code);
#else
        if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) std::setlocale(LC_MESSAGES, "C.utf8");
#endif
        std::string localeDir = dataDir;
        if (!localeDir.empty() && localeDir.back() == kSeparator) localeDir.pop_back();
        localeDir += std::string(1, kSeparator) + "locale";
#ifdef _WIN32
        wbindtextdomain(kDomain, plat::PathOf(localeDir).c_str());  // any folder name, not just the ANSI ones
#else
        bindtextdomain(kDomain, localeDir.c_str());
#endif
        bind_textdomain_codeset(kDomain, "UTF-8");
        static const char kEmpty[] = "";
        if (*dgettext(kDomain, kEmpty)) {
            SetCurrentLanguage(choice.code);
            // Said in the language the game now speaks.
            if (choice.requestUnknown)
                std::cerr << Format(_("tessalor : pas de traduction pour la langue « %s », le jeu parle anglais"),
                                    {env.requested})
                          << "\n";
            return choice.code;
        }
        problem = "refusé par libintl";
    }
    // Never shown in the language whose catalog failed: the line is French.
    std::cerr << "tessalor : catalogue « " << path << " » inutilisable (" << problem << "), le jeu parle français\n";
    return kFrench;
}

std::string LocalizedFile(const std::string& french, const std::string& localized) {
    return CurrentLanguage() != kFrench && plat::CanReadRegularFile(localized) ? localized : french;
}

std::string LocalizedDataFile(const std::string& dataDir, const std::string& name) {
    const std::string catalog = CatalogPath(dataDir, CurrentLanguage());
    const std::string folder = catalog.substr(0, catalog.size() - std::string("LC_MESSAGES/tessalor.mo").size());
    std::string french = dataDir;
    if (!french.empty() && french.back() != kSeparator) french += kSeparator;
    return LocalizedFile(french + name, folder + name);
}

}  // namespace lang
