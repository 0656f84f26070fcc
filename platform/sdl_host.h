// The real host on SDL2.
// SPDX-License-Identifier: GPL-3.0-or-later
// The real host: SDL2 windows (borderless, shaped, scaled), cursors, the drag
// move, the wait for input, the worker thread. Its sources: sdl_host.cpp,
// sdl_windows.cpp, sdl_input.cpp, with the shared state in sdl_host_impl.h.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "platform/host.h"

union SDL_Event;

namespace plat {

class SdlHost : public Host {
public:
    SdlHost();
    ~SdlHost() override;
    // The player's window scale (1-4); 0 or unset: from the desktop.
    void SetScale(int scale);
    // False with a French reason when there is no display.
    bool Init(std::string* error);
    int Scale() const;  // window pixels per form pixel, once initialised
    // Pictures as encoded bytes (PNG, BMP or JPEG; PNG keeps its alpha),
    // copied; given before the first window. Without one, or where it does
    // not decode: no icon, the system's cursor.
    void SetIcon(const unsigned char* data, std::size_t size);
    void SetCursorPicture(Cursor c, const unsigned char* data, std::size_t size, int hotX, int hotY);

    void OpenWindow(Form& f) override;
    void CloseWindow(Form& f) override;
    void ShowWindow(Form& f) override;
    void HideWindow(Form& f) override;
    bool WarpPointer(Form& f, int x, int y) override;
    bool SetFullScreen(Form& f, bool on) override;
    void ApplyOutline(Form& f) override;
    void Present(Form& f, const std::vector<Rect>& rects) override;
    bool Poll(InputEvent& e) override;
    void Wait(double seconds) override;
    double Now() override;
    void Sleep(int ms) override;
    void SetCursor(Form& f, Cursor c) override;
    void CursorPos(int& x, int& y) override;
    void WindowPos(Form& f, int& x, int& y) override;
    void BeginMove(Form& f, int x, int y) override;
    void Beep() override;
    std::string GetClipboard() override;
    void SetClipboard(const std::string& utf8) override;
    // On one worker thread, started with the first job; stopped (the running
    // job cancelled, the queued ones dropped) and joined at the end.
    void RunJob(std::function<void()> job, CancelFlag cancel) override;
    void Wake() override;

    struct Impl;
private:
    std::unique_ptr<Impl> impl_;
    int askedScale_ = 0;
    // Shaped windows failed: rectangular ones from now on, said once.
    void NoShapes(const char* why);
    // One SDL event of each kind into e; true when it gives the runtime one.
    bool WindowEvent(const SDL_Event& ev, InputEvent& e);
    bool MotionEvent(const SDL_Event& ev, InputEvent& e);
    bool ButtonEvent(SDL_Event& ev, InputEvent& e);
    bool KeyEvent(const SDL_Event& ev, InputEvent& e);
    bool TextEvent(const SDL_Event& ev, InputEvent& e);
    // Into or out of full screen; every other window follows the new scale.
    void ApplyFullScreen(Form& f, bool on);
    // Every shown window painted again whole, the full screen's margins filled.
    void RepaintAll();
};

// A message box where a display exists; always also written on stderr.
void ShowFatalError(const std::string& message);

}  // namespace plat
