// The greeting printers' menu icons.
#include <canvas.h>

namespace {

using namespace drawing;

// Greetings printed down the left, the buttons in a column on the right.
void greeterIcon(Canvas& c, bool framed)
{
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
        fillRect(c, U(33, 40.5, 41, 41.75), {90, 90, 90});  // the signature
}

const IconDrawings greeterIcons {
    {"greeter", [](Canvas& c) { greeterIcon(c, false); }},
    {"greeter2", [](Canvas& c) { greeterIcon(c, true); }},
};

}  // namespace
