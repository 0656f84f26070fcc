// The main window: play area, tray, head, clock, menu panel and buttons.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "app/modtessa.h"
#include "assets/look.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/sound.h"

namespace plat {
class Host;
}

// Colours shared with the dialogs (0x00BBGGRR).
inline constexpr plat::Colour clrButton = look::kButtonGreen.bgr();
inline constexpr plat::Colour clrButtonHover = look::kHoverGreen.bgr();

class frmTessa : public plat::Form {
public:
    frmTessa();
    ~frmTessa() override;

    // Controls
    plat::PictureBox pctEcran{"pctEcran"};     // play area 720 x 384 at (0, 24)
    plat::PictureBox pctBrique{"pctBrique"};   // tile sheet, never shown
    plat::PictureBox pctTessa{"pctTessa"};     // piece buffer: mask | picture
    plat::PictureBox pctTete{"pctTete"};       // head view
    plat::PictureBox pctTeteBase{"pctTeteBase"};  // head frames, never shown
    plat::Label labNom{"labNom"};
    plat::Label labTemps{"labTemps"};
    plat::ImageArea imgMove{"imgMove"};
    plat::PictureBox pctMenu{"pctMenu"};
    plat::Shape shpMenu{"shpMenu"};
    std::array<plat::Label, 5> labMenu;
    std::array<plat::ImageArea, 3> imgMenu;
    plat::FileListBox filTessa{"filTessa"};
    plat::Timer timerTete;
    plat::SoundControl kvtUt;

    // Private state of the window
    Bool16 bBusy = vbFalse;
    std::string strTyped;
    std::int32_t nIdleTicks = 0, nLastCursorX = 0, nLastCursorY = 0;

    // The background as loaded at start-up; set-ups restore the window from it.
    plat::Surface backgroundPicture;
    // Where the program lives; tests point it elsewhere.
    std::function<std::string()> ExecutableDirectory;

    // Start-up
    void Form_Load();
    // Shell
    void ShapeMainWindow(plat::Form& form);
    void Form_MouseDown(int button, int shift, float x, float y);
    void imgMove_MouseMove(int button, int shift, float x, float y);
    void labMenu_MouseMove(int index, int button, int shift, float x, float y);
    void imgMenu_Click(int index);
    // Menu
    void ShowMenu();
    void HideMenu();
    void labMenu_Click(int index);
    // The hand
    void pctEcran_MouseDown(int button, int shift, float x, float y);
    void pctEcran_MouseMove(int button, int shift, float x, float y);
    void FindTrayPiece(float x, float y);
    void DropPiece(float x, float y);
    void TakeBackPiece(float x, float y);
    void TurnPiece(float x, float y);
    void MirrorPiece(float x, float y);
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(int ch);
    void PlayVictory();
    // Head and clock
    void timerTete_Timer();
    void pctTete_MouseDown(int button, int shift, float x, float y);
    void ShowHeadFrame(int x);
    // The window surface back to the background picture of start-up.
    void RestoreBackground();

private:
    void PickUpFromTray(float x, float y);
    void PutBackHeldPiece();
    void RepaintHeldPiece(float x, float y);
    // The held piece's image: wiped from the clean copy, stamped at (x, y).
    void EraseHeldImage();
    void StampHeldImage(float x, float y);
    void BindEvents();
};

// The one main window of the program.
frmTessa& MainForm();
bool HasMainForm();

// Module routines drawing through the main window's pictures.
namespace modTessa {
void MakePieceImage(std::int32_t p);
void MakeOrientedPieceImage(std::int32_t p);
void DrawTrayPiece(std::int32_t p);
void DrawTrayHole(std::int32_t p);
void SetUpLevel(std::int32_t n);
void StartLevel();
// Every level unsolved, before a game is opened or random play starts.
void ClearProgress();
bool LoadProgress();
bool SaveProgress();
// A new saved game with every level unsolved, never replacing one.
plat::CreateResult CreateGameFile(const std::string& fileName);
void OpenHelpDocument(const std::string& path);
// A message in the alert dialog, shown modally.
void ShowAlert(const std::string& text);
inline constexpr const char* kAllSolvedMessage =
    "Tous les niveaux de cette partie ont été effectués. Choisissez une autre partie.";
inline constexpr const char* kSaveFailedMessage =
    "La partie n'a pas pu être enregistrée !\r\nVérifiez le dossier des parties.";
inline constexpr const char* kNameTakenMessage =
    "Ce nom existe déjà !\r\nChoisissez un autre nom.";
inline constexpr const char* kBadNameMessage =
    "Ce nom n'est pas correct !\r\nN'utilisez pas de caractères spéciaux.";
inline constexpr const char* kNoLevelsMessage =
    "Aucune forme n'a été trouvée !\r\nLes fichiers de niveaux manquent.";
}  // namespace modTessa
