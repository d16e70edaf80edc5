// A clock window: the current date and time of day in two text boxes, refreshed
// every second in the user's regional formats.
#pragma once

#include <forms/form.h>

namespace ora {

forms::Description description();

class Form1 : public forms::Form {
public:
    explicit Form1(forms::Services services = {});

    // Controls, in creation-index order.
    forms::CommandButton& Command1() { return control<forms::CommandButton>(1); }
    forms::Timer& Timer1() { return control<forms::Timer>(2); }
    forms::TextBox& Text2() { return control<forms::TextBox>(3); }
    forms::TextBox& Text1() { return control<forms::TextBox>(4); }
    forms::Label& Label2() { return control<forms::Label>(5); }
    forms::Label& Label1() { return control<forms::Label>(6); }

    void Timer1_Timer();
};

}  // namespace ora
