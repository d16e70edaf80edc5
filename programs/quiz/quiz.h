// The joke questionnaire: four answers that each print a retort, a fifth that
// reveals a mocking line and hides the window ten seconds later. Three builds
// share the window layout and the handlers and differ in texts and creation indices.
#pragma once

#include <forms/form.h>

#include <string_view>

namespace quiz {

// The creation index of each control, one build's numbering.
struct Indices {
    int Timer1, Command1, Option4, Option3, Option2, Option1, Label7, Label6, Label5, Label4, Label3, Label2, Label1;
};

// What tells one build from another: its window description, the numbering its
// accessors use and the reply of Option1.
struct Build {
    forms::Description description;
    Indices indices;
    std::string_view option1Reply;
};

Build quizBuild();
Build quiz2Build();
Build quiz3Build();

// The questionnaire window of any build.
class Questionnaire : public forms::Form {
public:
    // Controls, in creation-index order of `quiz`.
    forms::Label& Label1() { return control<forms::Label>(indices_.Label1); }
    forms::OptionButton& Option1() { return control<forms::OptionButton>(indices_.Option1); }
    forms::OptionButton& Option2() { return control<forms::OptionButton>(indices_.Option2); }
    forms::OptionButton& Option3() { return control<forms::OptionButton>(indices_.Option3); }
    forms::OptionButton& Option4() { return control<forms::OptionButton>(indices_.Option4); }
    forms::Label& Label2() { return control<forms::Label>(indices_.Label2); }
    forms::Label& Label3() { return control<forms::Label>(indices_.Label3); }
    forms::Label& Label4() { return control<forms::Label>(indices_.Label4); }
    forms::Label& Label5() { return control<forms::Label>(indices_.Label5); }
    forms::CommandButton& Command1() { return control<forms::CommandButton>(indices_.Command1); }
    forms::Label& Label6() { return control<forms::Label>(indices_.Label6); }
    forms::Label& Label7() { return control<forms::Label>(indices_.Label7); }
    forms::Timer& Timer1() { return control<forms::Timer>(indices_.Timer1); }
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
    Indices indices_;
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
