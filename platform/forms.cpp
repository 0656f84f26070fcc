// The forms runtime: forms, controls, events, modal showing and the event loop.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/forms.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <filesystem>

#include "platform/files.h"
#include "platform/host.h"
#include "platform/text.h"
#include "platform/utf8.h"

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

// ---- TextBox ------------------------------------------------------------

namespace {

std::u32string Chars(const std::string& utf8) {
    const std::vector<char32_t> cps = Utf8Decode(utf8);
    return std::u32string(cps.begin(), cps.end());
}

}  // namespace

void TextBox::SetText(std::string text) {
    chars_.clear();
    Commit(Chars(text), -1);
}

// Keeps the text composed; the caret stays after what was left of it.
void TextBox::Commit(std::u32string chars, int caret) {
    const std::string all = Utf8Nfc(Utf8Encode(chars));
    const std::u32string composed = Chars(all);
    const int at = caret < 0 ? static_cast<int>(composed.size())
                             : static_cast<int>(Utf8Length(Utf8Nfc(Utf8Encode(chars.substr(0, static_cast<size_t>(caret))))));
    caret_ = anchor_ = std::min(at, static_cast<int>(composed.size()));
    Invalidate();
    if (composed == chars_ && all == text_) return;
    chars_ = composed;
    text_ = all;
    if (Change) Change();
}

void TextBox::Replace(const std::u32string& with) {
    const size_t start = static_cast<size_t>(SelStart()), len = static_cast<size_t>(SelLength());
    std::u32string ins;
    // Line breaks and control characters never enter a one-line field.
    for (char32_t c : with)
        if (!IsControl(c)) ins += c;
    const std::u32string left = chars_.substr(0, start), right = chars_.substr(start + len);
    if (MaxLength > 0) {
        // Cut to what fits, counted as the composed text will be.
        ins.resize(std::min(ins.size(), static_cast<size_t>(MaxLength) * 4));
        while (!ins.empty() && Utf8Length(Utf8Nfc(Utf8Encode(left + ins + right))) > static_cast<size_t>(MaxLength))
            ins.pop_back();
        if (ins.empty() && !with.empty() && len == 0) return;  // full: the key is refused
    }
    Commit(left + ins + right, static_cast<int>(left.size() + ins.size()));
}

void TextBox::OnKeyPress(int ch) {
    if (ch == vbKeyBack) {
        if (SelLength() == 0 && caret_ > 0) anchor_ = caret_ - 1;
        if (SelLength() > 0) Replace(U"");
        return;
    }
    if (ch < 32 || ch == 127) return;  // Enter, Tab, Escape: not text
    Replace(std::u32string(1, static_cast<char32_t>(ch)));
}

void TextBox::OnKeyDown(int key, int shift) {
    const bool extend = (shift & 1) != 0, ctrl = (shift & 2) != 0;
    const int size = static_cast<int>(chars_.size());
    const auto moveTo = [&](int to) {
        caret_ = std::clamp(to, 0, size);
        if (!extend) anchor_ = caret_;
        Invalidate();
    };
    const std::string selected =
        Utf8Encode(chars_.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength())));
    switch (key) {
        case vbKeyLeft:
            moveTo(!extend && SelLength() > 0 ? SelStart() : caret_ - 1);
            break;
        case vbKeyRight:
            moveTo(!extend && SelLength() > 0 ? SelStart() + SelLength() : caret_ + 1);
            break;
        case vbKeyHome: moveTo(0); break;
        case vbKeyEnd: moveTo(size); break;
        case vbKeyDelete:
            if (SelLength() == 0 && caret_ < size) anchor_ = caret_ + 1;
            if (SelLength() > 0) Replace(U"");
            break;
        case 'A':
            if (!ctrl) break;
            anchor_ = 0;
            caret_ = size;
            Invalidate();
            break;
        case 'C':
        case 'X':
            if (!ctrl || selected.empty()) break;
            SetClipboardText(selected);
            if (key == 'X') Replace(U"");
            break;
        case 'V':
            if (ctrl) Replace(Chars(ClipboardText()));
            break;
        default: break;
    }
}

int TextBox::PixelOf(int index) const {
    return index <= 0 ? 0 : TextWidth(BoxFont, Utf8Encode(chars_.substr(0, static_cast<size_t>(index))));
}

namespace {
constexpr int kTextPad = 3, kCaretWidth = 2;
}  // namespace

void TextBox::OnMouseDownBuiltin(int button, float x, float) {
    if (button != vbLeftButton) return;
    // The caret goes to the character boundary nearest the click.
    const int target = static_cast<int>(x) - kTextPad + scroll_;
    int best = 0;
    for (int i = 1; i <= static_cast<int>(chars_.size()); ++i)
        if (std::abs(PixelOf(i) - target) < std::abs(PixelOf(best) - target)) best = i;
    caret_ = anchor_ = best;
    Invalidate();
}

void TextBox::Paint(Surface& dst, Rect clip, int ox, int oy) {
    const Rect box{ox, oy, width_, height_};
    const Rect r = Intersect(clip, box);
    if (r.Empty()) return;
    dst.Fill(r, ToPixel(backColor_));
    const int y = oy + std::max(0, (height_ - FontHeight(BoxFont)) / 2);
    const Rect inner{ox + kTextPad, oy, width_ - 2 * kTextPad, height_};
    // The text slides left just enough for the caret to stay in view.
    const int textWidth = PixelOf(static_cast<int>(chars_.size()));
    const int caretX = PixelOf(caret_);
    scroll_ = std::clamp(scroll_, 0, std::max(0, textWidth + 1 + kCaretWidth - inner.w));
    if (caretX + 1 + kCaretWidth - scroll_ > inner.w) scroll_ = caretX + 1 + kCaretWidth - inner.w;
    if (caretX < scroll_) scroll_ = caretX;
    const int tx = inner.x - scroll_;
    const Rect view = Intersect(r, inner);
    DrawTextLine(dst, view, tx, y, BoxFont, text_, ForeColor);
    if (SelLength() > 0) {
        // The selection in inverse video.
        const int a = PixelOf(SelStart()), b = PixelOf(SelStart() + SelLength());
        const Rect sel = Intersect(view, {tx + a, y, b - a + 1, FontHeight(BoxFont)});
        dst.Fill(sel, ToPixel(ForeColor));
        DrawTextLine(dst, sel, tx, y, BoxFont, text_, backColor_);
    }
    if (Form* f = OwnerForm(); f && f->FocusedControl() == this) {
        const Rect caret{tx + caretX + 1, y + 2, kCaretWidth, FontHeight(BoxFont) - 4};
        dst.Fill(Intersect(view, caret), ToPixel(ForeColor));
    }
}

// ---- ListBox ------------------------------------------------------------

void ListBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    Invalidate();
}

void ListBox::AddItem(std::string item) {
    items_.push_back(std::move(item));
    Invalidate();
}

int ListBox::RowHeight() const { return std::max(1, ItemHeight > 0 ? ItemHeight : LineHeight(ListFont)); }

int ListBox::VisibleRows() const { return std::max(1, height_ / RowHeight()); }

void ListBox::SetListIndex(int i) {
    if (i < -1 || i >= ListCount()) i = -1;
    if (i != -1) {
        if (i < topIndex_) topIndex_ = i;
        if (i >= topIndex_ + VisibleRows()) topIndex_ = i - VisibleRows() + 1;
    }
    const bool changed = i != listIndex_;
    listIndex_ = i;
    Invalidate();
    if (changed && SelectionChanged) SelectionChanged();
}

std::string ListBox::SelectedText() const {
    return listIndex_ >= 0 && listIndex_ < ListCount() ? items_[static_cast<size_t>(listIndex_)]
                                                       : std::string();
}

void ListBox::OnKeyDown(int key, int) {
    if (items_.empty()) return;
    const int last = ListCount() - 1;
    const int cur = listIndex_;
    int next = cur;
    switch (key) {
        case vbKeyUp: next = cur <= 0 ? 0 : cur - 1; break;
        case vbKeyDown: next = cur < 0 ? 0 : std::min(last, cur + 1); break;
        case vbKeyHome: next = 0; break;
        case vbKeyEnd: next = last; break;
        case vbKeyPageUp: next = std::max(0, (cur < 0 ? 0 : cur) - (VisibleRows() - 1)); break;
        case vbKeyPageDown: next = std::min(last, (cur < 0 ? 0 : cur) + (VisibleRows() - 1)); break;
        default: return;
    }
    SetListIndex(next);
}

void ListBox::OnMouseDownBuiltin(int button, float, float y) {
    if (button != vbLeftButton) return;
    const int row = topIndex_ + static_cast<int>(std::floor(y / RowHeight()));
    if (row >= 0 && row < ListCount()) SetListIndex(row);
}

void ListBox::Paint(Surface& dst, Rect clip, int ox, int oy) {
    const Rect box{ox, oy, width_, height_};
    const Rect r = Intersect(clip, box);
    if (r.Empty()) return;
    dst.Fill(r, ToPixel(backColor_));
    const int rh = RowHeight();
    for (int i = topIndex_, y = oy; i < ListCount() && y < oy + height_; ++i, y += rh) {
        const Rect row = Intersect(r, {ox, y, width_, rh});
        Colour fg = ForeColor;
        if (i == listIndex_) {
            dst.Fill(row, ToPixel(SelectedBackColor));
            fg = SelectedForeColor;
        }
        // One pixel up: the descenders of lower-case names end inside the row.
        DrawTextLine(dst, row, ox + 3, y - 1, ListFont, items_[static_cast<size_t>(i)], fg);
    }
}

// ---- FileListBox --------------------------------------------------------

namespace {

bool MatchPattern(const std::string& name, const std::string& pat, size_t i = 0, size_t j = 0) {
    while (j < pat.size()) {
        if (pat[j] == '*') {
            for (size_t k = i; k <= name.size(); ++k)
                if (MatchPattern(name, pat, k, j + 1)) return true;
            return false;
        }
        if (i >= name.size()) return false;
        if (pat[j] != '?' && pat[j] != name[i]) return false;
        ++i;
        ++j;
    }
    return i == name.size();
}

}  // namespace

void FileListBox::Refresh() {
    files_.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(PathOf(Path), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string name = Utf8Of(it->path().filename());
        if (MatchPattern(name, Pattern)) files_.push_back(name);
    }
    std::sort(files_.begin(), files_.end());
}

// ---- Timer --------------------------------------------------------------

Timer::Timer() { Runtime::Get().Register(*this); }
Timer::~Timer() { Runtime::Get().Unregister(*this); }

void Timer::SetEnabled(bool e) {
    if (e && !enabled_) due = Runtime::Get().HasHost() ? Now() + Interval / 1000.0 : 0;
    enabled_ = e;
}

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
    struct Pop {
        Runtime& rt;
        Form& f;
        ~Pop() { rt.PopModal(f); }
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

namespace {

void Flatten(Control& c, int ox, int oy, std::vector<std::pair<Control*, Rect>>& out) {
    for (Control* ch : c.Children()) {
        if (!ch->Visible()) continue;
        const Rect r{ox + ch->Left(), oy + ch->Top(), ch->Width(), ch->Height()};
        out.emplace_back(ch, r);
        Flatten(*ch, r.x, r.y, out);
    }
}

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

// ---- Runtime ------------------------------------------------------------

Runtime& Runtime::Get() {
    static Runtime rt;
    return rt;
}

void Runtime::SetHost(Host* host) {
    host_ = host;
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
        if (!ch->Visible() || dynamic_cast<Shape*>(ch) || dynamic_cast<FileListBox*>(ch)) continue;
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
        if (e.key == vbKeyReturn || e.key == vbKeyBack || e.key == 27) {
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
    {
        const std::lock_guard<std::mutex> lock(postMutex_);
        posted_.push_back(std::move(task));
    }
    if (host_) host_->Wake();
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

void RunInBackground(std::function<void()> job) {
    Runtime& rt = Runtime::Get();
    if (rt.HasHost()) rt.GetHost()->RunJob(std::move(job));
    else job();
}

void Post(std::function<void()> task) { Runtime::Get().Post(std::move(task)); }

void BeginWindowMove(Control& c, float x, float y) {
    Runtime& rt = Runtime::Get();
    Form* f = c.OwnerForm();
    if (!f || !rt.HasHost()) return;
    const Rect r = c.FormRect();
    rt.CancelCapture();
    rt.GetHost()->BeginMove(*f, r.x + static_cast<int>(x), r.y + static_cast<int>(y));
}

}  // namespace plat
