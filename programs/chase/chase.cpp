#include "chase.h"

#include <forms/arithmetic.h>

#include <utility>

namespace chase {

using forms::Kind;

Variant chase()
{
    return {
        .window = { .name = "Form1", .caption = "Form1", .backColor = 0x80000009,
                    .clientWidth = 9960, .clientHeight = 2700 },
        .controls = {
            { .kind = Kind::TextBox, .name = "FASTER", .index = 1, .caption = "2",
              .left = 4200, .top = 1800, .width = 972, .height = 288, .tabIndex = 1 },
            { .kind = Kind::CommandButton, .name = "START", .index = 2, .caption = "start",
              .left = 6480, .top = 1800, .width = 2772, .height = 492, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label2", .index = 7, .caption = "By zedrik40",
              .left = 8880, .top = 2400, .width = 972, .height = 252,
              .backColor = 0x00FFFFFF, .tabIndex = 3 },
            { .kind = Kind::Image, .name = "b2", .index = 3,
              .left = 4200, .top = 1080, .width = 744, .height = 504,
              .picture = ":/pictures/chase_cartoon.bmp", .description = "Πράσινο καρτούν αυτοκινητάκι",
              .stretch = false },
            { .kind = Kind::Image, .name = "A1", .index = 4,
              .left = 240, .top = 1272, .width = 744, .height = 336,
              .picture = ":/pictures/chase_car.bmp", .description = "Κίτρινη αγωνιστική φόρμουλα",
              .stretch = false },
            { .kind = Kind::Line, .name = "Line1", .index = 5,
              .x1 = 240, .y1 = 1632, .x2 = 10800, .y2 = 1632 },
            { .kind = Kind::Label, .name = "Label1", .index = 6, .caption = "Η φορμουλα ειναι ταχυτερη",
              .left = 840, .top = 1800, .width = 2412, .height = 252,
              .backColor = 0x80000009, .tabIndex = 2 },
        },
    };
}

Variant chase2()
{
    Variant d = chase();

    forms::ControlRow& label2 = d.control("Label2");
    label2.index = 4;
    label2.backColor = 0x80000009;
    label2.left = 8520;
    label2.width = 1452;

    forms::ControlRow& a1 = d.control("A1");
    a1.index = 7;
    a1.picture = ":/pictures/chase2_figure.bmp";
    a1.description = "Φιγούρα αγοριού";
    a1.left = 840;
    a1.top = 840;
    a1.width = 360;
    a1.height = 816;

    forms::ControlRow& b2 = d.control("b2");
    b2.picture = ":/pictures/chase2_figure2.bmp";
    b2.description = "Φιγούρα κοριτσιού";
    b2.left = 4440;
    b2.top = 840;
    b2.width = 540;
    b2.height = 756;

    d.moveBefore("A1", "b2");
    return d;
}

bool Stall::after(double posA1, double posB2)
{
    const double lead = posB2 - posA1;
    unshrunk_ = lead >= lead_ ? unshrunk_ + 1 : 0;
    lead_ = lead;
    return lead < 1 && unshrunk_ >= 2;
}

Form1::Form1(Variant variant, forms::Services services)
    : Form(std::move(variant), services)
{
    connect(START(), &Form1::START_Click);
    onLoad(&Form1::Form_Load);
}

void Form1::Form_Load()
{
    startA1 = forms::toInt16(A1().left());
    startB2 = forms::toInt16(b2().left());
}

// Every run, a nested one too, keeps its race in its own locals: a click on
// START during the wait runs a whole race inside DoEvents, after which this
// one goes on from its own positions.
void Form1::START_Click()
{
    A1().setLeft(startA1);
    double posA1 = startA1;
    b2().setLeft(startB2);
    double posB2 = startB2;
    double prevA1;
    double t0;
    Stall stall(posB2 - posA1);

    do {
        // Wait 0.17 s, handling the window's events meanwhile. While nothing
        // is pending the runtime sleeps until the clock reads t0 + 0.17.
        t0 = Timer();
        while (secondsSince(t0) < 0.17)
            DoEventsUntil(t0 + 0.17);

        prevA1 = posA1;
        posA1 = posB2;
        const QString faster = FASTER().text();  // read afresh: an edit counts from the next step
        const double gap = forms::subtract(posB2, prevA1);
        const double factor = forms::toDouble(faster);
        posB2 = forms::add(forms::divide(gap, factor), posB2);

        // Positions stay unrounded; the pictures stand on whole twips, halves to even.
        A1().setLeft(forms::toInt16(posA1));
        b2().setLeft(forms::toInt16(posB2));
    } while (posA1 < posB2 && !stall.after(posA1, posB2));  // a race in the stall band ends too
}

// Seconds from t0 to now on the clock that restarts at midnight: a reading past
// midnight counts the time across it, so no wait lasts until the next day.
double Form1::secondsSince(double t0) const
{
    double elapsed = forms::subtract(Timer(), t0);
    if (elapsed < 0)
        elapsed = forms::add(elapsed, 24 * 60 * 60);
    return elapsed;
}

}  // namespace chase
