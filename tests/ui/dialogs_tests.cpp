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

TEST_F(DialogTest, MainWindowTakesNoInputWhileADialogIsUp) {
    auto d = std::make_unique<frmAlert>();
    RunModal(*d, {WhenShown(*d, [&] { host.Click(*form, &form->imgMenu[0], 10, 10); }),
                  [&] { Press(*d, 0); return true; }});
    EXPECT_FALSE(bMenuShown);
    EXPECT_EQ(d->Owner, form.get());
}

TEST_F(DialogTest, CommonLookAndTheLongMessageWrapsInsideItsLabel) {
    auto d = std::make_unique<frmAlert>();
    d->Label1.SetCaption(kAllSolvedMessage);
    const plat::Rect label{11, 23, 235, 76};
    const std::uint32_t green = plat::Pixel(0, 198, 0);
    int rows = 0;
    RunModal(*d, {WhenShown(*d, [&] {
        const plat::Surface& frame = host.Frame(*d);
        bool inText = false;
        for (int y = label.y; y < label.Bottom(); ++y) {
            bool any = false;
            for (int x = label.x; x < label.Right(); ++x) any = any || frame.At(x, y) == green;
            rows += any && !inText;
            inText = any;
            // Nothing of the text spills past the label's sides.
            EXPECT_NE(frame.At(label.x - 1, y), green);
            EXPECT_NE(frame.At(label.Right(), y), green);
        }
        EXPECT_FALSE(d->Outline.Contains(0, 0));
        EXPECT_FALSE(d->Outline.Contains(255, 179));
        EXPECT_TRUE(d->Outline.Contains(128, 1));
        EXPECT_EQ(frame.At(1, 90), green);                       // the frame
        EXPECT_EQ(frame.At(6, 90), plat::Pixel(0, 42, 0));      // the background
        EXPECT_EQ(frame.At(84 + 5, 131 + 2), plat::ToPixel(clrButton));
        Press(*d, 0);
    })});
    EXPECT_GE(rows, 3);
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
