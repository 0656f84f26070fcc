// The main window's load: everything the game needs before the first event.
#include "platform/system.h"
#include "ui/frmtessa.h"

using namespace modTessa;

void frmTessa::Form_Load() {
    // 1. One instance only; a second one leaves without a trace.
    if (!plat::AcquireSingleInstance()) plat::EndProgram(0);
    // 2.
    Randomize();
    // 3-4.
    strDataDir = ExecutableDirectory();
    if (strDataDir.empty() || strDataDir.back() != plat::kPathSeparator)
        strDataDir += plat::kPathSeparator;
    strSaveDir = plat::SaveDir();
    // 5.
    pctEcran.Move(0, 24, Width(), 384);
    // 6. Without its background the window cannot be drawn at all.
    const std::string background = strDataDir + "tessa32c.dat";
    std::string error;
    plat::Surface picture = plat::LoadPicture(background, &error);
    // It covers the whole window; any other size would leave parts undrawn.
    if (!picture.Empty() && (picture.Width() != Width() || picture.Height() != Height())) {
        error = "l'image mesure " + std::to_string(picture.Width()) + " × " + std::to_string(picture.Height()) +
                " pixels au lieu de " + std::to_string(Width()) + " × " + std::to_string(Height());
        picture = {};
    }
    if (picture.Empty())
        throw StartupError("L'image de fond du jeu est absente ou illisible : « " + background +
                           " ».\n" + error);
    backgroundPicture = plat::Surface(Width(), Height());
    plat::BitBlt(backgroundPicture, 0, 0, Width(), Height(), picture, 0, 0, plat::SRCCOPY);
    backgroundPicture.TakeDirty();
    Picture = backgroundPicture;
    // 7.
    plat::BitBlt(pctEcran.Image, 0, 0, 720, 384, Picture, 0, 24, plat::SRCCOPY);
    // 8.
    plat::BitBlt(pctTete.Image, 0, 0, 80, 64, pctTeteBase.Image, 0, 0, plat::SRCCOPY);
    // 9.
    ShapeMainWindow(*this);
    // 10-11.
    CreateSaveDirs();
    filTessa.Path = strSaveDir;
    // 12-15.
    LoadLevelPacks();
    InitPieces();
    tabLevelDone.assign(static_cast<size_t>(nLevelCount) + 1, vbFalse);
    FillLevelNames();
    // 16. All twelve pieces show, none can be taken before a level starts.
    for (int p = 0; p <= 11; ++p) DrawTrayPiece(p);
    // 17.
    bMenuShown = vbFalse;
    timerTete.SetEnabled(true);
}
