// Both greeting printers, driven through real clicks and keys, checked through
// their printed lines, pixels and window frame.
#include "greeter.h"

#include <family_test.h>

#include <QTest>
#include <QWidget>

#include <memory>

using forms::testing::click;
using forms::testing::clickAt;
using forms::testing::printedTexts;
using forms::testing::surfaceOnly;
using forms::testing::withPrintedLines;
using forms::testing::grabClient;
using forms::testing::showForm;
using forms::testing::TestServices;
using greeter::GreetingForm;

namespace {

const QString friendly = QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ ");
const QString worldly = QStringLiteral("ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ");

// The builds, each with what a screen reader is given of its window at start.
const QStringList greetings { "Button Ειμαι πανέμορφος ", "Button Ειμαι πανέξυπνος ", "Button Διαγραφή" };
const std::map<QString, forms::testing::AccessibleTree> builds {
    { "greeter", { "Window Form1", greetings } },
    { "greeter2", { "Window Form1", greetings + QStringList { "StaticText made zedrik40" } } },
};

}  // namespace

class GreetingPrinters : public forms::testing::FamilyTest {
    Q_OBJECT

public:
    GreetingPrinters() : FamilyTest("greeter", builds) {}

private slots:
    void accessorsReachTheirRows_data() { addBuildRows(); }
    void accessorsReachTheirRows()
    {
        QFETCH(QString, build);
        TestServices ts;
        const auto form = make<GreetingForm>(build, ts);
        for (auto [get, name] : { std::pair { &GreetingForm::clear, "clear" },
                                  std::pair { &GreetingForm::showworld, "showworld" },
                                  std::pair { &GreetingForm::showfriend, "showfriend" } })
            QCOMPARE(QString::fromUtf8(((*form).*get)().row().name), QString::fromUtf8(name));
        if (auto* framed = dynamic_cast<greeter::SignedGreetingForm*>(form.get()))
            QCOMPARE(QString::fromUtf8(framed->M().row().name), QStringLiteral("M"));
    }

    // greeter has no frame: the whole window is the 454 × 280 client area.
    void frame_data()
    {
        QTest::addColumn<QString>("build");
        QTest::addColumn<bool>("frameless");
        QTest::newRow("greeter") << "greeter" << true;
        QTest::newRow("greeter2") << "greeter2" << false;
    }
    void frame()
    {
        QFETCH(QString, build);
        QFETCH(bool, frameless);
        TestServices ts;
        const auto form = make<GreetingForm>(build, ts);
        showForm(*form);
        const Qt::WindowFlags flags = form->window()->windowFlags();
        QCOMPARE(flags.testFlag(Qt::FramelessWindowHint), frameless);
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);  // an ordinary window keeps its taskbar button
        QCOMPARE(form->window()->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(form->surface().geometry(), QRect(0, 0, 454, 280));
        QCOMPARE(form->window()->size(), QSize(454, 280));
    }

    // The first greeting prints the top line at the left edge and hides clear
    // for good; a click where clear stood reaches nothing.
    void firstGreetingHidesClear_data()
    {
        QTest::addColumn<bool>("friendFirst");
        QTest::newRow("showfriend first") << true;
        QTest::newRow("showworld first") << false;
    }
    void firstGreetingHidesClear()
    {
        QFETCH(bool, friendFirst);
        TestServices ts;
        GreetingForm form(greeter::greeter(), ts.services());
        showForm(form);
        const QImage fresh = grabClient(form);
        const QRect clearRect = form.clear().widget()->geometry();

        click(form, friendFirst ? form.showfriend() : form.showworld());
        const QString first = friendFirst ? friendly : worldly;
        QCOMPARE(printedTexts(form), QStringList { first });
        QVERIFY(!form.clear().visible());
        QVERIFY(!form.clear().widget()->isVisible());
        const QImage greeted = grabClient(form);
        QCOMPARE(surfaceOnly(form, greeted), surfaceOnly(form, withPrintedLines(form, fresh, { first })));
        // Where clear stood, the window's fill shows.
        const QRgb fill = greeted.pixel(0, greeted.height() - 1);
        for (int y = clearRect.top(); y <= clearRect.bottom(); ++y)
            for (int x = clearRect.left(); x <= clearRect.right(); ++x)
                QCOMPARE(greeted.pixel(x, y), fill);

        clickAt(form, clearRect.center());
        click(form, friendFirst ? form.showworld() : form.showfriend());
        QVERIFY(!form.clear().visible());
        QCOMPARE(printedTexts(form), (QStringList { first, friendFirst ? worldly : friendly }));
    }

    // Greetings from both buttons go down the window in click order, beneath nothing.
    void greetingsInterleave_data() { addBuildRows(); }
    void greetingsInterleave()
    {
        QFETCH(QString, build);
        TestServices ts;
        const auto form = make<GreetingForm>(build, ts);
        showForm(*form);
        const QImage fresh = grabClient(*form);
        for (auto button : { &GreetingForm::showworld, &GreetingForm::showfriend, &GreetingForm::showfriend,
                             &GreetingForm::showworld, &GreetingForm::showfriend })
            click(*form, ((*form).*button)());
        const QStringList expected { worldly, friendly, friendly, worldly, friendly };
        QCOMPARE(printedTexts(*form), expected);
        QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, withPrintedLines(*form, fresh, expected)));
        QCOMPARE(form->clear().visible(), build == "greeter2");
    }

    // With nothing printed, clear changes nothing on the surface and stays.
    void clearBeforeGreeting_data() { addBuildRows(); }
    void clearBeforeGreeting()
    {
        QFETCH(QString, build);
        TestServices ts;
        const auto form = make<GreetingForm>(build, ts);
        showForm(*form);
        const QImage fresh = grabClient(*form);
        click(*form, form->clear());
        click(*form, form->clear());
        QVERIFY(form->printedLines().empty());
        QVERIFY(form->clear().widget()->isVisible());
        QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, fresh));
        click(*form, form->showfriend());
        QCOMPARE(surfaceOnly(*form, grabClient(*form)), surfaceOnly(*form, withPrintedLines(*form, fresh, { friendly })));
    }

    // greeter2's clear erases every line at any time, and the next greeting is
    // the top line again; the buttons never change.
    void plainBuildClearsAndStartsOver()
    {
        TestServices ts;
        greeter::SignedGreetingForm form(greeter::greeter2(), ts.services());
        showForm(form);
        const QImage fresh = grabClient(form);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i <= round; ++i) {
                click(form, form.showworld());
                click(form, form.showfriend());
            }
            QCOMPARE(int(form.printedLines().size()), 2 * (round + 1));
            QVERIFY(form.clear().widget()->isVisible());
            click(form, form.clear());
            QVERIFY(form.printedLines().empty());
            QCOMPARE(surfaceOnly(form, grabClient(form)), surfaceOnly(form, fresh));
        }
        click(form, form.showfriend());
        QCOMPARE(surfaceOnly(form, grabClient(form)), surfaceOnly(form, withPrintedLines(form, fresh, { friendly })));
        for (auto button : { &GreetingForm::clear, &GreetingForm::showworld, &GreetingForm::showfriend }) {
            QVERIFY((form.*button)().widget()->isVisible());
            QVERIFY((form.*button)().widget()->isEnabled());
        }
    }

    // The signature M reaches one pixel row past the client area, which does not
    // grow to show it: its text is drawn, its last row is cut off.
    void signatureBottomRowIsCutOff()
    {
        TestServices ts;
        greeter::SignedGreetingForm form(greeter::greeter2(), ts.services());
        showForm(form);
        const forms::ControlRow& row = form.M().row();
        const QRect box(forms::toPixels(row.left), forms::toPixels(row.top), forms::toPixels(row.width),
                        forms::toPixels(row.height));
        const QImage image = grabClient(form);
        QCOMPARE(box.bottom(), image.height());
        QCOMPARE(form.window()->height(), image.height());
        const QRgb fill = image.pixel(0, image.height() - 1);
        int ink = 0;
        for (int y = box.top(); y < image.height(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ink += image.pixel(x, y) != fill;
        QVERIFY(ink > 20);
    }

    // The borderless window is closed with Alt+F4, which ends the program normally.
    void altF4Closes()
    {
        TestServices ts;
        GreetingForm form(greeter::greeter(), ts.services());
        showForm(form);
        form.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        QTest::keyClick(form.window()->windowHandle(), Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(form.exitStatus(), std::optional<int>(0));
        QVERIFY(!form.window()->isVisible());
        QVERIFY(ts.reporter.errors.empty());
    }
};

QTEST_MAIN(GreetingPrinters)
#include "test_greeter.moc"
