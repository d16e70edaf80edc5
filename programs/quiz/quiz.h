// The joke questionnaire: four answers that each print a retort, a fifth that
// reveals a mocking line and hides the window ten seconds later. Three builds
// share the window layout and the handlers and differ in texts and creation indices.
#pragma once

#include <forms/form.h>

#include <string_view>

namespace quiz {

// What tells one build from another: its window description and the reply of Option1.
struct Build {
    forms::Description description;
    std::string_view option1Reply;
};

Build quizBuild();
Build quiz2Build();
Build quiz3Build();

// The questionnaire window of any build.
class Questionnaire : public forms::Form {
public:
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

protected:
    Questionnaire(Build build, forms::Services services);

private:
    QString option1Reply_;
};

class Form1 final : public Questionnaire {
public:
    explicit Form1(forms::Services services = {}) : Questionnaire(quizBuild(), services) {}
};

}  // namespace quiz

namespace quiz2 {

class Form1 final : public quiz::Questionnaire {
public:
    explicit Form1(forms::Services services = {}) : Questionnaire(quiz::quiz2Build(), services) {}
};

}  // namespace quiz2

namespace quiz3 {

class Form1 final : public quiz::Questionnaire {
public:
    explicit Form1(forms::Services services = {}) : Questionnaire(quiz::quiz3Build(), services) {}
};

}  // namespace quiz3
