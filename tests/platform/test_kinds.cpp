// The table of control kinds and the description model around it: each kind is
// built as its own class with its traits, a row's faults follow what its kind
// needs, descriptions compare field by field, and a control's label is found
// from the rectangles in twips.
#include <forms/form.h>
#include <forms/geometry.h>

#include "opened.h"
#include "testing.h"

#include <QTest>

#include <functional>

using forms::Kind;

namespace {

// One control of every kind, in the order of the kind table.
forms::Description everyKind()
{
    return {
        .window = { .name = "Form1", .caption = "Kinds", .clientWidth = 4800, .clientHeight = 3600 },
        .controls = {
            { .kind = Kind::CommandButton, .name = "Command1", .index = 1, .caption = "go",
              .left = 0, .top = 0, .width = 1200, .height = 600, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label1", .index = 2, .caption = "factor",
              .left = 1200, .top = 0, .width = 1200, .height = 600 },
            { .kind = Kind::TextBox, .name = "Text1", .index = 3, .left = 2400, .top = 0, .width = 1200, .height = 360,
              .tabIndex = 1 },
            { .kind = Kind::OptionButton, .name = "Option1", .index = 4, .caption = "one",
              .left = 0, .top = 1200, .width = 1200, .height = 360, .tabIndex = 2 },
            { .kind = Kind::Timer, .name = "Timer1", .index = 5, .enabled = false, .interval = 1000 },
            { .kind = Kind::Image, .name = "Image1", .index = 6, .left = 120, .top = 1800,
              .picture = ":/pictures/trafficlight_green.bmp", .description = "green light" },
            { .kind = Kind::PictureBox, .name = "Picture1", .index = 7, .left = 1200, .top = 1800,
              .width = 684, .height = 1428, .tabIndex = 3,
              .picture = ":/pictures/trafficlight_green.bmp", .description = "green light" },
            { .kind = Kind::Line, .name = "Line1", .index = 8, .x1 = 0, .y1 = 3480, .x2 = 4800, .y2 = 3480 },
        },
        .menus = { { .name = "mnuFile", .index = 9, .caption = "File", .level = 0 },
                   { .name = "mnuExit", .index = 10, .caption = "Exit" } },
    };
}

// Whether a control is an object of the class its kind names.
bool isOfItsClass(const forms::Control& control)
{
    switch (control.kind()) {
#define FORMS_KIND_CLASS_CHECK(kind, placement, needs) \
    case Kind::kind: return dynamic_cast<const forms::kind*>(&control) != nullptr;
        FORMS_KINDS(FORMS_KIND_CLASS_CHECK)
#undef FORMS_KIND_CLASS_CHECK
    }
    return false;
}

using Change = std::function<void(forms::Description&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(forms::Description)

class Kinds : public QObject {
    Q_OBJECT

private slots:
    // Every row becomes the control of its own kind: the class of that name, with
    // a child window exactly when the kind is windowed, and its kind's name in
    // messages. A screen reader is told its role, or none for a line and a
    // timer, and its name; an image stands at its picture's size unless
    // stretched. A bare row's faults follow what its kind needs: a picture
    // (with what it shows) for images and picture boxes, an interval for timers.
    void eachRowBuildsItsKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QStringList>("problems");
        using enum QAccessible::Role;
        const QStringList none, picture { "X has no picture", "X has no description of its picture" };
        QTest::newRow("CommandButton") << "Command1" << QRect(0, 0, 100, 50) << PushButton << "go" << none;
        QTest::newRow("Label") << "Label1" << QRect(100, 0, 100, 50) << StaticText << "factor" << none;
        // A text box is named by the label level with it, on its left.
        QTest::newRow("TextBox") << "Text1" << QRect(200, 0, 100, 30) << EditableText << "factor" << none;
        QTest::newRow("OptionButton") << "Option1" << QRect(0, 100, 100, 30) << RadioButton << "one" << none;
        QTest::newRow("Timer") << "Timer1" << QRect() << NoRole << "Timer1" << QStringList { "X has no interval" };
        QTest::newRow("Image") << "Image1" << QRect(10, 150, 54, 127) << Graphic << "green light" << picture;
        QTest::newRow("PictureBox") << "Picture1" << QRect(100, 150, 57, 119) << Graphic << "green light" << picture;
        QTest::newRow("Line") << "Line1" << QRect() << NoRole << "Line1" << none;
    }
    void eachRowBuildsItsKind()
    {
        QFETCH(QString, name);
        QFETCH(QRect, area);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, named);
        QFETCH(QStringList, problems);
        const auto form = forms::testing::openDescription(everyKind(), { .stage = forms::testing::Stage::Built });
        QCOMPARE(form->controls().size(), size_t(8));
        const forms::Control* control = form->find(name.toStdString());
        QVERIFY(control);
        QVERIFY(isOfItsClass(*control));
        QCOMPARE(QString::fromUtf8(forms::kindName(control->kind()).data()),
                 QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(control->widget() != nullptr, forms::isWindowed(control->kind()));
        if (control->widget())
            QCOMPARE(control->widget()->parentWidget(), &form->surface());
        QCOMPARE(control->area(), area);
        QCOMPARE(control->accessibleRole(), role);
        QCOMPARE(control->accessibleName(form->windowDescription()), named);

        const forms::Description bare { .window = { .name = "Form1" },
                                        .controls = { { .kind = control->kind(), .name = "X", .index = 1 } } };
        QStringList found;
        for (const std::string& problem : forms::problems(bare))
            found << QString::fromStdString(problem);
        QCOMPARE(found, problems);
    }

    // Two descriptions are equal only when every field of every row is.
    void descriptionsCompareEveryField_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("window caption") << Change([](auto& d) { d.window.caption = "Other"; });
        QTest::newRow("window border") << Change([](auto& d) { d.window.borderStyle = forms::BorderStyle::None; });
        QTest::newRow("window colour") << Change([](auto& d) { d.window.backColor = 0x00FF0000; });
        QTest::newRow("control kind") << Change([](auto& d) { d.controls[1].kind = Kind::TextBox; });
        QTest::newRow("control caption") << Change([](auto& d) { d.control("Label1").caption = "fact0r"; });
        QTest::newRow("control height") << Change([](auto& d) { d.control("Text1").height += 12; });
        QTest::newRow("font face") << Change([](auto& d) { d.control("Label1").font->face = "Liberation Sans"; });
        QTest::newRow("no font") << Change([](auto& d) { d.control("Label1").font.reset(); });
        QTest::newRow("font weight") << Change([](auto& d) { d.control("Label1").font->weight = 700; });
        QTest::newRow("line end") << Change([](auto& d) { d.control("Line1").y2 += 12; });
        QTest::newRow("stored order") << Change([](auto& d) { d.moveBefore("Line1", "Command1"); });
        QTest::newRow("menu level") << Change([](auto& d) { d.menus[1].level = 0; });
        QTest::newRow("menu dropped") << Change([](auto& d) { d.menus.pop_back(); });
    }
    void descriptionsCompareEveryField()
    {
        QFETCH(Change, change);
        forms::Description base = everyKind();
        base.control("Label1").font = forms::Font { .face = "P052", .size = 80000 };
        forms::Description changed = base;
        QVERIFY(changed == base);
        change(changed);
        QVERIFY(changed != base);
    }

    // The label that belongs to a control, from the rectangles in twips.
    void labelOf_data()
    {
        QTest::addColumn<forms::Description>("description");
        QTest::addColumn<QString>("expected");
        const auto label = [](const char* name, int index, int left, int top, const char* caption = "x") {
            return forms::ControlRow { .kind = Kind::Label, .name = name, .index = index, .caption = caption,
                                       .left = left, .top = top, .width = 1200, .height = 360 };
        };
        // A text box "Box" 1200 × 360 twips with its top-left at (`left`, 1200), stored first, then `labels`.
        const auto boxAt = [](int left, std::initializer_list<forms::ControlRow> labels) {
            forms::Description d { .window = { .name = "Form1" },
                                   .controls = { { .kind = Kind::TextBox, .name = "Box", .index = 1, .left = left,
                                                   .top = 1200, .width = 1200, .height = 360 } } };
            d.controls.insert(d.controls.end(), labels);
            return d;
        };
        QTest::newRow("beside, left") << boxAt(2400, { label("L", 2, 0, 1200) }) << "L";
        QTest::newRow("beside, right") << boxAt(0, { label("R", 2, 2400, 1200) }) << "R";
        QTest::newRow("nearer of two beside")
            << boxAt(2400, { label("Far", 2, -1200, 1200), label("Near", 3, 1200, 1200) }) << "Near";
        QTest::newRow("equally near: the first stored")
            << boxAt(1200, { label("A", 2, 2400, 1200), label("B", 3, 0, 1200) }) << "A";
        QTest::newRow("beside before above")
            << boxAt(2400, { label("Above", 2, 2400, 840), label("Beside", 3, 0, 1200) }) << "Beside";
        QTest::newRow("above when none is level") << boxAt(2400, { label("Above", 2, 2400, 0) }) << "Above";
        QTest::newRow("a label that only touches from above is not level")
            << boxAt(2400, { label("Touching", 2, 0, 840) }) << "";
        QTest::newRow("touching from above, sharing columns") << boxAt(2400, { label("Top", 2, 2400, 840) }) << "Top";
        QTest::newRow("no caption names nothing") << boxAt(2400, { label("Empty", 2, 0, 1200, "") }) << "";
        QTest::newRow("below names nothing") << boxAt(2400, { label("Below", 2, 2400, 2400) }) << "";
    }
    void labelOf()
    {
        QFETCH(forms::Description, description);
        QFETCH(QString, expected);
        const forms::ControlRow* label = forms::labelOf(description, description.control("Box"));
        QCOMPARE(label ? QString::fromUtf8(label->name.data(), qsizetype(label->name.size())) : QString(), expected);
    }
};

QTEST_MAIN(Kinds)
#include "test_kinds.moc"
