// The SDL host's state, shared by its sources: windows, the drag strip, cursors, the clock, the worker.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <SDL.h>

#include <map>
#include <vector>

#include "platform/beep.h"
#include "platform/sdl_host.h"
#include "platform/worker.h"
#include "platform/x11_pointer.h"

namespace plat {

// The drag strip: while the left button is held after BeginMove, the window
// follows the pointer. Idle or moving one window; it also remembers the last
// left press and motion, in window pixels, which a move starts from.
class DragStrip {
public:
    explicit DragStrip(SdlHost::Impl& host) : host_(host) {}
    Form* Moving() const { return moving_; }
    // Starts moving f; (x, y) is the press point in form pixels, used when
    // the left press was not seen on f.
    void Begin(Form& f, int x, int y);
    // A motion with the left button held, at the event's place in the window.
    void Follow(int eventX, int eventY);
    // The pointer as the server has it, while moving (motion may be dropped).
    void FollowServer();
    void End();
    void Forget(Form* f);
    // Input seen: a motion (which also says the window's pointer is fresh
    // again), a left press.
    void NoteMotion(Form* f, int x, int y);
    void NotePress(Form* f, int x, int y);
    // The window was moved since the last motion over it.
    bool PointerStale(Form* f) const { return pointerStale_ == f; }

private:
    SdlHost::Impl& host_;
    Form* moving_ = nullptr;
    Form* pressForm_ = nullptr;
    int pressX_ = 0, pressY_ = 0;
    Form* motionForm_ = nullptr;
    int motionX_ = 0, motionY_ = 0;
    Form* pointerStale_ = nullptr;
    void DragTo(int sx, int sy);
};

struct SdlHost::Impl {
    bool initialised = false;
    Worker worker;

    std::map<Form*, SDL_Window*> windows;
    std::map<Uint32, Form*> byId;
    int scale = 1;  // window pixels per form pixel, in every window
    int windowedScale = 1;  // the scale outside full screen
    Form* fullScreen = nullptr;  // the form whose window fills its screen
    Form* wantFull = nullptr;    // asked full screen before its window showed
    SDL_Point fullOffset{0, 0};  // where that form's picture lies in its window
    SDL_Point restoreAt{0, 0};   // where its window was before
    std::vector<unsigned char> fullInside;  // its outline, a byte a form pixel
    // Around the game in full screen: the game's dark green.
    Uint32 MarginColour(const SDL_Surface* out) const;
    // The form pixel lies in the full screen's margin, which stands for the
    // desktop around a window: outside the form or its outline.
    bool InMargin(const Form* f, int x, int y) const;
    SDL_Point OffsetOf(const Form* f) const { return f && f == fullScreen ? fullOffset : SDL_Point{0, 0}; }
    // Where we last placed each window: a window manager makes SDL's own
    // idea of it lag behind.
    std::map<Form*, SDL_Point> placed;
    bool noShapes = false;  // shaped windows failed or were turned off
    SDL_Surface* icon = nullptr;
    // Encoded pictures from the caller: the icon, and the cursors with their
    // hot spots.
    std::vector<unsigned char> iconPicture;
    struct CursorPicture {
        std::vector<unsigned char> bytes;
        int hotX = 0, hotY = 0;
    };
    std::map<Cursor, CursorPicture> cursorPictures;

    DragStrip drag{*this};
    // The X connection: its descriptor to wait on, the pointer to read.
    X11Pointer x11;
    int held = 0;  // our button mask (1 left, 2 right, 4 middle)
    int marginHeld = 0;  // buttons pressed in the full screen's margin

    std::map<Cursor, SDL_Cursor*> cursors;
    bool haveCurrent = false;
    Cursor current = Cursor::Default;

    Uint64 start = 0;
    double period = 0;
    Beeper beep;

    SDL_Window* WindowOf(const Form* f) const;
    Form* FormOf(Uint32 id) const;
    // The form's window at its scaled size, hidden and borderless, shaped or
    // plain; null when SDL cannot make it.
    SDL_Window* CreateFormWindow(const Form& f, bool shaped) const;
    // The window becomes f's, with the icon.
    void Adopt(Form& f, SDL_Window* win);
    void Forget(Form* f);
    void FocusOwner(Form& f);
    // The innermost shown window owned by f, if any.
    SDL_Window* ShownDialogOf(Form* f) const;
    void Place(Form* f, int x, int y);
    // Where f's window goes when shown: centred over its owner, else on its screen.
    SDL_Point CentredPlace(Form* f) const;
    SDL_Cursor* MakeCursor(Cursor c);
    SDL_Surface* LoadIcon();
};

}  // namespace plat
