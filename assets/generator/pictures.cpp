#include "pictures.h"

namespace drawing {

namespace {

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

void wheel(Canvas& c, Box tyre, Rgb hub) {
    fillEllipse(c, tyre, kBlack);
    const int cx = (tyre.left + tyre.right) / 2, cy = (tyre.top + tyre.bottom) / 2;
    const int r = (tyre.right - tyre.left) / 4;
    fillEllipse(c, {cx - r, cy - r, cx + r, cy + r}, hub);
    fillRect(c, {cx - 1, cy - 1, cx + 1, cy + 1}, {90, 90, 90});
}

} // namespace

Canvas trafficLightGreen(int scale) {
    Canvas c(54, 127, kWhite, scale);
    frame(c, {0, 0, 53, 126}, 5, 4, 3, 4);
    lens(c, {11, 9, 42, 52}, kWhite);
    lens(c, {10, 64, 42, 109}, {0, 255, 0});
    return c;
}

Canvas trafficLightRed(int scale) {
    // Row 0 and column 0 stay white: the housing starts one pixel in.
    Canvas c(57, 129, kWhite, scale);
    frame(c, {1, 1, 56, 128}, 5, 5, 5, 5);
    lens(c, {13, 10, 44, 53}, {255, 0, 0});
    lens(c, {12, 65, 44, 110}, kWhite);
    return c;
}

// -------------------------------------------------------------- race cars

Canvas chaseCar(int scale) {
    Canvas c(62, 28, kWhite, scale);
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

Canvas chaseCartoon(int scale) {
    Canvas c(62, 42, kWhite, scale);
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

Canvas chaseFigure(int scale) {
    Canvas c(30, 68, kWhite, scale);
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

Canvas chaseFigure2(int scale) {
    Canvas c(45, 63, kWhite, scale);
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

} // namespace drawing
