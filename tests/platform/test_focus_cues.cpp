// The focus frame after the runtime moves the focus from a control a handler
// hid. Used with the mouse, a window looks as it did at start (trafficlight's
// two buttons stand in one place and each click hides the one clicked); used
// with the keyboard, the control that took the focus shows its frame, as after
// Tab. Judged by what was flushed to the window.
#include <family_test.h>

#include <QApplication>
#include <QTest>

using namespace forms::testing;

// Two option buttons, each of which hides itself when chosen: the focus
// moves to the other. Fusion draws a focused option's frame only where the
// window shows keyboard cues, so the keyboard's frame is seen here.
class Choices : public forms::Form {
public:
    explicit Choices(forms::Services services)
        : Form({ .window = { .name = "Form1", .caption = "Choices", .clientWidth = 3600, .clientHeight = 1800 },
                 .controls = {
                     { .kind = forms::Kind::OptionButton, .name = "Option1", .index = 1, .caption = "first", .left = 240, .top = 240,
                       .width = 2400, .height = 360, .tabIndex = 0 },
                     { .kind = forms::Kind::OptionButton, .name = "Option2", .index = 2, .caption = "second", .left = 240, .top = 840,
                       .width = 2400, .height = 360, .tabIndex = 1 },
                 } },
               services)
    {
        for (const char* name : { "Option1", "Option2" })
            find(name)->setEvent([this, name] { find(name)->setVisible(false); });
    }
    QWidget* widget(const char* name) const { return find(name)->widget(); }
};

Opened<Choices> choicesOpened()
{
    return { [](forms::Services s) { return std::make_unique<Choices>(s); }, { .stage = Stage::Active }, "Choices",
             SourcePlace::current() };
}

class FocusCues : public QObject {
    Q_OBJECT

private slots:
    void byMouse()
    {
        const auto light = openProgram("trafficlight", { .stage = Stage::Active });
        const auto button = [&](const char* name) { return light->find(name)->widget(); };
        const QImage start = grabClient(*light);
        QCOMPARE(QApplication::focusWidget(), button("red"));
        QTest::mouseClick(button("red"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), button("green"));
        QTest::mouseClick(button("green"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), button("red"));
        QCOMPARE(grabClient(*light), start);

        const auto choices = choicesOpened();
        const QImage before = grabClient(*choices);
        QTest::mouseClick(choices->widget("Option1"), Qt::LeftButton, {}, QPoint(8, 10));
        QCOMPARE(QApplication::focusWidget(), choices->widget("Option2"));
        // The first option is gone; the second looks as it did, with no frame.
        const QRect first = choices->widget("Option1")->geometry();
        QCOMPARE(masked(grabClient(*choices), { first }), masked(before, { first }));
    }

    void byKeyboard()
    {
        const auto choices = choicesOpened();
        const QImage before = grabClient(*choices);
        QCOMPARE(QApplication::focusWidget(), choices->widget("Option1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), choices->widget("Option2"));
        // Beside the first option gone, the second now shows its frame.
        const QRect first = choices->widget("Option1")->geometry(), second = choices->widget("Option2")->geometry();
        const QImage after = grabClient(*choices);
        QVERIFY2(masked(after, { first }) != masked(before, { first }),
                 "no focus frame after the keyboard moved the focus");
        QCOMPARE(masked(after, { first, second }), masked(before, { first, second }));
    }
};

QTEST_MAIN(FocusCues)
#include "test_focus_cues.moc"
