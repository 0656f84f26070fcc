// The main window: its controls, their look and their events; the sounds.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmtessa.h"

#include "assets/embedded.h"
#include "platform/system.h"
#include "ui/dialogs.h"
#include "ui/geometry.h"
#include "lang/i18n.h"

namespace {

constexpr const char* kMenuCaptions[kMenuEntries] = {
    N_("   Nouvelle partie"), N_("   Charger une partie"), N_("   Abandonner"),
    N_("   Jouer avec une forme au hasard"), N_("   Quitter")};
constexpr int kMenuTop[kMenuEntries] = {35, 60, 85, 10, 120};

plat::Surface Embedded(const assets::Blob& blob) {
    return plat::LoadPictureFromMemory(blob.data, blob.size);
}

// The sound file of each sound, beside the program.
const char* SoundFile(Sound sound) {
    switch (sound) {
        case Sound::Take: return "tessa32e.dat";
        case Sound::Drop: return "tessa32f.dat";
        case Sound::Turn: return "tessa32g.dat";
        case Sound::Victory: return "tessa32d.dat";
        case Sound::Word:
        case Sound::Abandon: return "tessa32h.dat";
        case Sound::Tongue: return "tessa32i.dat";
    }
    return "";
}

}  // namespace

frmTessa::frmTessa() : plat::Form("frmTessa") {
    ExecutableDirectory = [] { return plat::ExecutableDir(); };
    Caption = "Tessalor";
    Move(0, 0, look::kWindowWidth, look::kWindowHeight);
    SetBackColor(look::kDarkGreen.bgr());
    KeyPreview = true;

    pctEcran.Move(0, geometry::kPlayAreaTop, geometry::kPlayAreaWidth, geometry::kPlayAreaHeight);
    pctEcran.Image = plat::Surface(geometry::kPlayAreaWidth, geometry::kPlayAreaHeight);

    // Pictures stored with the window.
    pctBrique.Move(0, 0, look::kTileSheetWidth, look::kTileSheetHeight);
    pctBrique.Image = Embedded(Options().letters ? assets::kLetterTileSheet : assets::kTileSheet);
    pctBrique.SetVisible(false);
    pctBrique.SetMousePointer(plat::Cursor::Invisible);
    // The held piece's mask beside its picture, a piece box each.
    pctTessa.Move(0, 0, 2 * geometry::kPieceBox, geometry::kPieceBox);
    pctTessa.Image = plat::Surface(2 * geometry::kPieceBox, geometry::kPieceBox);
    pctTessa.SetVisible(false);
    pctTeteBase.Move(0, 0, look::kHeadSheetWidth, look::kHeadSheetHeight);
    pctTeteBase.Image = Embedded(assets::kHeadSheet);
    pctTeteBase.SetVisible(false);

    pctTete.SetBackColor(look::kDarkGreen.bgr());
    pctTete.Move(48, 416, look::kHeadFrameWidth, look::kHeadFrameHeight);
    pctTete.Image = plat::Surface(look::kHeadFrameWidth, look::kHeadFrameHeight, plat::ToPixel(pctTete.BackColor()));

    labNom.Move(128, 419, 91, 35);
    labNom.ForeColor = look::kTextGreen.bgr();
    labNom.LabelFont = {"Arial", 8.25, false};
    labNom.Alignment = plat::Align::Center;
    labNom.Transparent = true;

    labTemps.Move(130, 455, 88, 24);
    labTemps.ForeColor = look::kTextGreen.bgr();
    labTemps.LabelFont = {"Arial", 15.75, true};
    labTemps.Alignment = plat::Align::Center;
    labTemps.Transparent = true;
    labTemps.WordWrap = false;
    labTemps.SetCaption("00:00");

    imgMove.Move(59, 2, 601, 19);
    imgMove.SetMousePointer(plat::Cursor::SizeAll);

    const look::Rect menuButtons[kMenuButtons] = {look::kMenuButton, look::kHelpButton, look::kAboutButton};
    for (int i = 0; i < kMenuButtons; ++i) {
        imgMenu[i].Name = "imgMenu";
        imgMenu[i].Index = i;
        imgMenu[i].Move(menuButtons[i].x, menuButtons[i].y, menuButtons[i].w, menuButtons[i].h);
        imgMenu[i].SetMousePointer(plat::Cursor::Hand);
    }

    pctMenu.SetBackColor(look::kDarkGreen.bgr());
    pctMenu.Move(230, 260, 262, 150);
    pctMenu.SetVisible(false);
    shpMenu.Move(0, 0, 262, 150);
    shpMenu.BorderColor = look::kFrameGreen.bgr();
    shpMenu.BorderWidth = 3;
    shpMenu.CornerRadius = 10;
    for (int i = 0; i < kMenuEntries; ++i) {
        plat::Label& l = labMenu[i];
        l.Name = "labMenu";
        l.Index = i;
        l.Move(10, kMenuTop[i], 242, 20);
        l.SetCaption(_(kMenuCaptions[i]));
        l.SetBackColor(clrButton);
        l.ForeColor = 0;
        l.LabelFont = {"Arial", 12, false};
        l.WordWrap = false;
        l.SetMousePointer(plat::Cursor::Hand);
    }

    timerTete.Interval = 300;

    // Painting order: play area first, the menu panel above everything.
    Add(pctEcran);
    Add(pctBrique);
    Add(pctTessa);
    Add(pctTeteBase);
    Add(pctTete);
    Add(labNom);
    Add(labTemps);
    Add(imgMove);
    for (auto& b : imgMenu) Add(b);
    Add(pctMenu);
    pctMenu.Add(shpMenu);
    for (auto& l : labMenu) pctMenu.Add(l);

    BindEvents();
}

frmTessa::~frmTessa() = default;

void frmTessa::PlaySound(Sound sound) {
    kvtUt.SetProperty(1, 7);
    // Other handlers may run here; the hand guards itself with bBusy.
    plat::DoEvents();
    kvtUt.SetProperty(5, state.strDataDir + SoundFile(sound));
    // Sound off (F8) silences the play only; the yield above stays.
    if (Options().sound) kvtUt.SetProperty(1, 6);
}

void frmTessa::BindEvents() {
    Load = [this] { Form_Load(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    KeyPress = [this](int ch) { Form_KeyPress(ch); };
    pctEcran.MouseDown = [this](int b, int s, float x, float y) { pctEcran_MouseDown(b, s, x, y); };
    pctEcran.MouseMove = [this](int b, int s, float x, float y) { pctEcran_MouseMove(b, s, x, y); };
    pctTete.MouseDown = [this](int b, int s, float x, float y) { pctTete_MouseDown(b, s, x, y); };
    imgMove.MouseMove = [this](int b, int s, float x, float y) { imgMove_MouseMove(b, s, x, y); };
    for (int i = 0; i < kMenuEntries; ++i) {
        labMenu[i].Click = [this, i] { labMenu_Click(i); };
        labMenu[i].MouseMove = [this, i](int b, int s, float x, float y) {
            labMenu_MouseMove(i, b, s, x, y);
        };
    }
    for (int i = 0; i < kMenuButtons; ++i)
        imgMenu[i].Click = [this, i] {
            if (i == kMenuButton) nMenuKey = -1;  // opened by the mouse: no entry lit by the keys
            imgMenu_Click(i);
        };
    timerTete.Tick = [this] { timerTete_Timer(); };
    // Clicks on the menu panel's own background count as the window's.
    pctMenu.MouseDown = [](int, int, float, float) {};
}
