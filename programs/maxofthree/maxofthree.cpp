#include "maxofthree.h"

#include <utility>

namespace maxofthree {

using forms::Kind;

namespace {

constexpr forms::Font greekSans { .face = "Liberation Sans", .size = 96000, .weight = 400 };

}  // namespace

Variant maxofthree()
{
    return {
        .window = { .name = "Form1", .caption = "Form1",
                    .clientWidth = 7164, .clientHeight = 5244 },
        .controls = {
            { .kind = Kind::TextBox, .name = "Text4", .index = 10,
              .left = 3000, .top = 4320, .width = 1812, .height = 372, .tabIndex = 9 },
            { .kind = Kind::CommandButton, .name = "Command1", .index = 8, .caption = "ΥΠΟΛΟΓΙΣΕ",
              .left = 2400, .top = 3120, .width = 2412, .height = 732, .tabIndex = 7, .font = greekSans },
            { .kind = Kind::TextBox, .name = "Text3", .index = 3,
              .left = 5040, .top = 960, .width = 1692, .height = 612, .tabIndex = 2 },
            { .kind = Kind::TextBox, .name = "Text2", .index = 2,
              .left = 2640, .top = 960, .width = 1692, .height = 612, .tabIndex = 1 },
            { .kind = Kind::TextBox, .name = "Text1", .index = 1,
              .left = 360, .top = 960, .width = 1692, .height = 612, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label5", .index = 9, .caption = "Ο ΜΕΓΑΛΥΤΕΡΟΣ ΕΙΝΑΙ",
              .left = 960, .top = 4440, .width = 3132, .height = 492, .tabIndex = 8 },
            { .kind = Kind::Label, .name = "Label4", .index = 7,
              .caption = "Τυπώνει τον μεγαλύτερο απο τους τρεις αριθμους",
              .left = 600, .top = 1800, .width = 5772, .height = 732, .tabIndex = 6, .font = greekSans },
            { .kind = Kind::Label, .name = "Label3", .index = 6, .caption = "Αριθμος Γ",
              .left = 5160, .top = 360, .width = 1452, .height = 372, .tabIndex = 5, .font = greekSans },
            { .kind = Kind::Label, .name = "Label2", .index = 5, .caption = "Αριθμος Β",
              .left = 2640, .top = 360, .width = 1452, .height = 372, .tabIndex = 4, .font = greekSans },
            { .kind = Kind::Label, .name = "Label1", .index = 4, .caption = "Αριθμος Α",
              .left = 360, .top = 360, .width = 1452, .height = 372, .tabIndex = 3, .font = greekSans },
        },
        // "Ctrl+D" and "Ctrl+E" are caption text only: no key is bound to either item.
        .menus = {
            { .name = "α1", .index = 11, .caption = "Μενου Εφαρμογης", .level = 0 },
            { .name = "A2", .index = 12, .caption = "Ημερομηνία/Ώρα Ctrl+D" },
            { .name = "Α3", .index = 13, .caption = "Έξοδος                Ctrl+E" },
        },
    };
}

Form1::Form1(Variant variant, forms::Services services)
    : Form(std::move(variant), services)
{
    connect(Command1(), &Form1::Command1_Click);
    connect(Α3(), &Form1::Α3_Click);
}

// The values are constants: nothing the user typed is read.
void Form1::Command1_Click()
{
    Text1().setText(forms::toText(std::int16_t(1)));
    Text2().setText(forms::toText(std::int16_t(2)));
    Text3().setText(forms::toText(std::int16_t(3)));
    Text4().setText(forms::toText(std::int16_t(3)));
}

// Hiding the only window ends the program once this handler returns, so the
// exit item does not leave an invisible process behind.
void Form1::Α3_Click()
{
    Form1::setVisible(false);  // Form1: the running window, this form
}

}  // namespace maxofthree
