// The game from the keyboard: what each key does in each state, through the
// window's handlers on the headless host.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <set>

#include "levels/catalogue.h"
#include "tests/support/dialog_script.h"
#include "tests/support/records.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class KeysTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", AllPiecesRecord());
        StartGame();
    }
};

}  // namespace

// Keys in a level: taking pieces in catalogue order (wrapping, the held one
// going back first), moving the hand and the pointer, turning, dropping,
// putting back and taking back; and the states where a key does nothing.
TEST_F(KeysTest, LevelKeysDriveTheHandAsTheMouseDoes) {
    using namespace plat;
    constexpr int Sh = 1, Ct = 2, none = rules::kNoPiece, I = 0, V = 11;
    struct Step {
        int key, shift, held, at00, handX, handY, sounds;
    } steps[] = {
        {vbKeyInsert, 0, none, rules::Empty, 360, 192, 0},  // empty hand: nothing to drop or turn
        {vbKeyReturn, 0, none, rules::Empty, 360, 192, 0},
        {vbKeyDelete, 0, none, rules::Empty, 360, 192, 0},  // nothing lies under the hand
        {vbKeyPageUp, 0, V, rules::Empty, 64 + 60, 180, 1}, // from the end of the catalogue
        {vbKeyPageDown, 0, I, rules::Empty, 676, 204, 3},   // V back, then wraps to the first
        {vbKeyReturn, 0, I, rules::Empty, 676, 204, 4},     // turned: lies flat
        {vbKeyLeft, Sh, I, rules::Empty, 580, 204, 4},
        {vbKeyLeft, Sh, I, rules::Empty, 492, 204, 4},  // over the board: on the centre of a cell
        {vbKeyLeft, Sh, I, rules::Empty, 396, 204, 4},
        {vbKeyLeft, Sh, I, rules::Empty, 300, 204, 4},
        {vbKeyUp, Sh, I, rules::Empty, 300, 108, 4},
        {vbKeyUp, Sh, I, rules::Empty, 300, 12, 4},
        {vbKeyInsert, 0, I, rules::Empty, 300, 12, 4},  // column 5: a cell outside the shape
        {vbKeyLeft, 0, I, rules::Empty, 276, 12, 4},
        {vbKeyLeft, 0, I, rules::Empty, 252, 12, 4},
        {vbKeyLeft, 0, I, rules::Empty, 228, 12, 4},
        {vbKeyUp, 0, I, rules::Empty, 228, 12, 4},        // clamped at the top
        {vbKeyInsert, 0, none, I, 228, 12, 5},             // dropped, centre on column 2
        {vbKeyPageDown, 0, 1, I, 64 + 60, 60, 6},
        {vbKeyDelete, 0, none, I, 124, 60, 7},             // put back
        {vbKeyRight, Sh, none, I, 220, 60, 7},
        {vbKeyUp, Sh, none, I, 220, 0, 7},
        {vbKeyDelete, 0, none, rules::Empty, 220, 0, 8},  // I taken back from the board
        // The history: a held piece goes back before an undo; no step, no sound.
        {'Z', Ct, none, I, 220, 0, 9},
        {vbKeyPageDown, 0, 1, I, 64 + 60, 60, 10},
        {'Z', Ct, none, rules::Empty, 124, 60, 12},
        {'Y', Ct, none, I, 124, 60, 13},
        {'Z', Ct | Sh, none, rules::Empty, 124, 60, 14},  // the take-back again
        {'Z', Ct, none, I, 124, 60, 15},
        {vbKeyF5, 0, none, rules::Empty, 124, 60, 16},
        {'R', Ct, none, rules::Empty, 124, 60, 16},  // nothing left to restart
        {'Z', Ct, none, I, 124, 60, 17},
    };
    BeginLevel();
    for (const Step& s : steps) {
        Key(s.key, s.shift);
        const std::string at = "key " + std::to_string(s.key) + " to " + std::to_string(s.handX);
        EXPECT_EQ(B().nHeldPiece, s.held) << at;
        EXPECT_EQ(B().At(0, 0), s.at00) << at;
        EXPECT_EQ(std::pair(form->nHandX, form->nHandY), std::pair(s.handX, s.handY)) << at;
        EXPECT_EQ(Sounds().size(), static_cast<size_t>(s.sounds)) << at;
        if (host.warpX >= 0) {
            EXPECT_EQ(std::pair(host.warpX, host.warpY), std::pair(s.handX, s.handY + 24)) << at;
        }
    }
    // With the level over, or the menu open, the hand keys do nothing.
    for (bool menu : {false, true}) {
        S().bLevelActive = menu;
        if (menu) form->ShowMenu();
        for (int key : {vbKeyPageDown, vbKeyRight, vbKeyInsert, vbKeyDelete, vbKeyF5}) Key(key);
        EXPECT_EQ(std::tuple(B().nHeldPiece, form->nHandX, Sounds().size()), std::tuple(none, 124, size_t{17}));
    }
}

// F10 and the panel's keys: the lit entry walks over the visible entries
// only, down the panel as they lie (not by their numbers), Enter runs it,
// Escape and F10 close.
TEST_F(KeysTest, MenuKeysWalkTheVisibleEntries) {
    using namespace plat;
    struct Step {
        int key;
        bool shown;
        int lit;
        bool playing;
    } steps[] = {
        {vbKeyReturn, false, -1, false}, {vbKeyF10, true, 0, false},  {vbKeyDown, true, 1, false},
        {vbKeyUp, true, 0, false},       {vbKeyUp, true, 3, false},   {vbKeyEscape, false, -1, false},
        {vbKeyF10, true, 0, false},      {vbKeyF10, false, -1, false}, {vbKeyF10, true, 0, false},
        {vbKeyDown, true, 1, false},     {vbKeyDown, true, 4, false}, {vbKeyF10, false, -1, false},
        {0, false, -1, true},  // a level starts
        {vbKeyF10, true, 2, true},       {vbKeyDown, true, 4, true},  {vbKeyDown, true, 2, true},
        {vbKeyEscape, false, -1, true},  {vbKeyF10, true, 2, true},   {vbKeyReturn, false, -1, false},  // gives up
    };
    for (const Step& s : steps) {
        if (s.key == 0) form->SetUpLevel(0), S().bLevelActive = true;
        else Key(s.key);
        EXPECT_EQ(std::tuple(form->bMenuShown, form->nMenuKey, S().bLevelActive), std::tuple(s.shown, s.lit, s.playing))
            << s.key << " then lit " << s.lit;
        for (int i = 0; s.shown && i < 5; ++i)
            EXPECT_EQ(form->labMenu[i].BackColor(), i == s.lit ? clrButtonHover : clrButton) << i;
    }
}

// The hidden word, typed on from case to case: exact, in its case, after a
// clean start (a character outside the word or Enter); keys that type
// nothing leave what was typed. It plays its sound.
TEST_F(KeysTest, HiddenWordIsExactAndSurvivesOnlyKeysThatTypeNothing) {
    BeginLevel();
    struct Case {
        const char* before;
        int key;  // pressed between the two parts, or 0
        const char* after;
        bool on;
    } cases[] = {{"VAZMEK", 0, "", false}, {"vazmeK", 0, "", false}, {"avazmek", 0, "", false},
                 {" vazmek", 0, "", true}, {"vazmek", 0, "", false},  // it holds more than the word
                 {"", plat::vbKeyReturn, "vazmek", true}, {" vaz", plat::vbKeyRight, "mek", true},
                 {" vaz", plat::vbKeyPageDown, "mek", true}, {" vaz", plat::vbKeyInsert, "mek", true},
                 {" vazx", 0, "mek", false}};
    for (const Case& c : cases) {
        S().bShowSolution = false;
        host.sounds.clear();
        if (*c.before) host.Type(*form, c.before);  // typing nothing would send a code 0
        if (c.key) host.KeyDown(*form, c.key);
        if (*c.after) host.Type(*form, c.after);
        Pump();
        const auto sounds = Sounds();
        EXPECT_EQ(S().bShowSolution != 0, c.on) << c.before << c.key;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "tessa32h.dat"), c.on ? 1 : 0) << c.before;
    }
}

// Dialog keys: the button lit before the last key, then whether the dialog
// is still up and its answer (Tag, or the result; "-": none).
TEST_F(KeysTest, DialogKeysLightAndAnswer) {
    using namespace plat;
    enum Kind { Mess, Propos, Choix, Input };
    struct Case {
        Kind kind;
        bool keyboard;
        std::vector<int> keys;
        int lit;
        bool shown;
        std::string answer;
    } cases[] = {
        {Mess, false, {vbKeyReturn}, -1, true, ""}, {Mess, false, {vbKeyRight, vbKeyReturn}, 1, false, "0"},
        {Mess, false, {vbKeyTab, vbKeyTab, vbKeyTab, vbKeyReturn}, 0, false, "1"},
        {Mess, true, {vbKeyReturn}, 0, false, "1"}, {Mess, true, {vbKeyRight, vbKeyEscape}, 1, false, ""},
        {Propos, false, {vbKeyReturn}, -1, false, ""}, {Choix, false, {vbKeyReturn}, -1, true, "-"},
        {Choix, true, {vbKeyRight, vbKeyReturn}, 1, false, "-"},
        {Input, false, {'k', vbKeyLeft, vbKeyReturn}, -1, true, "-"},  // the field keeps the arrows
        {Input, true, {'k', vbKeyLeft, vbKeyReturn}, 0, false, "k.pnt"},
    };
    for (const Case& c : cases) {
        SetOptions({c.keyboard, false});
        std::unique_ptr<Dialog> d;
        if (c.kind == Mess) d = std::make_unique<frmMess>();
        if (c.kind == Propos) d = std::make_unique<frmPropos>();
        if (c.kind == Choix) d = std::make_unique<frmChoix>(S(), form.get());
        if (c.kind == Input) d = std::make_unique<frmInput>(S(), form.get());
        bool shown = false;
        int lit = -1;
        auto press = [&](int k) { k >= 'a' ? host.Type(*d, std::string(1, char(k))) : host.KeyDown(*d, k); };
        RunModal(*d, {WhenShown(*d, [&] { std::for_each(c.keys.begin(), c.keys.end() - 1, press); }),
                      [&] {
                          for (size_t i = d->lbBout.size(); i-- > 0;)
                              if (d->lbBout[i]->BackColor() == clrButtonHover) lit = static_cast<int>(i);
                          return press(c.keys.back()), true;
                      },
                      [&] { if ((shown = host.IsShown(*d))) host.CloseRequest(*d); return true; }});
        std::string answer = d->Tag;
        if (auto* i = dynamic_cast<frmInput*>(d.get())) answer = i->Result.value_or("-");
        if (auto* i = dynamic_cast<frmChoix*>(d.get())) answer = i->Result.value_or("-");
        EXPECT_EQ(std::tuple(lit, shown, answer), std::tuple(c.lit, c.shown, c.answer)) << c.kind << " " << c.keyboard;
        d->Unload();
    }
    SetOptions({});
}

// Piece letters change the play area only on the faces of the pieces.
TEST_F(KeysTest, LettersChangeOnlyThePieceFaces) {
    form->SetUpLevel(0);
    const plat::Surface plain = Screen();
    SetOptions({false, true});
    form.reset(), StartGame(), form->SetUpLevel(0);
    SetOptions({});
    std::set<std::uint32_t> faces;
    for (const auto& d : catalogue::kPieces) faces.insert(plat::Pixel(d.r, d.g, d.b));
    int changed = 0;
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 0; x < plain.Width(); ++x)
            if (plain.At(x, y) != Screen().At(x, y) && ++changed) {
                EXPECT_TRUE(faces.count(plain.At(x, y))) << x << "," << y;
            }
    EXPECT_GT(changed, 8 * 5 * 20);  // a letter on every square of the pieces in the tray
}

// Where the system keeps the pointer still, the empty hand shows as the white
// tile under it, moves with the arrows and leaves the board as it was.
TEST_F(KeysTest, WhereThePointerStaysAMarkerShowsTheHand) {
    BeginLevel();
    const plat::Surface before = Screen();
    const auto marked = [&](int cx, int cy) {
        return Screen().At(cx - 12, cy - 12) == form->pctBrique.Image.At(336, 0) &&
               Screen().At(cx + 11, cy + 11) == form->pctBrique.Image.At(359, 23);
    };
    host.pointerMoves = false;
    Key(plat::vbKeyRight);
    EXPECT_TRUE(marked(384, 192));
    Key(plat::vbKeyRight);
    EXPECT_TRUE(marked(408, 192));
    EXPECT_EQ(Screen().At(380, 190), before.At(380, 190));
    host.pointerMoves = true;
    Key(plat::vbKeyLeft);
    for (int x : {380, 384, 405, 410}) EXPECT_EQ(Screen().At(x, 190), before.At(x, 190)) << x;
}
