// A clock window: the current date and time of day in two text boxes, refreshed
// every second in the user's regional formats.
#pragma once

#include <forms/form.h>

namespace ora {

// What a program of this family is made from: its window description.
using Variant = forms::Description;

Variant ora();

class Form1 : public forms::Form {
public:
    explicit Form1(Variant variant, forms::Services services = {});

    // Controls, in creation-index order.
    FORMS_CONTROL(CommandButton, Command1);
    FORMS_CONTROL(Timer, Timer1);
    FORMS_CONTROL(TextBox, Text2);
    FORMS_CONTROL(TextBox, Text1);
    FORMS_CONTROL(Label, Label2);
    FORMS_CONTROL(Label, Label1);

    void Timer1_Timer();
};

}  // namespace ora
