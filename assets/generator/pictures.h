// The six pictures the programs show, drawn bit for bit as draw_assets writes
// them into assets/ (chase's icons are drawn from its pictures too). Each is
// drawn at `scale` times its size for screens of that many device pixels per
// pixel: the same drawing with finer curves and slopes, not its pixels
// enlarged.
#pragma once

#include "canvas.h"

namespace drawing {

Canvas trafficLightGreen(int scale = 1);
Canvas trafficLightRed(int scale = 1);
Canvas chaseCar(int scale = 1);
Canvas chaseCartoon(int scale = 1);
Canvas chaseFigure(int scale = 1);
Canvas chaseFigure2(int scale = 1);

} // namespace drawing
