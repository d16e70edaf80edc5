// The race programs' menu icons, drawn from their own pictures.
#include <canvas.h>
#include <pictures.h>

namespace {

using namespace drawing;

// A picture enlarged `scale` times without smoothing; its white pixels are
// left out so that pictures may overlap on a white tile.
void blitWithoutWhite(Canvas& c, const Canvas& picture, int left, int top, int scale)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb p = picture.at(x, y);
            if (p.r == 255 && p.g == 255 && p.b == 255)
                continue;
            fillRect(c, {left + x * scale, top + y * scale, left + (x + 1) * scale - 1, top + (y + 1) * scale - 1}, p);
        }
}

// The chaser at the left, the leader ahead of it on the road, each from its
// own picture; the chaser is drawn last, as in the window.
void raceIcon(Canvas& c, const Canvas& chaser, const Canvas& leader, int scale, double road)
{
    tile(c, kWhite, kFaceEdge);
    fillRect(c, U(5, road, 43, road + 1), kBlack);
    const int ground = px(road);
    blitWithoutWhite(c, leader, px(42.5) - scale * leader.width(), ground - scale * leader.height(), scale);
    blitWithoutWhite(c, chaser, px(5.5), ground - scale * chaser.height(), scale);
}

const IconDrawings chaseIcons {
    {"chase", [](Canvas& c) { raceIcon(c, chaseCar(), chaseCartoon(), 5, 33); }},
    {"chase2", [](Canvas& c) { raceIcon(c, chaseFigure(), chaseFigure2(), 7, 40.5); }},
};

}  // namespace
