// The forms runtime: input dispatch, timers, posted tasks, presenting and the event loop.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/runtime.h"

#include <algorithm>
#include <limits>

#include "platform/utf8.h"

namespace plat {

// ---- Runtime ------------------------------------------------------------

Runtime& Runtime::Get() {
    static Runtime& rt = *new Runtime;
    return rt;
}

void Runtime::SetHost(Host* host) {
    {
        // Post reads it on the worker's thread.
        const std::lock_guard<std::mutex> lock(postMutex_);
        host_ = host;
    }
    capture_ = pressed_ = nullptr;
    captureForm_ = nullptr;
    buttons_ = 0;
    modal_.clear();
    if (host_)
        for (auto* t : timers_) t->due = host_->Now() + t->Interval / 1000.0;
}

void Runtime::Register(Form& f) { forms_.push_back(&f); }
void Runtime::Unregister(Form& f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &f), forms_.end());
    PopModal(f);
    if (captureForm_ == &f) {
        captureForm_ = nullptr;
        capture_ = pressed_ = nullptr;
    }
}
void Runtime::Register(Timer& t) { timers_.push_back(&t); }
void Runtime::Unregister(Timer& t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end());
}

void Runtime::Forget(Control* c) {
    if (hover_ == c) hover_ = nullptr;
    if (capture_ == c || pressed_ == c) capture_ = pressed_ = nullptr;
}

void Runtime::PopModal(Form& f) {
    modal_.erase(std::remove(modal_.begin(), modal_.end(), &f), modal_.end());
}

void Runtime::Present(Form& f) {
    if (!host_ || !f.windowOpen) return;
    // Changes inside the form's own picture and its picture boxes.
    for (const Rect& r : f.Picture.TakeDirty()) f.InvalidateRect(r);
    std::vector<std::pair<Control*, Rect>> order;
    Flatten(f, 0, 0, order);
    for (auto& [c, r] : order) {
        if (auto* pb = dynamic_cast<PictureBox*>(c))
            for (Rect d : pb->Image.TakeDirty()) f.InvalidateRect({d.x + r.x, d.y + r.y, d.w, d.h});
    }
    if (f.pending_.empty()) return;
    std::vector<Rect> rects;
    rects.swap(f.pending_);
    for (const Rect& r : rects) f.Compose(r);
    if (f.visible_) host_->Present(f, rects);
}

void Runtime::PresentAll() {
    for (Form* f : std::vector<Form*>(forms_)) Present(*f);
}

double Runtime::NextTimerDue() const {
    double next = 1e300;
    for (auto* t : timers_)
        if (t->Enabled() && t->Interval > 0) next = std::min(next, t->due);
    return next;
}

void Runtime::RefreshCursor(Form& f) {
    if (!host_) return;
    Control* c = hover_ && hover_->OwnerForm() == &f ? hover_ : nullptr;
    Cursor cur = Cursor::Default;
    for (Control* p = c; p; p = p->Parent())
        if (p->MousePointer() != Cursor::Default) {
            cur = p->MousePointer();
            break;
        }
    host_->SetCursor(f, cur);
}

namespace {

// Topmost visible control under (x, y), in form coordinates; Shapes let the
// mouse through as the form's own background.
Control* HitTest(Control& c, int x, int y, int ox, int oy, int& lx, int& ly) {
    const auto& kids = c.Children();
    for (size_t i = kids.size(); i-- > 0;) {
        Control* ch = kids[i];
        if (!ch->Visible() || dynamic_cast<Shape*>(ch)) continue;
        const Rect r{ox + ch->Left(), oy + ch->Top(), ch->Width(), ch->Height()};
        if (!r.Contains(x, y)) continue;
        if (Control* deeper = HitTest(*ch, x, y, r.x, r.y, lx, ly)) return deeper;
        lx = x - r.x;
        ly = y - r.y;
        return ch;
    }
    return nullptr;
}

}  // namespace

bool Runtime::Accepts(Form* f) const {
    if (!f || !f->loaded || !f->Visible() || !f->Enabled()) return false;
    if (!modal_.empty() && modal_.back() != f) return false;
    return std::find(forms_.begin(), forms_.end(), f) != forms_.end();
}

void Runtime::HandleMouse(InputEvent& e) {
    using T = InputEvent::Type;
    Form* f = e.form;
    if (e.type == T::MouseUp) buttons_ = e.buttons;
    if (!Accepts(f)) {
        if (e.type == T::MouseUp && e.buttons == 0) capture_ = pressed_ = nullptr;
        return;
    }
    Control* target = nullptr;
    int lx = e.x, ly = e.y;
    if (capture_ && captureForm_ == f) {
        target = capture_;
        const Rect r = capture_->FormRect();
        lx = e.x - r.x;
        ly = e.y - r.y;
    } else {
        target = HitTest(*f, e.x, e.y, 0, 0, lx, ly);
    }
    if (e.type == T::MouseMove && !capture_) {
        Control* over = target ? target : f;
        if (over != hover_) {
            hover_ = over;
            RefreshCursor(*f);
        }
    }
    Control* handler = target ? target : static_cast<Control*>(f);
    if (target && !target->Enabled()) return;
    const float fx = static_cast<float>(lx), fy = static_cast<float>(ly);
    switch (e.type) {
        case T::MouseDown:
            buttons_ = e.buttons;
            if (!capture_) {
                capture_ = handler;
                captureForm_ = f;
                pressed_ = handler;
            }
            if (handler->TakesFocus()) f->SetFocus(handler);
            handler->OnMouseDownBuiltin(e.button, fx, fy);
            if (handler->MouseDown) handler->MouseDown(e.button, e.shift, fx, fy);
            break;
        case T::MouseMove:
            if (handler->MouseMove) handler->MouseMove(e.buttons, e.shift, fx, fy);
            break;
        case T::MouseUp: {
            Control* was = pressed_;
            if (e.buttons == 0) capture_ = pressed_ = nullptr;
            if (handler->MouseUp) handler->MouseUp(e.button, e.shift, fx, fy);
            const Rect r{0, 0, handler->Width(), handler->Height()};
            if (e.button == vbLeftButton && was == handler && handler->Click &&
                r.Contains(lx, ly))
                handler->Click();
            break;
        }
        default:
            break;
    }
}

void Runtime::HandleKey(InputEvent& e) {
    using T = InputEvent::Type;
    Form* f = e.form;
    if (!Accepts(f)) return;
    Control* focus = f->FocusedControl();
    if (focus && (!focus->Visible() || !focus->Enabled())) focus = nullptr;
    if (e.type == T::KeyDown) {
        if ((f->KeyPreview || !focus) && f->KeyDown) f->KeyDown(e.key, e.shift);
        if (focus && Accepts(f)) focus->OnKeyDown(e.key, e.shift);
        // Keys that type a control character.
        if (e.key == vbKeyReturn || e.key == vbKeyBack || e.key == vbKeyEscape) {
            InputEvent p;
            p.type = T::Text;
            p.form = f;
            p.key = e.key;
            HandleKey(p);
        }
        return;
    }
    if (e.type == T::Text) {
        std::vector<int> codes;
        if (e.text.empty()) {
            codes.push_back(e.key);
        } else {
            for (char32_t cp : Utf8Decode(e.text)) codes.push_back(static_cast<int>(cp));
        }
        for (int ch : codes) {
            if (!Accepts(f)) return;
            if ((f->KeyPreview || !focus) && f->KeyPress) f->KeyPress(ch);
            if (focus && Accepts(f)) focus->OnKeyPress(ch);
        }
    }
}

void Runtime::RunTimers() {
    if (inTimers_ || !host_) return;
    inTimers_ = true;
    const double now = host_->Now();
    for (Timer* t : std::vector<Timer*>(timers_)) {
        if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
        if (!t->Enabled() || t->Interval <= 0 || now < t->due) continue;
        t->due = now + t->Interval / 1000.0;
        if (t->Tick) t->Tick();
    }
    inTimers_ = false;
}

bool Runtime::Dispatch() {
    if (!host_) return false;
    bool any = false;
    InputEvent e;
    while (host_->Poll(e)) {
        any = true;
        using T = InputEvent::Type;
        switch (e.type) {
            case T::MouseDown:
            case T::MouseUp:
            case T::MouseMove:
                HandleMouse(e);
                break;
            case T::KeyDown:
            case T::Text:
                HandleKey(e);
                break;
            case T::Close:
                if (e.form && std::find(forms_.begin(), forms_.end(), e.form) != forms_.end()) {
                    if (e.form->CloseRequest) e.form->CloseRequest();
                    else EndProgram(0);
                }
                break;
            case T::Quit:
                EndProgram(0);
                break;
            default:
                break;
        }
        e = InputEvent{};
    }
    if (RunPosted()) any = true;
    RunTimers();
    PresentAll();
    return any;
}

void Runtime::Post(std::function<void()> task) {
    Host* host = nullptr;
    {
        const std::lock_guard<std::mutex> lock(postMutex_);
        posted_.push_back(std::move(task));
        host = host_;
    }
    if (host) host->Wake();
}

bool Runtime::RunPosted() {
    std::vector<std::function<void()>> tasks;
    {
        const std::lock_guard<std::mutex> lock(postMutex_);
        tasks.swap(posted_);
    }
    // Tasks may open modal loops that run later posts themselves.
    for (auto& task : tasks) task();
    return !tasks.empty();
}

void DoEvents() { Runtime::Get().Dispatch(); }

namespace {

// One pass, then asleep until input, the next timer or `when`; a quarter
// second at most.
void WaitEventsUntil(double when) {
    Runtime& rt = Runtime::Get();
    if (rt.Dispatch() || !rt.HasHost()) return;
    Host* h = rt.GetHost();
    const double wake = std::min(rt.NextTimerDue(), when) - h->Now();
    h->Wait(std::clamp(wake, 0.0, 0.25));
}

}  // namespace

void WaitEvents() { WaitEventsUntil(std::numeric_limits<double>::infinity()); }

void WaitEventsFor(double seconds) {
    const double end = Now() + seconds;
    while (Now() <= end) WaitEventsUntil(end + 0.001);
}

double Now() {
    Runtime& rt = Runtime::Get();
    return rt.HasHost() ? rt.GetHost()->Now() : 0.0;
}

void Sleep(int ms) {
    if (Runtime::Get().HasHost()) Runtime::Get().GetHost()->Sleep(ms);
}

void Beep() {
    if (Runtime::Get().HasHost()) Runtime::Get().GetHost()->Beep();
}

std::string ClipboardText() {
    return Runtime::Get().HasHost() ? Runtime::Get().GetHost()->GetClipboard() : std::string();
}

void SetClipboardText(const std::string& utf8) {
    if (Runtime::Get().HasHost()) Runtime::Get().GetHost()->SetClipboard(utf8);
}

void EndProgram(int status) { throw ProgramEnd{status}; }

void RunInBackground(std::function<void()> job, std::shared_ptr<std::atomic<bool>> cancel) {
    Runtime& rt = Runtime::Get();
    if (rt.HasHost()) rt.GetHost()->RunJob(std::move(job), std::move(cancel));
    else job();
}

void Post(std::function<void()> task) { Runtime::Get().Post(std::move(task)); }

void SetHost(Host* host) { Runtime::Get().SetHost(host); }
Host* CurrentHost() { return Runtime::Get().GetHost(); }
const std::vector<Form*>& Forms() { return Runtime::Get().Forms(); }
Form* ModalTop() { return Runtime::Get().ModalTop(); }

bool WarpPointer(Form& f, int x, int y) {
    Host* h = Runtime::Get().GetHost();
    return h && h->WarpPointer(f, x, y);
}

bool SetFullScreen(Form& f, bool on) {
    Host* h = Runtime::Get().GetHost();
    return h && h->SetFullScreen(f, on);
}

void BeginWindowMove(Control& c, float x, float y) {
    Runtime& rt = Runtime::Get();
    Form* f = c.OwnerForm();
    if (!f || !rt.HasHost()) return;
    const Rect r = c.FormRect();
    rt.CancelCapture();
    rt.GetHost()->BeginMove(*f, r.x + static_cast<int>(x), r.y + static_cast<int>(y));
}


}  // namespace plat
