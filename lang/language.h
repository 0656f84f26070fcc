// The choice of the player's language and the checks on a compiled catalog before it is used.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

// The game's own language: its texts are written in it and need no catalog.
inline constexpr const char* kFrench = "fr";
// The language of any player whose language has no catalog.
inline constexpr const char* kEnglish = "en";
inline constexpr const char* kDomain = "tessalor";

// What the choice looks at, in the order it looks: the override (--langue or
// TESSALOR_LANGUE), then LANGUAGE (a list split by ':'), then the locale
// (LC_ALL, else LC_MESSAGES, else LANG), then the system's preferred UI
// languages (Windows; empty elsewhere).
struct Environment {
    std::string requested;
    std::string language;
    std::string lcAll, lcMessages, lang;
    std::vector<std::string> system;
};

struct Choice {
    std::string code;             // "fr", or a language that has a catalog
    bool requestUnknown = false;  // the requested code has no catalog: said once on stderr
};

// French for French or a C/POSIX/unset locale with nothing else asked; the
// first asked language that has a catalog (hasCatalog("de"), "pt_BR"...);
// English otherwise. A requested code without a catalog gives English.
Choice ChooseLanguage(const Environment& env, const std::function<bool(const std::string&)>& hasCatalog);

// Where a language's compiled catalog lies under the data folder.
std::string CatalogPath(const std::string& dataDir, const std::string& code);

// Whether the bytes of a compiled catalog can be used: empty when they can,
// otherwise why not (bad magic, a table or string outside the file, keys out
// of order, text that is not UTF-8, a header without charset=UTF-8).
std::string CatalogProblem(std::string_view bytes);

// Reads the environment, chooses, checks the catalog and binds the text
// domain to dataDir/locale. Says at most one line on stderr. Returns the
// language in use ("fr" when the catalog is missing or broken).
std::string UseLanguage(const std::string& dataDir, const std::string& requested);

// The file made for the language in use when there is one (never for
// French), else the French one.
std::string LocalizedFile(const std::string& french, const std::string& localized);
// The same for a data file kept per language in locale/LANG/ under dataDir.
std::string LocalizedDataFile(const std::string& dataDir, const std::string& name);

// The language in use: "fr" until UseLanguage chose another; the lookups
// go to the catalog only under another one.
const std::string& CurrentLanguage();
void SetCurrentLanguage(const std::string& code);

}  // namespace lang
