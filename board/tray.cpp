#include <cmath>

#include "board/geometry.h"
#include "ui/frmtessa.h"

using namespace modTessa;
using namespace geometry;

void frmTessa::TakeBackPiece(float x, float y) {
    const int cx = static_cast<int>(std::floor((x - kBoardLeft) / kCell));
    const int cy = static_cast<int>(std::floor(y / kCell));
    if (cx < 0 || cx > 15 || cy < 0 || cy > 15) return;
    const int k = tabBoard[cx][cy];
    if (k < 0) return;
    PlaySound("tessa32e.dat");
    for (int bx = 0; bx <= 15; ++bx)
        for (int by = 0; by <= 15; ++by) {
            if (tabBoard[bx][by] != k) continue;
            tabBoard[bx][by] = -1;
            plat::BitBlt(pctEcran.Image, CellLeft(bx), CellTop(by), kCell, kCell, pctBrique.Image,
                         kWoodTileX, 0, plat::SRCCOPY);
        }
    DrawTrayPiece(k);
    tabInTray[k] = vbTrue;
    pctEcran.Refresh();
}
