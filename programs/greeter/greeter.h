// Buttons that print a greeting onto the window, and one that clears it. In
// `greeter`, a borderless window, the first greeting hides the clear button for
// good; `greeter2` is framed, signed, and keeps its clear button.
#pragma once

#include <forms/form.h>

namespace greeter {

forms::Description greeterDescription();
forms::Description greeter2Description();

// The greeting window of either build.
class GreetingForm : public forms::Form {
public:
    // Controls, in creation-index order.
    FORMS_CONTROL(CommandButton, clear);
    FORMS_CONTROL(CommandButton, showworld);
    FORMS_CONTROL(CommandButton, showfriend);

    void showfriend_Click();
    void showworld_Click();
    void clear_Click();

protected:
    GreetingForm(forms::Description description, bool greetingHidesClear, forms::Services services);

private:
    void greeted();
    bool greetingHidesClear_;
};

class Form1 final : public GreetingForm {
public:
    explicit Form1(forms::Services services = {}) : GreetingForm(greeterDescription(), true, services) {}
};

}  // namespace greeter

namespace greeter2 {

class Form1 final : public greeter::GreetingForm {
public:
    explicit Form1(forms::Services services = {})
        : GreetingForm(greeter::greeter2Description(), false, services)
    {
    }

    FORMS_CONTROL(Label, M);
};

}  // namespace greeter2
