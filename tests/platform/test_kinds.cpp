// The table of control kinds and the description model around it: each kind is
// built as its own class with its traits, a row's faults follow what its kind
// needs, descriptions compare field by field, and a control's label is found
// from the rectangles in twips.
#include <forms/form.h>
#include <forms/geometry.h>

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
    // Every row becomes the control of its own kind: the class of that name,
    // with a child window exactly when the kind is windowed, and its kind's
    // name in messages.
    void eachRowBuildsItsKind()
    {
        forms::testing::TestServices ts;
        forms::Form form(everyKind(), ts.services());
        const QStringList names { "CommandButton", "Label", "TextBox", "OptionButton", "Timer", "Image", "PictureBox", "Line" };
        QCOMPARE(form.controls().size(), size_t(names.size()));
        for (const auto& control : form.controls()) {
            const QString name = QString::fromUtf8(control->row().name.data(), qsizetype(control->row().name.size()));
            QVERIFY2(isOfItsClass(*control), qPrintable(name));
            QCOMPARE(QString::fromUtf8(forms::kindName(control->kind()).data()), names[int(control->kind())]);
            QCOMPARE(control->widget() != nullptr, forms::isWindowed(control->kind()));
            if (control->widget())
                QCOMPARE(control->widget()->parentWidget(), &form.surface());
        }
    }

    // What a screen reader is told of each kind: its role, or none for a
    // line and a timer, and its name.
    void eachKindIsNamed()
    {
        forms::testing::TestServices ts;
        forms::Form form(everyKind(), ts.services());
        const auto& d = form.windowDescription();
        const auto role = [&](const char* name) { return form.find(name)->accessibleRole(); };
        const auto named = [&](const char* name) { return form.find(name)->accessibleName(d); };
        QCOMPARE(role("Command1"), QAccessible::PushButton);
        QCOMPARE(role("Label1"), QAccessible::StaticText);
        QCOMPARE(role("Image1"), QAccessible::Graphic);
        QCOMPARE(role("Line1"), QAccessible::NoRole);
        QCOMPARE(role("Timer1"), QAccessible::NoRole);
        QCOMPARE(named("Command1"), QStringLiteral("go"));
        QCOMPARE(named("Text1"), QStringLiteral("factor"));  // the label level with it, on its left
        QCOMPARE(named("Option1"), QStringLiteral("one"));
        QCOMPARE(named("Image1"), QStringLiteral("green light"));
        QCOMPARE(named("Picture1"), QStringLiteral("green light"));
        QCOMPARE(named("Line1"), QStringLiteral("Line1"));
        // An image stands at its picture's size unless stretched.
        QCOMPARE(form.find("Image1")->area(), QRect(10, 150, 54, 127));
    }

    // A row's faults follow what its kind needs: a picture (with what it
    // shows) for images and picture boxes, an interval for timers.
    void problemsFollowTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        const QStringList picture { "X has no picture", "X has no description of its picture" };
        QTest::newRow("CommandButton") << int(Kind::CommandButton) << QStringList();
        QTest::newRow("Label") << int(Kind::Label) << QStringList();
        QTest::newRow("TextBox") << int(Kind::TextBox) << QStringList();
        QTest::newRow("OptionButton") << int(Kind::OptionButton) << QStringList();
        QTest::newRow("Timer") << int(Kind::Timer) << QStringList { "X has no interval" };
        QTest::newRow("Image") << int(Kind::Image) << picture;
        QTest::newRow("PictureBox") << int(Kind::PictureBox) << picture;
        QTest::newRow("Line") << int(Kind::Line) << QStringList();
    }
    void problemsFollowTheKind()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        const forms::Description bare { .window = { .name = "Form1" },
                                        .controls = { { .kind = Kind(kind), .name = "X", .index = 1 } } };
        QStringList found;
        for (const std::string& problem : forms::problems(bare))
            found << QString::fromStdString(problem);
        QCOMPARE(found, expected);
    }

    // Two descriptions are equal only when every field of every row is.
    void descriptionsCompareEveryField_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("window caption") << Change([](forms::Description& d) { d.window.caption = "Other"; });
        QTest::newRow("window border") << Change([](forms::Description& d) { d.window.borderStyle = forms::BorderStyle::None; });
        QTest::newRow("window colour") << Change([](forms::Description& d) { d.window.backColor = 0x00FF0000; });
        QTest::newRow("control kind") << Change([](forms::Description& d) { d.controls[1].kind = Kind::TextBox; });
        QTest::newRow("control caption") << Change([](forms::Description& d) { d.control("Label1").caption = "fact0r"; });
        QTest::newRow("control height") << Change([](forms::Description& d) { d.control("Text1").height += 12; });
        QTest::newRow("font face") << Change([](forms::Description& d) { d.control("Label1").font->face = "Liberation Sans"; });
        QTest::newRow("no font") << Change([](forms::Description& d) { d.control("Label1").font.reset(); });
        QTest::newRow("font weight") << Change([](forms::Description& d) { d.control("Label1").font->weight = 700; });
        QTest::newRow("line end") << Change([](forms::Description& d) { d.control("Line1").y2 += 12; });
        QTest::newRow("stored order") << Change([](forms::Description& d) { d.moveBefore("Line1", "Command1"); });
        QTest::newRow("menu level") << Change([](forms::Description& d) { d.menus[1].level = 0; });
        QTest::newRow("menu dropped") << Change([](forms::Description& d) { d.menus.pop_back(); });
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
        const auto box = [](int left, int top) {
            return forms::ControlRow { .kind = Kind::TextBox, .name = "Box", .index = 1,
                                       .left = left, .top = top, .width = 1200, .height = 360 };
        };
        const auto label = [](const char* name, int index, int left, int top, int height = 360, const char* caption = "x") {
            return forms::ControlRow { .kind = Kind::Label, .name = name, .index = index, .caption = caption,
                                       .left = left, .top = top, .width = 1200, .height = height };
        };
        const auto window = forms::WindowRow { .name = "Form1" };
        QTest::newRow("beside, left") << forms::Description { window, { box(2400, 1200), label("L", 2, 0, 1200) } } << QStringLiteral("L");
        QTest::newRow("beside, right") << forms::Description { window, { box(0, 1200), label("R", 2, 2400, 1200) } } << QStringLiteral("R");
        QTest::newRow("nearer of two beside")
            << forms::Description { window, { box(2400, 1200), label("Far", 2, -1200, 1200), label("Near", 3, 1200, 1200) } } << QStringLiteral("Near");
        QTest::newRow("equally near: the first stored")
            << forms::Description { window, { box(1200, 1200), label("A", 2, 2400, 1200), label("B", 3, 0, 1200) } } << QStringLiteral("A");
        QTest::newRow("beside before above")
            << forms::Description { window, { box(2400, 1200), label("Above", 2, 2400, 840), label("Beside", 3, 0, 1200) } } << QStringLiteral("Beside");
        QTest::newRow("above when none is level")
            << forms::Description { window, { box(2400, 1200), label("Above", 2, 2400, 0) } } << QStringLiteral("Above");
        QTest::newRow("a label that only touches from above is not level")
            << forms::Description { window, { box(2400, 1200), label("Touching", 2, 0, 840) } } << QStringLiteral("");
        QTest::newRow("touching from above, sharing columns")
            << forms::Description { window, { box(2400, 1200), label("Top", 2, 2400, 840) } } << QStringLiteral("Top");
        QTest::newRow("no caption names nothing")
            << forms::Description { window, { box(2400, 1200), label("Empty", 2, 0, 1200, 360, "") } } << QStringLiteral("");
        QTest::newRow("below names nothing") << forms::Description { window, { box(2400, 1200), label("Below", 2, 2400, 2400) } } << QStringLiteral("");
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
