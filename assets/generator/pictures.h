// The six pictures the programs show, drawn bit for bit as draw_assets writes
// them into assets/ (chase's icons are drawn from its pictures too).
#pragma once

#include "canvas.h"

namespace drawing {

Canvas trafficLightGreen();
Canvas trafficLightRed();
Canvas chaseCar();
Canvas chaseCartoon();
Canvas chaseFigure();
Canvas chaseFigure2();

} // namespace drawing
