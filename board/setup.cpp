#include "ui/frmtessa.h"

namespace modTessa {

namespace {
constexpr int kPieceCodeBase = 'B';
}

void SetUpLevel(std::int32_t n) {
    if (n < 0 || n >= nLevelCount) return;
    frmTessa& f = MainForm();
    // 1-2. The window surface goes back to the bare background, dropping any
    // clean copy a drag left there.
    f.RestoreBackground();
    plat::BitBlt(f.pctEcran.Image, 0, 0, 720, 384, f.Picture, 0, 24, plat::SRCCOPY);
    // 3.
    for (int p = 0; p <= 11; ++p) tabInTray[p] = vbFalse;
    // 4.
    size_t pos = static_cast<size_t>(n) * 256;
    for (int y = 0; y <= 15; ++y)
        for (int x = 0; x <= 15; ++x) {
            const int c = static_cast<unsigned char>(strLevelData[pos++]) - kPieceCodeBase;
            tabSolution[x][y] = static_cast<std::int16_t>(c);
            // A code past the last piece cannot name one: outside the shape.
            if (c < 0 || c > 11) {
                tabBoard[x][y] = -2;
            } else {
                tabBoard[x][y] = -1;
                tabInTray[c] = vbTrue;
            }
        }
    // 5.
    for (int p = 0; p <= 11; ++p) {
        if (tabInTray[p]) DrawTrayPiece(p);
        else DrawTrayHole(p);
    }
    // 6.
    for (int x = 0; x <= 15; ++x)
        for (int y = 0; y <= 15; ++y) {
            if (tabBoard[x][y] != -1) continue;
            const int sx = bShowSolution ? 24 * tabSolution[x][y] : 384;
            const int sy = bShowSolution ? 24 : 0;
            plat::BitBlt(f.pctEcran.Image, 168 + 24 * x, 24 * y, 24, 24, f.pctBrique.Image, sx, sy,
                         plat::SRCCOPY);
        }
    // 7.
    f.pctEcran.Refresh();
}

}  // namespace modTessa
