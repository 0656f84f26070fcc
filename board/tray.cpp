#include <cmath>

#include "ui/frmtessa.h"

using namespace modTessa;

void frmTessa::TakeBackPiece(float x, float y) {
    const int cx = static_cast<int>(std::floor((x - 168) / 24));
    const int cy = static_cast<int>(std::floor(y / 24));
    if (cx < 0 || cx > 15 || cy < 0 || cy > 15) return;
    const int k = tabBoard[cx][cy];
    if (k < 0) return;
    PlaySound("tessa32e.dat");
    for (int bx = 0; bx <= 15; ++bx)
        for (int by = 0; by <= 15; ++by) {
            if (tabBoard[bx][by] != k) continue;
            tabBoard[bx][by] = -1;
            plat::BitBlt(pctEcran.Image, 168 + 24 * bx, 24 * by, 24, 24, pctBrique.Image, 384, 0,
                         plat::SRCCOPY);
        }
    DrawTrayPiece(k);
    tabInTray[k] = vbTrue;
    pctEcran.Refresh();
}
