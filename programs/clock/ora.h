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
    FORMS_CONTROL(CommandButton, Command1);
    FORMS_CONTROL(Timer, Timer1);
    FORMS_CONTROL(TextBox, Text2);
    FORMS_CONTROL(TextBox, Text1);
    FORMS_CONTROL(Label, Label2);
    FORMS_CONTROL(Label, Label1);

    void Timer1_Timer();
};

}  // namespace ora
