// The canvas the asset generator draws on: pixels, the shapes it draws with,
// and the design grid and parts the programs' icons are drawn from. Shapes use
// integer pixel tests or IEEE-exact arithmetic only, so a drawing is the same
// bit for bit on every run and every build.
//
// A family's icons are drawn in programs/<family>/icon.cpp, which lists them
// under the names the registry's ICON fields give them:
//   const drawing::IconDrawings quizIcons { { "quiz", ... }, { "quiz2", ... } };
// draw_assets is built with the icon.cpp of every family of the registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace drawing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    std::uint8_t a = 255; // opacity: only icons have transparent pixels; BMP output ignores it
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kClear{0, 0, 0, 0};

// Inclusive pixel rectangle: the pixels left..right, top..bottom.
struct Box {
    int left, top, right, bottom;
};

constexpr Box grow(Box b, int n) { return {b.left - n, b.top - n, b.right + n, b.bottom + n}; }

// Polygon vertex in pixel-edge coordinates: pixel (x, y) is the unit
// square from (x, y) to (x + 1, y + 1).
struct Point {
    double x, y;
};

// A canvas of width × height picture pixels, each `scale` × `scale` pixels
// of its own: the shapes below take picture-pixel coordinates and draw them
// at the canvas's resolution, so one drawing gives a picture at 1×, 2× or 3×
// with the finer detail each can hold. At scale 1 a picture pixel is a pixel.
class Canvas {
public:
    Canvas(int width, int height, Rgb background, int scale = 1)
        : width_(width * scale), height_(height * scale), scale_(scale),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

    // Its size in its own pixels, the ones plot() and at() address.
    int width() const { return width_; }
    int height() const { return height_; }
    // Its own pixels per picture pixel, each way.
    int scale() const { return scale_; }

    // Drawing outside the canvas is silently clipped so shapes may overhang.
    void plot(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[index(x, y)] = c;
    }

    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_, height_, scale_;
    std::vector<Rgb> pixels_;
};


// ---------------------------------------------------------------- shapes
//
// Coordinates are picture pixels (see Canvas); every shape is drawn in pure
// colours, without smoothing, at the canvas's own resolution.

void fillRect(Canvas& c, Box b, Rgb colour);
void fillEllipse(Canvas& c, Box b, Rgb colour);
// Ring of the given thickness around the ellipse inscribed in `inner`; the
// inside of `inner` is left untouched.
void ellipseRing(Canvas& c, Box inner, int thickness, Rgb colour);
// Ellipse with a one-pixel black outline, the usual cartoon look.
void outlinedEllipse(Canvas& c, Box b, Rgb colour);
// Rectangle with corners rounded by quarter ellipses of the given radius.
void fillRoundRect(Canvas& c, Box b, int radius, Rgb colour);
// Line between pixel centres swept by a square `pen` pixels wide: at scale 1
// a Bresenham line, above it the exact sweep of the square.
void line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, int pen = 1);
// Even-odd scanline fill, sampling each pixel at its centre.
void fillPolygon(Canvas& c, const std::vector<Point>& pts, Rgb colour);

// ------------------------------------------------------------------ icons
//
// An icon is drawn once on a 768-pixel master in a 48-unit design grid and
// box-filtered down to each installed size; 768 is a multiple of every size,
// so each icon pixel averages a whole square of master pixels.

constexpr int kMaster = 768;
constexpr int kUnit = kMaster / 48;

// Design units in master pixels.
int px(double units);
// The master pixels between design-grid edges l..r and t..b.
Box U(double l, double t, double r, double b);
// A point of the design grid.
Point P(double x, double y);

constexpr Rgb kFace{239, 239, 239};     // the desktop's button face, as the windows show it
constexpr Rgb kFaceEdge{150, 150, 150};
constexpr Rgb kInk{40, 40, 40};
constexpr Rgb kTitleBar{48, 100, 200};

// The rounded square most icons stand on: a one-unit edge around the face.
void tile(Canvas& c, Rgb face, Rgb edge);
// A tile whose top `height` units are a bar of another colour (title or menu bar).
void tileWithBar(Canvas& c, Rgb face, Rgb bar, double height);
// A push button with a caption stroke.
void button(Canvas& c, double l, double t, double r, double b);
// A small bitmap glyph: '#' cells are filled, `cell` design units square.
void glyph(Canvas& c, const std::vector<std::string>& rows, double left, double top, double cell, Rgb colour);

// An icon drawing under the name the registry's ICON field gives it: it draws
// on a transparent kMaster × kMaster canvas.
struct IconDrawing {
    const char* name;
    void (*draw)(Canvas&);
};

// A family's icon drawings, defined once at namespace scope in its icon.cpp;
// every such list joins all() before draw_assets starts.
class IconDrawings {
public:
    IconDrawings(std::initializer_list<IconDrawing> drawings);
    // Every family's drawings.
    static const std::vector<IconDrawing>& all();

private:
    static std::vector<IconDrawing>& registered();
};

} // namespace drawing
