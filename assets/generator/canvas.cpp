#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace drawing {

namespace {

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

// The canvas's own pixels that picture-pixel box b covers.
Box device(const Canvas& c, Box b) {
    const int s = c.scale();
    return {b.left * s, b.top * s, (b.right + 1) * s - 1, (b.bottom + 1) * s - 1};
}

void fillDeviceRect(Canvas& c, Box b, Rgb colour) {
    for (int y = b.top; y <= b.bottom; ++y)
        for (int x = b.left; x <= b.right; ++x)
            c.plot(x, y, colour);
}

// Even-odd scanline fill of a polygon in the canvas's own pixel-edge
// coordinates, sampling each pixel at its centre.
void fillDevicePolygon(Canvas& c, const std::vector<Point>& pts, Rgb colour) {
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

// Convex hull of a few points, counter-clockwise in screen terms, without
// collinear points (Andrew's monotone chain).
std::vector<Point> convexHull(std::vector<Point> pts) {
    std::sort(pts.begin(), pts.end(), [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    const auto cross = [](Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    std::vector<Point> hull(2 * pts.size());
    std::size_t k = 0;
    for (const Point p : pts) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (std::size_t i = pts.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    hull.resize(k - 1);
    return hull;
}

} // namespace

void fillRect(Canvas& c, Box b, Rgb colour) { fillDeviceRect(c, device(c, b), colour); }

void fillEllipse(Canvas& c, Box b, Rgb colour) {
    const Box d = device(c, b);
    for (int y = d.top; y <= d.bottom; ++y)
        for (int x = d.left; x <= d.right; ++x)
            if (insideEllipse(x, y, d))
                c.plot(x, y, colour);
}

void ellipseRing(Canvas& c, Box inner, int thickness, Rgb colour) {
    const Box in = device(c, inner);
    const Box outer = device(c, grow(inner, thickness));
    for (int y = outer.top; y <= outer.bottom; ++y)
        for (int x = outer.left; x <= outer.right; ++x)
            if (insideEllipse(x, y, outer) && !insideEllipse(x, y, in))
                c.plot(x, y, colour);
}

void outlinedEllipse(Canvas& c, Box b, Rgb colour) {
    fillEllipse(c, grow(b, 1), kBlack);
    fillEllipse(c, b, colour);
}

void fillRoundRect(Canvas& c, Box b, int radius, Rgb colour) {
    fillRect(c, {b.left + radius, b.top, b.right - radius, b.bottom}, colour);
    fillRect(c, {b.left, b.top + radius, b.right, b.bottom - radius}, colour);
    const int d = 2 * radius;
    fillEllipse(c, {b.left, b.top, b.left + d, b.top + d}, colour);
    fillEllipse(c, {b.right - d, b.top, b.right, b.top + d}, colour);
    fillEllipse(c, {b.left, b.bottom - d, b.left + d, b.bottom}, colour);
    fillEllipse(c, {b.right - d, b.bottom - d, b.right, b.bottom}, colour);
}

void line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour, int pen) {
    const int lo = -(pen - 1) / 2, hi = pen / 2;
    if (c.scale() > 1) {
        // The square brush's corners at both ends span the swept area.
        const double s = c.scale();
        std::vector<Point> corners;
        for (const auto& [x, y] : {std::pair{x0, y0}, std::pair{x1, y1}})
            for (const int dx : {lo, hi + 1})
                for (const int dy : {lo, hi + 1})
                    corners.push_back({(x + dx) * s, (y + dy) * s});
        fillDevicePolygon(c, convexHull(corners), colour);
        return;
    }
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
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

void fillPolygon(Canvas& c, const std::vector<Point>& pts, Rgb colour) {
    std::vector<Point> scaled;
    scaled.reserve(pts.size());
    for (const Point p : pts)
        scaled.push_back({p.x * c.scale(), p.y * c.scale()});
    fillDevicePolygon(c, scaled, colour);
}

int px(double units) { return static_cast<int>(std::lround(units * kUnit)); }

Box U(double l, double t, double r, double b) { return {px(l), px(t), px(r) - 1, px(b) - 1}; }

Point P(double x, double y) { return {x * kUnit, y * kUnit}; }

void tile(Canvas& c, Rgb face, Rgb edge) {
    fillRoundRect(c, U(3, 3, 45, 45), 6 * kUnit, edge);
    fillRoundRect(c, U(4, 4, 44, 44), 5 * kUnit, face);
}

void tileWithBar(Canvas& c, Rgb face, Rgb bar, double height) {
    tile(c, bar, kFaceEdge);
    fillRoundRect(c, U(4, 4 + height, 44, 44), 5 * kUnit, face);
    fillRect(c, U(4, 4 + height, 44, 9 + height), face);
}

void button(Canvas& c, double l, double t, double r, double b) {
    fillRoundRect(c, U(l, t, r, b), kUnit, {110, 110, 110});
    fillRoundRect(c, U(l + 0.5, t + 0.5, r - 0.5, b - 0.5), kUnit / 2, {250, 250, 250});
    const double middle = (t + b) / 2;
    fillRect(c, U(l + 3, middle - 0.75, r - 3, middle + 0.75), {90, 90, 90});
}

void glyph(Canvas& c, const std::vector<std::string>& rows, double left, double top, double cell, Rgb colour) {
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t i = 0; i < rows[j].size(); ++i)
            if (rows[j][i] == '#')
                fillRect(c, U(left + cell * static_cast<double>(i), top + cell * static_cast<double>(j),
                              left + cell * static_cast<double>(i + 1), top + cell * static_cast<double>(j + 1)),
                         colour);
}

IconDrawings::IconDrawings(std::initializer_list<IconDrawing> drawings) {
    registered().insert(registered().end(), drawings);
}

const std::vector<IconDrawing>& IconDrawings::all() { return registered(); }

std::vector<IconDrawing>& IconDrawings::registered() {
    static std::vector<IconDrawing> drawings;
    return drawings;
}

} // namespace drawing
