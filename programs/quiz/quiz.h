// The joke questionnaire: four answers that each print a retort, a fifth that
// reveals a mocking line and hides the window ten seconds later. Three programs
// share the window class and its handlers and differ in texts and creation indices.
#pragma once

#include <forms/form.h>

#include <string_view>

namespace quiz {

// What tells one program of the family from another: its window description and
// the reply of Option1.
struct Variant {
    forms::Description description;
    std::string_view option1Reply;
};

Variant quiz();
Variant quiz2();  // quiz with a louder first reply
Variant quiz3();  // quiz2 with another question and other bands

// The questionnaire window of every program of the family.
class Questionnaire : public forms::Form {
public:
    explicit Questionnaire(Variant variant, forms::Services services = {});

    // Controls, in creation-index order of `quiz`.
    FORMS_CONTROL(Label, Label1);
    FORMS_CONTROL(OptionButton, Option1);
    FORMS_CONTROL(OptionButton, Option2);
    FORMS_CONTROL(OptionButton, Option3);
    FORMS_CONTROL(OptionButton, Option4);
    FORMS_CONTROL(Label, Label2);
    FORMS_CONTROL(Label, Label3);
    FORMS_CONTROL(Label, Label4);
    FORMS_CONTROL(Label, Label5);
    FORMS_CONTROL(CommandButton, Command1);
    FORMS_CONTROL(Label, Label6);
    FORMS_CONTROL(Label, Label7);
    FORMS_CONTROL(Timer, Timer1);
    forms::Form& Form1() { return *this; }

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Command1_Click();
    void Timer1_Timer();

private:
    QString option1Reply_;
};

}  // namespace quiz
