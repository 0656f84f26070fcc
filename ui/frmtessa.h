// The main window: play area, tray, head, clock, menu panel and buttons.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/modtessa.h"
#include "assets/look.h"
#include "platform/forms.h"
#include "platform/sound.h"

// Colours shared with the dialogs (0x00BBGGRR).
inline constexpr plat::Colour clrButton = look::kButtonGreen.bgr();
inline constexpr plat::Colour clrButtonHover = look::kHoverGreen.bgr();

// The entries of the menu panel, by their index in labMenu.
enum MenuEntry : int { kMenuNewGame, kMenuLoadGame, kMenuAbandon, kMenuRandomShape, kMenuQuit, kMenuEntries };
// The window's image buttons, by their index in imgMenu.
enum MenuButton : int { kMenuButton, kHelpButton, kAboutButton, kMenuButtons };

// The sounds of the game, named by what happens.
enum class Sound { Take, Drop, Turn, Victory, Word, Abandon, Tongue };
// The sound of a move of the hand.
Sound SoundOf(rules::Change change);

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
    std::array<plat::Label, kMenuEntries> labMenu;
    std::array<plat::ImageArea, kMenuButtons> imgMenu;
    plat::Timer timerTete;
    plat::SoundControl kvtUt;

    // The game in this window.
    modTessa::GameState state;

    // Private state of the window
    bool bBusy = false;
    bool bMenuShown = false;
    std::int32_t nHeldX = 0, nHeldY = 0;  // centre of the held piece's image
    std::string strTyped;
    std::int32_t nIdleTicks = 0, nLastCursorX = 0, nLastCursorY = 0;
    // The keyboard's hand on the play area, and the menu entry the keys light
    // (-1: none).
    std::int32_t nHandX = 360, nHandY = 192;
    // Where the pointer cannot follow the hand, the marker's place and what
    // it covers.
    static constexpr int kNoMarker = -1000;
    bool bPointerStays = false;
    std::int32_t nMarkerX = kNoMarker, nMarkerY = 0;
    plat::Surface markerBackup{24, 24};
    std::int32_t nMenuKey = -1;

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
    // The piece whose tray rectangle holds the point, or rules::kNoPiece.
    int FindTrayPiece(float x, float y) const;
    rules::Change DropPiece(float x, float y);
    void TakeBackPiece(float x, float y);
    void TurnPiece(float x, float y);
    void MirrorPiece(float x, float y);
    void Form_KeyDown(int keyCode, int shift);
    // The keys of the menu panel and of a level; true when the key was used.
    bool MenuKeyDown(int keyCode);
    bool HandKeyDown(int keyCode, int shift);
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, F5 and Ctrl+R restart.
    bool HistoryKeyDown(int keyCode, int shift);
    void Form_KeyPress(int ch);
    void PlayVictory();
    // Hints on F2: the verdict, then one placement or what is wrong. Any
    // change to the board starts again and clears the marks (repainted only
    // when the board is not redrawn whole).
    void RequestHint();
    // Cancels the pending request, if any: its answer will not show.
    void CancelHint();
    void HintBoardChanged(bool repaint = true);
    // Head and clock
    void timerTete_Timer();
    void pctTete_MouseDown(int button, int shift, float x, float y);
    void ShowHeadFrame(int x);
    // Sounds: each one yields to the event loop once.
    void PlaySound(Sound sound);
    // F3, F8 and F11: true when the key was one of them.
    bool SettingsKeyDown(int keyCode);
    // F6: the shape workshop. Its keys while it is open (true when the key was
    // taken), its mouse on the play area (true while it is open), and leaving
    // it, asking first when the drawing is unsaved (false when the player stays).
    bool WorkshopKeyDown(int keyCode, int shift);
    bool WorkshopMouse(int button, float x, float y, bool down);
    bool WorkshopOpen() const { return workshop_ != nullptr; }
    bool LeaveWorkshop();
    // Pieces and the board on the play area.
    void MakePieceImage(int p);
    void MakeOrientedPieceImage(int p);
    void DrawTrayPiece(int p);
    void DrawTrayHole(int p);
    // A fresh board for level n, laid out and shown in one refresh.
    void SetUpLevel(int n);
    // A fresh board for any shape, from its 256-byte record.
    void SetUpShape(std::string_view record);
    // F4: the chooser of every shape; true when the key was F4.
    bool ShapesKeyDown(int keyCode, int shift);
    // A shape's code (Ctrl+V, --forme) played as a single shape, or the
    // message saying why it cannot be.
    void PlayShapeCode(const std::string& code);
    // The bare background with every piece in its slot.
    void ShowEmptyBoard();
    // The window surface back to the background picture of start-up.
    void RestoreBackground();

private:
    void PickUpFromTray(float x, float y);
    void TakeFromTray(int p);
    void MoveHand(int x, int y);
    void ShowHandMarker();
    void HideHandMarker();
    void PutBackHeldPiece();
    // One step of the shape's history, sounded and repainted.
    void TakeStep(rules::Change (rules::Board::*step)());
    void RepaintHeldPiece(rules::Change change, float x, float y);
    void ComposePiece(int p, const rules::PieceGrid& grid);
    // The held piece's image: wiped from the clean copy, stamped at (x, y).
    void EraseHeldImage();
    void StampHeldImage(float x, float y);
    // The play area's outer strips back to the clean copy: a held piece never shows there.
    void ClearEdgeStrips();
    void BindEvents();
    // Hints: the ladder and the pending request; an answer shown on the
    // main thread; the marked cells painted with the mark or as they lie.
    struct HintState;
    struct HintRequest;
    std::shared_ptr<HintState> hint_;
    void ShowHint(const std::shared_ptr<HintRequest>& request);
    // On the main thread: the answer to its window, if the window still exists.
    static void Answer(const std::shared_ptr<HintRequest>& request);
    void PaintMarkedCells(bool marked);
    // The workshop: the canvas, its piece set and the verdict under way.
    struct Workshop;
    struct WorkshopRequest;
    std::shared_ptr<Workshop> workshop_;
    void OpenWorkshop();
    void PaintCanvasCell(int x, int y, bool solution = false);
    void SetCanvasCell(int x, int y, bool in);
    void ToggleWorkshopPiece(int p);
    void DrawWorkshopTray();
    void JudgeCanvas();
    void ShowWorkshopLabel(const std::string& note = {});
    static void AnswerWorkshop(const std::shared_ptr<WorkshopRequest>& request);
    void ShowCanvasTiling(bool shown);
    void MarkFault(bool on);
    void SaveCanvas();
    void PasteCanvas();
};
