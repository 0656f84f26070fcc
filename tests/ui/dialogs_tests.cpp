#include "platform/text.h"
#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class DialogTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        answerAlerts = false;  // the alerts here are the ones under test
    }
};

}  // namespace

TEST_F(DialogTest, QuestionAnswersAndEveryUseStartsAfresh) {
    // How the question is left, and what the caller reads.
    struct Case {
        std::function<void(Dialog&)> answer;
        std::string tag;
    } cases[] = {
        {[&](Dialog& d) { Press(d, 0); }, "1"},
        {[&](Dialog& d) { Press(d, 1); }, "0"},
        {[&](Dialog& d) { host.CloseRequest(d); }, ""},  // taken as "NON"
    };
    for (const Case& c : cases) {
        auto d = std::make_unique<frmMess>();
        EXPECT_EQ(d->Label1.Caption(), "Voulez-vous vraiment quitter le jeu ?");
        EXPECT_EQ(d->Tag, "");
        d->Label1.SetCaption("toto\r\nVoulez-vous supprimer ce fichier ?");
        RunModal(*d, {WhenShown(*d, [&] { c.answer(*d); })});
        EXPECT_EQ(d->Tag, c.tag);
        d->Unload();
    }
}

TEST_F(DialogTest, HoverLightsOneButtonUntilTheBackgroundIsReached) {
    auto d = std::make_unique<frmMess>();
    std::vector<std::pair<plat::Colour, plat::Colour>> seen;
    auto note = [&] {
        seen.emplace_back(d->lbBout[0]->BackColor(), d->lbBout[1]->BackColor());
        return true;
    };
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

// The common look, and captions laid out inside their label: the long alert
// wraps on several lines, the saved-game captions show whole on one.
TEST_F(DialogTest, CommonLookAndCaptionsInsideTheirLabel) {
    const std::uint32_t ground = plat::Pixel(0, 42, 0);
    struct Case {
        std::unique_ptr<Dialog> d;
        int minLines, maxLines;
    } cases[] = {{std::make_unique<frmAlert>(), 3, 9}, {std::make_unique<frmInput>(), 1, 1},
                 {std::make_unique<frmChoix>(), 1, 1}};
    cases[0].d->Label1.SetCaption(kAllSolvedMessage);
    for (Case& c : cases) {
        Dialog& d = *c.d;
        const plat::Rect label{d.Label1.Left(), d.Label1.Top(), d.Label1.Width(), d.Label1.Height()};
        int lines = 0, left = 1000, right = -1;
        RunModal(d, {WhenShown(d, [&] {
            const plat::Surface& frame = host.Frame(d);
            bool inText = false;
            for (int y = label.y; y < label.Bottom(); ++y) {
                bool any = false;
                for (int x = label.x; x < label.Right(); ++x)
                    if (frame.At(x, y) != ground && frame.At(x, y) != plat::ToPixel(clrButton)) {  // text, even faint
                        any = true;
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                lines += any && !inText;
                inText = any;
                EXPECT_EQ(frame.At(label.x - 1, y), ground) << "text spills left of its label";
                EXPECT_EQ(frame.At(label.Right(), y), ground) << "text spills right of its label";
            }
            EXPECT_FALSE(d.Outline.Contains(0, 0));
            EXPECT_FALSE(d.Outline.Contains(255, 179));
            EXPECT_TRUE(d.Outline.Contains(128, 1));
            EXPECT_EQ(frame.At(1, 90), plat::Pixel(0, 198, 0));  // the frame
            host.CloseRequest(d);
        })});
        EXPECT_TRUE(lines >= c.minLines && lines <= c.maxLines) << lines << " " << d.Label1.Caption();
        // A wrapped caption would show only its first words.
        const int width = plat::TextWidth(d.Label1.LabelFont, d.Label1.Caption());
        EXPECT_TRUE(c.maxLines > 1 || right - left + 1 >= width - 4) << d.Label1.Caption();
    }
}

TEST_F(DialogTest, AboutBoxClosesOnlyByItsCross) {
    auto d = std::make_unique<frmPropos>();
    bool stillShown = false;
    RunModal(*d, {WhenShown(*d, [&] {
                      EXPECT_FALSE(d->Label1.Visible());
                      ASSERT_EQ(d->lbBout.size(), 1u);
                      EXPECT_EQ(host.Frame(*d).At(128, 150), d->Picture.At(128, 150));
                      host.Click(*d, nullptr, 128, 90);
                  }),
                  [&] { stillShown = host.IsShown(*d); Press(*d, 0); return true; }});
    EXPECT_TRUE(stillShown);
    EXPECT_FALSE(host.IsShown(*d));
}

TEST_F(DialogTest, TheNameFieldEditsWhereTheCaretIs) {
    using plat::vbKeyLeft, plat::vbKeyRight, plat::vbKeyHome, plat::vbKeyEnd, plat::vbKeyDelete, plat::vbKeyBack;
    constexpr int kShift = 1, kCtrl = 2;
    // One step: a key (with its Shift state), typed text, or a click at a
    // text position (the caret goes to the nearest character boundary).
    struct Step {
        int key = 0, shift = 0;
        std::string text;
        int clickAfter = -1;  // characters of the text left of the click
    };
    const auto K = [](int key, int shift = 0) { return Step{key, shift, {}, -1}; };
    const auto T = [](std::string text) { return Step{0, 0, std::move(text), -1}; };
    const auto C = [](int chars) { return Step{0, 0, {}, chars}; };
    const auto Repeat = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    struct Case {
        std::string clipboardBefore;
        std::vector<Step> steps;
        std::string text;
        int caret, selected;
        std::string clipboardAfter;
    } cases[] = {
        {"", {T("abc"), K(vbKeyHome), T("X")}, "Xabc", 1, 0, ""},
        {"", {T("abcd"), K(vbKeyLeft), K(vbKeyLeft), K(vbKeyBack)}, "acd", 1, 0, ""},
        {"", {T("abcd"), K(vbKeyHome), K(vbKeyDelete), K(vbKeyRight), K(vbKeyDelete)}, "bd", 1, 0, ""},
        {"", {T("abcd"), K(vbKeyEnd), K(vbKeyDelete), K(vbKeyRight)}, "abcd", 4, 0, ""},
        {"", {T("ab"), K(vbKeyHome), K(vbKeyLeft), K(vbKeyBack)}, "ab", 0, 0, ""},
        {"", {T("abcd"), K(vbKeyHome), K(vbKeyRight, kShift), K(vbKeyRight, kShift), T("Z")}, "Zcd", 1, 0, ""},
        {"", {T("abcd"), K(vbKeyLeft, kShift), K(vbKeyLeft, kShift), K(vbKeyBack)}, "ab", 2, 0, ""},
        {"", {T("abcd"), K(vbKeyLeft, kShift), K(vbKeyLeft, kShift)}, "abcd", 2, 2, ""},
        {"", {T("abcd"), K(vbKeyLeft, kShift), K(vbKeyLeft, kShift), K(vbKeyLeft)}, "abcd", 2, 0, ""},
        {"", {T("abcd"), K(vbKeyHome), K(vbKeyRight, kShift), K(vbKeyRight)}, "abcd", 1, 0, ""},
        {"", {T("abcd"), K(vbKeyHome), K(vbKeyEnd, kShift), K(vbKeyDelete)}, "", 0, 0, ""},
        {"", {T("abcd"), K('A', kCtrl), K('X', kCtrl)}, "", 0, 0, "abcd"},
        {"", {T("abcd"), K('A'), K('X')}, "abcd", 4, 0, ""},  // without Ctrl: nothing
        {"", {T("ab"), K('A', kCtrl), K('C', kCtrl), K(vbKeyEnd), K('V', kCtrl)}, "abab", 4, 0, "ab"},
        {"", {T("abcd"), K('C', kCtrl)}, "abcd", 4, 0, ""},  // nothing selected, nothing copied
        {"x\r\ny\tz\x7f", {T("ab"), K(vbKeyLeft), K('V', kCtrl)}, "axyzb", 4, 0, "x\r\ny\tz\x7f"},
        {"123456", {T("abcdefghij"), K(vbKeyHome), K('V', kCtrl)}, "12abcdefghij", 2, 0, "123456"},
        {"", {T("abcdefghijkl"), K(vbKeyHome), T("Z"), K(vbKeyDelete), T("Z")}, "Zbcdefghijkl", 1, 0, ""},
        // What the player sees counts: a letter and its combining accent are one.
        {"", {T("E\u0301")}, "É", 1, 0, ""},
        {"", {T(Repeat("e\u0301", 13))}, Repeat("é", 12), 12, 0, ""},
        {"", {T("ÀÉ"), K(vbKeyLeft), K(vbKeyBack)}, "É", 0, 0, ""},
        {"", {T("WWWW"), C(2), T("x")}, "WWxWW", 3, 0, ""},
        {"", {T("WWWW"), C(0), K(vbKeyDelete)}, "WWW", 0, 0, ""},
    };
    for (const Case& c : cases) {
        auto d = std::make_unique<frmInput>();
        host.clipboard = c.clipboardBefore;
        std::vector<std::function<bool()>> steps;
        for (const Step& s : c.steps)
            steps.push_back(WhenShown(*d, [&, s] {
                if (s.clickAfter >= 0) {
                    const std::string left = d->txtNom.Text().substr(0, static_cast<size_t>(s.clickAfter));
                    host.Click(*d, &d->txtNom, 3 + plat::TextWidth(d->txtNom.BoxFont, left), 10);
                } else if (!s.text.empty()) {
                    host.Type(*d, s.text);
                } else {
                    host.KeyDown(*d, s.key, s.shift);
                }
            }));
        std::string label;
        for (const Step& s : c.steps) label += s.text + (s.key ? "<" + std::to_string(s.key) + ">" : "");
        steps.push_back([&] {
            EXPECT_EQ(d->txtNom.Text(), c.text) << label;
            EXPECT_EQ(d->txtNom.Caret(), c.caret) << label;
            EXPECT_EQ(d->txtNom.SelLength(), c.selected) << label;
            EXPECT_EQ(host.clipboard, c.clipboardAfter) << label;
            host.CloseRequest(*d);
            return true;
        });
        RunModal(*d, std::move(steps));
        d->Unload();
    }
}
