// The simple controls: the control base, the picture box, the label, the frame shape, the timer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "platform/forms.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace plat {

// ---- Control ------------------------------------------------------------

Control::Control(std::string name, int index) : Name(std::move(name)), Index(index) {}

Control::~Control() {
    Runtime::Get().Forget(this);
    if (parent_) {
        auto& v = parent_->children_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    for (auto* c : children_) c->parent_ = nullptr;
}

void Control::Move(int left, int top, int width, int height) {
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (Form* f = OwnerForm()) f->InvalidateRect(FormRect());
}

void Control::SetBackColor(Colour c) {
    if (c == backColor_) return;
    backColor_ = c;
    Invalidate();
}

void Control::SetMousePointer(Cursor c) {
    cursor_ = c;
    // Takes effect at once when the pointer is over this control.
    if (Form* f = OwnerForm(); f && Runtime::Get().HasHost() && f->windowOpen)
        Runtime::Get().RefreshCursor(*f);
}

void Control::Add(Control& child) {
    child.parent_ = this;
    children_.push_back(&child);
    child.Invalidate();
}

Form* Control::OwnerForm() { return parent_ ? parent_->OwnerForm() : nullptr; }

Rect Control::FormRect() const {
    Rect r{left_, top_, width_, height_};
    for (const Control* p = parent_; p && p->parent_; p = p->parent_) {
        r.x += p->left_;
        r.y += p->top_;
    }
    return r;
}

void Control::Invalidate() {
    if (Form* f = OwnerForm()) f->InvalidateRect(FormRect());
}

void Control::Paint(Surface&, Rect, int, int) {}

// ---- PictureBox ---------------------------------------------------------

void PictureBox::Resize(int width, int height) {
    Move(left_, top_, width, height);
    Image = Surface(width, height, ToPixel(backColor_));
}

void PictureBox::Cls() { Image.Fill({0, 0, Image.Width(), Image.Height()}, ToPixel(backColor_)); }

void PictureBox::Refresh() {
    if (Form* f = OwnerForm()) Runtime::Get().Present(*f);
}

void PictureBox::Paint(Surface& dst, Rect clip, int ox, int oy) {
    const Rect r = Intersect(clip, {ox, oy, width_, height_});
    if (r.Empty()) return;
    if (Image.Empty()) {
        dst.Fill(r, ToPixel(backColor_));
        return;
    }
    // Area outside the image shows the back colour.
    if (Image.Width() < width_ || Image.Height() < height_) dst.Fill(r, ToPixel(backColor_));
    BitBlt(dst, r.x, r.y, r.w, r.h, Image, r.x - ox, r.y - oy, SRCCOPY);
}

// ---- Label --------------------------------------------------------------

void Label::SetCaption(std::string text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    Invalidate();
}

namespace {

void PaintText(Surface& dst, Rect clip, Rect box, const Font& font, const std::string& text,
               Colour colour, Align align, bool wrap) {
    const std::vector<std::string> lines =
        wrap ? WrapText(font, text, box.w) : std::vector<std::string>{text};
    int y = box.y;
    const int skip = LineHeight(font);
    for (const auto& line : lines) {
        const int w = TextWidth(font, line);
        int x = box.x;
        if (align == Align::Center) x = box.x + (box.w - w) / 2;
        if (align == Align::Right) x = box.Right() - w;
        DrawTextLine(dst, Intersect(clip, box), x, y, font, line, colour);
        y += skip;
    }
}

}  // namespace

void Label::Paint(Surface& dst, Rect clip, int ox, int oy) {
    const Rect box{ox, oy, width_, height_};
    const Rect r = Intersect(clip, box);
    if (r.Empty()) return;
    if (!Transparent) dst.Fill(r, ToPixel(backColor_));
    PaintText(dst, r, box, LabelFont, caption_, ForeColor, Alignment, WordWrap);
}

// ---- Shape --------------------------------------------------------------

void Shape::Paint(Surface& dst, Rect clip, int ox, int oy) {
    const Rect box{ox, oy, width_, height_};
    const Rect r = Intersect(clip, box);
    if (r.Empty() || BorderWidth <= 0) return;
    // The frame is the band between the outer rounded rectangle and one
    // BorderWidth inside it.
    const Region outer = Region::RoundRect(0, 0, width_, height_, 2 * CornerRadius, 2 * CornerRadius);
    const int b = BorderWidth;
    const int inner_r = std::max(0, CornerRadius - b);
    const Region inner =
        Region::RoundRect(b, b, width_ - b, height_ - b, 2 * inner_r, 2 * inner_r);
    const std::uint32_t px = ToPixel(BorderColor);
    for (int y = r.y; y < r.Bottom(); ++y) {
        std::uint32_t* row = dst.Row(y);
        for (int x = r.x; x < r.Right(); ++x) {
            const int lx = x - ox, ly = y - oy;
            if (outer.Contains(lx, ly) && !inner.Contains(lx, ly)) row[x] = px;
        }
    }
    dst.Invalidate(r);
}


// ---- Timer --------------------------------------------------------------

Timer::Timer() { Runtime::Get().Register(*this); }
Timer::~Timer() { Runtime::Get().Unregister(*this); }

void Timer::SetEnabled(bool e) {
    if (e && !enabled_) due = Runtime::Get().HasHost() ? Now() + Interval / 1000.0 : 0;
    enabled_ = e;
}

}  // namespace plat
