// The head sheet: ten 80 x 64 frames of a round yellow face.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "assets/art.h"

namespace art {

namespace {

constexpr int kW = look::kHeadFrameWidth, kH = look::kHeadFrameHeight;
constexpr double kR = 24.5;
const Rgba kInk{70, 40, 0, 255};
const Rgba kMouth{120, 24, 16, 255};
const Rgba kTongue{240, 96, 110, 255};

enum class Eyes { Open, Shut, Wink, Happy };
enum class Mouth { Smile, Yawn, Oh, TongueOut, Grin, Frown, Doze };

struct Face {
    double cx = 40;         // head centre in the frame
    Eyes eyes = Eyes::Open;
    double gx = 0, gy = 0;  // gaze, -1..1 each way
    Mouth mouth = Mouth::Smile;
    double brows = 0;       // 0 none, >0 raised by that much, <0 sad slant
};

const Box kAll{0, 0, kW, kH};

void DrawHead(Image& f, double cx, double cy) {
    Fill(f, kAll, Circle(cx, cy, kR + 1.6), kInk);
    const Rgba lit{255, 243, 140, 255}, mid{255, 212, 40, 255}, rim{222, 150, 10, 255};
    Fill(f, kAll, Circle(cx, cy, kR), [=](double x, double y) {
        const double d = std::hypot(x - (cx - 8), y - (cy - 9)) / (kR * 1.55);
        return d < 0.5 ? Mix(lit, mid, d / 0.5) : Mix(mid, rim, std::min(1.0, (d - 0.5) / 0.5));
    });
    // Blushed cheeks.
    Fill(f, kAll, Ellipse(cx - 15, cy + 6, 4.5, 3), {255, 120, 90, 90});
    Fill(f, kAll, Ellipse(cx + 15, cy + 6, 4.5, 3), {255, 120, 90, 90});
}

void OpenEye(Image& f, double ex, double ey, double gx, double gy) {
    Fill(f, kAll, Ellipse(ex, ey, 6.6, 8.2), kInk);
    Fill(f, kAll, Ellipse(ex, ey, 5.4, 7.0), {255, 255, 255, 255});
    const double px = ex + gx * 2.7, py = ey + gy * 3.8;
    Fill(f, kAll, Circle(px, py, 2.9), {20, 20, 30, 255});
    Fill(f, kAll, Circle(px - 1.0, py - 1.2, 1.0), {255, 255, 255, 255});
}

void ShutEye(Image& f, double ex, double ey) {
    Fill(f, kAll, Stroke(Arc(ex, ey - 1, 5.5, 4, 20, 160), 2.2), kInk);
}

void HappyEye(Image& f, double ex, double ey) {
    Fill(f, kAll, Stroke(Arc(ex, ey + 3, 5.5, 5.5, 200, 340), 2.4), kInk);
}

void DrawFace(Image& f, const Face& face) {
    const double cx = face.cx, cy = 34;
    DrawHead(f, cx, cy);
    const double ey = cy - 6;
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 9;
        Eyes e = face.eyes;
        if (e == Eyes::Wink) e = side < 0 ? Eyes::Shut : Eyes::Open;
        switch (e) {
            case Eyes::Open: OpenEye(f, ex, ey, face.gx, face.gy); break;
            case Eyes::Shut: ShutEye(f, ex, ey); break;
            case Eyes::Happy: HappyEye(f, ex, ey); break;
            case Eyes::Wink: break;
        }
        if (face.brows > 0) {
            Fill(f, kAll, Stroke(Arc(ex, ey - 7 - face.brows, 5, 2.5, 200, 340, 8), 2), kInk);
        } else if (face.brows < 0) {
            // Inner ends raised: worried.
            Fill(f, kAll, Capsule(ex - side * 2, ey - 13, ex + side * 5, ey - 9.5, 2.2), kInk);
        }
    }
    const double my = cy + 5;
    switch (face.mouth) {
        case Mouth::Smile:
            Fill(f, kAll, Stroke(Arc(cx, my, 10, 7, 25, 155), 2.4), kInk);
            break;
        case Mouth::Doze:
            Fill(f, kAll, Stroke(Arc(cx, my + 3, 4.5, 2.5, 20, 160, 10), 2.0), kInk);
            break;
        case Mouth::Oh:
            Fill(f, kAll, Ellipse(cx, my + 7, 3.8, 4.6), kInk);
            Fill(f, kAll, Ellipse(cx, my + 7, 2.4, 3.2), kMouth);
            break;
        case Mouth::Yawn:
            Fill(f, kAll, Ellipse(cx, my + 6, 8.5, 10), kInk);
            Fill(f, kAll, Ellipse(cx, my + 6, 7, 8.6), kMouth);
            Fill(f, kAll, Intersect(Ellipse(cx, my + 6, 7, 8.6), Ellipse(cx, my + 14, 6, 4.5)), kTongue);
            break;
        case Mouth::TongueOut: {
            const Shape tongue = Union({RoundRect(cx + 1, my + 8, cx + 10, my + 15, 1), Circle(cx + 5.5, my + 15, 4.5)});
            Fill(f, kAll, Union({RoundRect(cx, my + 7, cx + 11, my + 15, 1), Circle(cx + 5.5, my + 15, 5.7)}), kInk);
            Fill(f, kAll, tongue, kTongue);
            Fill(f, kAll, Capsule(cx + 5.5, my + 10, cx + 5.5, my + 15, 1.1), {200, 60, 80, 255});
            Fill(f, kAll, Stroke(Arc(cx, my, 11, 8, 15, 165), 2.4), kInk);
            break;
        }
        case Mouth::Grin: {
            const Shape open = Intersect(Ellipse(cx, my + 2, 12, 11), [=](double, double y) { return y >= my + 2; });
            const Shape rimShape = Intersect(Ellipse(cx, my + 2, 13.3, 12.3), [=](double, double y) { return y >= my + 0.8; });
            Fill(f, kAll, rimShape, kInk);
            Fill(f, kAll, open, kMouth);
            Fill(f, kAll, Intersect(open, [=](double, double y) { return y < my + 5.5; }), {255, 255, 255, 255});
            Fill(f, kAll, Intersect(open, Ellipse(cx, my + 13, 7, 4)), kTongue);
            break;
        }
        case Mouth::Frown:
            Fill(f, kAll, Stroke(Arc(cx, my + 13, 9, 6, 200, 340), 2.4), kInk);
            break;
    }
}

void Letter(Image& f, const Font& font, const char* s, double x, double y) {
    font.drawCentred(f, s, x + 1, y + 1, {0, 20, 0, 255});
    font.drawCentred(f, s, x, y, {210, 255, 210, 255});
}

// A white-gloved hand making the V sign, beside the face.
void VictoryHand(Image& f, double hx, double hy) {
    const Rgba glove{250, 250, 246, 255};
    const Shape fingers = Union({Capsule(hx - 3, hy - 4, hx - 9, hy - 24, 5.4), Capsule(hx + 3, hy - 4, hx + 8, hy - 24, 5.4)});
    const Shape fist = Union({RoundRect(hx - 8, hy - 6, hx + 8, hy + 7, 5), Circle(hx - 8, hy + 1, 3.5)});
    const Shape cuff = RoundRect(hx - 7, hy + 7, hx + 7, hy + 13, 1.5);
    Fill(f, kAll, Union({Capsule(hx - 3, hy - 4, hx - 9, hy - 24, 8), Capsule(hx + 3, hy - 4, hx + 8, hy - 24, 8),
                         RoundRect(hx - 9.5, hy - 7.5, hx + 9.5, hy + 14.5, 6), Circle(hx - 8, hy + 1, 5)}),
         kInk);
    Fill(f, kAll, fingers, glove);
    Fill(f, kAll, fist, glove);
    Fill(f, kAll, Capsule(hx - 5, hy + 1, hx + 5, hy + 1, 1.1), {150, 150, 150, 255});
    Fill(f, kAll, cuff, {40, 90, 230, 255});
}

void Sparkle(Image& f, double x, double y, double r) {
    const Rgba c{255, 255, 160, 255};
    Fill(f, kAll, Union({Capsule(x - r, y, x + r, y, 1.4), Capsule(x, y - r, x, y + r, 1.4)}), c);
}

}  // namespace

Image MakeHeadSheet(const FontFiles& fonts) {
    using namespace look;
    Image sheet(kHeadSheetWidth, kHeadSheetHeight, kDarkGreen);
    auto frame = [&](int x, const Face& face) {
        Image f(kW, kH, kDarkGreen);
        DrawFace(f, face);
        sheet.paste(f, x, 0);
    };
    frame(kHeadAhead, {.gx = 0, .gy = 0.7});
    {
        Image f(kW, kH, kDarkGreen);
        DrawFace(f, {.cx = 34, .eyes = Eyes::Shut, .mouth = Mouth::Doze});
        const Font small(fonts.bold, 11), big(fonts.bold, 17);
        Letter(f, small, "z", 62, 21);
        Letter(f, big, "Z", 71, 9);
        sheet.paste(f, kHeadAsleep, 0);
    }
    frame(kHeadYawn, {.eyes = Eyes::Shut, .mouth = Mouth::Yawn, .brows = 1.5});
    frame(kHeadUp, {.gx = 0, .gy = -1});
    frame(kHeadRight, {.gx = 1, .gy = 0.1});
    frame(kHeadUpRight, {.gx = 0.8, .gy = -0.8});
    frame(kHeadWonder, {.gx = -0.15, .gy = -1, .mouth = Mouth::Oh, .brows = 2.5});
    frame(kHeadTongue, {.eyes = Eyes::Wink, .gx = 0.2, .gy = 0.2, .mouth = Mouth::TongueOut});
    {
        Image f(kW, kH, kDarkGreen);
        DrawFace(f, {.cx = 32, .eyes = Eyes::Happy, .mouth = Mouth::Grin});
        VictoryHand(f, 66, 46);
        Sparkle(f, 9, 9, 3.5);
        Sparkle(f, 74, 6, 2.5);
        sheet.paste(f, kHeadVictory, 0);
    }
    {
        Image f(kW, kH, kDarkGreen);
        DrawFace(f, {.gx = 0, .gy = 1, .mouth = Mouth::Frown, .brows = -1});
        Fill(f, kAll, Union({Circle(49.5, 41, 2.6), Polygon({{47.1, 40}, {49.5, 35}, {51.9, 40}})}), {90, 170, 255, 255});
        sheet.paste(f, kHeadSad, 0);
    }
    return sheet;
}

}  // namespace art
