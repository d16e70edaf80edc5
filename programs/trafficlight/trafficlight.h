// A traffic light that the user switches between green and red.
#pragma once

#include <forms/form.h>

namespace trafficlight {

forms::Description description();

class Trafic_Lights : public forms::Form {
public:
    explicit Trafic_Lights(forms::Services services = {});

    // Controls, in creation-index order.
    forms::PictureBox& lamp1() { return control<forms::PictureBox>(1); }
    forms::CommandButton& red() { return control<forms::CommandButton>(2); }
    forms::CommandButton& green() { return control<forms::CommandButton>(3); }
    forms::Image& lamp() { return control<forms::Image>(4); }
    forms::Label& Label1() { return control<forms::Label>(5); }

    void red_Click();
    void green_Click();
};

}  // namespace trafficlight
