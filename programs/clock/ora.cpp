#include "ora.h"

#include <utility>

namespace ora {

using forms::Kind;

Variant ora()
{
    return {
        .window = { .name = "Form1", .caption = "Form1",
                    .clientWidth = 5148, .clientHeight = 3744 },
        .controls = {
            { .kind = Kind::CommandButton, .name = "Command1", .index = 1, .caption = "ΟΚ",
              .left = 2280, .top = 2880, .width = 1452, .height = 612, .tabIndex = 4 },
            { .kind = Kind::Timer, .name = "Timer1", .index = 2,
              .left = 4200, .top = 3120, .interval = 1000 },
            { .kind = Kind::TextBox, .name = "Text2", .index = 3,
              .left = 1920, .top = 1800, .width = 2652, .height = 612, .tabIndex = 1 },
            { .kind = Kind::TextBox, .name = "Text1", .index = 4,
              .left = 1920, .top = 480, .width = 2652, .height = 612, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label2", .index = 5, .caption = "ΩΡΑ",
              .left = 360, .top = 1800, .width = 1212, .height = 612, .tabIndex = 3 },
            { .kind = Kind::Label, .name = "Label1", .index = 6, .caption = "ΗΜΕΡΟΜΙΝΙΑ",
              .left = 240, .top = 480, .width = 1212, .height = 612, .tabIndex = 2 },
        },
    };
}

Form1::Form1(Variant variant, forms::Services services)
    : Form(std::move(variant), services)
{
    connect(Timer1(), &Form1::Timer1_Timer);
}

// Date and time are two separate reads of the clock: on a tick that straddles
// midnight the date box can show the day just ended beside a time after midnight.
void Form1::Timer1_Timer()
{
    Text1().setText(forms::toText(Date()));
    Text2().setText(forms::toText(Time()));
}

}  // namespace ora
