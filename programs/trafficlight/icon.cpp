// trafficlight's menu icon: the traffic light on a green tile, both lenses lit.
#include <canvas.h>

namespace {

using namespace drawing;

void trafficLightIcon(Canvas& c)
{
    tile(c, {0, 192, 0}, {0, 110, 0});
    fillRoundRect(c, U(15, 5, 33, 43), 3 * kUnit, kBlack);
    fillRect(c, U(17, 7, 31, 41), kWhite);
    // Lenses as in the pictures, with outlines thick enough for small sizes.
    ellipseRing(c, U(19.25, 9.25, 28.75, 22.5), px(1.25), kBlack);
    fillEllipse(c, U(19.25, 9.25, 28.75, 22.5), {255, 0, 0});
    ellipseRing(c, U(19.25, 25.5, 28.75, 38.75), px(1.25), kBlack);
    fillEllipse(c, U(19.25, 25.5, 28.75, 38.75), {0, 255, 0});
}

const IconDrawings trafficlightIcons {
    {"trafficlight", trafficLightIcon},
};

}  // namespace
