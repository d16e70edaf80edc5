// ΩΡΑ's menu icon: a clock face at ten past ten.
#include <canvas.h>

namespace {

using namespace drawing;

// A quadrilateral along the direction (dx, dy) from the centre of the face:
// from `from` to `to` units out, `width` units wide.
void stroke(Canvas& c, double dx, double dy, double from, double to, double width, Rgb colour)
{
    const double cx = 24, cy = 24, nx = -dy * width / 2, ny = dx * width / 2;
    fillPolygon(c,
                {P(cx + dx * from + nx, cy + dy * from + ny), P(cx + dx * to + nx, cy + dy * to + ny),
                 P(cx + dx * to - nx, cy + dy * to - ny), P(cx + dx * from - nx, cy + dy * from - ny)},
                colour);
}

void clockIcon(Canvas& c)
{
    fillEllipse(c, U(3, 3, 45, 45), {40, 45, 70});
    fillEllipse(c, U(5.5, 5.5, 42.5, 42.5), {252, 252, 248});
    // Sines and cosines of the twelve hour marks, as constants: no library
    // trigonometry, so the icons are the same with every maths library.
    constexpr double h = 0.5, s = 0.8660254037844386;
    const double marks[12][2] = {{0, -1}, {h, -s}, {s, -h}, {1, 0},  {s, h},  {h, s},
                                 {0, 1},  {-h, s}, {-s, h}, {-1, 0}, {-s, -h}, {-h, -s}};
    for (int i = 0; i < 12; ++i)
        stroke(c, marks[i][0], marks[i][1], i % 3 == 0 ? 13.5 : 14.75, 17, i % 3 == 0 ? 2 : 1, {40, 45, 70});
    stroke(c, -0.8191520442889918, -0.5735764363510462, -1.5, 9.5, 2.5, {40, 45, 70});  // hour hand, 10:10
    stroke(c, s, -h, -1.5, 14, 1.75, {40, 45, 70});                                    // minute hand
    stroke(c, 0, 1, -3, 15.5, 0.75, {220, 30, 30});                                    // second hand, :30
    fillEllipse(c, U(22.25, 22.25, 25.75, 25.75), {220, 30, 30});
}

const IconDrawings clockIcons {
    {"clock", clockIcon},
};

}  // namespace
