// The player's language: the choice from the environment, the checks on a compiled catalog, its use.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "lang/i18n.h"
#include "lang/language.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;

TEST(Language, ChosenFromTheOverrideTheVariablesInGettextsOrderAndTheSystem) {
    const std::set<std::string> catalogs{"en", "de", "es", "pl", "pt_BR"};
    // requested, LANGUAGE, LC_ALL, LC_MESSAGES, LANG, system languages → language; warns
    const std::tuple<lang::Environment, const char*, bool> cases[] = {
        {{}, "fr", false},
        {{"", "", "", "", "C.UTF-8", {}}, "fr", false},
        {{"", "", "", "", "de_DE.UTF-8", {}}, "de", false},
        {{"", "", "", "", "ja_JP.UTF-8", {}}, "en", false},
        {{"", "", "es_ES", "de_DE", "pl_PL", {}}, "es", false},
        {{"", "", "", "de_AT", "es_ES", {}}, "de", false},
        {{"", "de", "", "", "POSIX", {}}, "de", false},
        {{"", "xx:yy_ZZ:pl:de", "", "", "es_ES", {}}, "pl", false},
        {{"", "fr:de", "", "", "", {}}, "fr", false},
        {{"", "pt_BR:de", "", "", "", {}}, "pt_BR", false},
        {{"", "xx:yy", "", "", "", {}}, "en", false},
        {{"", "xx", "", "", "de_DE", {}}, "de", false},
        {{"", "", "", "", "", {"ja-JP", "de-DE"}}, "de", false},
        {{"", "", "", "", "es_ES", {"de-DE"}}, "es", false},
        {{"fr_BE", "de", "", "", "", {}}, "fr", false},
        {{"xx", "de", "", "", "", {}}, "en", true},
    };
    for (const auto& [env, expected, warns] : cases) {
        const auto choice = lang::ChooseLanguage(env, [&](const std::string& code) { return catalogs.count(code) > 0; });
        EXPECT_EQ(choice.code, expected) << env.requested << "|" << env.language << "|" << env.lcAll << "|" << env.lang;
        EXPECT_EQ(choice.requestUnknown, warns) << env.requested;
    }
}

const std::string kGerman = lang::CatalogPath(TESSALOR_DATA_DIR, "de");

std::string With(std::string bytes, const std::string& from, const std::string& to) {
    const auto at = bytes.find(from);
    return at == std::string::npos ? "" : bytes.replace(at, from.size(), to);
}

TEST(Language, BrokenCatalogsAreRefusedBeforeLibintlSeesThem) {
    const std::string good = ReadFile(kGerman);
    ASSERT_EQ(lang::CatalogProblem(good), "");
    std::string badMagic = good, farText = good;
    badMagic[0] = 'X';
    const std::size_t texts = static_cast<unsigned char>(good[16]) | static_cast<unsigned char>(good[17]) << 8;
    farText.replace(texts + 4, 4, "\xF0\xFF\xFF\x00", 4);  // the first translation past the end
    for (const std::string& bad : {std::string(), good.substr(0, good.size() / 2), badMagic, farText,
                                   With(good, "charset=UTF-8", "charset=ASCII"), With(good, "\xC3\xBC", "\xFF\xFC"),
                                   With(good, "OUI", "zzz")})
        EXPECT_NE(lang::CatalogProblem(bad), "") << bad.size();
}

TEST(Language, ACatalogTranslatesWithContextAndPluralAndABrokenOneLeavesFrenchSaidOnce) {
    testing_support::TempDir data;
    const std::string dir = data.Path().string(), mo = lang::CatalogPath(dir, "de");
    std::filesystem::create_directories(std::filesystem::path(mo).parent_path());
    testing_support::WriteFile(mo, ReadFile(kGerman));
    ASSERT_EQ(lang::UseLanguage(dir, "de"), "de");
    EXPECT_STRNE(_("OUI"), "OUI");
    EXPECT_STRNE(C_("level", "escargot"), "escargot");
    EXPECT_STREQ(C_("picture", "escargot"), "escargot");  // another context: no entry
    EXPECT_STRNE(lang::TranslatePlural("Il reste une façon de la finir.", "Il reste %d façons de la finir.", 3),
                 "Il reste %d façons de la finir.");

    testing_support::WriteFile(mo, ReadFile(kGerman).substr(0, 40));
    testing::internal::CaptureStderr();
    EXPECT_EQ(lang::UseLanguage(dir, "de"), "fr");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_STREQ(_("OUI"), "OUI");
    EXPECT_STREQ(C_("level", "escargot"), "escargot");
}

}  // namespace
