// A compiled catalog the checks accept is one libintl loads and the game then speaks.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <string>

#include "fuzz_files.h"
#include "lang/i18n.h"
#include "lang/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!lang::CatalogProblem(bytes).empty()) return 0;
    // libintl keeps every catalog it loaded: each accepted input gets a language of its own, and
    // after a thousand the checks alone run, so that memory stays bounded.
    static int run = 0;
    if (run >= 1000) return 0;
    const std::string dir = fuzz::Folder(), code = "x" + std::to_string(run++);
    const std::string mo = lang::CatalogPath(dir, code);
    std::filesystem::create_directories(std::filesystem::path(mo).parent_path());
    fuzz::Write(mo, data, size);
    fuzz::Check(lang::UseLanguage(dir, code) == code, "an accepted catalog is used");
    fuzz::Check(_("OUI") != nullptr && C_("level", "escargot") != nullptr, "lookups answer");
    lang::UseLanguage(dir, "fr");
    std::filesystem::remove(mo);
    return 0;
}
