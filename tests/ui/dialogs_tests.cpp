#include "tests/support/game_fixture.h"
#include "ui/dialogs.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class DialogTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
    }
    // Runs the dialog modally; the script acts on it once it shows.
    template <class F>
    void RunModal(Dialog& d, F script) {
        bool done = false;
        host.OnIdle = [&] {
            if (!done && host.IsShown(d) && !host.Pending()) {
                done = true;
                script();
            }
        };
        d.ShowModal();
        host.OnIdle = nullptr;
    }
    int TextRows(const plat::Surface& frame, plat::Rect box, std::uint32_t colour) {
        int rows = 0;
        bool inText = false;
        for (int y = box.y; y < box.Bottom(); ++y) {
            bool any = false;
            for (int x = box.x; x < box.Right(); ++x) any = any || frame.At(x, y) == colour;
            if (any && !inText) ++rows;
            inText = any;
        }
        return rows;
    }
};

}  // namespace

TEST_F(DialogTest, QuestionAnswersAndEveryUseStartsAfresh) {
    auto d = std::make_unique<frmMess>();
    d->Label1.SetCaption("toto\r\nVoulez-vous supprimer ce fichier ?");
    RunModal(*d, [&] { host.Click(*d, d->lbBout[0].get(), 40, 10); });
    EXPECT_EQ(d->Tag, "1");
    d->Unload();
    d = std::make_unique<frmMess>();
    EXPECT_EQ(d->Label1.Caption(), "Voulez-vous vraiment quitter le jeu ?");
    EXPECT_EQ(d->Tag, "");
    RunModal(*d, [&] { host.Click(*d, d->lbBout[1].get(), 40, 10); });
    EXPECT_EQ(d->Tag, "0");
    // Closed by the window system: no answer, which callers take as "NON".
    d = std::make_unique<frmMess>();
    RunModal(*d, [&] { host.CloseRequest(*d); });
    EXPECT_EQ(d->Tag, "");
}

TEST_F(DialogTest, HoverProtocol) {
    auto d = std::make_unique<frmMess>();
    RunModal(*d, [&] {
        host.MouseMove(*d, d->lbBout[0].get(), 5, 5);
        host.MouseMove(*d, &d->Label1, 5, 5);  // over the message: stays lit
        host.OnIdle = [&] {
            if (host.Pending()) return;
            EXPECT_EQ(d->lbBout[0]->BackColor(), clrButtonHover);
            host.MouseMove(*d, d->lbBout[1].get(), 5, 5);  // straight onto NON
            host.OnIdle = [&] {
                if (host.Pending()) return;
                EXPECT_EQ(d->lbBout[0]->BackColor(), clrButton);
                EXPECT_EQ(d->lbBout[1]->BackColor(), clrButtonHover);
                host.MouseMove(*d, nullptr, 128, 170);  // the dialog's own background
                host.OnIdle = [&] {
                    if (host.Pending()) return;
                    EXPECT_EQ(d->lbBout[1]->BackColor(), clrButton);
                    host.Click(*d, d->lbBout[1].get(), 5, 5);
                    host.OnIdle = nullptr;
                };
            };
        };
    });
    EXPECT_EQ(d->Tag, "0");
}

TEST_F(DialogTest, MainWindowTakesNoInputWhileADialogIsUp) {
    auto d = std::make_unique<frmAlert>();
    d->Label1.SetCaption("Ce nom existe déjà !\r\nChoisissez un autre nom.");
    RunModal(*d, [&] {
        host.Click(*form, &form->imgMenu[0], 10, 10);  // the menu button: ignored
        host.OnIdle = [&] {
            if (host.Pending()) return;
            host.Click(*d, d->lbBout[0].get(), 10, 5);
            host.OnIdle = nullptr;
        };
    });
    EXPECT_FALSE(bMenuShown);
    EXPECT_EQ(d->Owner, form.get());
}

TEST_F(DialogTest, LongMessageWrapsInsideTheAlertLabel) {
    auto d = std::make_unique<frmAlert>();
    d->Label1.SetCaption(kAllSolvedMessage);
    const plat::Rect label{11, 23, 235, 76};
    RunModal(*d, [&] {
        const plat::Surface& frame = host.Frame(*d);
        const std::uint32_t green = plat::Pixel(0, 198, 0);
        EXPECT_GE(TextRows(frame, label, green), 3);
        // Nothing of the text spills past the label's sides.
        for (int y = label.y; y < label.Bottom(); ++y) {
            EXPECT_NE(frame.At(label.x - 1, y), green);
            EXPECT_NE(frame.At(label.Right(), y), green);
        }
        host.Click(*d, d->lbBout[0].get(), 10, 5);
    });
}

TEST_F(DialogTest, CommonLookOutlineAndFrame) {
    auto d = std::make_unique<frmAlert>();
    RunModal(*d, [&] {
        EXPECT_FALSE(d->Outline.Contains(0, 0));
        EXPECT_FALSE(d->Outline.Contains(255, 179));
        EXPECT_TRUE(d->Outline.Contains(128, 1));
        EXPECT_FALSE(d->Outline.Contains(256, 90));
        const plat::Surface& frame = host.Frame(*d);
        EXPECT_EQ(frame.At(1, 90), plat::Pixel(0, 198, 0));     // the frame
        EXPECT_EQ(frame.At(6, 90), plat::Pixel(0, 42, 0));      // the background
        EXPECT_EQ(frame.At(84 + 5, 131 + 2), plat::ToPixel(clrButton));
        host.Click(*d, d->lbBout[0].get(), 10, 5);
    });
}

TEST_F(DialogTest, AboutBoxClosesOnlyByItsCross) {
    auto d = std::make_unique<frmPropos>();
    RunModal(*d, [&] {
        EXPECT_FALSE(d->Label1.Visible());
        ASSERT_EQ(d->lbBout.size(), 1u);
        EXPECT_EQ(d->lbBout[0]->Caption(), "X");
        // Its face is its picture.
        EXPECT_EQ(host.Frame(*d).At(128, 150), d->Picture.At(128, 150));
        host.Click(*d, nullptr, 128, 90);
        host.OnIdle = [&] {
            if (host.Pending()) return;
            EXPECT_TRUE(host.IsShown(*d));
            host.Click(*d, d->lbBout[0].get(), 9, 9);
            host.OnIdle = nullptr;
        };
    });
    EXPECT_FALSE(host.IsShown(*d));
}
