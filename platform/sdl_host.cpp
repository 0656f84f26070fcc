// The host on SDL2: shaped windows, cursors, input, presenting, the worker thread.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl_host.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_shape.h>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/beep.h"
#include "platform/scale.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/x11_pointer.h"

namespace plat {

struct SdlHost::Impl {
    bool initialised = false;

    // The worker thread and its queue of jobs.
    std::thread worker;
    std::mutex jobMutex;
    std::condition_variable jobReady;
    std::deque<std::function<void()>> jobs;
    bool stopping = false;
    // Written from any thread to end a wait on the X connection.
    int wakePipe[2] = {-1, -1};

    void RunJobs() {
        std::unique_lock<std::mutex> lock(jobMutex);
        for (;;) {
            jobReady.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (jobs.empty()) return;
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
        }
    }
    std::map<Form*, SDL_Window*> windows;
    std::map<Uint32, Form*> byId;

    int scale = 1;  // window pixels per form pixel
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

    // The drag strip: the window follows the mouse while the left button is
    // held. Positions in window pixels: the left press and the last motion.
    Form* moving = nullptr;
    Form* pressForm = nullptr;
    int pressX = 0, pressY = 0;
    Form* motionForm = nullptr;
    int motionX = 0, motionY = 0;
    Form* pointerStale = nullptr;

    // The X connection: its descriptor to wait on, the pointer to read.
    X11Pointer x11;

    int held = 0;  // our button mask (1 left, 2 right, 4 middle)

    std::map<Cursor, SDL_Cursor*> cursors;
    bool haveCurrent = false;
    Cursor current = Cursor::Default;

    Uint64 start = 0;
    double period = 0;

    Beeper beep;

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
        placed.erase(f);
        if (pressForm == f) pressForm = nullptr;
        if (motionForm == f) motionForm = nullptr;
        if (pointerStale == f) pointerStale = nullptr;
        if (moving == f) EndMove();
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
    void Place(Form* f, int x, int y) {
        SDL_Window* w = WindowOf(f);
        if (!w) return;
        SDL_SetWindowPosition(w, x, y);
        placed[f] = SDL_Point{x, y};
    }
    // The drag: the window's top-left goes where the press point keeps its
    // place under the pointer (screen pixels); unchanged moves are skipped,
    // each one costs an X round trip.
    void DragTo(int sx, int sy) {
        const int nx = sx - pressX, ny = sy - pressY;
        auto it = placed.find(moving);
        if (it != placed.end() && it->second.x == nx && it->second.y == ny) return;
        Place(moving, nx, ny);
        // SDL's idea of the pointer's place in the window is now stale, until
        // the next motion.
        pointerStale = moving;
    }
    // The pointer on screen from the X server; elsewhere our window's
    // position plus the event's place in it. Motion events made before our
    // last move arrived are relative to the old place: on X they would make
    // the window lag or jump.
    void DragToPointer(int eventX, int eventY) {
        int sx = 0, sy = 0;
        if (!x11.Query(sx, sy)) {
            const auto at = placed.find(moving);
            if (at == placed.end()) return;
            sx = at->second.x + eventX;
            sy = at->second.y + eventY;
        }
        DragTo(sx, sy);
    }
    void EndMove() {
        if (moving) SDL_CaptureMouse(SDL_FALSE);
        moving = nullptr;
    }
    SDL_Surface* LoadIcon();
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

int KeyCodeOf(SDL_Keycode k, Uint16 mod) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    // With NumLock off the keypad edits and moves; with it on it types
    // digits, which arrive as text.
    if (!(mod & KMOD_NUM)) {
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
            default: break;
        }
    }
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
        default: return 0;
    }
}

bool IsDirect32(const SDL_PixelFormat* fmt) {
    return fmt->BytesPerPixel == 4 && fmt->Rmask == 0x00FF0000 && fmt->Gmask == 0x0000FF00 &&
           fmt->Bmask == 0x000000FF;
}

bool Env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// An encoded picture from memory; null when absent or unreadable.
SDL_Surface* Decode(const std::vector<unsigned char>& bytes) {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return rw ? IMG_Load_RW(rw, 1) : nullptr;
}

}  // namespace

// The window icon, decoded once.
SDL_Surface* SdlHost::Impl::LoadIcon() {
    if (!icon) icon = Decode(iconPicture);
    return icon;
}

SDL_Cursor* SdlHost::Impl::MakeCursor(Cursor c) {
    // The caller's picture first; the system's cursor where it fails.
    if (auto it = cursorPictures.find(c); it != cursorPictures.end()) {
        if (SDL_Surface* png = Decode(it->second.bytes)) {
            SDL_Surface* argb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(png);
            if (argb) {
                SDL_Cursor* cur = SDL_CreateColorCursor(argb, it->second.hotX, it->second.hotY);
                SDL_FreeSurface(argb);
                if (cur) return cur;
            }
        }
    }
    switch (c) {
        case Cursor::Hand: return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
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
    // Queued jobs still run; their owners cancel long ones before this.
    if (impl_->worker.joinable()) {
        {
            const std::lock_guard<std::mutex> lock(impl_->jobMutex);
            impl_->stopping = true;
        }
        impl_->jobReady.notify_all();
        impl_->worker.join();
    }
#ifndef _WIN32
    for (int fd : impl_->wakePipe)
        if (fd >= 0) ::close(fd);
#endif
    if (!impl_->initialised) return;
    while (!impl_->windows.empty()) impl_->Forget(impl_->windows.begin()->first);
    for (auto& [kind, cur] : impl_->cursors)
        if (cur) SDL_FreeCursor(cur);
    if (impl_->icon) SDL_FreeSurface(impl_->icon);
    impl_->beep.Free();
    CloseAudio();
    SDL_StopTextInput();
    SDL_Quit();
}

void SdlHost::SetScale(int scale) { askedScale_ = scale; }

int SdlHost::Scale() const { return impl_->scale; }

bool SdlHost::Init(std::string* error) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The shaped window needs X11: under Wayland take XWayland unless the
    // player chose a driver.
#ifdef _WIN32
    // The system scales nothing behind the game's back: the game picks its
    // scale from the DPI itself.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "system");
    const bool preferX11 = false;  // Wine sets DISPLAY too
#else
    const bool preferX11 = !Env("SDL_VIDEODRIVER") && Env("DISPLAY");
#endif
    if (preferX11) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    int failed = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    if (failed && preferX11) {
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        failed = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    }
    if (failed) {
        if (error)
            *error = std::string("Impossible d'ouvrir l'affichage (aucun écran disponible) : ") +
                     SDL_GetError();
        return false;
    }
    impl_->initialised = true;
    const bool x11 = SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
    const bool chosen = askedScale_ || Env("TESSALOR_SCALE") || Env("GDK_SCALE");
    const bool saysDpi = x11 || SDL_strcmp(SDL_GetCurrentVideoDriver(), "windows") == 0;
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(0, &area) != 0) area = SDL_Rect{};
    bool tooLarge = false;
    impl_->scale = ChooseFittingScale(askedScale_, std::getenv("TESSALOR_SCALE"), std::getenv("GDK_SCALE"),
                                      saysDpi && !chosen ? X11Resources() : std::string(), area.w, area.h,
                                      &tooLarge);
    if (tooLarge) {
        std::fprintf(stderr, "tessalor : à l'échelle %d, la fenêtre (%d x %d) dépasse l'écran (%d x %d)\n",
                     impl_->scale, kWindowWidth * impl_->scale, kWindowHeight * impl_->scale, area.w, area.h);
        std::fflush(stderr);
    }
    // Forces the rectangular window, as where shapes fail.
    if (Env("TESSALOR_NO_SHAPE")) NoShapes("TESSALOR_NO_SHAPE");
    impl_->start = SDL_GetPerformanceCounter();
    impl_->period = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    SDL_StartTextInput();
    return true;
}

void SdlHost::OpenWindow(Form& f) {
    if (impl_->WindowOf(&f)) return;
    const int s = impl_->scale;
    const int w = std::max(1, f.Width()) * s, h = std::max(1, f.Height()) * s;
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    SDL_Window* win = nullptr;
    if (!f.Outline.Empty() && !impl_->noShapes) {
        win = SDL_CreateShapedWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                     SDL_WINDOWPOS_CENTERED, w, h, flags);
        if (!win) NoShapes(SDL_GetError());
    }
    // A rectangular window with the same picture where shapes fail.
    if (!win)
        win = SDL_CreateWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w, h, flags);
    if (!win) {
        SDL_Log("tessalor: window not created: %s", SDL_GetError());
        return;
    }
    impl_->windows[&f] = win;
    impl_->byId[SDL_GetWindowID(win)] = &f;
    if (impl_->LoadIcon()) SDL_SetWindowIcon(win, impl_->icon);
    impl_->x11.Find(win);
    ApplyOutline(f);
}

void SdlHost::NoShapes(const char* why) {
    if (impl_->noShapes) return;
    impl_->noShapes = true;
    // The dummy driver of the tests never has shapes; say nothing there.
    if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "dummy") == 0) return;
    std::fprintf(stderr, "tessalor : fenêtre à contour arrondi impossible (%s), fenêtre rectangulaire à la place\n",
                 why && *why ? why : "pilote sans formes");
    std::fflush(stderr);
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
    SDL_Window* owner = f.Owner ? impl_->WindowOf(f.Owner) : nullptr;
    auto ownerAt = f.Owner ? impl_->placed.find(f.Owner) : impl_->placed.end();
    int x = 0, y = 0;
    if (owner && ownerAt != impl_->placed.end()) {
        int ow = 0, oh = 0;
        SDL_GetWindowSize(owner, &ow, &oh);
        x = ownerAt->second.x + (ow - w) / 2;
        y = ownerAt->second.y + (oh - h) / 2;
    } else {
        SDL_Rect screen{0, 0, w, h};
        SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(win)), &screen);
        x = screen.x + (screen.w - w) / 2;
        y = screen.y + (screen.h - h) / 2;
    }
    // A shaped window waits off-screen until it is placed.
    impl_->Place(&f, x, y);
    SDL_ShowWindow(win);
    SDL_RaiseWindow(win);
    if (owner) SDL_SetWindowModalFor(win, owner);
    SDL_SetWindowInputFocus(win);
}

bool SdlHost::WarpPointer(Form& f, int x, int y) {
    SDL_Window* win = impl_->WindowOf(&f);
    // X and Windows let a program move the pointer; elsewhere SDL drops the
    // call silently.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!win || !driver || (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "windows") != 0)) return false;
    SDL_WarpMouseInWindow(win, x * impl_->scale, y * impl_->scale);
    return true;
}

void SdlHost::HideWindow(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    if (impl_->moving == &f) impl_->EndMove();
    SDL_HideWindow(win);
    impl_->FocusOwner(f);
}

void SdlHost::ApplyOutline(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || f.Outline.Empty() || impl_->noShapes) return;
    const int s = impl_->scale;
    if (!SDL_IsShapedWindow(win)) {
        // Only a window created shaped can take a shape; make it again when
        // it is still hidden (the dummy driver has no shaped windows at all).
        if (!(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) return;
        SDL_Window* shaped = SDL_CreateShapedWindow(
            f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
            std::max(1, f.Width()) * s, std::max(1, f.Height()) * s,
            SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
        if (!shaped) return;
        impl_->Forget(&f);
        win = shaped;
        impl_->windows[&f] = win;
        impl_->byId[SDL_GetWindowID(win)] = &f;
        if (impl_->icon) SDL_SetWindowIcon(win, impl_->icon);
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return;
    // The outline at the form's size, each pixel grown to the scale.
    const int fw = w / s, fh = h / s;
    const std::vector<unsigned char> inside = f.Outline.Mask(fw, fh);
    const auto in = [&](int x, int y) {
        return x < w && y < h && inside[static_cast<size_t>(std::min(y / s, fh - 1)) * fw + std::min(x / s, fw - 1)];
    };
    SDL_LockSurface(mask);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(mask->pixels) +
                                              static_cast<size_t>(y) * mask->pitch);
#ifdef _WIN32
        // SDL's Windows shaping widens each opaque rectangle by a pixel to the
        // right and below: a pixel goes in only with its right, lower and
        // diagonal neighbours, and the widening gives back the exact outline.
        for (int x = 0; x < w; ++x)
            row[x] = in(x, y) && in(x + 1, y) && in(x, y + 1) && in(x + 1, y + 1) ? 0xFF000000u : 0u;
#else
        for (int x = 0; x < w; ++x) row[x] = in(x, y) ? 0xFF000000u : 0u;
#endif
    }
    SDL_UnlockSurface(mask);
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    const int failed = SDL_SetWindowShape(win, mask, &mode);
    SDL_FreeSurface(mask);
    if (failed) NoShapes(SDL_GetError());
}

void SdlHost::Present(Form& f, const std::vector<Rect>& rects) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || rects.empty()) return;
    SDL_Surface* out = SDL_GetWindowSurface(win);
    if (!out) return;
    const Surface& frame = f.Frame();
    const int s = impl_->scale;
    const Rect bounds =
        Intersect(Rect{0, 0, frame.Width(), frame.Height()}, Rect{0, 0, out->w / s, out->h / s});
    std::vector<SDL_Rect> done;
    done.reserve(rects.size());

    const bool direct = IsDirect32(out->format);
    std::vector<std::uint32_t> wide;
    if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
    for (const Rect& asked : rects) {
        const Rect r = Intersect(asked, bounds);
        if (r.Empty()) continue;
        auto* base = static_cast<unsigned char*>(out->pixels);
        if (s > 1) {
            // Nearest enlargement: each row widened once, then repeated.
            wide.resize(static_cast<size_t>(r.w) * s);
            const size_t bytes = wide.size() * 4;
            for (int y = r.y; y < r.Bottom(); ++y) {
                EnlargeRow(frame.Row(y) + r.x, r.w, s, wide.data());
                for (int k = 0; k < s; ++k) {
                    unsigned char* dst = base + static_cast<size_t>(y * s + k) * out->pitch +
                                         static_cast<size_t>(r.x) * s * out->format->BytesPerPixel;
                    if (direct)
                        std::memcpy(dst, wide.data(), bytes);
                    else
                        SDL_ConvertPixels(r.w * s, 1, SDL_PIXELFORMAT_RGB888, wide.data(), static_cast<int>(bytes),
                                          out->format->format, dst, out->pitch);
                }
            }
        } else if (direct) {
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
        done.push_back(SDL_Rect{r.x * s, r.y * s, r.w * s, r.h * s});
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
                        // Only the latest of the queued motions counts.
                        SDL_Event later;
                        if (SDL_PeepEvents(&later, 1, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) > 0)
                            break;
                        impl_->DragToPointer(ev.motion.x, ev.motion.y);
                        break;
                    }
                    impl_->EndMove();  // the release went elsewhere
                }
                Form* f = impl_->FormOf(ev.motion.windowID);
                if (!f) break;
                impl_->pointerStale = nullptr;
                impl_->motionForm = f;
                impl_->motionX = ev.motion.x;
                impl_->motionY = ev.motion.y;
                e.type = InputEvent::Type::MouseMove;
                e.form = f;
                e.x = Unscale(ev.motion.x, impl_->scale);
                e.y = Unscale(ev.motion.y, impl_->scale);
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
                if (!down && b == vbLeftButton && impl_->moving) {
                    // The release is where the pointer ended: SDL drops motion
                    // that keeps its place in a window, which a dragged window does.
                    impl_->DragToPointer(ev.button.x, ev.button.y);
                    impl_->EndMove();
                }
                Form* f = impl_->FormOf(ev.button.windowID);
                if (!f) break;
                int sx = 0, sy = 0;
                const auto at = impl_->placed.find(f);
                if (impl_->pointerStale == f && at != impl_->placed.end() && impl_->x11.Query(sx, sy)) {
                    // No motion since we moved the window: ask the server.
                    ev.button.x = sx - at->second.x;
                    ev.button.y = sy - at->second.y;
                }
                if (down && b == vbLeftButton) {
                    impl_->pressForm = f;
                    impl_->pressX = ev.button.x;
                    impl_->pressY = ev.button.y;
                }
                e.type = down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
                e.form = f;
                e.x = Unscale(ev.button.x, impl_->scale);
                e.y = Unscale(ev.button.y, impl_->scale);
                e.button = b;
                e.buttons = impl_->held;
                e.shift = ShiftOf(SDL_GetModState());
                return true;
            }

            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const int key = KeyCodeOf(ev.key.keysym.sym, ev.key.keysym.mod);
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
    int ms = std::clamp(static_cast<int>(std::ceil(seconds * 1000.0)), 1, 1000);
    if (impl_->moving && impl_->x11.CanQuery()) {
        // During a drag motion can be dropped (see the release): follow the
        // pointer itself as well, every 10 ms.
        int sx = 0, sy = 0;
        if (impl_->x11.Query(sx, sy)) impl_->DragTo(sx, sy);
        ms = std::min(ms, 10);
    }
#ifndef _WIN32
    if (impl_->x11.Fd() >= 0) {
        // On the X connection itself rather than inside SDL, whose wait
        // crashed with BadWindow after a dialog's window was destroyed. The
        // pump above emptied Xlib's queue, so anything new is on the socket;
        // a signal (SIGTERM) ends the wait too.
        pollfd p[2] = {{impl_->x11.Fd(), POLLIN, 0}, {impl_->wakePipe[0], POLLIN, 0}};
        ::poll(p, impl_->wakePipe[0] >= 0 ? 2 : 1, ms);
        if (p[1].revents & POLLIN) {
            char drain[64];
            while (::read(impl_->wakePipe[0], drain, sizeof drain) > 0) {
            }
        }
        return;
    }
#endif
    SDL_WaitEventTimeout(nullptr, ms);
}

void SdlHost::RunJob(std::function<void()> job) {
    {
        const std::lock_guard<std::mutex> lock(impl_->jobMutex);
#ifndef _WIN32
        if (impl_->wakePipe[0] < 0 && ::pipe2(impl_->wakePipe, O_NONBLOCK | O_CLOEXEC) != 0)
            impl_->wakePipe[0] = impl_->wakePipe[1] = -1;
#endif
        impl_->jobs.push_back(std::move(job));
        if (!impl_->worker.joinable()) impl_->worker = std::thread([this] { impl_->RunJobs(); });
    }
    impl_->jobReady.notify_one();
}

void SdlHost::Wake() {
    // The pipe ends a wait on the X connection, the event one inside SDL.
#ifndef _WIN32
    if (impl_->wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(impl_->wakePipe[1], &byte, 1);
    }
#endif
    if (impl_->initialised) {
        SDL_Event ev{};
        ev.type = SDL_USEREVENT;
        SDL_PushEvent(&ev);
    }
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
    // In form pixels: the window's position scaled down plus the pointer's
    // place in it, so that it lines up with WindowPos.
    const int s = impl_->scale;
    if (SDL_Window* w = SDL_GetMouseFocus()) {
        int wx = 0, wy = 0, mx = 0, my = 0;
        SDL_GetWindowPosition(w, &wx, &wy);
        SDL_GetMouseState(&mx, &my);
        x = Unscale(wx, s) + Unscale(mx, s);
        y = Unscale(wy, s) + Unscale(my, s);
        return;
    }
    SDL_GetGlobalMouseState(&x, &y);
    x = Unscale(x, s);
    y = Unscale(y, s);
}

void SdlHost::WindowPos(Form& f, int& x, int& y) {
    x = y = 0;
    if (SDL_Window* w = impl_->WindowOf(&f)) SDL_GetWindowPosition(w, &x, &y);
    x = Unscale(x, impl_->scale);
    y = Unscale(y, impl_->scale);
}

void SdlHost::BeginMove(Form& f, int x, int y) {
    SDL_Window* w = impl_->WindowOf(&f);
    if (!w || !impl_->placed.count(&f)) return;
    impl_->moving = &f;
    // The press point, exact in window pixels when the left press was ours.
    if (impl_->pressForm != &f || !(impl_->held & vbLeftButton)) {
        impl_->pressX = x * impl_->scale;
        impl_->pressY = y * impl_->scale;
    }
    // Motion keeps coming while the pointer leaves the window.
    SDL_CaptureMouse(SDL_TRUE);
    // The motion that started the drag already counts.
    if (impl_->motionForm == &f) impl_->DragToPointer(impl_->motionX, impl_->motionY);
}

std::string SdlHost::GetClipboard() {
    char* text = SDL_GetClipboardText();
    std::string s = text ? text : "";
    SDL_free(text);
    return s;
}

void SdlHost::SetClipboard(const std::string& utf8) { SDL_SetClipboardText(utf8.c_str()); }

void SdlHost::Beep() { impl_->beep.Play(); }

void SdlHost::SetIcon(const unsigned char* data, std::size_t size) {
    impl_->iconPicture.assign(data, data + size);
}

void SdlHost::SetCursorPicture(Cursor c, const unsigned char* data, std::size_t size, int hotX, int hotY) {
    impl_->cursorPictures[c] = Impl::CursorPicture{std::vector<unsigned char>(data, data + size), hotX, hotY};
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
