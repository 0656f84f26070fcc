// The forms runtime's own state: the host, the forms, timers, modal stack, capture and posted tasks.
// SPDX-License-Identifier: GPL-3.0-or-later
// Only the runtime's sources and the hosts include this; the game goes
// through the free functions of platform/forms.h.
#pragma once
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/forms.h"
#include "platform/host.h"

namespace plat {

class Runtime {
public:
    // Never destroyed: a worker thread may still post into it while the
    // program's statics are torn down.
    static Runtime& Get();
    void SetHost(Host* host);
    Host* GetHost() const { return host_; }
    bool HasHost() const { return host_ != nullptr; }

    void Register(Form& f);
    void Unregister(Form& f);
    void Register(Timer& t);
    void Unregister(Timer& t);
    void Present(Form& f);
    void PresentAll();
    bool Dispatch();  // one pass; true when something happened
    Form* ModalTop() const { return modal_.empty() ? nullptr : modal_.back(); }
    void PushModal(Form& f) { modal_.push_back(&f); }
    void PopModal(Form& f);
    const std::vector<Form*>& Forms() const { return forms_; }
    double NextTimerDue() const;
    void RefreshCursor(Form& f);
    void CancelCapture() { capture_ = pressed_ = nullptr; captureForm_ = nullptr; }
    bool Accepts(Form* f) const;  // the form takes input now
    void Forget(Control* c);      // the control is going away
    void Post(std::function<void()> task);

private:
    Host* host_ = nullptr;
    std::vector<Form*> forms_;
    std::vector<Timer*> timers_;
    std::vector<Form*> modal_;
    Control* capture_ = nullptr;
    Form* captureForm_ = nullptr;
    Control* pressed_ = nullptr;
    Control* hover_ = nullptr;
    int buttons_ = 0;
    bool inTimers_ = false;
    std::mutex postMutex_;
    std::vector<std::function<void()>> posted_;
    bool RunPosted();
    void HandleMouse(InputEvent& e);
    void HandleKey(InputEvent& e);
    void RunTimers();
};

// The visible controls of c and their children, topmost last, with their
// rectangles offset by (ox, oy).
void Flatten(Control& c, int ox, int oy, std::vector<std::pair<Control*, Rect>>& out);

}  // namespace plat
