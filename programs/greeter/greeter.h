// Buttons that print a greeting onto the window, and one that clears it. In
// `greeter`, a borderless window, the first greeting hides the clear button for
// good; `greeter2` is framed, signed, and keeps its clear button.
#pragma once

#include <forms/form.h>

namespace greeter {

// What tells one program of the family from another.
struct Variant {
    forms::Description description;
    bool greetingHidesClear;  // the first greeting hides clear for good
};

Variant greeter();
Variant greeter2();  // greeter framed and signed, keeping its clear button

// The greeting window of every program of the family.
class GreetingForm : public forms::Form {
public:
    explicit GreetingForm(Variant variant, forms::Services services = {});

    // Controls, in creation-index order.
    FORMS_CONTROL(CommandButton, clear);
    FORMS_CONTROL(CommandButton, showworld);
    FORMS_CONTROL(CommandButton, showfriend);

    void showfriend_Click();
    void showworld_Click();
    void clear_Click();

private:
    void greeted();
    bool greetingHidesClear_;
};

// The window of a variant with the signature M (greeter2's).
class SignedGreetingForm final : public GreetingForm {
public:
    using GreetingForm::GreetingForm;

    FORMS_CONTROL(Label, M);
};

}  // namespace greeter
