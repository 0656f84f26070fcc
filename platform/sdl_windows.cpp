// The SDL host's windows: creating them (shaped where the form has an outline), showing, placing, presenting.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL_shape.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/look.h"
#include "platform/scale.h"
#include "platform/system.h"
#include "platform/sdl_host_impl.h"

namespace plat {

// ---- the window of each form ----------------------------------------------

SDL_Window* SdlHost::Impl::WindowOf(const Form* f) const {
    auto it = windows.find(const_cast<Form*>(f));
    return it == windows.end() ? nullptr : it->second;
}

Form* SdlHost::Impl::FormOf(Uint32 id) const {
    if (id == 0 || !SDL_GetWindowFromID(id)) return nullptr;
    auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

SDL_Window* SdlHost::Impl::CreateFormWindow(const Form& f, bool shaped) const {
    const int w = std::max(1, f.Width()) * scale, h = std::max(1, f.Height()) * scale;
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (shaped)
        return SDL_CreateShapedWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    return SDL_CreateWindow(f.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
}

void SdlHost::Impl::Adopt(Form& f, SDL_Window* win) {
    windows[&f] = win;
    byId[SDL_GetWindowID(win)] = &f;
    if (LoadIcon()) SDL_SetWindowIcon(win, icon);
    x11.Find(win);
}

void SdlHost::Impl::Forget(Form* f) {
    SDL_Window* w = WindowOf(f);
    if (!w) return;
    byId.erase(SDL_GetWindowID(w));
    windows.erase(f);
    placed.erase(f);
    drag.Forget(f);
    SDL_DestroyWindow(w);
}

void SdlHost::Impl::FocusOwner(Form& f) {
    if (!f.Owner) return;
    SDL_Window* owner = WindowOf(f.Owner);
    if (!owner || (SDL_GetWindowFlags(owner) & SDL_WINDOW_HIDDEN)) return;
    // Without a window manager nobody else hands the keyboard back.
    SDL_SetWindowInputFocus(owner);
    SDL_RaiseWindow(owner);
}

SDL_Window* SdlHost::Impl::ShownDialogOf(Form* f) const {
    SDL_Window* found = nullptr;
    for (int depth = 0; depth < 8; ++depth) {
        Form* child = nullptr;
        for (auto& [form, win] : windows)
            if (form->Owner == f && !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) child = form;
        if (!child) break;
        found = WindowOf(child);
        f = child;
    }
    return found;
}

void SdlHost::Impl::Place(Form* f, int x, int y) {
    SDL_Window* w = WindowOf(f);
    if (!w) return;
    SDL_SetWindowPosition(w, x, y);
    placed[f] = SDL_Point{x, y};
}

Uint32 SdlHost::Impl::MarginColour(const SDL_Surface* out) const {
    return SDL_MapRGB(out->format, look::kDarkGreen.r, look::kDarkGreen.g, look::kDarkGreen.b);
}

bool SdlHost::Impl::InMargin(const Form* f, int x, int y) const {
    if (f != fullScreen) return false;
    if (x < 0 || y < 0 || x >= f->Width() || y >= f->Height()) return true;
    return !fullInside.empty() && !fullInside[static_cast<size_t>(y) * f->Width() + x];
}

SDL_Point SdlHost::Impl::CentredPlace(Form* f) const {
    SDL_Window* win = WindowOf(f);
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    SDL_Window* owner = f->Owner ? WindowOf(f->Owner) : nullptr;
    auto ownerAt = f->Owner ? placed.find(f->Owner) : placed.end();
    if (owner && ownerAt != placed.end()) {
        int ow = 0, oh = 0;
        SDL_GetWindowSize(owner, &ow, &oh);
        return {ownerAt->second.x + (ow - w) / 2, ownerAt->second.y + (oh - h) / 2};
    }
    SDL_Rect screen{0, 0, w, h};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(win)), &screen);
    return {screen.x + (screen.w - w) / 2, screen.y + (screen.h - h) / 2};
}

// ---- opening, showing, hiding -----------------------------------------------

void SdlHost::OpenWindow(Form& f) {
    if (impl_->WindowOf(&f)) return;
    SDL_Window* win = nullptr;
    if (!f.Outline.Empty() && !impl_->noShapes) {
        win = impl_->CreateFormWindow(f, true);
        if (!win) NoShapes(SDL_GetError());
    }
    // A rectangular window with the same picture where shapes fail.
    if (!win) win = impl_->CreateFormWindow(f, false);
    if (!win) {
        SDL_Log("tessalor: window not created: %s", SDL_GetError());
        return;
    }
    impl_->Adopt(f, win);
    ApplyOutline(f);
}

void SdlHost::CloseWindow(Form& f) {
    if (impl_->wantFull == &f) impl_->wantFull = nullptr;
    if (impl_->fullScreen == &f) {
        impl_->fullScreen = nullptr;
        impl_->scale = impl_->windowedScale;
    }
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    const bool shown = !(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN);
    impl_->Forget(&f);
    if (shown) impl_->FocusOwner(f);
}

void SdlHost::ShowWindow(Form& f) {
    if (!impl_->WindowOf(&f)) OpenWindow(f);
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    SDL_Window* owner = f.Owner ? impl_->WindowOf(f.Owner) : nullptr;
    // A shaped window waits off-screen until it is placed.
    const SDL_Point at = impl_->CentredPlace(&f);
    impl_->Place(&f, at.x, at.y);
    // Full screen asked before the window showed: it opens so, and leaving
    // it brings the window here.
    if (impl_->wantFull == &f) {
        impl_->wantFull = nullptr;
        ApplyFullScreen(f, true);
        win = impl_->WindowOf(&f);
    }
    SDL_ShowWindow(win);
    SDL_RaiseWindow(win);
    if (owner) SDL_SetWindowModalFor(win, owner);
    SDL_SetWindowInputFocus(win);
    // The first window shown is the main one: a second launch raises it.
    static bool noted = false;
    if (!noted)
        if (const unsigned long id = X11WindowId(win)) {
            noted = true;
            NoteInstanceWindow(id);
        }
}

bool SdlHost::WarpPointer(Form& f, int x, int y) {
    SDL_Window* win = impl_->WindowOf(&f);
    // X and Windows let a program move the pointer; elsewhere SDL drops the
    // call silently.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!win || !driver || (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "windows") != 0)) return false;
    const SDL_Point off = impl_->OffsetOf(&f);
    SDL_WarpMouseInWindow(win, x * impl_->scale + off.x, y * impl_->scale + off.y);
    return true;
}

void SdlHost::HideWindow(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    if (impl_->drag.Moving() == &f) impl_->drag.End();
    SDL_HideWindow(win);
    impl_->FocusOwner(f);
}

// ---- the outline ------------------------------------------------------------

namespace {

// The outline as an alpha mask of the window's size (w x h window pixels),
// each form pixel grown to the scale; null when SDL cannot make it.
SDL_Surface* OutlineMask(const Region& outline, int w, int h, int s) {
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return nullptr;
    const int fw = w / s, fh = h / s;
    const std::vector<unsigned char> inside = outline.Mask(fw, fh);
    SDL_LockSurface(mask);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(mask->pixels) +
                                              static_cast<size_t>(y) * mask->pitch);
#ifdef _WIN32
        // SDL's Windows shaping widens each opaque rectangle by a pixel to the
        // right and below: a pixel goes in only with its right, lower and
        // diagonal neighbours, and the widening gives back the exact outline.
        const auto in = [&](int x, int y) {
            return x < w && y < h && inside[static_cast<size_t>(std::min(y / s, fh - 1)) * fw + std::min(x / s, fw - 1)];
        };
        for (int x = 0; x < w; ++x)
            row[x] = in(x, y) && in(x + 1, y) && in(x, y + 1) && in(x + 1, y + 1) ? 0xFF000000u : 0u;
#else
        const unsigned char* in = inside.data() + static_cast<size_t>(std::min(y / s, fh - 1)) * fw;
        for (int x = 0; x < w; ++x) row[x] = in[std::min(x / s, fw - 1)] ? 0xFF000000u : 0u;
#endif
    }
    SDL_UnlockSurface(mask);
    return mask;
}

}  // namespace

void SdlHost::ApplyOutline(Form& f) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || f.Outline.Empty() || impl_->noShapes) return;
    if (!SDL_IsShapedWindow(win)) {
        // Only a window created shaped can take a shape; make it again when
        // it is still hidden (the dummy driver has no shaped windows at all).
        if (!(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) return;
        SDL_Window* shaped = impl_->CreateFormWindow(f, true);
        if (!shaped) return;
        impl_->Forget(&f);
        win = shaped;
        impl_->Adopt(f, win);
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    // In full screen the whole window is opaque: the margins are the game's.
    SDL_Surface* mask = impl_->fullScreen == &f ? SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888)
                                                : OutlineMask(f.Outline, w, h, impl_->scale);
    if (!mask) return;
    if (impl_->fullScreen == &f) SDL_FillRect(mask, nullptr, 0xFF000000u);
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    const int failed = SDL_SetWindowShape(win, mask, &mode);
    SDL_FreeSurface(mask);
    if (failed) NoShapes(SDL_GetError());
}

// ---- presenting -------------------------------------------------------------

namespace {

bool IsDirect32(const SDL_PixelFormat* fmt) {
    return fmt->BytesPerPixel == 4 && fmt->Rmask == 0x00FF0000 && fmt->Gmask == 0x0000FF00 &&
           fmt->Bmask == 0x000000FF;
}

// Copies r of the frame into the window surface, enlarged s times, the
// frame's top-left at `off`; `wide` is a scratch row.
void CopyRect(SDL_Surface* out, const Surface& frame, Rect r, int s, SDL_Point off, std::vector<std::uint32_t>& wide) {
    const bool direct = IsDirect32(out->format);
    auto* base = static_cast<unsigned char*>(out->pixels) + static_cast<ptrdiff_t>(off.y) * out->pitch +
                 static_cast<ptrdiff_t>(off.x) * out->format->BytesPerPixel;
    if (s > 1) {
        // Nearest enlargement: each row widened once, then repeated.
        wide.resize(static_cast<size_t>(r.w) * s);
        const size_t bytes = wide.size() * 4;
        for (int y = r.y; y < r.Bottom(); ++y) {
            EnlargeRow(frame.Row(y) + r.x, r.w, s, wide.data());
            for (int k = 0; k < s; ++k) {
                unsigned char* dst = base + static_cast<size_t>(y * s + k) * out->pitch +
                                     static_cast<size_t>(r.x) * s * out->format->BytesPerPixel;
                if (direct)
                    std::memcpy(dst, wide.data(), bytes);
                else
                    SDL_ConvertPixels(r.w * s, 1, SDL_PIXELFORMAT_RGB888, wide.data(), static_cast<int>(bytes),
                                      out->format->format, dst, out->pitch);
            }
        }
    } else if (direct) {
        for (int y = r.y; y < r.Bottom(); ++y)
            std::memcpy(base + static_cast<size_t>(y) * out->pitch + static_cast<size_t>(r.x) * 4,
                        frame.Row(y) + r.x, static_cast<size_t>(r.w) * 4);
    } else {
        SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, frame.Row(r.y) + r.x, frame.Width() * 4,
                          out->format->format,
                          base + static_cast<size_t>(r.y) * out->pitch +
                              static_cast<size_t>(r.x) * out->format->BytesPerPixel,
                          out->pitch);
    }
}

// In full screen the pixels of r outside the form's outline (`inside`, one
// byte a form pixel, fw wide) take the margins' colour, as runs of a row.
void FillOutside(SDL_Surface* out, const std::vector<unsigned char>& inside, int fw, Rect r, int s, SDL_Point off,
                 Uint32 colour) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right();) {
            if (inside[static_cast<size_t>(y) * fw + x]) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < r.Right() && !inside[static_cast<size_t>(y) * fw + x]) ++x;
            SDL_Rect run{from * s + off.x, y * s + off.y, (x - from) * s, s};
            SDL_FillRect(out, &run, colour);
        }
}

// End-to-end tests wait for this line before driving the window.
void ReportFirstFrame(SDL_Window* win) {
    static bool reported = false;
    if (reported || (SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) return;
    reported = true;
    if (std::getenv("TESSALOR_REPORT_FRAME")) {
        std::fputs("tessalor: first frame\n", stderr);
        std::fflush(stderr);
    }
}

}  // namespace

void SdlHost::Present(Form& f, const std::vector<Rect>& rects) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || rects.empty()) return;
    SDL_Surface* out = SDL_GetWindowSurface(win);
    if (!out) return;
    const Surface& frame = f.Frame();
    const int s = impl_->scale;
    // The frame's pixels that land inside the window.
    const SDL_Point off = impl_->OffsetOf(&f);
    const int x0 = off.x < 0 ? (-off.x + s - 1) / s : 0, y0 = off.y < 0 ? (-off.y + s - 1) / s : 0;
    const Rect bounds = Intersect(Rect{0, 0, frame.Width(), frame.Height()},
                                  Rect{x0, y0, (out->w - off.x) / s - x0, (out->h - off.y) / s - y0});
    std::vector<SDL_Rect> done;
    done.reserve(rects.size());
    std::vector<std::uint32_t> wide;
    if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
    for (const Rect& asked : rects) {
        const Rect r = Intersect(asked, bounds);
        if (r.Empty()) continue;
        CopyRect(out, frame, r, s, off, wide);
        if (&f == impl_->fullScreen && !impl_->fullInside.empty())
            FillOutside(out, impl_->fullInside, frame.Width(), r, s, off, impl_->MarginColour(out));
        done.push_back(SDL_Rect{r.x * s + off.x, r.y * s + off.y, r.w * s, r.h * s});
    }
    if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
    if (done.empty()) return;
    SDL_UpdateWindowSurfaceRects(win, done.data(), static_cast<int>(done.size()));
    ReportFirstFrame(win);
}

// ---- full screen --------------------------------------------------------------

bool SdlHost::SetFullScreen(Form& f, bool on) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win || (SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) {
        impl_->wantFull = on ? &f : nullptr;
        return true;
    }
    if (on != (impl_->fullScreen == &f)) ApplyFullScreen(f, on);
    return on == (impl_->fullScreen == &f);
}

// Our own full screen rather than the window manager's: the borderless
// window is sized to its screen and placed over it, which works the same with
// a window manager or none, and on Windows.
void SdlHost::ApplyFullScreen(Form& f, bool on) {
    SDL_Window* win = impl_->WindowOf(&f);
    if (!win) return;
    if (on) {
        SDL_Rect screen{};
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(win)), &screen) != 0 || screen.w <= 0 ||
            screen.h <= 0)
            return;
        if (impl_->drag.Moving() == &f) impl_->drag.End();
        const auto at = impl_->placed.find(&f);
        impl_->restoreAt = at != impl_->placed.end() ? at->second : impl_->CentredPlace(&f);
        impl_->fullScreen = &f;
        impl_->fullInside = f.Outline.Empty() ? std::vector<unsigned char>() : f.Outline.Mask(f.Width(), f.Height());
        impl_->scale = FitOnScreen(screen.w, screen.h, f.Width(), f.Height()).scale;
        SDL_SetWindowSize(win, screen.w, screen.h);
        ApplyOutline(f);
        impl_->Place(&f, screen.x, screen.y);
    } else {
        impl_->fullScreen = nullptr;
        impl_->scale = impl_->windowedScale;
        SDL_SetWindowSize(win, std::max(1, f.Width()) * impl_->scale, std::max(1, f.Height()) * impl_->scale);
        ApplyOutline(f);
        impl_->Place(&f, impl_->restoreAt.x, impl_->restoreAt.y);
    }
    win = impl_->WindowOf(&f);  // the outline may have made it again
    // The other windows (an open dialog) take the new scale, owners before
    // the dialogs they own, each centred again over its owner.
    std::vector<std::pair<int, Form*>> others;
    for (auto& [form, w] : impl_->windows) {
        int depth = 0;
        for (Form* o = form->Owner; o && depth < 8; o = o->Owner) ++depth;
        if (form != &f) others.emplace_back(depth, form);
    }
    std::sort(others.begin(), others.end());
    for (auto& [depth, form] : others) {
        SDL_Window* w = impl_->WindowOf(form);
        if (!w) continue;
        SDL_SetWindowSize(w, std::max(1, form->Width()) * impl_->scale, std::max(1, form->Height()) * impl_->scale);
        ApplyOutline(*form);
        w = impl_->WindowOf(form);
        if (w && !(SDL_GetWindowFlags(w) & SDL_WINDOW_HIDDEN)) {
            const SDL_Point at = impl_->CentredPlace(form);
            impl_->Place(form, at.x, at.y);
        }
    }
    RepaintAll();
    // The game in front, with its open dialog above it holding the keys.
    SDL_RaiseWindow(win);
    SDL_Window* dialog = impl_->ShownDialogOf(&f);
    if (dialog) SDL_RaiseWindow(dialog);
    if (!(SDL_GetWindowFlags(win) & SDL_WINDOW_HIDDEN)) SDL_SetWindowInputFocus(dialog ? dialog : win);
}

void SdlHost::RepaintAll() {
    if (Form* full = impl_->fullScreen)
        if (SDL_Window* win = impl_->WindowOf(full)) {
            // Centred in the size the window really has.
            int w = 0, h = 0;
            SDL_GetWindowSize(win, &w, &h);
            impl_->fullOffset = SDL_Point{(w - full->Width() * impl_->scale) / 2, (h - full->Height() * impl_->scale) / 2};
            if (SDL_Surface* out = SDL_GetWindowSurface(win)) SDL_FillRect(out, nullptr, impl_->MarginColour(out));
        }
    for (auto& [form, w] : impl_->windows)
        Present(*form, {Rect{0, 0, form->Width(), form->Height()}});
}

}  // namespace plat
