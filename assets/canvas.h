// A small software canvas for the build-time artwork: straight-alpha RGBA
// pixels, anti-aliased shapes by supersampling, text through SDL_ttf.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// Multiplies the colour channels, keeping alpha: Shade(c, 5/6.) is "one sixth darker".
Rgba Shade(Rgba c, double factor);
// Linear mix: t = 0 gives a, t = 1 gives b.
Rgba Mix(Rgba a, Rgba b, double t);

class Image {
public:
    Image(int w, int h, Rgba fill = {0, 0, 0, 0});
    int w() const { return w_; }
    int h() const { return h_; }
    Rgba& at(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }
    const Rgba& at(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    // Source-over blend of c with extra opacity `cover` (0..1).
    void blend(int x, int y, Rgba c, double cover = 1.0);
    void fillRect(int x, int y, int w, int h, Rgba c);
    // Copies src (whole) to (x, y), replacing pixels.
    void paste(const Image& src, int x, int y);
    const std::vector<Rgba>& pixels() const { return px_; }

private:
    int w_, h_;
    std::vector<Rgba> px_;
};

// A region in continuous pixel coordinates: pixel (x, y) covers [x, x+1) x [y, y+1).
using Shape = std::function<bool(double, double)>;
using Paint = std::function<Rgba(double, double)>;

struct Box { double x0, y0, x1, y1; };

Shape Circle(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape RoundRect(double x0, double y0, double x1, double y1, double r);
// A segment with round caps and the given thickness.
Shape Capsule(double ax, double ay, double bx, double by, double width);
// A stroked open polyline.
Shape Stroke(std::vector<std::pair<double, double>> pts, double width);
// Points of an elliptic arc, angles in degrees (0 = right, 90 = down).
std::vector<std::pair<double, double>> Arc(double cx, double cy, double rx, double ry,
                                           double fromDeg, double toDeg, int steps = 24);
Shape Polygon(std::vector<std::pair<double, double>> pts);
Shape Union(std::vector<Shape> parts);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);

// Fills the shape within the box with 4x4 supersampling.
void Fill(Image& img, const Box& box, const Shape& shape, const Paint& paint);
void Fill(Image& img, const Box& box, const Shape& shape, Rgba c);

// A TrueType face at one pixel size; rendering needs TTF_Init.
class Font {
public:
    Font(const std::string& file, int px);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    bool ok() const { return font_ != nullptr; }
    // Draws text so that the ink's bounding box is centred on (cx, cy).
    void drawCentred(Image& img, const std::string& utf8, double cx, double cy, Rgba c) const;
    int inkWidth(const std::string& utf8) const;

private:
    void* font_ = nullptr;
};

// Deterministic value noise in [0, 1) for textures.
double Hash01(int x, int y, int seed);
double SmoothNoise(double x, double y, int seed);

// PNG encoding through SDL_image; opaque images are written without alpha.
std::vector<unsigned char> EncodePng(const Image& img, bool withAlpha);

}  // namespace art
