#include "board/geometry.h"
#include "ui/frmtessa.h"

namespace modTessa {

using namespace geometry;

namespace {
constexpr int kPieceCodeBase = 'B';
}

void SetUpLevel(std::int32_t n) {
    if (n < 0 || n >= nLevelCount) return;
    frmTessa& f = MainForm();
    // The window surface goes back to the bare background, dropping any clean
    // copy a drag left there, and the play area shows it.
    f.RestoreBackground();
    plat::BitBlt(f.pctEcran.Image, 0, 0, kPlayAreaWidth, kPlayAreaHeight, f.Picture, 0, kPlayAreaTop,
                 plat::SRCCOPY);
    // Read the level's record into both grids; a piece is in the tray when
    // the level uses it.
    for (int p = 0; p <= 11; ++p) tabInTray[p] = vbFalse;
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
    // Pieces of the level in colour, the others as black silhouettes.
    for (int p = 0; p <= 11; ++p) {
        if (tabInTray[p]) DrawTrayPiece(p);
        else DrawTrayHole(p);
    }
    // Empty cells of the shape: plain wood, or the solution's colours when
    // the hidden word switched them on.
    for (int x = 0; x <= 15; ++x)
        for (int y = 0; y <= 15; ++y) {
            if (tabBoard[x][y] != -1) continue;
            const int sx = bShowSolution ? kCell * tabSolution[x][y] : kWoodTileX;
            const int sy = bShowSolution ? kCell : 0;
            plat::BitBlt(f.pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, f.pctBrique.Image,
                         sx, sy, plat::SRCCOPY);
        }
    // One refresh shows the whole new board at once.
    f.pctEcran.Refresh();
}

}  // namespace modTessa
