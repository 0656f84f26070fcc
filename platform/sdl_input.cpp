// The SDL host's input: SDL events translated into the runtime's, and the drag strip that moves a window.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scale.h"
#include "platform/sdl_host_impl.h"
#include "platform/system.h"

namespace plat {

// ---- the drag strip ---------------------------------------------------------

void DragStrip::Begin(Form& f, int x, int y) {
    moving_ = &f;
    // The press point, exact in window pixels when the left press was ours.
    if (pressForm_ != &f || !(host_.held & vbLeftButton)) {
        pressX_ = x * host_.scale;
        pressY_ = y * host_.scale;
    }
    // Motion keeps coming while the pointer leaves the window.
    SDL_CaptureMouse(SDL_TRUE);
    // The motion that started the drag already counts.
    if (motionForm_ == &f) Follow(motionX_, motionY_);
}

// The window's top-left goes where the press point keeps its place under the
// pointer (screen pixels); unchanged moves are skipped, each one costs an X
// round trip.
void DragStrip::DragTo(int sx, int sy) {
    const int nx = sx - pressX_, ny = sy - pressY_;
    auto it = host_.placed.find(moving_);
    if (it != host_.placed.end() && it->second.x == nx && it->second.y == ny) return;
    host_.Place(moving_, nx, ny);
    // SDL's idea of the pointer's place in the window is now stale, until
    // the next motion.
    pointerStale_ = moving_;
}

// The pointer on screen from the X server; elsewhere our window's position
// plus the event's place in it. Motion events made before our last move
// arrived are relative to the old place: on X they would make the window lag
// or jump.
void DragStrip::Follow(int eventX, int eventY) {
    int sx = 0, sy = 0;
    if (!host_.x11.Query(sx, sy)) {
        const auto at = host_.placed.find(moving_);
        if (at == host_.placed.end()) return;
        sx = at->second.x + eventX;
        sy = at->second.y + eventY;
    }
    DragTo(sx, sy);
}

void DragStrip::FollowServer() {
    int sx = 0, sy = 0;
    if (host_.x11.Query(sx, sy)) DragTo(sx, sy);
}

void DragStrip::End() {
    if (moving_) SDL_CaptureMouse(SDL_FALSE);
    moving_ = nullptr;
}

void DragStrip::Forget(Form* f) {
    if (pressForm_ == f) pressForm_ = nullptr;
    if (motionForm_ == f) motionForm_ = nullptr;
    if (pointerStale_ == f) pointerStale_ = nullptr;
    if (moving_ == f) End();
}

void DragStrip::NoteMotion(Form* f, int x, int y) {
    pointerStale_ = nullptr;
    motionForm_ = f;
    motionX_ = x;
    motionY_ = y;
}

void DragStrip::NotePress(Form* f, int x, int y) {
    pressForm_ = f;
    pressX_ = x;
    pressY_ = y;
}

void SdlHost::BeginMove(Form& f, int x, int y) {
    // A window filling the screen stays where it is.
    if (!impl_->WindowOf(&f) || !impl_->placed.count(&f) || impl_->fullScreen == &f) return;
    impl_->drag.Begin(f, x, y);
}

// ---- translation ------------------------------------------------------------

namespace {

int ButtonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return vbLeftButton;
        case SDL_BUTTON_RIGHT: return vbRightButton;
        case SDL_BUTTON_MIDDLE: return vbMiddleButton;
        default: return 0;
    }
}

int ButtonsOf(Uint32 state) {
    int b = 0;
    if (state & SDL_BUTTON_LMASK) b |= vbLeftButton;
    if (state & SDL_BUTTON_RMASK) b |= vbRightButton;
    if (state & SDL_BUTTON_MMASK) b |= vbMiddleButton;
    return b;
}

int ShiftOf(Uint16 mod) {
    int s = 0;
    if (mod & KMOD_SHIFT) s |= 1;
    if (mod & KMOD_CTRL) s |= 2;
    if (mod & KMOD_ALT) s |= 4;
    return s;
}

// With NumLock off the keypad edits and moves; with it on it types digits,
// which arrive as text. 0: not a keypad key that moves.
int KeypadCodeOf(SDL_Keycode k) {
    switch (k) {
        case SDLK_KP_PERIOD: return vbKeyDelete;
        case SDLK_KP_7: return vbKeyHome;
        case SDLK_KP_1: return vbKeyEnd;
        case SDLK_KP_4: return vbKeyLeft;
        case SDLK_KP_6: return vbKeyRight;
        case SDLK_KP_8: return vbKeyUp;
        case SDLK_KP_2: return vbKeyDown;
        case SDLK_KP_9: return vbKeyPageUp;
        case SDLK_KP_3: return vbKeyPageDown;
        case SDLK_KP_0: return vbKeyInsert;
        default: return 0;
    }
}

int KeyCodeOf(SDL_Keycode k, Uint16 mod) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (!(mod & KMOD_NUM))
        if (const int code = KeypadCodeOf(k)) return code;
    switch (k) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vbKeyReturn;
        case SDLK_SPACE: return vbKeySpace;
        case SDLK_DELETE: return vbKeyDelete;
        case SDLK_BACKSPACE: return vbKeyBack;
        case SDLK_TAB: return vbKeyTab;
        case SDLK_ESCAPE: return vbKeyEscape;
        case SDLK_INSERT: return vbKeyInsert;
        case SDLK_F1: return vbKeyF1;
        case SDLK_F10: return vbKeyF10;
        case SDLK_PAGEUP: return vbKeyPageUp;
        case SDLK_PAGEDOWN: return vbKeyPageDown;
        case SDLK_END: return vbKeyEnd;
        case SDLK_HOME: return vbKeyHome;
        case SDLK_LEFT: return vbKeyLeft;
        case SDLK_UP: return vbKeyUp;
        case SDLK_RIGHT: return vbKeyRight;
        case SDLK_DOWN: return vbKeyDown;
        case SDLK_F2: return vbKeyF2;
        case SDLK_F5: return vbKeyF5;
        case SDLK_F3: return vbKeyF3;
        case SDLK_F8: return vbKeyF8;
        case SDLK_F11: return vbKeyF11;
        case SDLK_F6: return vbKeyF6;
        case SDLK_F4: return vbKeyF4;
        default: return 0;
    }
}

}  // namespace

// Each event kind: true when it gave the runtime an event in e.

bool SdlHost::WindowEvent(const SDL_Event& ev, InputEvent& e) {
    Form* f = impl_->FormOf(ev.window.windowID);
    if (!f) return false;
    if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
        e.type = InputEvent::Type::Close;
        e.form = f;
        return true;
    }
    if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        // A window manager focuses the owner when it is clicked; keys belong
        // to its open dialog, as on the original system.
        if (SDL_Window* d = impl_->ShownDialogOf(f)) {
            SDL_RaiseWindow(d);
            SDL_SetWindowInputFocus(d);
        }
        return false;
    }
    if (ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && f == impl_->fullScreen) {
        // A window manager gave the full screen's window its size late: the
        // picture is centred again.
        RepaintAll();
        return false;
    }
    // A minimised window holds the shape's playing clock until it comes back.
    if (ev.window.event == SDL_WINDOWEVENT_MINIMIZED || ev.window.event == SDL_WINDOWEVENT_RESTORED) {
        static bool minimised = false;
        const bool now = ev.window.event == SDL_WINDOWEVENT_MINIMIZED;
        if (now != minimised) Hold(now);
        minimised = now;
    }
    if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) {
        // The window surface still holds the last frame shown.
        if (SDL_Window* w = impl_->WindowOf(f)) SDL_UpdateWindowSurface(w);
    }
    return false;
}

bool SdlHost::MotionEvent(const SDL_Event& ev, InputEvent& e) {
    if (ev.motion.which == SDL_TOUCH_MOUSEID) return false;
    if (impl_->drag.Moving()) {
        if (ev.motion.state & SDL_BUTTON_LMASK) {
            // Only the latest of the queued motions counts.
            SDL_Event later;
            if (SDL_PeepEvents(&later, 1, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) > 0) return false;
            impl_->drag.Follow(ev.motion.x, ev.motion.y);
            return false;
        }
        impl_->drag.End();  // the release went elsewhere
    }
    Form* f = impl_->FormOf(ev.motion.windowID);
    if (!f) return false;
    impl_->drag.NoteMotion(f, ev.motion.x, ev.motion.y);
    e.type = InputEvent::Type::MouseMove;
    e.form = f;
    const SDL_Point off = impl_->OffsetOf(f);
    e.x = FormPixel(ev.motion.x, off.x, impl_->scale);
    e.y = FormPixel(ev.motion.y, off.y, impl_->scale);
    // The margin is as the desktop beside a window: no motion reaches the
    // game there unless a button is held since a press on the game.
    if (!impl_->held && impl_->InMargin(f, e.x, e.y)) return false;
    e.buttons = ButtonsOf(ev.motion.state);
    e.shift = ShiftOf(SDL_GetModState());
    return true;
}

bool SdlHost::ButtonEvent(SDL_Event& ev, InputEvent& e) {
    if (ev.button.which == SDL_TOUCH_MOUSEID) return false;
    const int b = ButtonOf(ev.button.button);
    if (b == 0) return false;
    const bool down = ev.type == SDL_MOUSEBUTTONDOWN;
    if (down)
        impl_->held |= b;
    else
        impl_->held &= ~b;
    if (!down && b == vbLeftButton && impl_->drag.Moving()) {
        // The release is where the pointer ended: SDL drops motion that keeps
        // its place in a window, which a dragged window does.
        impl_->drag.Follow(ev.button.x, ev.button.y);
        impl_->drag.End();
    }
    Form* f = impl_->FormOf(ev.button.windowID);
    if (!f) return false;
    int sx = 0, sy = 0;
    const auto at = impl_->placed.find(f);
    if (impl_->drag.PointerStale(f) && at != impl_->placed.end() && impl_->x11.Query(sx, sy)) {
        // No motion since we moved the window: ask the server.
        ev.button.x = sx - at->second.x;
        ev.button.y = sy - at->second.y;
    }
    const SDL_Point off = impl_->OffsetOf(f);
    e.x = FormPixel(ev.button.x, off.x, impl_->scale);
    e.y = FormPixel(ev.button.y, off.y, impl_->scale);
    // A press in the margin is a press beside the window: neither it nor its
    // release is the game's.
    if ((down && impl_->InMargin(f, e.x, e.y)) || (!down && (impl_->marginHeld & b))) {
        impl_->held &= ~b;
        impl_->marginHeld = down ? impl_->marginHeld | b : impl_->marginHeld & ~b;
        return false;
    }
    if (down && b == vbLeftButton) impl_->drag.NotePress(f, ev.button.x, ev.button.y);
    e.type = down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
    e.form = f;
    e.button = b;
    e.buttons = impl_->held;
    e.shift = ShiftOf(SDL_GetModState());
    return true;
}

bool SdlHost::KeyEvent(const SDL_Event& ev, InputEvent& e) {
    const int key = KeyCodeOf(ev.key.keysym.sym, ev.key.keysym.mod);
    if (key == 0) return false;
    Form* f = impl_->FormOf(ev.key.windowID);
    if (!f) return false;
    e.type = ev.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    e.form = f;
    e.key = key;
    e.shift = ShiftOf(ev.key.keysym.mod);
    return true;
}

bool SdlHost::TextEvent(const SDL_Event& ev, InputEvent& e) {
    Form* f = impl_->FormOf(ev.text.windowID);
    if (!f) return false;
    e.type = InputEvent::Type::Text;
    e.form = f;
    e.text = ev.text.text;
    return true;
}

bool SdlHost::Poll(InputEvent& e) {
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        e = InputEvent{};
        bool given = false;
        switch (ev.type) {
            case SDL_QUIT:
                e.type = InputEvent::Type::Quit;
                return true;
            case SDL_WINDOWEVENT: given = WindowEvent(ev, e); break;
            case SDL_MOUSEMOTION: given = MotionEvent(ev, e); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: given = ButtonEvent(ev, e); break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: given = KeyEvent(ev, e); break;
            case SDL_TEXTINPUT: given = TextEvent(ev, e); break;
            default: break;
        }
        if (given) return true;
    }
    return false;
}

}  // namespace plat
