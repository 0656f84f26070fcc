#include "app/modtessa.h"
#include "board/catalogue.h"

namespace modTessa {

void InitPieces() {
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        const auto& def = catalogue::kPieces[static_cast<size_t>(p)];
        tabTrayX[p] = def.trayX;
        tabTrayY[p] = def.trayY;
        for (int r = 0; r <= 4; ++r)
            for (int c = 0; c <= 4; ++c) {
                const int v = def.rows[static_cast<size_t>(r)][c] - 64;
                tabPieceShape[p][r][c] = v;
                tabPieceOrient[p][r][c] = v;
            }
    }
}

}  // namespace modTessa
