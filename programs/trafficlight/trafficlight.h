// A traffic light that the user switches between green and red.
#pragma once

#include <forms/form.h>

namespace trafficlight {

// What a program of this family is made from: its window description.
using Variant = forms::Description;

Variant trafficlight();

class Trafic_Lights : public forms::Form {
public:
    explicit Trafic_Lights(Variant variant, forms::Services services = {});

    // Controls, in creation-index order.
    FORMS_CONTROL(PictureBox, lamp1);
    FORMS_CONTROL(CommandButton, red);
    FORMS_CONTROL(CommandButton, green);
    FORMS_CONTROL(Image, lamp);
    FORMS_CONTROL(Label, Label1);

    void red_Click();
    void green_Click();
};

}  // namespace trafficlight
