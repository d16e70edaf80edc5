#include "trafficlight.h"

#include <utility>

namespace trafficlight {

using forms::Kind;

Variant trafficlight()
{
    return {
        .window = { .name = "Trafic_Lights", .caption = "Trafic_Lights", .backColor = 0x0000C000,
                    .clientWidth = 4488, .clientHeight = 4056 },
        .controls = {
            { .kind = Kind::PictureBox, .name = "lamp1", .index = 1,
              .left = 1800, .top = 360, .width = 684, .height = 1428,
              .tabIndex = 2, .picture = ":/pictures/trafficlight_green.bmp",
              .description = "Φανάρι με αναμμένο το πράσινο" },
            { .kind = Kind::CommandButton, .name = "red", .index = 2, .caption = "red",
              .left = 1440, .top = 3000, .width = 1452, .height = 612, .tabIndex = 1 },
            { .kind = Kind::CommandButton, .name = "green", .index = 3, .caption = "green",
              .left = 1440, .top = 3000, .width = 1452, .height = 612,
              .backColor = 0x80000004, .visible = false, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label1", .index = 5, .caption = "made zedrik40",
              .left = 3480, .top = 3840, .width = 972, .height = 252, .tabIndex = 3,
              .font = forms::Font { .face = "Liberation Sans Narrow", .size = 78000, .weight = 400 } },
            { .kind = Kind::Image, .name = "lamp", .index = 4,
              .left = 1800, .top = 360, .width = 684, .height = 1428,
              .picture = ":/pictures/trafficlight_red.bmp", .description = "Φανάρι με αναμμένο το κόκκινο",
              .stretch = true },
        },
    };
}

Trafic_Lights::Trafic_Lights(Variant variant, forms::Services services)
    : Form(std::move(variant), services)
{
    connect(red(), &Trafic_Lights::red_Click);
    connect(green(), &Trafic_Lights::green_Click);
}

void Trafic_Lights::red_Click()
{
    red().setVisible(false);
    green().setVisible(true);
    lamp().setVisible(true);
    lamp1().setVisible(false);
    setBackColor(0x000000FF);
}

void Trafic_Lights::green_Click()
{
    green().setVisible(false);
    red().setVisible(true);
    lamp().setVisible(false);
    lamp1().setVisible(true);
    setBackColor(0x0000C000);
}

}  // namespace trafficlight
