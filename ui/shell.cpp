// The window's frame: outline, drag strip, menu hover, image buttons, help.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"
#include "platform/region.h"
#include "platform/system.h"
#include "ui/frmtessa.h"

void frmTessa::ShapeMainWindow(plat::Form& form) {
    // A 720 x 440 body; its left 552 pixels run down to 488 as a tab.
    plat::Region a = plat::CreateRoundRectRgn(0, 0, 720, 440, 96, 96);
    const plat::Region b = plat::CreateRoundRectRgn(0, 0, 552, 488, 96, 96);
    plat::CombineRgn(a, a, b, plat::RGN_OR);
    form.SetOutline(std::move(a));
}

void frmTessa::Form_MouseDown(int, int, float, float) {
    if (bMenuShown) HideMenu();
}

void frmTessa::imgMove_MouseMove(int button, int, float x, float y) {
    if (button != plat::vbLeftButton) return;
    plat::BeginWindowMove(imgMove, x, y);
}

void frmTessa::labMenu_MouseMove(int index, int, int, float, float) {
    for (int i = 0; i < 5; ++i) labMenu[i].SetBackColor(i == index ? clrButtonHover : clrButton);
}
