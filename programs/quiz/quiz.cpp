#include "quiz.h"

#include <forms/text.h>

namespace quiz {

using forms::Kind;

namespace {

forms::Description quizDescription()
{
    return {
        .window = { .name = "Form1", .caption = "Form1",
                    .clientWidth = 6552, .clientHeight = 5700 },
        .controls = {
            { .kind = Kind::Timer, .name = "Timer1", .index = 13,
              .left = 5760, .top = 3720, .enabled = false, .interval = 10000 },
            { .kind = Kind::CommandButton, .name = "Command1", .index = 10, .caption = "ΚΑΤΩ ΑΠΟ 5 ΠΟΝΤΟΥΣ",
              .left = 1680, .top = 4080, .width = 3132, .height = 492, .tabIndex = 9 },
            { .kind = Kind::OptionButton, .name = "Option4", .index = 5,
              .left = 840, .top = 3360, .width = 372, .height = 372, .tabIndex = 4 },
            { .kind = Kind::OptionButton, .name = "Option3", .index = 4,
              .left = 840, .top = 2760, .width = 372, .height = 372, .tabIndex = 3 },
            { .kind = Kind::OptionButton, .name = "Option2", .index = 3,
              .left = 840, .top = 2040, .width = 372, .height = 372, .tabIndex = 2 },
            { .kind = Kind::OptionButton, .name = "Option1", .index = 2,
              .left = 840, .top = 1320, .width = 372, .height = 372, .tabIndex = 1 },
            { .kind = Kind::Label, .name = "Label7", .index = 12,
              .caption = "xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa ",
              .left = 120, .top = 4680, .width = 6132, .height = 372, .visible = false, .tabIndex = 11 },
            { .kind = Kind::Label, .name = "Label6", .index = 11, .caption = "By Zedrik40",
              .left = 5040, .top = 5280, .width = 1572, .height = 372, .tabIndex = 10,
              .font = forms::Font { .face = "P052", .size = 78000, .weight = 400 } },
            { .kind = Kind::Label, .name = "Label5", .index = 9, .caption = "20 εως 25 ποντους",
              .left = 1920, .top = 3360, .width = 2532, .height = 492, .tabIndex = 8 },
            { .kind = Kind::Label, .name = "Label4", .index = 8, .caption = "15 εως 20 ποντους",
              .left = 1920, .top = 2760, .width = 2772, .height = 492, .tabIndex = 7 },
            { .kind = Kind::Label, .name = "Label3", .index = 7, .caption = "10 εως 15 ποντους",
              .left = 1920, .top = 2040, .width = 3372, .height = 492, .tabIndex = 6 },
            { .kind = Kind::Label, .name = "Label2", .index = 6, .caption = "5 εως 10 ποντους",
              .left = 1920, .top = 1320, .width = 3372, .height = 492, .tabIndex = 5 },
            { .kind = Kind::Label, .name = "Label1", .index = 1, .caption = "Τι μεγεθος εχει το πεος σου?",
              .left = 2880, .top = 240, .width = 2412, .height = 732, .tabIndex = 0,
              .font = forms::Font { .face = "Liberation Sans", .size = 96000, .weight = 400 } },
        },
    };
}

}  // namespace

Variant quiz()
{
    return { quizDescription(), "ΩΡΑΙΟΣ" };
}

Variant quiz2()
{
    Variant v = quiz();
    v.option1Reply = "ΩΡΑΙΟΣ!!!";
    return v;
}

// quiz2's replies with another question, other bands, and its controls
// numbered in stored order.
Variant quiz3()
{
    Variant v = quiz2();
    v.description.control("Label1").caption = "ΕΙΣΑΙ ΕΞΥΠΝΟΣ?";
    v.description.control("Label2").caption = "70 εως 90 ποντους";
    v.description.control("Label3").caption = "90 εως 120 ποντους";
    v.description.control("Label4").caption = "120 εως 150 ποντους";
    v.description.control("Label5").caption = "150εως 200 ποντους";
    v.description.control("Command1").caption = "ΚΑΤΩ ΑΠΟ 70 ΠΟΝΤΟΥΣ";
    int index = 1;
    for (forms::ControlRow& row : v.description.controls)
        row.index = index++;
    return v;
}

Questionnaire::Questionnaire(Variant variant, forms::Services services)
    : Form(std::move(variant.description), services)
    , option1Reply_(forms::qstring(variant.option1Reply))
{
    connect(Option1(), &Questionnaire::Option1_Click);
    connect(Option2(), &Questionnaire::Option2_Click);
    connect(Option3(), &Questionnaire::Option3_Click);
    connect(Option4(), &Questionnaire::Option4_Click);
    connect(Command1(), &Questionnaire::Command1_Click);
    connect(Timer1(), &Questionnaire::Timer1_Timer);
}

void Questionnaire::Option1_Click() { Print(option1Reply_); }

void Questionnaire::Option2_Click() { Print(QStringLiteral("ΜΟΝΟ!!!")); }

void Questionnaire::Option3_Click() { Print(QStringLiteral("ΑΣΕ ΡΕ")); }

void Questionnaire::Option4_Click() { Print(QStringLiteral(" ΠΟΥ ΤΑ ΠΟΥΛΑΣ ΑΥΤΑ???")); }

void Questionnaire::Command1_Click()
{
    Label7().setVisible(true);
    Timer1().setEnabled(true);
}

void Questionnaire::Timer1_Timer() { Form1().setVisible(false); }

}  // namespace quiz
