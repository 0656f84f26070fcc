// What the forms runtime needs from a window system. Two hosts exist: the
// SDL2 one for the real game and a headless one for tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/sound.h"
#include "platform/worker.h"

namespace plat {

struct InputEvent {
    enum class Type { None, MouseDown, MouseUp, MouseMove, KeyDown, KeyUp, Text, Close, Quit };
    Type type = Type::None;
    Form* form = nullptr;  // window the event belongs to; null = none of ours
    int x = 0, y = 0;      // mouse position in the form's pixels
    int button = 0;        // MouseDown / MouseUp: the button (1 left, 2 right, 4 middle)
    int buttons = 0;       // buttons held after the event
    int shift = 0;         // 1 shift, 2 ctrl, 4 alt
    int key = 0;           // KeyDown / KeyUp: key code (13 Enter, 32 Space, 46 Delete, 65.. letters)
    std::string text;      // Text: UTF-8 typed text
};

class Host {
public:
    virtual ~Host() = default;
    // Creates the form's window, hidden, sized and outlined from the form.
    virtual void OpenWindow(Form& f) = 0;
    virtual void CloseWindow(Form& f) = 0;
    // Centred over f.Owner when set, else on the screen; takes the focus.
    virtual void ShowWindow(Form& f) = 0;
    virtual void HideWindow(Form& f) = 0;
    virtual void ApplyOutline(Form& f) = 0;
    // Shows the given rectangles of f.Frame().
    virtual void Present(Form& f, const std::vector<Rect>& rects) = 0;
    virtual bool Poll(InputEvent& e) = 0;
    virtual void Wait(double seconds) = 0;  // until input arrives or the time passes
    virtual double Now() = 0;
    virtual void Sleep(int ms) = 0;
    virtual void SetCursor(Form& f, Cursor c) = 0;
    virtual void CursorPos(int& x, int& y) = 0;  // screen pixels
    virtual void WindowPos(Form& f, int& x, int& y) = 0;
    // The window follows the mouse until the left button is released.
    virtual void BeginMove(Form& f, int x, int y) = 0;
    // Moves the pointer to the form's pixel (x, y), where the system allows it.
    // Moves the pointer over the window; false where the system does not let it.
    virtual bool WarpPointer(Form&, int, int) { return false; }
    // The form's window fills its screen, the picture at the largest integer
    // scale that fits, centred; or goes back where it was. Asked before the
    // window shows, it opens so. False where the host has no full screen.
    virtual bool SetFullScreen(Form&, bool) { return false; }
    virtual void Beep() {}
    // Plays a sound file; by default through the mixer.
    virtual void PlaySound(const std::string& path) { PlaySoundFile(path); }
    // Stops every sound playing.
    virtual void StopSounds() { StopSoundFiles(); }
    // Runs the job away from the main thread, one job after another; this
    // default runs it at once, so that tests stay deterministic. The cancel
    // flag, when given, is set if the program ends before the job does.
    virtual void RunJob(std::function<void()> job, CancelFlag) { job(); }
    // Ends a Wait early; callable from any thread.
    virtual void Wake() {}
    virtual std::string GetClipboard() { return {}; }
    virtual void SetClipboard(const std::string&) {}
};

// Starts moving the control's window with the mouse (the drag strip).
void BeginWindowMove(Control& c, float x, float y);

}  // namespace plat
