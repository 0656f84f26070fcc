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
bool ReadX11Clipboard(std::size_t, std::string&) { return false; }
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
#include <poll.h>

#include <algorithm>
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

namespace {

// An Xlib function from the library loaded at run time, typed as its header
// declares it.
#define X11_FUNCTION(name) decltype(&name) name##_ = reinterpret_cast<decltype(&name)>(X11Function(#name))

// The clipboard's owner puts its answer on our window: the events that say
// so, a property read bounded by `limit`.
struct ClipboardReader {
    X11_FUNCTION(XPending);
    X11_FUNCTION(XNextEvent);
    X11_FUNCTION(XGetWindowProperty);
    X11_FUNCTION(XFree);
    X11_FUNCTION(XConnectionNumber);
    Display* d = nullptr;
    ::Window win = 0;
    Atom property = 0;
    Uint64 deadline = 0;

    bool Ready() const { return XPending_ && XNextEvent_ && XGetWindowProperty_ && XFree_ && XConnectionNumber_; }

    // The next event of that type on our window, until the deadline.
    bool Await(int type, XEvent& ev) {
        for (;;) {
            while (XPending_(d)) {
                XNextEvent_(d, &ev);
                if (ev.type == type && ev.xany.window == win &&
                    (type != PropertyNotify || (ev.xproperty.atom == property && ev.xproperty.state == PropertyNewValue)))
                    return true;
            }
            const Uint64 now = SDL_GetTicks64();
            if (now >= deadline) return false;
            // The game's own windows answer when the game owns the clipboard.
            SDL_PumpEvents();
            pollfd p{XConnectionNumber_(d), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(std::min<Uint64>(deadline - now, 10)));
        }
    }

    // The property's first `limit` bytes, deleted once read; its type in *type.
    std::string Take(std::size_t limit, Atom* type) {
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string out;
        if (XGetWindowProperty_(d, win, property, 0, static_cast<long>(limit / 4 + 1), True, AnyPropertyType, type,
                                &format, &count, &after, &data) == Success &&
            data) {
            if (format == 8) out.assign(reinterpret_cast<char*>(data), std::min<std::size_t>(count, limit));
            XFree_(data);
        }
        return out;
    }
};

}  // namespace

bool ReadX11Clipboard(std::size_t limit, std::string& text) {
    text.clear();
    X11_FUNCTION(XOpenDisplay);
    X11_FUNCTION(XCloseDisplay);
    X11_FUNCTION(XDefaultRootWindow);
    X11_FUNCTION(XInternAtom);
    X11_FUNCTION(XCreateSimpleWindow);
    X11_FUNCTION(XSelectInput);
    X11_FUNCTION(XConvertSelection);
    X11_FUNCTION(XGetSelectionOwner);
    X11_FUNCTION(XDestroyWindow);
    X11_FUNCTION(XFlush);
    X11_FUNCTION(XSetErrorHandler);
    ClipboardReader r;
    if (!XOpenDisplay_ || !XCloseDisplay_ || !XDefaultRootWindow_ || !XInternAtom_ || !XCreateSimpleWindow_ ||
        !XSelectInput_ || !XConvertSelection_ || !XGetSelectionOwner_ || !XDestroyWindow_ || !XFlush_ ||
        !XSetErrorHandler_ || !r.Ready())
        return false;
    r.d = XOpenDisplay_(nullptr);
    if (!r.d) return false;
    // An owner gone in the middle is no reason for Xlib to end the game.
    const auto before = XSetErrorHandler_(IgnoreXError);
    const Atom clipboard = XInternAtom_(r.d, "CLIPBOARD", False), utf8 = XInternAtom_(r.d, "UTF8_STRING", False);
    const Atom incr = XInternAtom_(r.d, "INCR", False);
    r.property = XInternAtom_(r.d, "TESSALOR_PASTE", False);
    r.deadline = SDL_GetTicks64() + 1000;
    XEvent ev{};
    if (XGetSelectionOwner_(r.d, clipboard) != None) {
        r.win = XCreateSimpleWindow_(r.d, XDefaultRootWindow_(r.d), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput_(r.d, r.win, PropertyChangeMask);
        XConvertSelection_(r.d, clipboard, utf8, r.property, r.win, CurrentTime);
        XFlush_(r.d);
        Atom type = None;
        if (r.Await(SelectionNotify, ev) && ev.xselection.property != None) {
            text = r.Take(limit, &type);
            // A large text comes in pieces: reading (and deleting) the INCR
            // property asks for the first, which is all we keep; the owner
            // gives up on the rest when our window goes.
            if (type == incr) {
                text.clear();
                XFlush_(r.d);
                if (r.Await(PropertyNotify, ev)) text = r.Take(limit, &type);
            }
            if (type != utf8) text.clear();
        }
        XDestroyWindow_(r.d, r.win);
    }
    XCloseDisplay_(r.d);
    XSetErrorHandler_(before);
    return true;
}

}  // namespace plat

#endif
