// The main window's load: everything the game needs before the first event.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/saved_games.h"
#include "platform/system.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"
#include "lang/i18n.h"
#include "lang/language.h"

using namespace modTessa;

void frmTessa::Form_Load() {
    // One instance only; a second one brings the first to the front and
    // leaves before it touches anything.
    if (!plat::AcquireSingleInstance()) {
        plat::RaiseRunningInstance();
        plat::EndProgram(0);
    }
    // A new random sequence for the random shapes of this run.
    state.random.Randomize();
    // Data files lie beside the program; saved games in the user's save folder.
    std::string& strDataDir = state.strDataDir;
    strDataDir = ExecutableDirectory();
    if (strDataDir.empty() || strDataDir.back() != plat::kPathSeparator)
        strDataDir += plat::kPathSeparator;
    state.strSaveDir = plat::SaveDir();
    // The play area under the top strip, as wide as the window.
    pctEcran.Move(0, geometry::kPlayAreaTop, Width(), geometry::kPlayAreaHeight);
    // Without its background the window cannot be drawn at all: stop here,
    // naming the file. The window surface keeps the picture.
    const std::string background = lang::LocalizedDataFile(strDataDir, "tessa32c.dat");
    std::string error;
    plat::Surface picture = plat::LoadPicture(background, &error);
    // It covers the whole window; any other size would leave parts undrawn.
    if (!picture.Empty() && (picture.Width() != Width() || picture.Height() != Height())) {
        error = lang::Format(_("l'image mesure %d × %d pixels au lieu de %d × %d"),
                             {std::to_string(picture.Width()), std::to_string(picture.Height()),
                              std::to_string(Width()), std::to_string(Height())});
        picture = {};
    }
    if (picture.Empty())
        throw StartupError(lang::Format(_("L'image de fond du jeu est absente ou illisible : « %s »."), {background}) +
                           "\n" + error);
    backgroundPicture = plat::Surface(Width(), Height());
    plat::BitBlt(backgroundPicture, 0, 0, Width(), Height(), picture, 0, 0, plat::SRCCOPY);
    backgroundPicture.TakeDirty();
    Picture = backgroundPicture;
    // The play area starts as the bare background; the head on its first frame.
    plat::BitBlt(pctEcran.Image, 0, 0, geometry::kPlayAreaWidth, geometry::kPlayAreaHeight, Picture, 0,
                 geometry::kPlayAreaTop, plat::SRCCOPY);
    plat::BitBlt(pctTete.Image, 0, 0, look::kHeadFrameWidth, look::kHeadFrameHeight, pctTeteBase.Image, 0, 0,
                 plat::SRCCOPY);
    // The rounded outline, then the save folders.
    ShapeMainWindow(*this);
    CreateSaveDirs(state);
    saves::RemoveStaleTemporaries(state.strSaveDir);  // left by a save that was cut short
    // Levels, and the per-level tables sized to the level count.
    LoadLevelPacks(state);
    state.tabLevelDone.assign(static_cast<size_t>(state.nLevelCount) + 1, false);
    FillLevelNames(state);
    // All twelve pieces show; none can be taken before a level starts.
    for (int p = 0; p < rules::kPieceCount; ++p) DrawTrayPiece(p);
    // Menu closed; the head and clock start ticking.
    bMenuShown = false;
    timerTete.SetEnabled(true);
}
