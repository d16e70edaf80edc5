// A form for three numbers and their maximum, whose button fills in fixed values,
// with a menu of a date-and-time item and an exit item.
#pragma once

#include <forms/form.h>

namespace maxofthree {

// What a program of this family is made from: its window description.
using Variant = forms::Description;

Variant maxofthree();

class Form1 : public forms::Form {
public:
    explicit Form1(Variant variant, forms::Services services = {});

    // Controls and menu items, in creation-index order. The bar's entry α1
    // only opens the menu and has no item object of its own.
    FORMS_CONTROL(TextBox, Text1);
    FORMS_CONTROL(TextBox, Text2);
    FORMS_CONTROL(TextBox, Text3);
    FORMS_CONTROL(Label, Label1);
    FORMS_CONTROL(Label, Label2);
    FORMS_CONTROL(Label, Label3);
    FORMS_CONTROL(Label, Label4);
    FORMS_CONTROL(CommandButton, Command1);
    FORMS_CONTROL(Label, Label5);
    FORMS_CONTROL(TextBox, Text4);
    FORMS_MENU_ITEM(A2);  // Latin capital A
    FORMS_MENU_ITEM(Α3);  // Greek capital alpha

    void Command1_Click();
    void Α3_Click();
};

}  // namespace maxofthree
