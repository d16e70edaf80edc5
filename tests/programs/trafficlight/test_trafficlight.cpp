// trafficlight through real clicks, keys and pixels.
#include "trafficlight.h"

#include <family_test.h>

#include <QApplication>
#include <QTest>

using forms::testing::clickAt;
using forms::testing::inkIn;
using forms::testing::Paper;
using forms::testing::grabClient;
using forms::testing::rgbAt;
using trafficlight::Trafic_Lights;

namespace {

constexpr unsigned green = 0x00C000, red = 0xFF0000, black = 0x000000, white = 0xFFFFFF;
const QPoint button(120 + 60, 250 + 25);  // the centre of red and green

// Background points away from every control.
const QPoint background[] = { { 5, 5 }, { 370, 5 }, { 5, 330 }, { 300, 150 }, { 100, 200 }, { 280, 330 } };

// What a screen reader is given of the window at start: the red-light image
// lies under the picture box, and green is hidden.
const std::map<QString, forms::testing::AccessibleTree> programs {
    { "trafficlight", { "Window Trafic_Lights", {
        "Graphic Φανάρι με αναμμένο το πράσινο", "Graphic Φανάρι με αναμμένο το κόκκινο, offscreen",
        "Button red", "Button green, invisible", "StaticText made zedrik40" } } },
};

}  // namespace

class TrafficLightTest : public forms::testing::FamilyTest {
    Q_OBJECT

public:
    TrafficLightTest() : FamilyTest("trafficlight", programs) {}

private:
    std::unique_ptr<forms::testing::Opened<Trafic_Lights>> opened;
    Trafic_Lights* form = nullptr;

    // The state as seen: the background colour everywhere it shows, and true when it is the same at every point.
    unsigned backgroundColour(const QImage& image)
    {
        const unsigned colour = rgbAt(image, background[0].x(), background[0].y());
        for (QPoint p : background)
            if (rgbAt(image, p.x(), p.y()) != colour)
                return 0xDEAD;
        return colour;
    }

    // Green lit (at start and after the green button) or red lit (after the red one).
    void verifyState(const QImage& image, bool redLit)
    {
        if (redLit) {
            QCOMPARE(backgroundColour(image), red);
            // The red-light picture squeezed from 129 to 119 rows: the lit red lens above,
            // the white lens below, and the bottom frame band still in the last rows.
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 29), red);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 81), white);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 117), black);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 118), black);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 119), red);  // the window again, just below
        } else {
            QCOMPARE(backgroundColour(image), green);
            // The picture box shows the green-light picture unscaled, inside its 2-pixel frame:
            // the lit lens (picture columns 10-42, rows 64-109) and the white unlit one.
            QCOMPARE(rgbAt(image, 150 + 2 + 26, 30 + 2 + 86), 0x00FF00u);
            QCOMPARE(rgbAt(image, 150 + 2 + 26, 30 + 2 + 30), white);
            // The red lens of the image beneath is nowhere to be seen.
            QCOMPARE(inkIn(image, QRect(150, 30, 57, 119), Paper::anyBut(red)), 0);
        }
        QCOMPARE(form->red().widget()->isVisible(), !redLit);
        QCOMPARE(form->green().widget()->isVisible(), redLit);
    }

    // The signature keeps its own opaque box whatever the window's colour.
    void verifySignature(const QImage& image)
    {
        const unsigned box = 0xEFEFEF;  // the button face of the standard look
        QCOMPARE(rgbAt(image, 290, 321), box);
        QCOMPARE(rgbAt(image, 370, 337), box);  // its bottom 3 rows are cut off by the client area
        QVERIFY2(inkIn(image, QRect(290, 320, 81, 18), Paper::lighterThan(100)), "the signature's text is drawn");
    }

private slots:
    void init()
    {
        opened = forms::testing::openProgramHeld<Trafic_Lights>("trafficlight");
        form = &opened->form();
    }
    void cleanup() { opened.reset(); }

    void layoutInPixels()
    {
        QCOMPARE(form->surface().size(), QSize(374, 338));
        QCOMPARE(form->lamp1().widget()->geometry(), QRect(150, 30, 57, 119));
        QCOMPARE(form->lamp().rect(), QRect(150, 30, 57, 119));
        QCOMPARE(form->red().widget()->geometry(), QRect(120, 250, 121, 51));
        QCOMPARE(form->green().widget()->geometry(), QRect(120, 250, 121, 51));
        QCOMPARE(form->window()->windowTitle(), QStringLiteral("Trafic_Lights"));
    }

    void startsGreen()
    {
        const QImage image = grabClient(*form);
        verifyState(image, false);
        verifySignature(image);
        // lamp is visible at start, only covered by the picture box.
        QVERIFY(form->lamp().visible());
        QVERIFY(form->lamp1().visible());
    }

    void pressesAlternate()
    {
        for (int press = 1; press <= 6; ++press) {
            clickAt(*form, button);
            const QImage image = grabClient(*form);
            verifyState(image, press % 2);
            if (press % 2 == 0)
                QVERIFY(!form->lamp().visible());  // hidden now, not just covered
            verifySignature(image);
        }
        QVERIFY(!form->exitStatus());
    }

    // The one button is worked by the keyboard alone: the focus passes from
    // each button as it hides to the one that takes its place.
    void keyboard()
    {
        // Focus starts on red: green comes first by TabIndex but is hidden.
        QCOMPARE(QApplication::focusWidget(), form->red().widget());
        for (int press = 1; press <= 4; ++press) {
            QTest::keyClick(QApplication::focusWidget(), press % 2 ? Qt::Key_Space : Qt::Key_Return);
            const bool redNow = press % 2;
            verifyState(grabClient(*form), redNow);
            QCOMPARE(QApplication::focusWidget(), redNow ? form->green().widget() : form->red().widget());
        }
    }

    void resizingMovesNothing()
    {
        form->window()->resize(600, 500);
        QTest::qWait(0);
        const QImage image = grabClient(*form);
        QCOMPARE(image.size(), QSize(600, 500));
        QCOMPARE(rgbAt(image, 590, 490), green);
        QCOMPARE(form->red().widget()->geometry(), QRect(120, 250, 121, 51));
    }
};

QTEST_MAIN(TrafficLightTest)
#include "test_trafficlight.moc"
