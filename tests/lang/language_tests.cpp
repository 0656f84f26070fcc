// The player's language: the choice from the environment, the checks on a compiled catalog, its use.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "lang/i18n.h"
#include "lang/language.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;

struct ChoiceCase {
    const char* why;
    lang::Environment env;
    const char* expected;
    bool warns;
};

TEST(Language, ChosenFromTheOverrideTheVariablesInGettextsOrderAndTheSystem) {
    const std::set<std::string> catalogs{"en", "de", "es", "pl", "pt_BR"};
    const ChoiceCase cases[] = {
        {"nothing set", {}, "fr", false},
        {"C locale", {"", "", "", "", "C.UTF-8", {}}, "fr", false},
        {"POSIX locale", {"", "", "POSIX", "", "", {}}, "fr", false},
        {"French locale", {"", "", "", "", "fr_CA.UTF-8", {}}, "fr", false},
        {"locale with a catalog", {"", "", "", "", "de_DE.UTF-8", {}}, "de", false},
        {"locale without a catalog", {"", "", "", "", "ja_JP.UTF-8", {}}, "en", false},
        {"LC_ALL before LC_MESSAGES and LANG", {"", "", "es_ES", "de_DE", "pl_PL", {}}, "es", false},
        {"LC_MESSAGES before LANG", {"", "", "", "de_AT", "es_ES", {}}, "de", false},
        {"LANGUAGE under a C locale", {"", "de", "", "", "C.UTF-8", {}}, "de", false},
        {"first known of LANGUAGE", {"", "xx:yy_ZZ:pl:de", "", "", "es_ES", {}}, "pl", false},
        {"French in LANGUAGE", {"", "fr:de", "", "", "", {}}, "fr", false},
        {"region kept where it has a catalog", {"", "pt_BR:de", "", "", "", {}}, "pt_BR", false},
        {"unknown codes only", {"", "xx:yy", "", "", "", {}}, "en", false},
        {"LANGUAGE unknown, locale known", {"", "xx", "", "", "de_DE", {}}, "de", false},
        {"system languages when nothing is set", {"", "", "", "", "", {"ja-JP", "de-DE"}}, "de", false},
        {"variables before the system", {"", "", "", "", "es_ES", {"de-DE"}}, "es", false},
        {"override first", {"pl", "de", "", "", "es_ES", {}}, "pl", false},
        {"override French", {"fr_BE", "de", "", "", "", {}}, "fr", false},
        {"override without a catalog", {"xx", "de", "", "", "", {}}, "en", true},
    };
    for (const auto& c : cases) {
        const auto choice = lang::ChooseLanguage(c.env, [&](const std::string& code) { return catalogs.count(code) > 0; });
        EXPECT_EQ(choice.code, c.expected) << c.why;
        EXPECT_EQ(!choice.warning.empty(), c.warns) << c.why;
    }
}

// Bytes of the sample catalog with one fault each.
std::string With(std::string bytes, const std::string& from, const std::string& to) {
    const auto at = bytes.find(from);
    return at == std::string::npos ? "" : bytes.replace(at, from.size(), to);
}

TEST(Language, BrokenCatalogsAreRefusedBeforeLibintlSeesThem) {
    const std::string good = ReadFile(TESSALOR_SAMPLE_MO);
    ASSERT_EQ(lang::CatalogProblem(good), "");
    std::string badMagic = good, farText = good;
    badMagic[0] = 'X';
    // The first translation's offset, past the end of the file.
    const std::size_t texts = static_cast<unsigned char>(good[16]) | static_cast<unsigned char>(good[17]) << 8;
    farText.replace(texts + 4, 4, "\xF0\xFF\xFF\x00", 4);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"wrong magic", badMagic},
        {"text outside the file", farText},
        {"header in another charset", With(good, "charset=UTF-8", "charset=ASCII")},
        {"text not in UTF-8", With(good, "M\xC3\xB6glichkeit", "M\xFF\xFEglichkeit")},
        {"keys out of order", With(good, "OUI", "zzz")},
    };
    for (const auto& [why, bytes] : cases) EXPECT_NE(lang::CatalogProblem(bytes), "") << why;
}

TEST(Language, ACatalogTranslatesWithContextAndPluralAndABrokenOneLeavesFrench) {
    testing_support::TempDir data;
    const std::string dir = data.Path().string(), mo = lang::CatalogPath(dir, "de");
    std::filesystem::create_directories(std::filesystem::path(mo).parent_path());
    testing_support::WriteFile(mo, ReadFile(TESSALOR_SAMPLE_MO));
    ASSERT_EQ(lang::UseLanguage(dir, "de"), "de");
    EXPECT_STREQ(_("OUI"), "JA");
    EXPECT_STREQ(_("NON"), "NON");  // not in the catalog: the French stays
    EXPECT_STREQ(C_("level", "escargot"), "Schnecke");
    EXPECT_STREQ(C_("picture", "escargot"), "escargot");
    EXPECT_EQ(lang::Format(lang::TranslatePlural("Il reste une façon de la finir.", "Il reste %d façons de la finir.", 3),
                           {"3"}),
              "3 Möglichkeiten bleiben.");
    EXPECT_EQ(lang::LocalizedDataFile(dir, "tessa32c.dat"), dir + "/tessa32c.dat");  // none drawn for de here

    testing_support::WriteFile(mo, ReadFile(TESSALOR_SAMPLE_MO).substr(0, 40));
    testing::internal::CaptureStderr();
    EXPECT_EQ(lang::UseLanguage(dir, "de"), "fr");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_STREQ(_("OUI"), "OUI");
    EXPECT_STREQ(lang::TranslatePlural("Il reste une façon de la finir.", "Il reste %d façons de la finir.", 3),
                 "Il reste %d façons de la finir.");
}

}  // namespace
