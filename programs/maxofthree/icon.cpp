// maxofthree's menu icon.
#include <canvas.h>

namespace {

using namespace drawing;

const std::vector<std::string> kDigits[] = {
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
};

// A sunken white text box.
void textBox(Canvas& c, double l, double t, double r, double b)
{
    fillRect(c, U(l, t, r, b), {110, 110, 110});
    fillRect(c, U(l + 0.5, t + 0.5, r - 0.5, b - 0.5), kWhite);
}

// Three numbers, the button, and the largest of them in the result box.
void maxOfThreeIcon(Canvas& c)
{
    tileWithBar(c, kFace, {252, 252, 252}, 5);
    fillRect(c, U(4, 9, 44, 9.5), {200, 200, 200});
    fillRect(c, U(7, 5.75, 17, 7.25), kInk);  // the menu's title
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

const IconDrawings maxofthreeIcons {
    {"maxofthree", maxOfThreeIcon},
};

}  // namespace
