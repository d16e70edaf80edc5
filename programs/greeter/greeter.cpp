#include "greeter.h"

#include <utility>

namespace greeter {

using forms::Kind;

Variant greeter()
{
    forms::Description d = {
        .window = { .name = "Form1", .caption = "Form1",
                    .clientWidth = 5448, .clientHeight = 3360,
                    .borderStyle = forms::BorderStyle::None },
        .controls = {
            { .kind = Kind::CommandButton, .name = "clear", .index = 1, .caption = "Διαγραφή",
              .left = 2880, .top = 2280, .width = 2292, .height = 612, .tabIndex = 2 },
            { .kind = Kind::CommandButton, .name = "showworld", .index = 2, .caption = "Ειμαι πανέξυπνος ",
              .left = 2880, .top = 1320, .width = 2292, .height = 612, .tabIndex = 1 },
            { .kind = Kind::CommandButton, .name = "showfriend", .index = 3, .caption = "Ειμαι πανέμορφος ",
              .left = 2880, .top = 360, .width = 2292, .height = 612, .tabIndex = 0 },
        },
    };
    return { .description = std::move(d), .greetingHidesClear = true };
}

// The framed window, with a signature stored after the three buttons.
Variant greeter2()
{
    Variant v = greeter();
    v.greetingHidesClear = false;
    forms::Description& d = v.description;
    d.window.borderStyle = forms::BorderStyle::Sizable;
    d.controls.push_back({ .kind = Kind::Label, .name = "M", .index = 4, .caption = "made zedrik40",
                           .left = 4080, .top = 3120, .width = 1212, .height = 252, .tabIndex = 3,
                           .font = forms::Font { .face = "Comic Neue", .size = 78000, .weight = 400 } });
    return v;
}

GreetingForm::GreetingForm(Variant variant, forms::Services services)
    : Form(std::move(variant.description), services)
    , greetingHidesClear_(variant.greetingHidesClear)
{
    connect(clear(), &GreetingForm::clear_Click);
    connect(showworld(), &GreetingForm::showworld_Click);
    connect(showfriend(), &GreetingForm::showfriend_Click);
}

void GreetingForm::showfriend_Click()
{
    Print(QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ "));
    greeted();
}

void GreetingForm::showworld_Click()
{
    Print(QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ"));
    greeted();
}

// A variant such as the borderless one hides clear after every greeting; the framed one keeps it.
void GreetingForm::greeted()
{
    if (greetingHidesClear_)
        clear().setVisible(false);
}

void GreetingForm::clear_Click() { Cls(); }

}  // namespace greeter
