// The real host: SDL2 windows (borderless, shaped), cursors, the drag move.
#pragma once
#include <memory>
#include <string>

#include "platform/host.h"

namespace plat {

class SdlHost : public Host {
public:
    SdlHost();
    ~SdlHost() override;
    // False with a French reason when there is no display.
    bool Init(std::string* error);

    void OpenWindow(Form& f) override;
    void CloseWindow(Form& f) override;
    void ShowWindow(Form& f) override;
    void HideWindow(Form& f) override;
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

    struct Impl;
private:
    std::unique_ptr<Impl> impl_;
};

// A message box where a display exists; always also written on stderr.
void ShowFatalError(const std::string& message);

}  // namespace plat
