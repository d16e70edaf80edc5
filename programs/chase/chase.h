// A pursuit race: one picture jumps to where the other stood while that one moves
// on by the distance divided by the factor typed into FASTER. The programs chase
// and chase2 share one window class, its state and its handlers, and differ only
// in their window descriptions.
#pragma once

#include <forms/form.h>

#include <cstdint>

namespace chase {

// What tells one program of the family from another: its window description.
using Variant = forms::Description;

Variant chase();
Variant chase2();  // chase's window plus its differences

// The end of a race caught in the stall band: for factors between about 1.13
// and 2 the leader's last move stays one unit in the last place, so posA1 never
// reaches posB2. Such a race ends once the lead is below one twip and has not
// shrunk in two consecutive steps; a race that ends by itself never keeps its
// lead unchanged twice in a row, so its steps are not touched.
class Stall {
public:
    explicit Stall(double startLead) : lead_(startLead) {}
    // Called once per step with the new positions; true when the race has stalled.
    bool after(double posA1, double posB2);

private:
    double lead_;
    int unshrunk_ = 0;  // consecutive steps in which the lead did not shrink
};

class Form1 : public forms::Form {
public:
    explicit Form1(Variant variant, forms::Services services = {});

    // Controls, in chase's creation-index order.
    FORMS_CONTROL(TextBox, FASTER);
    FORMS_CONTROL(CommandButton, START);
    FORMS_CONTROL(Image, b2);
    FORMS_CONTROL(Image, A1);
    FORMS_CONTROL(Line, Line1);
    FORMS_CONTROL(Label, Label1);
    FORMS_CONTROL(Label, Label2);

    void Form_Load();
    void START_Click();

    // Start positions, recorded by Form_Load.
    std::int16_t startA1 = 0;
    std::int16_t startB2 = 0;

private:
    double secondsSince(double t0) const;
};

}  // namespace chase
