// A host without a display, for tests.
// SPDX-License-Identifier: GPL-3.0-or-later
// A host without a display: tests inject input and read frames back. Its
// clock is fake and advances on every poll and sleep, so waits of seconds
// take no real time.
#pragma once
#include <deque>
#include <functional>
#include <map>

#include "platform/host.h"

namespace plat {

class HeadlessHost : public Host {
public:
    HeadlessHost();
    ~HeadlessHost() override;

    // Input, in coordinates relative to the control (or the form when null).
    void MouseDown(Form& f, const Control* c, int x, int y, int button = vbLeftButton);
    void MouseUp(Form& f, const Control* c, int x, int y, int button = vbLeftButton);
    void MouseMove(Form& f, const Control* c, int x, int y, int buttons = 0);
    void Click(Form& f, const Control* c, int x, int y, int button = vbLeftButton);
    void KeyDown(Form& f, int key, int shift = 0);
    void KeyPress(Form& f, int ch);
    void Type(Form& f, const std::string& utf8);
    void CloseRequest(Form& f);
    void QuitRequest();
    bool Pending() const { return !queue_.empty(); }
    size_t PendingCount() const { return queue_.size(); }

    // Called when a poll finds the queue empty (tests script the next step here).
    std::function<void()> OnIdle;
    // Called after every Sleep (tests look at what is shown while the program sleeps).
    std::function<void(int ms)> OnSleep;
    double clockStep = 0.01;  // seconds added per poll
    int screenCursorX = 0, screenCursorY = 0;
    int windowX = 100, windowY = 100;

    // What the window would show.
    const Surface& Frame(Form& f) { return f.Frame(); }
    int PresentCount(const Form& f) const;
    bool IsShown(const Form& f) const;
    bool IsOpen(const Form& f) const;
    Cursor CurrentCursor(const Form& f) const;
    int beeps = 0;
    int moves = 0;

    void OpenWindow(Form& f) override;
    void CloseWindow(Form& f) override;
    void ShowWindow(Form& f) override;
    void HideWindow(Form& f) override;
    void ApplyOutline(Form&) override {}
    void Present(Form& f, const std::vector<Rect>& rects) override;
    bool Poll(InputEvent& e) override;
    void Wait(double seconds) override;
    double Now() override { return now_; }
    void Sleep(int ms) override {
        now_ += ms / 1000.0;
        if (OnSleep) OnSleep(ms);
    }
    void SetCursor(Form& f, Cursor c) override { cursors_[&f] = c; }
    void CursorPos(int& x, int& y) override { x = screenCursorX; y = screenCursorY; }
    void WindowPos(Form&, int& x, int& y) override { x = windowX; y = windowY; }
    void BeginMove(Form&, int, int) override { ++moves; }
    // The last pointer warp, in form pixels; -1 before any.
    int warpX = -1, warpY = -1;
    bool WarpPointer(Form&, int x, int y) override {
        warpX = x;
        warpY = y;
        return pointerMoves;
    }
    bool pointerMoves = true;  // false: as a system that cannot move the pointer
    void Beep() override { ++beeps; }
    // Set: jobs run on that worker's thread and posts wake it, as on the real
    // host; null: jobs run at once.
    Worker* worker = nullptr;
    void RunJob(std::function<void()> job, CancelFlag cancel) override {
        if (worker) worker->Run(std::move(job), std::move(cancel));
        else job();
    }
    void Wake() override {
        if (worker) worker->Wake();
    }
    // Every sound file asked for, in order; none is played.
    std::vector<std::string> sounds;
    void PlaySound(const std::string& path) override { sounds.push_back(path); }
    int soundStops = 0;  // how often every sound was stopped
    void StopSounds() override { ++soundStops; }
    std::string clipboard;  // the fake system clipboard
    std::string GetClipboard() override { return clipboard; }
    void SetClipboard(const std::string& s) override { clipboard = s; }

private:
    struct WindowState { bool open = false, shown = false; int presents = 0; };
    std::deque<InputEvent> queue_;
    std::map<const Form*, WindowState> windows_;
    std::map<const Form*, Cursor> cursors_;
    double now_ = 1000.0;
    bool idleDone_ = false;
    void Push(InputEvent e);
    void PushMouse(InputEvent::Type type, Form& f, const Control* c, int x, int y, int button,
                   int buttons);
    static void ToForm(const Control* c, int& x, int& y);
};

}  // namespace plat
