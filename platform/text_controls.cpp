// The text controls: the one-line text box and the list box.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "platform/forms.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace plat {

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

}  // namespace plat
