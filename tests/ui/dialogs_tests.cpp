// Tests of the dialogs: buttons lit, keys and answers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <map>

#include "platform/text.h"
#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

using DialogTest = ScriptedTest;

TEST_F(DialogTest, HoverLightsOneButtonUntilTheBackgroundIsReached) {
    StartGame();
    auto d = std::make_unique<frmMess>();
    std::vector<std::pair<plat::Colour, plat::Colour>> seen;
    auto note = [&] { seen.emplace_back(d->lbBout[0]->BackColor(), d->lbBout[1]->BackColor()); return true; };
    RunModal(*d, {WhenShown(*d, [&] {
                      host.MouseMove(*d, d->lbBout[0].get(), 5, 5);
                      host.MouseMove(*d, &d->Label1, 5, 5);  // over the message: stays lit
                  }),
                  note, [&] { host.MouseMove(*d, d->lbBout[1].get(), 5, 5); return true; },
                  note, [&] { host.MouseMove(*d, nullptr, 128, 170); return true; },
                  note, [&] { Press(*d, 1); return true; }});
    EXPECT_EQ(seen, (std::vector<std::pair<plat::Colour, plat::Colour>>{
                        {clrButtonHover, clrButton}, {clrButton, clrButtonHover}, {clrButton, clrButton}}));
}

TEST_F(DialogTest, TheNameFieldEditsWhereTheCaretIs) {
    StartGame();
    // Steps: typed text, or a key in braces: < > ^ $ (Left, Right, Home, End),
    // d (Delete), b (Back), s before them for Shift, c before a letter for
    // Ctrl, a plain letter alone; @n clicks with n characters left of it.
    struct Case {
        std::string clipboardBefore, steps, text;
        int caret, selected;
        std::string clipboardAfter;
    } cases[] = {
        {"", "abc{^}X", "Xabc", 1, 0, ""},
        {"", "abcd{<}{<}{b}", "acd", 1, 0, ""},
        {"", "abcd{^}{d}{>}{d}", "bd", 1, 0, ""},
        {"", "ab{^}{<}{b}", "ab", 0, 0, ""},
        {"", "abcd{^}{s>}{s>}Z", "Zcd", 1, 0, ""},
        {"", "abcd{s<}{s<}{b}", "ab", 2, 0, ""},
        {"", "abcd{s<}{s<}", "abcd", 2, 2, ""},
        {"", "abcd{s<}{s<}{<}", "abcd", 2, 0, ""},
        {"", "abcd{^}{s>}{>}", "abcd", 1, 0, ""},
        {"", "abcd{^}{s$}{d}", "", 0, 0, ""},
        {"", "abcd{cA}{cX}", "", 0, 0, "abcd"},
        {"", "abcd{A}{X}", "abcd", 4, 0, ""},  // without Ctrl: nothing
        {"", "ab{cA}{cC}{$}{cV}", "abab", 4, 0, "ab"},
        {"x\r\ny\tz\x7f", "ab{<}{cV}", "axyzb", 4, 0, "x\r\ny\tz\x7f"},
        {"123456", "abcdefghij{^}{cV}", "12abcdefghij", 2, 0, "123456"},
        {"", "abcdefghijkl{^}Z{d}Z", "Zbcdefghijkl", 1, 0, ""},
        // What the player sees counts: a letter and its combining accent are one.
        {"", "E\u0301", "É", 1, 0, ""},
        {"", "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301",
         "éééééééééééé", 12, 0, ""},
        {"", "ÀÉ{<}{b}", "É", 0, 0, ""},
        {"", "WWWW{@2}x", "WWxWW", 3, 0, ""},
    };
    const std::map<char, int> keys = {{'<', plat::vbKeyLeft},   {'>', plat::vbKeyRight},  {'^', plat::vbKeyHome},
                                      {'$', plat::vbKeyEnd},    {'d', plat::vbKeyDelete}, {'b', plat::vbKeyBack}};
    for (const Case& c : cases) {
        auto d = std::make_unique<frmInput>(S(), form.get());
        host.clipboard = c.clipboardBefore;
        std::vector<std::function<bool()>> steps;
        for (size_t i = 0; i < c.steps.size();) {
            const size_t open = c.steps[i] == '{' ? i : c.steps.find('{', i);
            const size_t end = open == i ? c.steps.find('}', i) + 1 : std::min(open, c.steps.size());
            std::string s = c.steps.substr(i, end - i);
            i = end;
            steps.push_back(WhenShown(*d, [&, s]() mutable {
                if (s[0] != '{') return host.Type(*d, s);
                s = s.substr(1, s.size() - 2);
                if (s[0] == '@') {
                    const std::string left = d->txtNom.Text().substr(0, static_cast<size_t>(std::stoi(s.substr(1))));
                    return host.Click(*d, &d->txtNom, 3 + plat::TextWidth(d->txtNom.BoxFont, left), 10);
                }
                const int shift = s.size() == 1 ? 0 : s[0] == 's' ? 1 : 2;
                host.KeyDown(*d, keys.count(s.back()) ? keys.at(s.back()) : s.back(), shift);
            }));
        }
        steps.push_back([&] {
            EXPECT_EQ(d->txtNom.Text(), c.text) << c.steps;
            EXPECT_EQ(d->txtNom.Caret(), c.caret) << c.steps;
            EXPECT_EQ(d->txtNom.SelLength(), c.selected) << c.steps;
            EXPECT_EQ(host.clipboard, c.clipboardAfter) << c.steps;
            host.CloseRequest(*d);
            return true;
        });
        RunModal(*d, std::move(steps));
        d->Unload();
    }
}

#ifndef _WIN32
// With no program on the PATH to open it, Aide says where the page is.
TEST_F(DialogTest, HelpWithoutAViewerSaysWhereThePageIs) {
    StartGame();
    Script({});
    const std::string page = S().strDataDir + "aidetessalor/aide.htm", path = std::getenv("PATH");
    std::filesystem::create_directories(S().strDataDir + "aidetessalor");
    WriteFile(page, "<html></html>");
    setenv("PATH", "/nonexistent", 1);
    OpenHelpDocument(S(), page);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(alerts, std::vector<std::string>{kNoHelpViewerMessage + page});
}
#endif
