// A form for three numbers and their maximum, whose button fills in fixed values,
// with a menu of a date-and-time item and an exit item.
#pragma once

#include <forms/form.h>

namespace maxofthree {

forms::Description description();

class Form1 : public forms::Form {
public:
    explicit Form1(forms::Services services = {});

    // Controls and menu items, in creation-index order. The bar's entry α1 (11)
    // only opens the menu and has no item object of its own.
    forms::TextBox& Text1() { return control<forms::TextBox>(1); }
    forms::TextBox& Text2() { return control<forms::TextBox>(2); }
    forms::TextBox& Text3() { return control<forms::TextBox>(3); }
    forms::Label& Label1() { return control<forms::Label>(4); }
    forms::Label& Label2() { return control<forms::Label>(5); }
    forms::Label& Label3() { return control<forms::Label>(6); }
    forms::Label& Label4() { return control<forms::Label>(7); }
    forms::CommandButton& Command1() { return control<forms::CommandButton>(8); }
    forms::Label& Label5() { return control<forms::Label>(9); }
    forms::TextBox& Text4() { return control<forms::TextBox>(10); }
    forms::MenuItem& A2() { return menuItem(12); }  // Latin capital A
    forms::MenuItem& Α3() { return menuItem(13); }  // Greek capital alpha

    void Command1_Click();
    void Α3_Click();
};

}  // namespace maxofthree
