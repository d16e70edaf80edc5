// The questionnaires' menu icons.
#include <canvas.h>

namespace {

using namespace drawing;

const std::vector<std::string> kQuestionMark = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};

// The question, four answers with option buttons and the fifth answer's
// button; each program selects another answer, so the three are told apart.
void quizIcon(Canvas& c, int selected)
{
    tile(c, kFace, kFaceEdge);
    glyph(c, kQuestionMark, 20.25, 6, 1.5, {30, 60, 160});
    const double lengths[] = {20, 22, 24, 21};
    for (int row = 0; row < 4; ++row) {
        const double top = 19 + 5 * row;
        fillEllipse(c, U(8, top, 12, top + 4), {90, 90, 90});
        fillEllipse(c, U(8.5, top + 0.5, 11.5, top + 3.5), kWhite);
        if (row + 1 == selected)
            fillEllipse(c, U(9.25, top + 1.25, 10.75, top + 2.75), kBlack);
        fillRect(c, U(15, top + 1.25, 15 + lengths[row], top + 2.75), kInk);
    }
    button(c, 15, 39.25, 33, 43);
}

const IconDrawings quizIcons {
    {"quiz", [](Canvas& c) { quizIcon(c, 1); }},
    {"quiz2", [](Canvas& c) { quizIcon(c, 2); }},
    {"quiz3", [](Canvas& c) { quizIcon(c, 3); }},
};

}  // namespace
