// The host on SDL2: start-up, cursors, the clock, the wait for input, the worker, clipboard and messages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl_host.h"

#include <SDL.h>
#include <SDL_image.h>
#ifndef _WIN32
#include <poll.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/scale.h"
#include "platform/sdl_host_impl.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "lang/i18n.h"

namespace plat {

namespace {

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
    // The worker first: a job may still post to the runtime and wake us.
    impl_->worker.Stop();
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
            *error = std::string(_("Impossible d'ouvrir l'affichage (aucun écran disponible) : ")) +
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
    impl_->windowedScale = impl_->scale;
    if (tooLarge) {
        std::fprintf(stderr, _("tessalor : à l'échelle %d, la fenêtre (%d x %d) dépasse l'écran (%d x %d)\n"),
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


void SdlHost::NoShapes(const char* why) {
    if (impl_->noShapes) return;
    impl_->noShapes = true;
    // The dummy driver of the tests never has shapes; say nothing there.
    if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "dummy") == 0) return;
    std::fprintf(stderr, _("tessalor : fenêtre à contour arrondi impossible (%s), fenêtre rectangulaire à la place\n"),
                 why && *why ? why : "pilote sans formes");
    std::fflush(stderr);
}

void SdlHost::Wait(double seconds) {
    if (seconds <= 0) return;
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    int ms = std::clamp(static_cast<int>(std::ceil(seconds * 1000.0)), 1, 1000);
    if (impl_->drag.Moving() && impl_->x11.CanQuery()) {
        // During a drag motion can be dropped (see the release): follow the
        // pointer itself as well, every 10 ms.
        impl_->drag.FollowServer();
        ms = std::min(ms, 10);
    }
#ifndef _WIN32
    if (impl_->x11.Fd() >= 0) {
        // On the X connection itself rather than inside SDL, whose wait
        // crashed with BadWindow after a dialog's window was destroyed. The
        // pump above emptied Xlib's queue, so anything new is on the socket;
        // a signal (SIGTERM) ends the wait too.
        const int wake = impl_->worker.WakeFd();
        pollfd p[2] = {{impl_->x11.Fd(), POLLIN, 0}, {wake, POLLIN, 0}};
        ::poll(p, wake >= 0 ? 2 : 1, ms);
        if (p[1].revents & POLLIN) impl_->worker.DrainWake();
        return;
    }
#endif
    SDL_WaitEventTimeout(nullptr, ms);
}

void SdlHost::RunJob(std::function<void()> job, CancelFlag cancel) { impl_->worker.Run(std::move(job), std::move(cancel)); }

void SdlHost::Wake() {
    // The pipe ends a wait on the X connection, the event one inside SDL.
    impl_->worker.Wake();
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

void SdlHost::SetCursor(Form& f, Cursor c) {
    // The drag strip moves nothing in full screen: no moving cursor there.
    if (c == Cursor::SizeAll && impl_->fullScreen == &f) c = Cursor::Default;
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
    // In full screen the picture lies inside the window at an offset.
    const int s = impl_->scale;
    if (SDL_Window* w = SDL_GetMouseFocus()) {
        int wx = 0, wy = 0, mx = 0, my = 0;
        SDL_GetWindowPosition(w, &wx, &wy);
        SDL_GetMouseState(&mx, &my);
        const SDL_Point off = impl_->OffsetOf(impl_->FormOf(SDL_GetWindowID(w)));
        x = Unscale(wx, s) + FormPixel(mx, off.x, s);
        y = Unscale(wy, s) + FormPixel(my, off.y, s);
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

std::string SdlHost::GetClipboard() {
    // Only the start of a large text is kept, cut at a character boundary:
    // every field that pastes is a few dozen characters long.
    // On X the owner is asked directly: SDL reads no text that comes in
    // pieces (256 KB and more), and on no answer it empties the clipboard.
    constexpr std::size_t kClipboardLimit = 4096;
    std::string s;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcmp(driver, "x11") != 0 || !ReadX11Clipboard(kClipboardLimit, s)) {
        char* text = SDL_GetClipboardText();
        s = text ? std::string(text, strnlen(text, kClipboardLimit + 1)) : "";
        SDL_free(text);
    }
    if (s.size() > kClipboardLimit) {
        std::size_t end = kClipboardLimit;
        while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
        s.resize(end);
    }
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
