// Every translation of every catalog, laid out with the game's own text routines at scale 1, fits its control.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "lang/i18n.h"
#include "platform/text.h"
#include "tests/support/temp_dir.h"

namespace {

struct Box { int w, h; plat::Font font; bool wrap; };

// Each control once, from the form definitions; the picture words at the generator's pixel sizes.
const std::map<std::string, Box> kBoxes{
    {"menu caption", {242, 20, {"Arial", 12, false}, false}},   {"quit question", {225, 71, {"Arial", 12, false}, true}},
    {"alert", {235, 76, {"Arial", 12, false}, true}},           {"name question", {222, 18, {"Arial", 12, false}, true}},
    {"chooser title", {141, 18, {"Arial", 12, false}, true}},   {"dialog button", {88, 19, {"Arial", 12, false}, false}},
    {"label under the board", {91, 35, {"Arial", 8.25, false}, true}},
    {"workshop label line", {91, 13, {"Arial", 8.25, false}, false}},
    {"Menu button", {253, 24, {"Arial", 11.25, true}, false}},  {"Aide button", {118, 24, {"Arial", 11.25, true}, false}},
    {"About button", {117, 25, {"Arial", 11.25, true}, false}}, {"about picture line", {240, 20, {"Arial", 10.5, false}, false}},
    {"settings title", {200, 22, {"Arial", 12, false}, true}},  {"settings row", {229, 19, {"Arial", 12, false}, false}},
    {"shapes title", {440, 20, {"Arial", 12, false}, false}},   {"shapes status", {440, 17, {"Arial", 9.75, false}, false}},
    {"shapes name heading", {190, 17, {"Arial", 8.25, false}, false}},
    {"shapes class heading", {88, 17, {"Arial", 8.25, false}, false}},
    {"shapes time heading", {54, 17, {"Arial", 8.25, false}, false}},
    {"shapes solved heading", {56, 17, {"Arial", 8.25, false}, false}},
};

// A catalog as the fit test reads it: translations (all plural forms) by "context\x04msgid".
using Catalog = std::map<std::string, std::vector<std::string>>;

Catalog Read(const std::string& bytes) {
    Catalog c;
    for (std::size_t at = 0, end; at < bytes.size(); at = end + 1) {
        end = std::min(bytes.find('\0', at), bytes.size());
        const std::string record = bytes.substr(at, end - at);
        const std::size_t tab = record.find('\t');
        if (tab != std::string::npos) c[record.substr(0, tab)].push_back(record.substr(tab + 1));
    }
    return c;
}

std::string First(const Catalog& c, const std::string& key) { return c.count(key) ? c.at(key).at(0) : key.substr(1); }

std::string Filled(std::string text, const std::string& value) {
    if (const auto at = text.find("%d"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

// The control a text is shown in, and the text as shown there; "" for texts in no control.
std::pair<std::string, std::string> Shown(const Catalog& c, const std::string& key, const std::string& text) {
    static const std::map<std::string, std::string> kControls{
        {"\x04OUI", "dialog button"}, {"\x04NON", "dialog button"}, {"\x04Ok", "dialog button"}, {"\x04Annuler", "dialog button"},
        {"\x04Voulez-vous vraiment quitter le jeu ?", "quit question"}, {"\x04Choix de la partie", "chooser title"},
        {"\x04Donnez un nom à votre partie :", "name question"}, {"picture\x04Menu", "Menu button"},
        {"\x04Donnez un nom à votre forme :", "name question"},
        {"\x04Votre forme n'est pas enregistrée.\r\nQuitter l'atelier ?", "quit question"},
        {"picture\x04Aide", "Aide button"}, {"picture\x04\xC3\x80 propos", "About button"},
        {"picture\x04un jeu de pentominos", "about picture line"}, {"\x04Formes", "shapes title"},
        {"\x04Forme", "shapes name heading"}, {"\x04Difficulté", "shapes class heading"},
        {"\x04Record", "shapes time heading"}, {"\x04Résolue", "shapes solved heading"}};
    static const std::set<std::string> kAlertStarts{"Tous les", "La parti", "Ce nom e", "Ce nom n", "Aucune f",
                                                    "Cette pa", "Cette fo", "Une part", "Aucune p", "Aucun pr", "Ce code ",
                                                    "La forme"};
    const std::string id = key.substr(key.find('\x04') + 1);
    if (key.rfind("level\x04", 0) == 0) return {"label under the board", Filled(First(c, "\x04" "forme %d"), "40") + "\r\n" + text};
    if (id.rfind("   ", 0) == 0) return {"menu caption", text};
    static const std::set<std::string> kSettingRows{"Son", "Lettres sur les pièces", "Jeu au clavier", "Taille", "Plein écran", "Langue"};
    if (key[0] == '\x04' && kSettingRows.count(id)) {  // "row : value", with the longest value a row shows
        std::string value, shown = First(c, "\x04%s : %s");
        for (const char* v : {"\x04oui", "\x04non", "\x04" "auto"}) value = std::max(value, First(c, v), [](auto& a, auto& b) { return a.size() < b.size(); });
        return {"settings row", shown.replace(shown.find("%s"), 2, text).replace(shown.rfind("%s"), 2, value)};
    }
    if (id == "Réglages") return {"settings title", text};
    // The workshop's label: one text a line, its numbers at their widest (cells needed, cells, ways).
    if (key.rfind("workshop\x04", 0) == 0 || id == "%d case" || id == "%d façon")
        return {"workshop label line", Filled(text, id == "il faut %d cases" ? "60" : id == "%d façon" || id == "plus de %d" ? "1000" : "256")};
    if (id == "Voulez-vous supprimer ce fichier ?" || id == "Voulez-vous supprimer cette forme ?")
        return {"quit question", "partiepartie\r\n" + text};
    if (id == "Code de « %s » copié") return {"shapes status", lang::Format(text.c_str(), {"rectangle 8x11 #2"})};
    if (id == "Il reste une façon de la finir.")
        return {"alert", First(c, "\x04" "Cette forme peut encore être remplie avec les pièces qui restent.") + "\r\n" + Filled(text, "12345")};
    if (id.rfind("Elle est ", 0) == 0) {  // where the empty part lies, under the longer of its two faults
        const std::string size = First(c, "\x04Une partie vide de la forme ne peut pas être remplie : sa taille n'est pas un multiple de 5."),
                          fit = First(c, "\x04Une partie vide de la forme ne peut pas être remplie : aucune pièce restante n'y entre.");
        return {"alert", (size.size() > fit.size() ? size : fit) + "\r\n" + text};
    }
    if (key[0] == '\x04' && kAlertStarts.count(id.substr(0, 8))) return {"alert", text};
    const auto it = kControls.find(key);
    return {it == kControls.end() ? "" : it->second, text};
}

TEST(Fit, EveryTranslationFitsItsControlAtScale1) {
    std::size_t checked = 0;
    for (const auto& file : std::filesystem::directory_iterator(TESSALOR_FIT_DIR)) {
        const std::string code = file.path().stem().string();
        const Catalog c = Read(testing_support::ReadFile(file.path()));
        std::map<std::string, std::pair<int, std::string>> widest;
        for (const auto& [key, texts] : c)
            for (const auto& translation : texts) {
                // The French source first, so a rule too strict for today's texts shows as such.
                for (const std::string& text : {key.substr(key.find('\x04') + 1), translation}) {
                    const auto [control, shown] = Shown(c, key, text);
                    if (control.empty()) continue;
                    const Box& box = kBoxes.at(control);
                    const auto lines = box.wrap ? plat::WrapText(box.font, shown, box.w) : std::vector<std::string>{shown};
                    const int height = static_cast<int>(lines.size() - 1) * plat::LineHeight(box.font) + plat::FontHeight(box.font);
                    EXPECT_LE(height, box.h) << code << ": " << control << " wraps past its height: " << shown;
                    for (const auto& line : lines) {
                        const int w = plat::TextWidth(box.font, line);
                        EXPECT_LE(w, box.w) << code << ": " << control << " cut or outside: " << line;
                        if (text == translation && w > widest[control].first) widest[control] = {w, line};
                    }
                    ++checked;
                }
            }
        for (const auto& [control, w] : widest)
            std::printf("%s %-22s %3d/%3d px  %s\n", code.c_str(), control.c_str(), w.first, kBoxes.at(control).w, w.second.c_str());
    }
    EXPECT_GT(checked, 0u) << "no catalog, or no text found in a control";
}

}  // namespace
