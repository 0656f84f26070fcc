// The window's frame: outline, drag strip, menu hover, image buttons, help.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"
#include "platform/region.h"
#include "platform/system.h"
#include "ui/frmtessa.h"

void frmTessa::ShapeMainWindow(plat::Form& form) {
    // The body; its left part runs further down as a tab.
    constexpr int corner = 2 * look::kCornerRadius;  // the ellipse's width and height
    plat::Region a = plat::CreateRoundRectRgn(0, 0, look::kWindowWidth, look::kBodyHeight, corner, corner);
    const plat::Region b = plat::CreateRoundRectRgn(0, 0, look::kTabWidth, look::kWindowHeight, corner, corner);
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
    for (int i = 0; i < kMenuEntries; ++i) labMenu[i].SetBackColor(i == index ? clrButtonHover : clrButton);
}
