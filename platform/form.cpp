// Forms: showing, hiding, modal showing, and composing the picture with the visible controls.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/forms.h"
#include "platform/runtime.h"
#include "platform/system.h"

namespace plat {


// ---- Form ---------------------------------------------------------------

Form::Form(std::string name) : Control(std::move(name)) { Runtime::Get().Register(*this); }

Form::~Form() {
    Unload();
    Runtime::Get().Unregister(*this);
}

void Form::InvalidateRect(Rect r) {
    r = Intersect(r, {0, 0, width_, height_});
    if (r.Empty()) return;
    for (auto& p : pending_) {
        if (!Intersect(p, r).Empty()) {
            p = Bounding(p, r);
            return;
        }
    }
    pending_.push_back(r);
}

void Form::SetOutline(Region r) {
    Outline = std::move(r);
    if (windowOpen) Runtime::Get().GetHost()->ApplyOutline(*this);
}

void Form::Show() {
    Runtime& rt = Runtime::Get();
    if (!loaded) {
        loaded = true;
        try {
            if (Load) Load();
        } catch (...) {
            loaded = false;  // a failed load leaves the form unloaded
            throw;
        }
    }
    if (!rt.HasHost()) {
        visible_ = true;
        return;
    }
    if (!windowOpen) {
        rt.GetHost()->OpenWindow(*this);
        windowOpen = true;
    }
    frame_ = Surface(width_, height_);
    pending_.assign(1, Rect{0, 0, width_, height_});
    visible_ = true;
    rt.GetHost()->ShowWindow(*this);
    rt.Present(*this);
}

void Form::Hide() {
    visible_ = false;
    if (windowOpen && Runtime::Get().HasHost()) Runtime::Get().GetHost()->HideWindow(*this);
}

void Form::ShowModal() {
    Runtime& rt = Runtime::Get();
    Show();
    rt.PushModal(*this);
    // A modal form holds the shape's playing clock while it is shown.
    Hold(true);
    struct Pop {
        Runtime& rt;
        Form& f;
        ~Pop() {
            rt.PopModal(f);
            Hold(false);
        }
    } pop{rt, *this};
    while (visible_ && rt.HasHost()) WaitEvents();
}

void Form::Unload() {
    visible_ = false;
    if (windowOpen && Runtime::Get().HasHost()) Runtime::Get().GetHost()->CloseWindow(*this);
    windowOpen = false;
    loaded = false;
}

void Form::Refresh() { Runtime::Get().Present(*this); }

void Flatten(Control& c, int ox, int oy, std::vector<std::pair<Control*, Rect>>& out) {
    for (Control* ch : c.Children()) {
        if (!ch->Visible()) continue;
        const Rect r{ox + ch->Left(), oy + ch->Top(), ch->Width(), ch->Height()};
        out.emplace_back(ch, r);
        Flatten(*ch, r.x, r.y, out);
    }
}

namespace {

bool Covers(const Rect& outer, const Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

}  // namespace

void Form::Compose(Rect rect) {
    rect = Intersect(rect, {0, 0, width_, height_});
    if (rect.Empty()) return;
    if (frame_.Width() != width_ || frame_.Height() != height_) frame_ = Surface(width_, height_);
    std::vector<std::pair<Control*, Rect>> order;
    Flatten(*this, 0, 0, order);
    // Start from the topmost opaque control that hides everything below.
    size_t first = 0;
    bool covered = false;
    for (size_t i = order.size(); i-- > 0;) {
        if (order[i].first->Opaque() && Covers(order[i].second, rect)) {
            first = i;
            covered = true;
            break;
        }
    }
    if (!covered) {
        if (Picture.Empty()) {
            frame_.Fill(rect, ToPixel(backColor_));
        } else {
            frame_.Fill(rect, ToPixel(backColor_));
            BitBlt(frame_, rect.x, rect.y, rect.w, rect.h, Picture, rect.x, rect.y, SRCCOPY);
        }
    }
    for (size_t i = first; i < order.size(); ++i) {
        const auto& [c, r] = order[i];
        if (Intersect(r, rect).Empty()) continue;
        c->Paint(frame_, Intersect(rect, r), r.x, r.y);
    }
    frame_.TakeDirty();
}

}  // namespace plat
