// The X server behind an SDL window, through libX11 loaded at run time: the pointer, the connection to wait on, the desktop's resources.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>

struct SDL_Window;

namespace plat {

class X11Pointer {
public:
    // Finds the X connection of the first window it is given; nothing where
    // SDL does not run on X11 or libX11 cannot be loaded.
    void Find(SDL_Window* w);
    // The pointer on screen, in screen pixels, asked of the server (of the
    // system on Windows).
    bool Query(int& x, int& y) const;
#ifdef _WIN32
    bool CanQuery() const { return true; }
#else
    bool CanQuery() const { return query_ != nullptr; }
#endif
    // The connection's descriptor, -1 without X.
    int Fd() const { return fd_; }

private:
    bool tried_ = false;
    void* display_ = nullptr;
    unsigned long root_ = 0;
    void* query_ = nullptr;  // XQueryPointer
    int fd_ = -1;
};

// The X window id of an SDL window; 0 where SDL does not run on X11.
unsigned long X11WindowId(SDL_Window* w);
// Brings the X window with that id to the front: raised, un-minimised and
// focused, through the window manager where there is one; false without X.
// A window that no longer exists is no error.
bool RaiseX11Window(unsigned long id);

// The clipboard's text, at most `limit` bytes of it, asked of its owner on a
// connection of our own: a large text comes in pieces (INCR), and the first
// piece is enough. Waits at most a second, letting SDL answer meanwhile when
// the game owns the clipboard. False where there is no X server or libX11;
// true and "" when there is nothing to paste or no answer came.
bool ReadX11Clipboard(std::size_t limit, std::string& text);

// The X resources on the root window (Xft.dpi and others); empty without X.
// On Windows, the system's DPI as Xft.dpi.
std::string X11Resources();

}  // namespace plat
