// Both greeting printers, driven through real clicks and keys, checked through
// their printed lines, pixels and window frame.
#include "greeter.h"

#include <forms/look.h>

#include <family_test.h>

#include <QTest>
#include <QWidget>

using namespace forms::testing;
using greeter::GreetingForm;

namespace {

const QString friendly = QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ ");
const QString worldly = QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ");

// What tells the programs apart, by id.
struct GreeterFacts {
    AccessibleTree tree;         // what a screen reader is given at start
    bool frameless;              // no frame: the whole window is the 454 × 280 client area
    bool greetingHidesClear;     // the first greeting hides clear for good
    const char* signature;       // the signature's label, or null
};
const QStringList greetings { "Button Ειμαι πανέμορφος ", "Button Ειμαι πανέξυπνος ", "Button Διαγραφή" };
const std::map<QString, GreeterFacts> programs {
    { "greeter", { { "Window Form1", greetings }, true, true, nullptr } },
    { "greeter2", { { "Window Form1", greetings + QStringList { "StaticText made zedrik40" } }, false, false, "M" } },
};
const GreeterFacts& facts() { return programs.at(currentProgram()); }

}  // namespace

class GreetingPrinters : public FamilyTest {
    Q_OBJECT

public:
    GreetingPrinters() : FamilyTest("greeter", programs) {}

private slots:
    void accessorsReachTheirRows_data() { addProgramRows(); }
    void accessorsReachTheirRows()
    {
        const auto form = open<GreetingForm>(currentProgram(), { .stage = Stage::Built });
        for (auto [get, name] : { std::pair { &GreetingForm::clear, "clear" },
                                  std::pair { &GreetingForm::showworld, "showworld" },
                                  std::pair { &GreetingForm::showfriend, "showfriend" } })
            QCOMPARE(QString::fromUtf8(((*form).*get)().row().name), QString::fromUtf8(name));
        if (auto* framed = dynamic_cast<greeter::SignedGreetingForm*>(&*form))
            QCOMPARE(QString::fromUtf8(framed->M().row().name), QStringLiteral("M"));
    }

    // Where there is a signature, it reaches one pixel row past the client area,
    // which does not grow to show it: its text is drawn, its last row is cut off.
    void frame_data() { addProgramRows(); }
    void frame()
    {
        const auto form = open(currentProgram());
        const Qt::WindowFlags flags = form->window()->windowFlags();
        QCOMPARE(flags.testFlag(Qt::FramelessWindowHint), facts().frameless);
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);  // an ordinary window keeps its taskbar button
        QCOMPARE(form->window()->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(form->surface().geometry(), QRect(0, 0, 454, 280));
        QCOMPARE(form->window()->size(), QSize(454, 280));
        if (facts().signature) {
            const QRect box = forms::pixelRect(form->find(facts().signature)->row());
            const QImage image = grabClient(*form);
            QCOMPARE(box.bottom(), image.height());
            QCOMPARE(form->window()->height(), image.height());
            QVERIFY(inkIn(image, box, image.pixel(0, image.height() - 1)) > 20);
        }
    }

    // The first greeting prints the top line at the left edge and hides clear
    // for good; a click where clear stood reaches nothing.
    void firstGreetingHidesClear_data()
    {
        addProgramRows({ "showfriend first", "showworld first" }, "order",
                     [](const QString& b) { return programs.at(b).greetingHidesClear; });
    }
    void firstGreetingHidesClear()
    {
        QFETCH(QString, order);
        const bool friendFirst = order == "showfriend first";
        const auto form = open<GreetingForm>(currentProgram());
        const QImage fresh = grabClient(*form);
        const QRect clearRect = form->clear().widget()->geometry();

        click(*form, friendFirst ? form->showfriend() : form->showworld());
        const QString first = friendFirst ? friendly : worldly;
        QCOMPARE(printedTexts(*form), QStringList { first });
        QVERIFY(!form->clear().visible());
        QVERIFY(!form->clear().widget()->isVisible());
        const QImage greeted = grabClient(*form);
        QCOMPARE(surfaceOnly(*form, greeted), surfaceOnly(*form, withPrintedLines(*form, fresh, { first })));
        // Where clear stood, the window's fill shows.
        QCOMPARE(inkIn(greeted, clearRect, greeted.pixel(0, greeted.height() - 1)), 0);

        clickAt(*form, clearRect.center());
        click(*form, friendFirst ? form->showworld() : form->showfriend());
        QVERIFY(!form->clear().visible());
        QCOMPARE(printedTexts(*form), (QStringList { first, friendFirst ? worldly : friendly }));
    }

    // With nothing printed, clear changes nothing on the surface and stays; then
    // greetings from both buttons go down the window in click order, beneath nothing.
    void greetingsInterleave_data() { addProgramRows(); }
    void greetingsInterleave()
    {
        const auto form = open<GreetingForm>(currentProgram());
        const QImage fresh = grabClient(*form);
        click(*form, form->clear());
        click(*form, form->clear());
        QVERIFY(form->printedLines().empty());
        QVERIFY(form->clear().widget()->isVisible());
        QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, fresh));

        for (auto button : { &GreetingForm::showworld, &GreetingForm::showfriend, &GreetingForm::showfriend,
                             &GreetingForm::showworld, &GreetingForm::showfriend })
            click(*form, ((*form).*button)());
        const QStringList expected { worldly, friendly, friendly, worldly, friendly };
        QCOMPARE(printedTexts(*form), expected);
        QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, withPrintedLines(*form, fresh, expected)));
        QCOMPARE(form->clear().visible(), !facts().greetingHidesClear);
    }

    // Where clear stays, it erases every line at any time, and the next
    // greeting is the top line again; the buttons never change.
    void clearErasesAndStartsOver_data() { addProgramRows([](const QString& b) { return !programs.at(b).greetingHidesClear; }); }
    void clearErasesAndStartsOver()
    {
        const auto form = open<GreetingForm>(currentProgram());
        const QImage fresh = grabClient(*form);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i <= round; ++i) {
                click(*form, form->showworld());
                click(*form, form->showfriend());
            }
            QCOMPARE(int(form->printedLines().size()), 2 * (round + 1));
            QVERIFY(form->clear().widget()->isVisible());
            click(*form, form->clear());
            QVERIFY(form->printedLines().empty());
            QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, fresh));
        }
        click(*form, form->showfriend());
        QCOMPARE(surfaceOnly(*form, grabClient(*form)),
                 surfaceOnly(*form, withPrintedLines(*form, fresh, { friendly })));
        for (auto button : { &GreetingForm::clear, &GreetingForm::showworld, &GreetingForm::showfriend }) {
            QVERIFY(((*form).*button)().widget()->isVisible());
            QVERIFY(((*form).*button)().widget()->isEnabled());
        }
    }

    // The borderless window is closed with Alt+F4, which ends the program normally.
    void altF4Closes_data() { addProgramRows([](const QString& b) { return programs.at(b).frameless; }); }
    void altF4Closes()
    {
        const auto form = open(currentProgram(), { .stage = Stage::Active });
        QTest::keyClick(form->window()->windowHandle(), Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(form->exitStatus(), std::optional<int>(0));
        QVERIFY(!form->window()->isVisible());
    }
};

QTEST_MAIN(GreetingPrinters)
#include "test_greeter.moc"
