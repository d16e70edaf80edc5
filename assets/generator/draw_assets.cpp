// draw_assets: draws the pictures used by the programs and writes them as
// 24-bit uncompressed BMP files, and draws the programs' desktop icons.
//
//   draw_assets <outdir>            the six pictures, as BMP files
//   draw_assets --icons <outdir> <icon name>=<drawing>...
//                                   <outdir>/hicolor/<n>x<n>/apps/<icon name>.png
//
// Every picture is drawn with integer pixel tests or IEEE-exact arithmetic
// only, so the output is the same bit for bit on every run and every build.
// The committed files in assets/ are produced by this program; a test
// regenerates them and compares byte for byte. The icons are made at build
// time and installed with the programs.

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

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

class Canvas {
public:
    Canvas(int width, int height, Rgb background)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

    int width() const { return width_; }
    int height() const { return height_; }

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

    int width_, height_;
    std::vector<Rgb> pixels_;
};

// ---------------------------------------------------------------- shapes

void fillRect(Canvas& c, Box b, Rgb colour) {
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x)
            c.plot(x, y, colour);
}

// True when the centre of pixel (x, y) lies inside the ellipse inscribed in
// box b.  Evaluated in doubled integer coordinates so no rounding happens;
// the set of pixels inside has exactly b as its bounding box.
bool insideEllipse(int x, int y, Box b) {
    const std::int64_t w = b.right - b.left + 1;
    const std::int64_t h = b.bottom - b.top + 1;
    const std::int64_t dx = 2 * static_cast<std::int64_t>(x) - (b.left + b.right);
    const std::int64_t dy = 2 * static_cast<std::int64_t>(y) - (b.top + b.bottom);
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

void fillEllipse(Canvas& c, Box b, Rgb colour) {
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x)
            if (insideEllipse(x, y, b))
                c.plot(x, y, colour);
}

// Ring of the given thickness around the ellipse inscribed in `inner`; the
// inside of `inner` is left untouched.
void ellipseRing(Canvas& c, Box inner, int thickness, Rgb colour) {
    const Box outer = grow(inner, thickness);
    for (int y = outer.top; y <= outer.bottom; ++y)
        for (int x = outer.left; x <= outer.right; ++x)
            if (insideEllipse(x, y, outer) && !insideEllipse(x, y, inner))
                c.plot(x, y, colour);
}

// Ellipse with a one-pixel black outline, the usual cartoon look.
void outlinedEllipse(Canvas& c, Box b, Rgb colour) {
    fillEllipse(c, grow(b, 1), kBlack);
    fillEllipse(c, b, colour);
}

// Rectangle with corners rounded by quarter ellipses of the given radius.
void fillRoundRect(Canvas& c, Box b, int radius, Rgb colour) {
    fillRect(c, {b.left + radius, b.top, b.right - radius, b.bottom}, colour);
    fillRect(c, {b.left, b.top + radius, b.right, b.bottom - radius}, colour);
    const int d = 2 * radius;
    fillEllipse(c, {b.left, b.top, b.left + d, b.top + d}, colour);
    fillEllipse(c, {b.right - d, b.top, b.right, b.top + d}, colour);
    fillEllipse(c, {b.left, b.bottom - d, b.left + d, b.bottom}, colour);
    fillEllipse(c, {b.right - d, b.bottom - d, b.right, b.bottom}, colour);
}

// Bresenham line between pixel centres; `pen` > 1 stamps a square brush.
void line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, int pen = 1) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const int lo = -(pen - 1) / 2, hi = pen / 2;
    int err = dx + dy;
    for (;;) {
        fillRect(c, {x0 + lo, y0 + lo, x0 + hi, y0 + hi}, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Even-odd scanline fill, sampling each pixel at its centre.
void fillPolygon(Canvas& c, const std::vector<Point>& pts, Rgb colour) {
    if (pts.size() < 3)
        return;
    double minY = pts[0].y, maxY = pts[0].y;
    for (const Point& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    std::vector<double> xs;
    for (int y = static_cast<int>(std::floor(minY)); y < static_cast<int>(std::ceil(maxY)); ++y) {
        const double sy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Point a = pts[i];
            const Point b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies in [xs[i], xs[i+1]).
            const int from = static_cast<int>(std::ceil(xs[i] - 0.5));
            const int to = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
            for (int x = from; x < to; ++x)
                c.plot(x, y, colour);
        }
    }
}

// -------------------------------------------------------------- BMP output

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bpp BI_RGB, bottom-up rows padded
// to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Canvas& c) {
    constexpr std::uint32_t kHeaderSize = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dpi
    const auto w = static_cast<std::uint32_t>(c.width());
    const auto h = static_cast<std::uint32_t>(c.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * h;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeaderSize + imageSize); // bfSize
    put16(out, 0);                       // bfReserved1
    put16(out, 0);                       // bfReserved2
    put32(out, kHeaderSize);             // bfOffBits

    put32(out, 40);              // biSize
    put32(out, w);               // biWidth
    put32(out, h);               // biHeight (positive: bottom-up)
    put16(out, 1);               // biPlanes
    put16(out, 24);              // biBitCount
    put32(out, 0);               // biCompression = BI_RGB
    put32(out, imageSize);       // biSizeImage
    put32(out, kPixelsPerMetre); // biXPelsPerMeter
    put32(out, kPixelsPerMetre); // biYPelsPerMeter
    put32(out, 0);               // biClrUsed
    put32(out, 0);               // biClrImportant

    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            const Rgb p = c.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = w * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "draw_assets: cannot write " << file.string() << '\n';
        return false;
    }
    return true;
}

bool writeBmp(const std::filesystem::path& file, const Canvas& c) { return writeFile(file, encodeBmp(c)); }

// ---------------------------------------------------------- traffic lights

// A lens: black outline five pixels thick around an interior whose bounding
// box is exactly `interior`.
void lens(Canvas& c, Box interior, Rgb fill) {
    ellipseRing(c, interior, 5, kBlack);
    fillEllipse(c, interior, fill);
}

// Black housing frame drawn inward from the edges of `outer`, with the given
// band widths on each side.
void frame(Canvas& c, Box outer, int top, int left, int right, int bottom) {
    fillRect(c, {outer.left, outer.top, outer.right, outer.top + top - 1}, kBlack);
    fillRect(c, {outer.left, outer.bottom - bottom + 1, outer.right, outer.bottom}, kBlack);
    fillRect(c, {outer.left, outer.top, outer.left + left - 1, outer.bottom}, kBlack);
    fillRect(c, {outer.right - right + 1, outer.top, outer.right, outer.bottom}, kBlack);
}

Canvas trafficLightGreen() {
    Canvas c(54, 127, kWhite);
    frame(c, {0, 0, 53, 126}, 5, 4, 3, 4);
    lens(c, {11, 9, 42, 52}, kWhite);
    lens(c, {10, 64, 42, 109}, {0, 255, 0});
    return c;
}

Canvas trafficLightRed() {
    // Row 0 and column 0 stay white: the housing starts one pixel in.
    Canvas c(57, 129, kWhite);
    frame(c, {1, 1, 56, 128}, 5, 5, 5, 5);
    lens(c, {13, 10, 44, 53}, {255, 0, 0});
    lens(c, {12, 65, 44, 110}, kWhite);
    return c;
}

// -------------------------------------------------------------- race cars

void wheel(Canvas& c, Box tyre, Rgb hub) {
    fillEllipse(c, tyre, kBlack);
    const int cx = (tyre.left + tyre.right) / 2, cy = (tyre.top + tyre.bottom) / 2;
    const int r = (tyre.right - tyre.left) / 4;
    fillEllipse(c, {cx - r, cy - r, cx + r, cy + r}, hub);
    fillRect(c, {cx - 1, cy - 1, cx + 1, cy + 1}, {90, 90, 90});
}

Canvas chaseCar() {
    Canvas c(62, 28, kWhite);
    const Rgb yellow{255, 214, 0};
    const Rgb red{220, 20, 20};
    const Rgb darkRed{140, 0, 0};
    const Rgb grey{170, 170, 170};

    // Rear wing: end plate on a strut, behind everything else.
    fillRect(c, {7, 11, 8, 15}, {80, 80, 80});
    fillRect(c, {1, 2, 9, 11}, red);
    fillRect(c, {1, 2, 10, 3}, darkRed);
    fillRect(c, {1, 9, 9, 9}, darkRed);

    // Driver's helmet, partly hidden by the cockpit sides.
    fillEllipse(c, {29, 3, 38, 12}, {30, 90, 230});
    fillRect(c, {34, 6, 38, 8}, {20, 20, 40}); // visor
    fillRect(c, {30, 5, 33, 5}, kWhite);       // stripe

    // Body: engine cover rising to the airbox behind the driver, cockpit,
    // then the long nose falling to the tip.
    fillPolygon(c,
                {{8, 23}, {8, 15}, {16, 13}, {24, 8}, {29, 6}, {30, 11}, {39, 11},
                 {46, 14}, {55, 17}, {62, 19}, {62, 22}, {50, 23}},
                yellow);
    // Red racing stripe along the flank and the nose.
    fillPolygon(c, {{12, 18}, {30, 16}, {46, 17}, {62, 20}, {62, 21}, {46, 19}, {30, 18}, {12, 20}}, red);
    // Racing number on the engine cover.
    outlinedEllipse(c, {22, 10, 28, 16}, kWhite);
    fillRect(c, {25, 11, 25, 15}, kBlack);
    fillRect(c, {24, 12, 24, 12}, kBlack);
    // Sidepod air intake and the cockpit rim.
    fillRect(c, {40, 15, 41, 18}, {40, 40, 40});
    fillRect(c, {30, 11, 39, 11}, {40, 40, 40});
    // Mirror.
    fillRect(c, {40, 9, 42, 10}, red);
    line(c, 40, 10, 39, 11, {40, 40, 40});

    wheel(c, {5, 12, 20, 27}, grey);
    wheel(c, {43, 14, 55, 26}, grey);

    // Front wing with its end plate, ahead of the front wheel.
    fillRect(c, {52, 24, 61, 25}, red);
    fillRect(c, {58, 21, 61, 25}, darkRed);
    return c;
}

Canvas chaseCartoon() {
    Canvas c(62, 42, kWhite);
    const Rgb green{60, 190, 70};
    const Rgb darkGreen{20, 120, 40};
    const Rgb skin{255, 206, 160};
    const Rgb capRed{225, 35, 35};

    // Exhaust puffs behind the car.
    fillEllipse(c, {0, 27, 3, 30}, {200, 200, 200});
    fillEllipse(c, {2, 23, 4, 25}, {220, 220, 220});

    // Driver: shirt and head stick out of the open top.
    outlinedEllipse(c, {19, 15, 35, 27}, {40, 90, 220});
    outlinedEllipse(c, {21, 3, 35, 18}, skin);
    // Cap with the brim pointing forward.
    fillEllipse(c, {20, 1, 36, 13}, capRed);
    fillRect(c, {20, 8, 36, 13}, skin);
    fillRect(c, {21, 7, 35, 7}, kBlack);
    fillRect(c, {30, 6, 41, 7}, capRed);
    fillRect(c, {30, 8, 41, 8}, kBlack);
    fillEllipse(c, {27, 2, 29, 4}, kWhite); // cap button badge
    // Ear, eyes looking ahead, nose and a grin.
    outlinedEllipse(c, {23, 10, 25, 13}, {240, 180, 140});
    outlinedEllipse(c, {28, 9, 31, 13}, kWhite);
    outlinedEllipse(c, {33, 9, 36, 13}, kWhite);
    fillRect(c, {30, 10, 31, 12}, kBlack);
    fillRect(c, {35, 10, 36, 12}, kBlack);
    outlinedEllipse(c, {36, 12, 39, 15}, skin);
    line(c, 29, 15, 31, 16, kBlack);
    line(c, 32, 16, 34, 16, kBlack);
    fillRect(c, {35, 15, 35, 15}, kBlack);

    // Windscreen leaning back towards the driver.
    fillPolygon(c, {{40, 21}, {44, 11}, {47, 11}, {44, 21}}, kBlack);
    fillPolygon(c, {{41, 21}, {44.6, 12}, {45.8, 12}, {43, 21}}, {170, 225, 255});

    // Body with its outline, a darker sill and a racing number.
    fillRoundRect(c, {2, 19, 60, 34}, 6, kBlack);
    fillRoundRect(c, {3, 20, 59, 33}, 5, green);
    fillRect(c, {6, 31, 56, 33}, darkGreen);
    fillRect(c, {8, 21, 54, 21}, {140, 230, 140}); // highlight
    outlinedEllipse(c, {25, 22, 35, 31}, kWhite);
    fillRect(c, {30, 24, 31, 29}, kBlack);
    fillRect(c, {28, 25, 29, 25}, kBlack);
    fillRect(c, {28, 29, 33, 29}, kBlack);
    // Headlight and tail light.
    outlinedEllipse(c, {55, 23, 58, 26}, {255, 240, 80});
    fillRect(c, {3, 23, 4, 26}, {230, 30, 30});

    wheel(c, {8, 27, 22, 41}, {190, 190, 190});
    wheel(c, {40, 27, 54, 41}, {190, 190, 190});
    return c;
}

// ---------------------------------------------------------------- figures

Canvas chaseFigure() {
    Canvas c(30, 68, kWhite);
    const Rgb skin{250, 200, 160};
    const Rgb hair{110, 60, 20};
    const Rgb shirt{220, 50, 40};
    const Rgb jeans{40, 70, 150};

    // Arms hang beside the body: skin below short sleeves.
    fillRect(c, {4, 21, 6, 36}, skin);
    fillRect(c, {23, 21, 25, 36}, skin);
    fillEllipse(c, {3, 35, 7, 39}, skin);
    fillEllipse(c, {22, 35, 26, 39}, skin);

    // Shirt with sleeves and a collar.
    fillRoundRect(c, {4, 18, 25, 27}, 3, shirt);
    fillRect(c, {8, 18, 21, 38}, shirt);
    fillPolygon(c, {{12, 18}, {18, 18}, {15, 21}}, kWhite);
    fillRect(c, {8, 32, 21, 32}, {180, 30, 25}); // shirt hem shadow

    // Jeans with a belt; two legs with a gap between them.
    fillRect(c, {8, 38, 21, 39}, {90, 50, 20});
    fillRect(c, {14, 38, 15, 39}, {230, 190, 60}); // buckle
    fillRect(c, {8, 40, 21, 45}, jeans);
    fillRect(c, {8, 46, 13, 61}, jeans);
    fillRect(c, {16, 46, 21, 61}, jeans);

    // Shoes turned slightly outwards.
    fillEllipse(c, {5, 60, 13, 65}, kBlack);
    fillEllipse(c, {16, 60, 24, 65}, kBlack);
    fillRect(c, {5, 63, 24, 65}, kWhite); // flat soles: cut the lower halves
    fillRect(c, {5, 63, 13, 63}, {60, 60, 60});
    fillRect(c, {16, 63, 24, 63}, {60, 60, 60});

    // Neck, head, hair and face.
    fillRect(c, {13, 15, 16, 18}, skin);
    fillEllipse(c, {8, 0, 21, 11}, hair);
    fillEllipse(c, {8, 7, 10, 11}, skin); // ears
    fillEllipse(c, {19, 7, 21, 11}, skin);
    fillEllipse(c, {10, 4, 19, 16}, skin);
    fillRect(c, {12, 8, 12, 9}, kBlack);
    fillRect(c, {17, 8, 17, 9}, kBlack);
    fillRect(c, {14, 10, 15, 11}, {230, 170, 130}); // nose
    line(c, 12, 13, 13, 14, {170, 40, 40});
    line(c, 14, 14, 15, 14, {170, 40, 40});
    line(c, 16, 14, 17, 13, {170, 40, 40});
    return c;
}

Canvas chaseFigure2() {
    Canvas c(45, 63, kWhite);
    const Rgb skin{250, 205, 165};
    const Rgb hair{245, 195, 40};
    const Rgb dress{150, 60, 200};
    const Rgb bow{230, 40, 90};

    // Arms stretched out and up, waving, with puffed sleeves.
    line(c, 17, 22, 6, 12, skin, 3);
    line(c, 27, 22, 38, 12, skin, 3);
    fillEllipse(c, {2, 7, 7, 12}, skin);
    fillEllipse(c, {37, 7, 42, 12}, skin);

    // Legs, socks and shoes.
    fillRect(c, {17, 44, 19, 55}, skin);
    fillRect(c, {25, 44, 27, 55}, skin);
    fillRect(c, {17, 52, 19, 55}, kWhite);
    fillRect(c, {25, 52, 27, 55}, kWhite);
    fillRect(c, {16, 52, 16, 55}, {200, 200, 200});
    fillRect(c, {28, 52, 28, 55}, {200, 200, 200});
    fillEllipse(c, {13, 55, 20, 60}, bow);
    fillEllipse(c, {24, 55, 31, 60}, bow);
    fillRect(c, {13, 59, 31, 60}, kWhite);

    // Dress flaring out to a wide hem, with polka dots and a sash.
    fillPolygon(c, {{17, 18}, {28, 18}, {37, 45}, {8, 45}}, dress);
    fillEllipse(c, {13, 17, 19, 24}, dress);
    fillEllipse(c, {26, 17, 32, 24}, dress);
    fillRect(c, {15, 27, 29, 28}, bow);
    fillRect(c, {8, 44, 37, 45}, {110, 30, 160});
    for (const Box dot : {Box{17, 32, 18, 33}, Box{24, 34, 25, 35}, Box{13, 39, 14, 40},
                          Box{20, 39, 21, 40}, Box{28, 40, 29, 41}, Box{21, 21, 22, 22}})
        fillRect(c, dot, kWhite);

    // Pigtails with bows, behind the head.
    fillEllipse(c, {9, 6, 15, 16}, hair);
    fillEllipse(c, {29, 6, 35, 16}, hair);
    fillEllipse(c, {11, 4, 15, 7}, bow);
    fillEllipse(c, {29, 4, 33, 7}, bow);

    // Neck, head, fringe and a happy face.
    fillRect(c, {20, 15, 24, 18}, skin);
    fillEllipse(c, {15, 2, 29, 17}, skin);
    fillEllipse(c, {15, 0, 29, 10}, hair);
    fillEllipse(c, {17, 6, 27, 13}, skin);
    fillRect(c, {18, 9, 19, 10}, kBlack);
    fillRect(c, {25, 9, 26, 10}, kBlack);
    fillRect(c, {17, 12, 18, 12}, {250, 150, 150}); // cheeks
    fillRect(c, {26, 12, 27, 12}, {250, 150, 150});
    line(c, 20, 13, 21, 14, {190, 40, 60});
    line(c, 22, 14, 24, 13, {190, 40, 60});
    return c;
}

// ------------------------------------------------------------------ icons
//
// An icon is drawn once on a 768-pixel master in a 48-unit design grid and
// box-filtered down to each installed size; 768 is a multiple of every size,
// so each icon pixel averages a whole square of master pixels.

constexpr int kMaster = 768;
constexpr int kUnit = kMaster / 48;
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

int px(double units) { return static_cast<int>(std::lround(units * kUnit)); }

// The master pixels between design-grid edges l..r and t..b.
Box U(double l, double t, double r, double b) { return {px(l), px(t), px(r) - 1, px(b) - 1}; }

Point P(double x, double y) { return {x * kUnit, y * kUnit}; }

// Averages each square of master pixels, weighting colour by opacity so that
// transparent pixels lend no colour to the edges.
Canvas downsample(const Canvas& master, int size) {
    const int k = master.width() / size;
    const std::uint64_t area = static_cast<std::uint64_t>(k) * static_cast<std::uint64_t>(k);
    Canvas out(size, size, kClear);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            std::uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int j = y * k; j < (y + 1) * k; ++j)
                for (int i = x * k; i < (x + 1) * k; ++i) {
                    const Rgb p = master.at(i, j);
                    a += p.a;
                    r += std::uint64_t{p.r} * p.a;
                    g += std::uint64_t{p.g} * p.a;
                    b += std::uint64_t{p.b} * p.a;
                }
            if (a == 0)
                continue;
            const auto mean = [](std::uint64_t sum, std::uint64_t count) {
                return static_cast<std::uint8_t>((2 * sum + count) / (2 * count));
            };
            out.plot(x, y, {mean(r, a), mean(g, a), mean(b, a), mean(a, area)});
        }
    return out;
}

// A picture enlarged `scale` times without smoothing; its white pixels are
// left out so that pictures may overlap on a white tile.
void blitWithoutWhite(Canvas& c, const Canvas& picture, int left, int top, int scale) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb p = picture.at(x, y);
            if (p.r == 255 && p.g == 255 && p.b == 255)
                continue;
            fillRect(c, {left + x * scale, top + y * scale, left + (x + 1) * scale - 1, top + (y + 1) * scale - 1}, p);
        }
}

// A small bitmap glyph: '#' cells are filled, `cell` design units square.
void glyph(Canvas& c, const std::vector<std::string>& rows, double left, double top, double cell, Rgb colour) {
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t i = 0; i < rows[j].size(); ++i)
            if (rows[j][i] == '#')
                fillRect(c, U(left + cell * static_cast<double>(i), top + cell * static_cast<double>(j),
                              left + cell * static_cast<double>(i + 1), top + cell * static_cast<double>(j + 1)),
                         colour);
}

const std::vector<std::string> kQuestionMark = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
const std::vector<std::string> kDigits[] = {
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
};

constexpr Rgb kFace{239, 239, 239};     // the desktop's button face, as the windows show it
constexpr Rgb kFaceEdge{150, 150, 150};
constexpr Rgb kInk{40, 40, 40};
constexpr Rgb kTitleBar{48, 100, 200};

// The rounded square most icons stand on: a one-unit edge around the face.
void tile(Canvas& c, Rgb face, Rgb edge) {
    fillRoundRect(c, U(3, 3, 45, 45), 6 * kUnit, edge);
    fillRoundRect(c, U(4, 4, 44, 44), 5 * kUnit, face);
}

// A tile whose top `height` units are a bar of another colour (title or menu bar).
void tileWithBar(Canvas& c, Rgb face, Rgb bar, double height) {
    tile(c, bar, kFaceEdge);
    fillRoundRect(c, U(4, 4 + height, 44, 44), 5 * kUnit, face);
    fillRect(c, U(4, 4 + height, 44, 9 + height), face);
}

// A push button with a caption stroke.
void button(Canvas& c, double l, double t, double r, double b) {
    fillRoundRect(c, U(l, t, r, b), kUnit, {110, 110, 110});
    fillRoundRect(c, U(l + 0.5, t + 0.5, r - 0.5, b - 0.5), kUnit / 2, {250, 250, 250});
    const double middle = (t + b) / 2;
    fillRect(c, U(l + 3, middle - 0.75, r - 3, middle + 0.75), {90, 90, 90});
}

// A sunken white text box.
void textBox(Canvas& c, double l, double t, double r, double b) {
    fillRect(c, U(l, t, r, b), {110, 110, 110});
    fillRect(c, U(l + 0.5, t + 0.5, r - 0.5, b - 0.5), kWhite);
}

void trafficLightIcon(Canvas& c) {
    tile(c, {0, 192, 0}, {0, 110, 0});
    fillRoundRect(c, U(15, 5, 33, 43), 3 * kUnit, kBlack);
    fillRect(c, U(17, 7, 31, 41), kWhite);
    // Lenses as in the pictures, with outlines thick enough for small sizes.
    ellipseRing(c, U(19.25, 9.25, 28.75, 22.5), px(1.25), kBlack);
    fillEllipse(c, U(19.25, 9.25, 28.75, 22.5), {255, 0, 0});
    ellipseRing(c, U(19.25, 25.5, 28.75, 38.75), px(1.25), kBlack);
    fillEllipse(c, U(19.25, 25.5, 28.75, 38.75), {0, 255, 0});
}

// The chaser at the left, the leader ahead of it on the road, each from its
// own picture; the chaser is drawn last, as in the window.
void raceIcon(Canvas& c, const Canvas& chaser, const Canvas& leader, int scale, double road) {
    tile(c, kWhite, kFaceEdge);
    fillRect(c, U(5, road, 43, road + 1), kBlack);
    const int ground = px(road);
    blitWithoutWhite(c, leader, px(42.5) - scale * leader.width(), ground - scale * leader.height(), scale);
    blitWithoutWhite(c, chaser, px(5.5), ground - scale * chaser.height(), scale);
}

void chaseIcon(Canvas& c) { raceIcon(c, chaseCar(), chaseCartoon(), 5, 33); }
void chase2Icon(Canvas& c) { raceIcon(c, chaseFigure(), chaseFigure2(), 7, 40.5); }

// The question, four answers with option buttons and the fifth answer's
// button; each build selects another answer, so the three are told apart.
void quizIcon(Canvas& c, int selected) {
    tile(c, kFace, kFaceEdge);
    glyph(c, kQuestionMark, 20.25, 6, 1.5, {30, 60, 160});
    const double lengths[] = {20, 22, 24, 21};
    for (int row = 0; row < 4; ++row) {
        const double top = 19 + 5 * row;
        fillEllipse(c, U(8, top, 12, top + 4), {90, 90, 90});
        fillEllipse(c, U(8.5, top + 0.5, 11.5, top + 3.5), kWhite);
        if (row + 1 == selected)
            fillEllipse(c, U(9.25, top + 1.25, 10.75, top + 2.75), kBlack);
        fillRect(c, U(15, top + 1.25, 15 + lengths[row], top + 2.75), kInk);
    }
    button(c, 15, 39.25, 33, 43);
}

// Greetings printed down the left, the buttons in a column on the right.
void greeterIcon(Canvas& c, bool framed) {
    if (framed)
        tileWithBar(c, kFace, kTitleBar, 6);
    else
        tile(c, kFace, kFaceEdge);
    const double top = framed ? 14 : 9;
    const int lines = framed ? 3 : 4;
    for (int line = 0; line < lines; ++line)
        fillRect(c, U(7, top + 4 * line, line % 2 ? 20 : 22, top + 4 * line + 2), kInk);
    // greeter's clear button is gone after the first greeting; greeter2 keeps it.
    const int buttons = framed ? 3 : 2;
    for (int b = 0; b < buttons; ++b)
        button(c, 26, top - 1 + 8.5 * b, 41, top + 5 + 8.5 * b);
    if (framed)
        fillRect(c, U(33, 40.5, 41, 41.75), {90, 90, 90}); // the signature
}

// Three numbers, the button, and the largest of them in the result box.
void maxOfThreeIcon(Canvas& c) {
    tileWithBar(c, kFace, {252, 252, 252}, 5);
    fillRect(c, U(4, 9, 44, 9.5), {200, 200, 200});
    fillRect(c, U(7, 5.75, 17, 7.25), kInk); // the menu's title
    for (int i = 0; i < 3; ++i) {
        const double left = 6 + 13 * i;
        textBox(c, left, 13, left + 10, 21.5);
        glyph(c, kDigits[i], left + 3.2, 14.25, 1.2, kInk);
    }
    button(c, 14, 25, 34, 31);
    fillRect(c, U(7, 37.5, 21, 39), kInk);
    textBox(c, 25, 34, 35, 42.5);
    glyph(c, kDigits[2], 28.2, 35.25, 1.2, {200, 0, 0});
}

// A quadrilateral along the direction (dx, dy) from the centre of the face:
// from `from` to `to` units out, `width` units wide.
void stroke(Canvas& c, double dx, double dy, double from, double to, double width, Rgb colour) {
    const double cx = 24, cy = 24, nx = -dy * width / 2, ny = dx * width / 2;
    fillPolygon(c,
                {P(cx + dx * from + nx, cy + dy * from + ny), P(cx + dx * to + nx, cy + dy * to + ny),
                 P(cx + dx * to - nx, cy + dy * to - ny), P(cx + dx * from - nx, cy + dy * from - ny)},
                colour);
}

// A clock face at ten past ten: the program shows the date and the time.
void clockIcon(Canvas& c) {
    fillEllipse(c, U(3, 3, 45, 45), {40, 45, 70});
    fillEllipse(c, U(5.5, 5.5, 42.5, 42.5), {252, 252, 248});
    // Sines and cosines of the twelve hour marks, as constants: no library
    // trigonometry, so the icons are the same with every maths library.
    constexpr double h = 0.5, s = 0.8660254037844386;
    const double marks[12][2] = {{0, -1}, {h, -s}, {s, -h}, {1, 0},  {s, h},  {h, s},
                                 {0, 1},  {-h, s}, {-s, h}, {-1, 0}, {-s, -h}, {-h, -s}};
    for (int i = 0; i < 12; ++i)
        stroke(c, marks[i][0], marks[i][1], i % 3 == 0 ? 13.5 : 14.75, 17, i % 3 == 0 ? 2 : 1, {40, 45, 70});
    stroke(c, -0.8191520442889918, -0.5735764363510462, -1.5, 9.5, 2.5, {40, 45, 70}); // hour hand, 10:10
    stroke(c, s, -h, -1.5, 14, 1.75, {40, 45, 70});                                  // minute hand
    stroke(c, 0, 1, -3, 15.5, 0.75, {220, 30, 30});                                  // second hand, :30
    fillEllipse(c, U(22.25, 22.25, 25.75, 25.75), {220, 30, 30});
}

// The icon drawings by the names the program registry gives them.
struct Drawing {
    const char* name;
    void (*draw)(Canvas&);
};

const Drawing kDrawings[] = {
    {"trafficlight", trafficLightIcon},
    {"chase", chaseIcon},
    {"chase2", chase2Icon},
    {"quiz", [](Canvas& c) { quizIcon(c, 1); }},
    {"quiz2", [](Canvas& c) { quizIcon(c, 2); }},
    {"quiz3", [](Canvas& c) { quizIcon(c, 3); }},
    {"greeter", [](Canvas& c) { greeterIcon(c, false); }},
    {"greeter2", [](Canvas& c) { greeterIcon(c, true); }},
    {"maxofthree", maxOfThreeIcon},
    {"clock", clockIcon},
};

bool writePng(const std::filesystem::path& file, const Canvas& c) {
    QImage image(c.width(), c.height(), QImage::Format_RGBA8888);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgb p = c.at(x, y);
            image.setPixelColor(x, y, QColor(p.r, p.g, p.b, p.a));
        }
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        std::cerr << "draw_assets: cannot write " << file.string() << '\n';
        return false;
    }
    return true;
}

// Each request "<icon name>=<drawing>" becomes <outDir>/hicolor/<n>x<n>/apps/<icon name>.png at every size.
bool writeIcons(const std::filesystem::path& outDir, const std::vector<std::string>& requests) {
    bool ok = true;
    for (const std::string& request : requests) {
        const auto equals = request.find('=');
        const std::string name = request.substr(0, equals);
        const std::string drawingName = equals == std::string::npos ? "" : request.substr(equals + 1);
        const auto drawing = std::find_if(std::begin(kDrawings), std::end(kDrawings),
                                          [&](const Drawing& d) { return drawingName == d.name; });
        if (name.empty() || drawing == std::end(kDrawings)) {
            std::cerr << "draw_assets: '" << request << "' is not <icon name>=<drawing>; the drawings are:";
            for (const Drawing& d : kDrawings)
                std::cerr << ' ' << d.name;
            std::cerr << '\n';
            return false;
        }
        Canvas master(kMaster, kMaster, kClear);
        drawing->draw(master);
        for (const int size : kIconSizes) {
            const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
            const std::filesystem::path dir = outDir / "hicolor" / sizeName / "apps";
            std::error_code ec;
            std::filesystem::create_directories(dir, ec);
            if (ec) {
                std::cerr << "draw_assets: cannot create " << dir.string() << ": " << ec.message() << '\n';
                return false;
            }
            ok = writePng(dir / (name + ".png"), downsample(master, size)) && ok;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const bool icons = argc >= 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "usage: draw_assets <outdir> | draw_assets --icons <outdir> <icon name>=<drawing>...\n";
        return 2;
    }
    const std::filesystem::path outDir = icons ? argv[2] : argv[1];
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        std::cerr << "draw_assets: cannot create " << outDir.string() << ": " << ec.message() << '\n';
        return 1;
    }
    if (icons)
        return writeIcons(outDir, std::vector<std::string>(argv + 3, argv + argc)) ? 0 : 1;

    struct Asset {
        const char* name;
        Canvas (*draw)();
    };
    const Asset assets[] = {
        {"trafficlight_green.bmp", trafficLightGreen},
        {"trafficlight_red.bmp", trafficLightRed},
        {"chase_car.bmp", chaseCar},
        {"chase_cartoon.bmp", chaseCartoon},
        {"chase2_figure.bmp", chaseFigure},
        {"chase2_figure2.bmp", chaseFigure2},
    };
    bool ok = true;
    for (const Asset& a : assets)
        ok = writeBmp(outDir / a.name, a.draw()) && ok;
    return ok ? 0 : 1;
}
