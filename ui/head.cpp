// The head that watches the mouse, and the clock beside it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>

#include "platform/host.h"
#include "platform/system.h"
#include "ui/frmtessa.h"

void frmTessa::ShowHeadFrame(int x) {
    plat::BitBlt(pctTete.Image, 0, 0, look::kHeadFrameWidth, look::kHeadFrameHeight, pctTeteBase.Image, x, 0,
                 plat::SRCCOPY);
    pctTete.Refresh();
}

void frmTessa::timerTete_Timer() {
    int h = 0, m = 0, s = 0;
    plat::LocalTime(h, m, s);
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", h, m, s);
    labTemps.SetCaption(clock);

    plat::Host* host = plat::CurrentHost();
    if (!host) return;
    int x = 0, y = 0;
    host->CursorPos(x, y);
    if (x == nLastCursorX && y == nLastCursorY) {
        if (nIdleTicks >= 60) ShowHeadFrame((nIdleTicks - 60) % 10 < 5 ? look::kHeadAsleep : look::kHeadYawn);
        if (++nIdleTicks > 1000) nIdleTicks = 70;
        return;
    }
    nIdleTicks = 0;
    nLastCursorX = x;
    nLastCursorY = y;
    int wx = 0, wy = 0;
    host->WindowPos(*this, wx, wy);
    const int dx = x - wx, dy = y - wy;
    ShowHeadFrame(dx < 240 ? look::kHeadUp : (dy <= 324 ? look::kHeadUpRight : look::kHeadRight));
}

void frmTessa::pctTete_MouseDown(int, int, float, float) {
    PlaySound(Sound::Tongue);
    ShowHeadFrame(look::kHeadTongue);
}
