// The forms the game builds on: controls, forms, timers, and the free functions it calls (events, waits, the host).
// SPDX-License-Identifier: GPL-3.0-or-later
// The forms runtime: windows with persistent pictures, child controls with
// event handlers, timers, DoEvents and modal showing. One thread; handlers
// may run inside other handlers wherever the program yields.
#pragma once
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/region.h"
#include "platform/surface.h"

namespace plat {

class Form;
class Host;

// Mouse buttons and key codes as handlers receive them.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyEnd = 35;
inline constexpr int vbKeyHome = 36;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyF2 = 113;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeyInsert = 45;
inline constexpr int vbKeyF1 = 112;
inline constexpr int vbKeyF10 = 121;
inline constexpr int vbKeyF5 = 116;
// The settings' keys: F3 the dialog, F8 sound on/off.
inline constexpr int vbKeyF3 = 114;
inline constexpr int vbKeyF8 = 119;
// Full screen on and off.
inline constexpr int vbKeyF11 = 122;
// The workshop's key: F6 opens and leaves it.
inline constexpr int vbKeyF6 = 117;
// F4: the chooser of every shape.
inline constexpr int vbKeyF4 = 115;

enum class Cursor { Default, Arrow, Hand, Invisible, SizeAll };

struct Font {
    std::string name = "Arial";
    double size = 8.25;  // points at 96 dpi
    bool bold = false;
};

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using KeyHandler = std::function<void(int keyCode, int shift)>;

class Control {
public:
    explicit Control(std::string name = {}, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string Name;
    int Index = -1;  // element of a control array, -1 otherwise

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e) { enabled_ = e; }
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c);
    Cursor MousePointer() const { return cursor_; }
    void SetMousePointer(Cursor c);

    MouseHandler MouseDown, MouseMove, MouseUp;
    std::function<void()> Click;

    void Add(Control& child);  // child controls are painted above their parent
    const std::vector<Control*>& Children() const { return children_; }
    Control* Parent() const { return parent_; }
    virtual Form* OwnerForm();
    // Position relative to the form's top-left corner.
    Rect FormRect() const;
    // Repaint this control's area on the next present.
    void Invalidate();

    virtual void Paint(Surface& dst, Rect clip, int ox, int oy);
    virtual bool Opaque() const { return false; }
    virtual bool TakesFocus() const { return false; }
    virtual void OnKeyDown(int, int) {}
    virtual void OnKeyPress(int) {}
    // Runtime hooks for built-in behaviour (list selection by mouse, ...).
    virtual void OnMouseDownBuiltin(int, float, float) {}

protected:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    Colour backColor_ = 0;
    Cursor cursor_ = Cursor::Default;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
};

// A picture box keeps its own persistent image; Refresh shows its changes.
class PictureBox : public Control {
public:
    using Control::Control;
    Surface Image;
    void Resize(int width, int height);    // also sizes Image
    void Cls();                            // clears Image to BackColor
    void Refresh();                        // presents the changed parts now
    void Paint(Surface& dst, Rect clip, int ox, int oy) override;
    bool Opaque() const override { return true; }
};

enum class Align { Left = 0, Right = 1, Center = 2 };

class Label : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text);
    Colour ForeColor = 0;
    bool Transparent = false;
    Align Alignment = Align::Left;
    bool WordWrap = true;
    Font LabelFont;
    void Paint(Surface& dst, Rect clip, int ox, int oy) override;
    bool Opaque() const override { return !Transparent; }

private:
    std::string caption_;
};

// An invisible click area over the form's picture.
class ImageArea : public Control {
public:
    using Control::Control;
};

// A rounded frame drawn over the form.
class Shape : public Control {
public:
    using Control::Control;
    Colour BorderColor = 0;
    int BorderWidth = 1;
    int CornerRadius = 0;
    void Paint(Surface& dst, Rect clip, int ox, int oy) override;
};

// A one-line text field: caret and selection moved with Left, Right, Home
// and End (Shift selects), Backspace and Delete, a click placing the caret,
// Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+V with the system clipboard. Text is kept
// composed (NFC); MaxLength counts its code points.
class TextBox : public Control {
public:
    using Control::Control;
    const std::string& Text() const { return text_; }  // UTF-8
    void SetText(std::string text);  // caret at the end, nothing selected
    int MaxLength = 0;  // characters; 0 = no limit
    Colour ForeColor = 0;
    Font BoxFont;
    std::function<void()> Change;
    // Caret and selection, in code points from the start of the text.
    int SelStart() const { return std::min(caret_, anchor_); }
    int SelLength() const { return std::abs(caret_ - anchor_); }
    int Caret() const { return caret_; }
    void Paint(Surface& dst, Rect clip, int ox, int oy) override;
    bool Opaque() const override { return true; }
    bool TakesFocus() const override { return true; }
    void OnKeyDown(int key, int shift) override;
    void OnKeyPress(int ch) override;
    void OnMouseDownBuiltin(int button, float x, float y) override;

private:
    std::string text_;
    std::u32string chars_;
    int caret_ = 0, anchor_ = 0;
    int scroll_ = 0;  // pixels of text hidden on the left
    void Replace(const std::u32string& with);  // the selection, by typed or pasted text
    void Commit(std::u32string chars, int caret);
    int PixelOf(int index) const;
};

class ListBox : public Control {
public:
    using Control::Control;
    void Clear();
    void AddItem(std::string item);
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const { return items_.at(static_cast<size_t>(i)); }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int i);  // -1 = no selection; scrolls to show it
    int TopIndex() const { return topIndex_; }
    int VisibleRows() const;
    std::string SelectedText() const;  // empty when nothing is selected
    Colour ForeColor = 0;
    // The selected row: its bar and its text.
    Colour SelectedBackColor = 0xFFFFFF;
    Colour SelectedForeColor = 0;
    Font ListFont;
    int ItemHeight = 0;  // pixels per row; 0 = the font's line height
    std::function<void()> SelectionChanged;
    void Paint(Surface& dst, Rect clip, int ox, int oy) override;
    bool Opaque() const override { return true; }
    bool TakesFocus() const override { return true; }
    void OnKeyDown(int key, int shift) override;
    void OnMouseDownBuiltin(int button, float x, float y) override;
    int RowHeight() const;

private:
    std::vector<std::string> items_;
    int listIndex_ = -1, topIndex_ = 0;
};

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    int Interval = 0;  // milliseconds
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    std::function<void()> Tick;
    double due = 0;  // runtime bookkeeping

private:
    bool enabled_ = false;
};

class Form : public Control {
public:
    explicit Form(std::string name = {});
    ~Form() override;
    Form* OwnerForm() override { return this; }

    std::string Caption;
    std::string Tag;
    bool KeyPreview = false;
    // The window's own persistent image (its background picture).
    Surface Picture;
    Region Outline;  // empty = rectangular

    std::function<void()> Load;
    // The window system asked to close the window; without a handler the
    // program ends.
    std::function<void()> CloseRequest;
    KeyHandler KeyDown;
    std::function<void(int ch)> KeyPress;

    void Show();
    void Hide();
    // Runs nested event loops until the form hides itself; other forms take
    // no input meanwhile.
    void ShowModal();
    void Unload();
    void SetOutline(Region r);
    void Refresh();  // presents every changed area now
    Form* Owner = nullptr;  // centred over it when shown

    Control* FocusedControl() const { return focus_; }
    void SetFocus(Control* c) { focus_ = c; }

    // Composition: the picture and the visible controls, cut to rect.
    void Compose(Rect rect);
    Surface& Frame() { return frame_; }
    void InvalidateRect(Rect r);
    bool loaded = false, windowOpen = false;

private:
    Control* focus_ = nullptr;
    Surface frame_;
    std::vector<Rect> pending_;
    friend class Runtime;
};

// Thrown to end the program from any depth of nested loops; main catches it.
struct ProgramEnd {
    int status = 0;
};

// Processes every pending input event and due timer, then returns.
void DoEvents();
// As DoEvents, but when nothing was pending waits briefly for input or a
// timer so that long loops do not spin the processor.
void WaitEvents();
// Keeps handling events until more than `seconds` have passed, without
// spinning and without sleeping past the end.
void WaitEventsFor(double seconds);
double Now();           // monotonic seconds
void Sleep(int ms);     // without processing events
void Beep();
// The system clipboard's text (UTF-8); empty without a host.
std::string ClipboardText();
void SetClipboardText(const std::string& utf8);
void EndProgram(int status = 0);
// Runs the job off the main thread where the host has a worker, else at once.
// The cancel flag, when given, is set if the program ends before the job
// does (the job watches it).
void RunInBackground(std::function<void()> job, std::shared_ptr<std::atomic<bool>> cancel = nullptr);
// Queues the task for the main thread, which runs it at its next DoEvents
// after the pending input; callable from any thread.
void Post(std::function<void()> task);

// The host the forms run on (null: none, as in some tests); set by main and
// the test fixtures, before the first form shows and after the last one.
void SetHost(Host* host);
Host* CurrentHost();
// Every form that exists, in creation order.
const std::vector<Form*>& Forms();
// The innermost form shown modally, or null.
Form* ModalTop();
// Moves the pointer to the form's pixel (x, y); false where the system does
// not let a program move it, or without a host.
bool WarpPointer(Form& f, int x, int y);
// The form's window fills the screen (on) or goes back where it was (off);
// false without a host or where the host has no full screen.
bool SetFullScreen(Form& f, bool on);

}  // namespace plat
