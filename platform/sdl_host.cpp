#include "platform/sdl_host.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_shape.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <utility>

#include "platform/sound.h"
#include "platform/system.h"

#include "assets/embedded.h"

namespace plat {

struct SdlHost::Impl {
    bool initialised = false;
    std::map<Form*, SDL_Window*> windows;
    std::map<Uint32, Form*> byId;

    // The drag strip: the window follows the mouse while the left button is held.
    Form* moving = nullptr;
    int pressX = 0, pressY = 0;
    int lastX = 0, lastY = 0;

    int held = 0;  // our button mask (1 left, 2 right, 4 middle)

    std::map<Cursor, SDL_Cursor*> cursors;
    bool haveCurrent = false;
    Cursor current = Cursor::Default;

    Uint64 start = 0;
    double period = 0;

    Mix_Chunk* beep = nullptr;
    Sint16* beepSamples = nullptr;  // the chunk does not own them

    SDL_Window* WindowOf(const Form* f) const {
        auto it = windows.find(const_cast<Form*>(f));
        return it == windows.end() ? nullptr : it->second;
    }
    Form* FormOf(Uint32 id) const {
        if (id == 0 || !SDL_GetWindowFromID(id)) return nullptr;
        auto it = byId.find(id);
        return it == byId.end() ? nullptr : it->second;
    }
    void Forget(Form* f) {
        SDL_Window* w = WindowOf(f);
        if (!w) return;
        byId.erase(SDL_GetWindowID(w));
        windows.erase(f);
        if (moving == f) moving = nullptr;
        SDL_DestroyWindow(w);
    }
    void FocusOwner(Form& f) {
        if (!f.Owner) return;
        SDL_Window* owner = WindowOf(f.Owner);
        if (!owner || (SDL_GetWindowFlags(owner) & SDL_WINDOW_HIDDEN)) return;
        // Without a window manager nobody else hands the keyboard back.
        SDL_SetWindowInputFocus(owner);
        SDL_RaiseWindow(owner);
    }
    // The innermost shown window owned by f, if any.
    SDL_Window* ShownDialogOf(Form* f) const {
        SDL_Window* found = nullptr;
        for (int depth = 0; depth < 8; ++depth) {
            Form* child = nullptr;
            for (auto& [form, win] : windows)
                if (form->Owner == f && !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) child = form;
            if (!child) break;
            found = WindowOf(child);
            f = child;
        }
        return found;
    }
    SDL_Cursor* MakeCursor(Cursor c);
};

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

int KeyCodeOf(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    switch (k) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vbKeyReturn;
        case SDLK_SPACE: return vbKeySpace;
        case SDLK_DELETE: return vbKeyDelete;
        case SDLK_BACKSPACE: return vbKeyBack;
        case SDLK_TAB: return 9;
        case SDLK_ESCAPE: return 27;
        case SDLK_PAGEUP: return vbKeyPageUp;
        case SDLK_PAGEDOWN: return vbKeyPageDown;
        case SDLK_END: return vbKeyEnd;
        case SDLK_HOME: return vbKeyHome;
        case SDLK_LEFT: return vbKeyLeft;
        case SDLK_UP: return vbKeyUp;
        case SDLK_RIGHT: return vbKeyRight;
        case SDLK_DOWN: return vbKeyDown;
        default: return 0;
    }
}

bool IsDirect32(const SDL_PixelFormat* fmt) {
    return fmt->BytesPerPixel == 4 && fmt->Rmask == 0x00FF0000 && fmt->Gmask == 0x0000FF00 &&
           fmt->Bmask == 0x000000FF;
}

}  // namespace

SDL_Cursor* SdlHost::Impl::MakeCursor(Cursor c) {
    switch (c) {
        case Cursor::Hand: {
            const assets::Blob& blob = assets::kHandCursor;
            SDL_RWops* rw = SDL_RWFromConstMem(blob.data, static_cast<int>(blob.size));
            if (SDL_Surface* png = rw ? IMG_Load_RW(rw, 1) : nullptr) {
                SDL_Surface* argb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_ARGB8888, 0);
                SDL_FreeSurface(png);
                if (argb) {
                    SDL_Cursor* cur = SDL_CreateColorCursor(argb, 12, 1);
                    SDL_FreeSurface(argb);
                    if (cur) return cur;
                }
            }
            return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
        }
        case Cursor::Invisible: {
            SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
            if (!s) return nullptr;
            SDL_FillRect(s, nullptr, 0);
            SDL_Cursor* cur = SDL_CreateColorCursor(s, 0, 0);
            SDL_FreeSurface(s);
            return cur;
        }
        case Cursor::SizeAll: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZEALL);
        case Cursor::Default:
        case Cursor::Arrow:
        default: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    }
}

SdlHost::SdlHost() : impl_(std::make_unique<Impl>()) {
    // Before any window surface: otherwise SDL re-creates the X window for
    // OpenGL and the shape is lost.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

SdlHost::~SdlHost() {
    if (!impl_->initialised) return;
    while (!impl_->windows.empty()) impl_->Forget(impl_->windows.begin()->first);
    for (auto& [kind, cur] : impl_->cursors)
        if (cur) SDL_FreeCursor(cur);
    if (impl_->beep) Mix_FreeChunk(impl_->beep);
    SDL_free(impl_->beepSamples);
    CloseAudio();
    SDL_StopTextInput();
    SDL_Quit();
}

bool SdlHost::Init(std::string* error) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        if (error)
            *error = std::string("Impossible d'ouvrir l'affichage (aucun écran disponible) : ") +
                     SDL_GetError();
        return false;
    }
    impl_->initialised = true;
    impl_->start = SDL_GetPerformanceCounter();
    impl_->period = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    SDL_StartTextInput();
    return true;
}

void SdlHost::OpenWindow(Form& f) {
    if (impl_->WindowOf(&f)) return;
    const int w = std::max(1, f.Width()), h = std::max(1, f.Height());
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    SDL_Window* win = nullptr;
    if (!f.Outline.Empty())
        win = SDL_CreateShapedWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                     SDL_WINDOWPOS_CENTERED, w, h, flags);
    // No shapes under the dummy driver: a plain window then.
    if (!win)
        win = SDL_CreateWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w, h, flags);
    if (!win) {
        SDL_Log("tessalor: window not created: %s", SDL_GetError());
        return;
    }
    impl_->windows[&f] = win;
    impl_->byId[SDL_GetWindowID(win)] = &f;
    ApplyOutline(f);
}

void SdlHost::CloseWindow(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    const bool shown = !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN);
    impl_->Forget(&f);
    if (shown) impl_->FocusOwner(f);
}

void SdlHost::ShowWindow(Form& f) {
    if (!impl_->WindowOf(&f)) OpenWindow(f);
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    SDL_Window* owner = f.Owner ? impl_->WindowOf(f.Owner) : nullptr;
    if (owner) {
        int ox = 0, oy = 0, ow = 0, oh = 0;
        SDL_GetWindowPosition(owner, &ox, &oy);
        SDL_GetWindowSize(owner, &ow, &oh);
        x = ox + (ow - w) / 2;
        y = oy + (oh - h) / 2;
    }
    // A shaped window waits off-screen until it is placed.
    SDL_SetWindowPosition(win, x, y);
    SDL_ShowWindow(win);
    SDL_RaiseWindow(win);
    if (owner) SDL_SetWindowModalFor(win, owner);
    SDL_SetWindowInputFocus(win);
}

void SdlHost::HideWindow(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    if (impl_->moving == &f) impl_->moving = nullptr;
    SDL_HideWindow(win);
    impl_->FocusOwner(f);
}

void SdlHost::ApplyOutline(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || f.Outline.Empty()) return;
    if (!SDL_IsShapedWindow(win)) {
        // Only a window created shaped can take a shape; make it again when
        // it is still hidden (the dummy driver has no shaped windows at all).
        if (!(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) return;
        SDL_Window* shaped = SDL_CreateShapedWindow(
            f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
            std::max(1, f.Width()), std::max(1, f.Height()),
            SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
        if (!shaped) return;
        impl_->Forget(&f);
        win = shaped;
        impl_->windows[&f] = win;
        impl_->byId[SDL_GetWindowID(win)] = &f;
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return;
    const std::vector<unsigned char> inside = f.Outline.Mask(w, h);
    SDL_LockSurface(mask);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(mask->pixels) +
                                              static_cast<size_t>(y) * mask->pitch);
        for (int x = 0; x < w; ++x)
            row[x] = inside[static_cast<size_t>(y) * w + x] ? 0xFF000000u : 0u;
    }
    SDL_UnlockSurface(mask);
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(win, mask, &mode);
    SDL_FreeSurface(mask);
}

void SdlHost::Present(Form& f, const std::vector<Rect>& rects) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || rects.empty()) return;
    SDL_Surface* out = SDL_GetWindowSurface(win);
    if (!out) return;
    const Surface& frame = f.Frame();
    const Rect bounds = Intersect(Rect{0, 0, frame.Width(), frame.Height()}, Rect{0, 0, out->w, out->h});
    std::vector<SDL_Rect> done;
    done.reserve(rects.size());

    const bool direct = IsDirect32(out->format);
    if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
    for (const Rect& asked : rects) {
        const Rect r = Intersect(asked, bounds);
        if (r.Empty()) continue;
        auto* base = static_cast<unsigned char*>(out->pixels);
        if (direct) {
            for (int y = r.y; y < r.Bottom(); ++y)
                std::memcpy(base + static_cast<size_t>(y) * out->pitch + static_cast<size_t>(r.x) * 4,
                            frame.Row(y) + r.x, static_cast<size_t>(r.w) * 4);
        } else {
            SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, frame.Row(r.y) + r.x,
                              frame.Width() * 4, out->format->format,
                              base + static_cast<size_t>(r.y) * out->pitch +
                                  static_cast<size_t>(r.x) * out->format->BytesPerPixel,
                              out->pitch);
        }
        done.push_back(SDL_Rect{r.x, r.y, r.w, r.h});
    }
    if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
    if (done.empty()) return;
    SDL_UpdateWindowSurfaceRects(win, done.data(), static_cast<int>(done.size()));

    static bool reported = false;
    if (!reported && !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) {
        reported = true;
        // End-to-end tests wait for this line before driving the window.
        if (std::getenv("TESSALOR_REPORT_FRAME")) {
            std::fputs("tessalor: first frame\n", stderr);
            std::fflush(stderr);
        }
    }
}

bool SdlHost::Poll(InputEvent& e) {
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        e = InputEvent{};
        switch (ev.type) {
            case SDL_QUIT:
                e.type = InputEvent::Type::Quit;
                return true;

            case SDL_WINDOWEVENT: {
                Form* f = impl_->FormOf(ev.window.windowID);
                if (!f) break;
                if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                    e.type = InputEvent::Type::Close;
                    e.form = f;
                    return true;
                }
                if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    // A window manager focuses the owner when it is clicked;
                    // keys belong to its open dialog, as on the original system.
                    if (SDL_Window* d = impl_->ShownDialogOf(f)) {
                        SDL_RaiseWindow(d);
                        SDL_SetWindowInputFocus(d);
                    }
                    break;
                }
                if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    // The window surface still holds the last frame shown.
                    if (SDL_Window* w = impl_->WindowOf(f)) SDL_UpdateWindowSurface(w);
                }
                break;
            }

            case SDL_MOUSEMOTION: {
                if (ev.motion.which == SDL_TOUCH_MOUSEID) break;
                if (impl_->moving) {
                    if (ev.motion.state & SDL_BUTTON_LMASK) {
                        int gx = 0, gy = 0;
                        SDL_GetGlobalMouseState(&gx, &gy);
                        const int nx = gx - impl_->pressX, ny = gy - impl_->pressY;
                        // Each move is an X round trip: skip those that change nothing.
                        if (nx != impl_->lastX || ny != impl_->lastY) {
                            if (SDL_Window* w = impl_->WindowOf(impl_->moving))
                                SDL_SetWindowPosition(w, nx, ny);
                            impl_->lastX = nx;
                            impl_->lastY = ny;
                        }
                        break;
                    }
                    impl_->moving = nullptr;  // the release went elsewhere
                }
                Form* f = impl_->FormOf(ev.motion.windowID);
                if (!f) break;
                e.type = InputEvent::Type::MouseMove;
                e.form = f;
                e.x = ev.motion.x;
                e.y = ev.motion.y;
                e.buttons = ButtonsOf(ev.motion.state);
                e.shift = ShiftOf(SDL_GetModState());
                return true;
            }

            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                if (ev.button.which == SDL_TOUCH_MOUSEID) break;
                const int b = ButtonOf(ev.button.button);
                if (b == 0) break;
                const bool down = ev.type == SDL_MOUSEBUTTONDOWN;
                if (down)
                    impl_->held |= b;
                else
                    impl_->held &= ~b;
                if (!down && b == vbLeftButton) impl_->moving = nullptr;
                Form* f = impl_->FormOf(ev.button.windowID);
                if (!f) break;
                e.type = down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
                e.form = f;
                e.x = ev.button.x;
                e.y = ev.button.y;
                e.button = b;
                e.buttons = impl_->held;
                e.shift = ShiftOf(SDL_GetModState());
                return true;
            }

            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const int key = KeyCodeOf(ev.key.keysym.sym);
                if (key == 0) break;
                Form* f = impl_->FormOf(ev.key.windowID);
                if (!f) break;
                e.type = ev.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
                e.form = f;
                e.key = key;
                e.shift = ShiftOf(ev.key.keysym.mod);
                return true;
            }

            case SDL_TEXTINPUT: {
                Form* f = impl_->FormOf(ev.text.windowID);
                if (!f) break;
                e.type = InputEvent::Type::Text;
                e.form = f;
                e.text = ev.text.text;
                return true;
            }

            default: break;
        }
    }
    return false;
}

void SdlHost::Wait(double seconds) {
    if (seconds <= 0) return;
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    // Polling on purpose: waiting inside SDL crashed with BadWindow after a
    // dialog's window was destroyed.
    const int ms = std::clamp(static_cast<int>(std::lround(seconds * 1000.0)), 1, 5);
    SDL_Delay(static_cast<Uint32>(ms));
}

double SdlHost::Now() {
    if (impl_->period == 0) {
        impl_->start = SDL_GetPerformanceCounter();
        impl_->period = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    }
    return static_cast<double>(SDL_GetPerformanceCounter() - impl_->start) * impl_->period;
}

void SdlHost::Sleep(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

void SdlHost::SetCursor(Form&, Cursor c) {
    if (impl_->haveCurrent && impl_->current == c) return;
    auto it = impl_->cursors.find(c);
    if (it == impl_->cursors.end()) it = impl_->cursors.emplace(c, impl_->MakeCursor(c)).first;
    // Cursors do not exist under the dummy driver.
    if (it->second) SDL_SetCursor(it->second);
    impl_->haveCurrent = true;
    impl_->current = c;
}

void SdlHost::CursorPos(int& x, int& y) {
    // Over one of our windows the motion events are the freshest source; the
    // global state can lag where the server sends no raw motion (test servers).
    if (SDL_Window* w = SDL_GetMouseFocus()) {
        int wx = 0, wy = 0;
        SDL_GetWindowPosition(w, &wx, &wy);
        SDL_GetMouseState(&x, &y);
        x += wx;
        y += wy;
        return;
    }
    SDL_GetGlobalMouseState(&x, &y);
}

void SdlHost::WindowPos(Form& f, int& x, int& y) {
    x = y = 0;
    if (SDL_Window* w = impl_->WindowOf(&f)) SDL_GetWindowPosition(w, &x, &y);
}

void SdlHost::BeginMove(Form& f, int x, int y) {
    SDL_Window* w = impl_->WindowOf(&f);
    if (!w) return;
    impl_->moving = &f;
    impl_->pressX = x;
    impl_->pressY = y;
    // Not the window position: it is stale under a window manager.
    impl_->lastX = impl_->lastY = std::numeric_limits<int>::min();
}

void SdlHost::Beep() {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&freq, &format, &channels) || format != AUDIO_S16SYS) return;
    if (!impl_->beep) {
        // A tenth of a second of 880 Hz, faded out so it does not click.
        const int frames = freq / 10;
        auto* samples = static_cast<Sint16*>(SDL_malloc(sizeof(Sint16) * frames * channels));
        if (!samples) return;
        for (int i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / freq;
            const double env = 1.0 - static_cast<double>(i) / frames;
            const auto v = static_cast<Sint16>(6000.0 * env * std::sin(2 * M_PI * 880.0 * t));
            for (int c = 0; c < channels; ++c) samples[i * channels + c] = v;
        }
        impl_->beep = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples),
                                        static_cast<Uint32>(sizeof(Sint16) * frames * channels));
        if (!impl_->beep) {
            SDL_free(samples);
            return;
        }
        impl_->beepSamples = samples;
    }
    Mix_PlayChannel(-1, impl_->beep, 0);
}

void ShowFatalError(const std::string& message) {
    std::fputs((message + "\n").c_str(), stderr);
    std::fflush(stderr);
    const char* x11 = std::getenv("DISPLAY");
    const char* wl = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wl && *wl)) return;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (asked && SDL_strcasecmp(asked, "dummy") == 0) return;
    const char* running = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    if (running && SDL_strcasecmp(running, "dummy") == 0) return;
    TieHelpersToGame();
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Tessalor", message.c_str(), nullptr);
}

}  // namespace plat
