// The host without a display that the tests drive.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless.h"

namespace plat {

HeadlessHost::HeadlessHost() = default;
HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::ToForm(const Control* c, int& x, int& y) {
    if (!c || dynamic_cast<const Form*>(c)) return;
    const Rect r = c->FormRect();
    x += r.x;
    y += r.y;
}

void HeadlessHost::Push(InputEvent e) { queue_.push_back(std::move(e)); }

void HeadlessHost::PushMouse(InputEvent::Type type, Form& f, const Control* c, int x, int y,
                             int button, int buttons) {
    ToForm(c, x, y);
    InputEvent e;
    e.type = type;
    e.form = &f;
    e.x = x;
    e.y = y;
    e.button = button;
    e.buttons = buttons;
    Push(e);
}

void HeadlessHost::MouseDown(Form& f, const Control* c, int x, int y, int button) {
    PushMouse(InputEvent::Type::MouseDown, f, c, x, y, button, button);
}

void HeadlessHost::MouseUp(Form& f, const Control* c, int x, int y, int button) {
    PushMouse(InputEvent::Type::MouseUp, f, c, x, y, button, 0);
}

void HeadlessHost::MouseMove(Form& f, const Control* c, int x, int y, int buttons) {
    PushMouse(InputEvent::Type::MouseMove, f, c, x, y, 0, buttons);
}

void HeadlessHost::Click(Form& f, const Control* c, int x, int y, int button) {
    MouseDown(f, c, x, y, button);
    MouseUp(f, c, x, y, button);
}

void HeadlessHost::KeyDown(Form& f, int key, int shift) {
    InputEvent e;
    e.type = InputEvent::Type::KeyDown;
    e.form = &f;
    e.key = key;
    e.shift = shift;
    Push(e);
    // Printable keys also type their character, as a keyboard does.
    if (key == vbKeySpace) KeyPress(f, ' ');
}

void HeadlessHost::KeyPress(Form& f, int ch) {
    InputEvent e;
    e.type = InputEvent::Type::Text;
    e.form = &f;
    e.key = ch;
    if (ch >= 32) {
        // Encoded as typed text so the runtime takes the same path as real input.
        std::string s;
        if (ch < 0x80) s += static_cast<char>(ch);
        else if (ch < 0x800) {
            s += static_cast<char>(0xC0 | (ch >> 6));
            s += static_cast<char>(0x80 | (ch & 0x3F));
        } else {
            s += static_cast<char>(0xE0 | (ch >> 12));
            s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (ch & 0x3F));
        }
        e.text = s;
    }
    Push(e);
}

void HeadlessHost::Type(Form& f, const std::string& utf8) {
    InputEvent e;
    e.type = InputEvent::Type::Text;
    e.form = &f;
    e.text = utf8;
    Push(e);
}

void HeadlessHost::CloseRequest(Form& f) {
    InputEvent e;
    e.type = InputEvent::Type::Close;
    e.form = &f;
    Push(e);
}

void HeadlessHost::QuitRequest() {
    InputEvent e;
    e.type = InputEvent::Type::Quit;
    Push(e);
}

int HeadlessHost::PresentCount(const Form& f) const {
    auto it = windows_.find(&f);
    return it == windows_.end() ? 0 : it->second.presents;
}

bool HeadlessHost::IsShown(const Form& f) const {
    auto it = windows_.find(&f);
    return it != windows_.end() && it->second.open && it->second.shown;
}

bool HeadlessHost::IsOpen(const Form& f) const {
    auto it = windows_.find(&f);
    return it != windows_.end() && it->second.open;
}

Cursor HeadlessHost::CurrentCursor(const Form& f) const {
    auto it = cursors_.find(&f);
    return it == cursors_.end() ? Cursor::Default : it->second;
}

void HeadlessHost::OpenWindow(Form& f) { windows_[&f].open = true; }

void HeadlessHost::CloseWindow(Form& f) {
    windows_.erase(&f);
    cursors_.erase(&f);
    // Input still queued for a closed window is dropped, as a window system would.
    for (auto& e : queue_)
        if (e.form == &f) e.form = nullptr;
}

void HeadlessHost::ShowWindow(Form& f) { windows_[&f].shown = true; }
void HeadlessHost::HideWindow(Form& f) { windows_[&f].shown = false; }

void HeadlessHost::Present(Form& f, const std::vector<Rect>&) { ++windows_[&f].presents; }

bool HeadlessHost::Poll(InputEvent& e) {
    now_ += clockStep;
    if (queue_.empty()) {
        // The idle script runs once each time the queue runs dry; the poll
        // after it reports the queue empty so that every pass ends.
        if (idleDone_ || !OnIdle) {
            idleDone_ = false;
            return false;
        }
        idleDone_ = true;
        const auto idle = OnIdle;  // a copy: the script may replace itself
        idle();
    }
    while (!queue_.empty()) {
        e = queue_.front();
        queue_.pop_front();
        if (e.type == InputEvent::Type::Quit || e.form) return true;
    }
    return false;
}

void HeadlessHost::Wait(double seconds) { now_ += seconds; }

}  // namespace plat
