// The X server behind an SDL window, through libX11 loaded at run time.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11_pointer.h"

#include <SDL.h>

#ifdef _WIN32
#include <windows.h>

namespace plat {

// No X server: the system says where the pointer is now. Motion events made
// before the window's last move are relative to its old place: added to the
// new one they would push a dragged window twice as far.
void X11Pointer::Find(SDL_Window*) { tried_ = true; }
bool X11Pointer::Query(int& x, int& y) const {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    x = p.x;
    y = p.y;
    return true;
}
// The system's DPI, said as the X resources say it, so one rule reads both.
bool RaiseX11Window(unsigned long) { return false; }
unsigned long X11WindowId(SDL_Window*) { return 0; }

std::string X11Resources() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return "Xft.dpi:\t" + std::to_string(dpi) + "\n";
}

}  // namespace plat

#else

#include <SDL_syswm.h>

#include <type_traits>

namespace plat {

namespace {

static_assert(std::is_same_v<::Window, unsigned long>, "an X window id is an unsigned long");

using QueryFn = Bool (*)(Display*, ::Window, ::Window*, ::Window*, int*, int*, int*, int*, unsigned int*);

void* X11Function(const char* name) {
    static void* lib = SDL_LoadObject("libX11.so.6");
    return lib ? SDL_LoadFunction(lib, name) : nullptr;
}

}  // namespace

void X11Pointer::Find(SDL_Window* w) {
    if (tried_) return;
    tried_ = true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11) return;
    using Number = int (*)(Display*);
    using Root = ::Window (*)(Display*);
    auto number = reinterpret_cast<Number>(X11Function("XConnectionNumber"));
    auto rootOf = reinterpret_cast<Root>(X11Function("XDefaultRootWindow"));
    query_ = X11Function("XQueryPointer");
    display_ = info.info.x11.display;
    if (number) fd_ = number(info.info.x11.display);
    if (rootOf) root_ = rootOf(info.info.x11.display);
    if (!root_) query_ = nullptr;
}

bool X11Pointer::Query(int& x, int& y) const {
    if (!query_) return false;
    ::Window r = 0, child = 0;
    int wx = 0, wy = 0;
    unsigned int mask = 0;
    return reinterpret_cast<QueryFn>(query_)(static_cast<Display*>(display_), root_, &r, &child, &x, &y, &wx,
                                             &wy, &mask);
}

std::string X11Resources() {
    using Open = Display* (*)(const char*);
    using Strings = char* (*)(Display*);
    using Close = int (*)(Display*);
    auto open = reinterpret_cast<Open>(X11Function("XOpenDisplay"));
    auto strings = reinterpret_cast<Strings>(X11Function("XResourceManagerString"));
    auto close = reinterpret_cast<Close>(X11Function("XCloseDisplay"));
    if (!open || !strings || !close) return {};
    Display* d = open(nullptr);
    if (!d) return {};
    const char* text = strings(d);
    std::string result = text ? text : "";
    close(d);
    return result;
}

unsigned long X11WindowId(SDL_Window* w) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

namespace {
// A window gone since its id was written: the raise just does nothing.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }
}  // namespace

bool RaiseX11Window(unsigned long id) {
    using Open = Display* (*)(const char*);
    using Close = int (*)(Display*);
    using Root = ::Window (*)(Display*);
    using Intern = Atom (*)(Display*, const char*, Bool);
    using Send = Status (*)(Display*, ::Window, Bool, long, XEvent*);
    using OnWindow = int (*)(Display*, ::Window);
    using Focus = int (*)(Display*, ::Window, int, Time);
    using Sync = int (*)(Display*, Bool);
    using Handler = int (*)(Display*, XErrorEvent*);
    using SetHandler = Handler (*)(Handler);
    auto open = reinterpret_cast<Open>(X11Function("XOpenDisplay"));
    auto close = reinterpret_cast<Close>(X11Function("XCloseDisplay"));
    auto rootOf = reinterpret_cast<Root>(X11Function("XDefaultRootWindow"));
    auto intern = reinterpret_cast<Intern>(X11Function("XInternAtom"));
    auto send = reinterpret_cast<Send>(X11Function("XSendEvent"));
    auto mapRaised = reinterpret_cast<OnWindow>(X11Function("XMapRaised"));
    auto focus = reinterpret_cast<Focus>(X11Function("XSetInputFocus"));
    auto sync = reinterpret_cast<Sync>(X11Function("XSync"));
    auto setHandler = reinterpret_cast<SetHandler>(X11Function("XSetErrorHandler"));
    if (!open || !close || !rootOf || !intern || !send || !mapRaised || !focus || !sync || !setHandler || !id)
        return false;
    Display* d = open(nullptr);
    if (!d) return false;
    // Without this, Xlib ends the process on the first error.
    const Handler before = setHandler(IgnoreXError);
    // The window manager's way (it also un-minimises), as a pager asks it...
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = id;
    ev.xclient.message_type = intern(d, "_NET_ACTIVE_WINDOW", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 2;
    ev.xclient.data.l[1] = CurrentTime;
    send(d, rootOf(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    // ...and the server's, for a desktop without a window manager.
    mapRaised(d, id);
    sync(d, False);
    focus(d, id, RevertToParent, CurrentTime);
    sync(d, False);
    setHandler(before);
    close(d);
    return true;
}

}  // namespace plat

#endif
