// trafficlight through real clicks, keys and pixels.
#include "trafficlight.h"

#include <family_test.h>

#include <QApplication>
#include <QTest>

using namespace forms::testing;
using trafficlight::Trafic_Lights;

namespace {

constexpr unsigned green = 0x00C000, red = 0xFF0000, black = 0x000000, white = 0xFFFFFF;
const QPoint button(120 + 60, 250 + 25);  // the centre of red and green

// Background points away from every control.
const QPoint background[] = { { 5, 5 }, { 370, 5 }, { 5, 330 }, { 300, 150 }, { 100, 200 }, { 280, 330 } };

// What a screen reader is given of the window at start: the red-light image
// lies under the picture box, and green is hidden.
const std::map<QString, AccessibleTree> programs {
    { "trafficlight", { "Window Trafic_Lights", {
        "Graphic Φανάρι με αναμμένο το πράσινο", "Graphic Φανάρι με αναμμένο το κόκκινο, offscreen",
        "Button red", "Button green, invisible", "StaticText made zedrik40" } } },
};

}  // namespace

class TrafficLightTest : public FamilyTest {
    Q_OBJECT

public:
    TrafficLightTest() : FamilyTest("trafficlight", programs) {}

private:
    std::unique_ptr<Opened<Trafic_Lights>> opened;
    Trafic_Lights* form = nullptr;

    // Green lit (at start and after the green button) or red lit (after the red one);
    // the signature keeps its own opaque box whatever the window's colour.
    void verifyState(const QImage& image, bool redLit)
    {
        for (QPoint p : background)
            QCOMPARE(rgbAt(image, p.x(), p.y()), redLit ? red : green);
        if (redLit) {
            // The red-light picture squeezed from 129 to 119 rows: the lit red lens above,
            // the white lens below, and the bottom frame band still in the last rows.
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 29), red);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 81), white);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 117), black);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 118), black);
            QCOMPARE(rgbAt(image, 150 + 28, 30 + 119), red);  // the window again, just below
        } else {
            // The picture box shows the green-light picture unscaled, inside its 2-pixel frame:
            // the lit lens (picture columns 10-42, rows 64-109) and the white unlit one.
            QCOMPARE(rgbAt(image, 150 + 2 + 26, 30 + 2 + 86), 0x00FF00u);
            QCOMPARE(rgbAt(image, 150 + 2 + 26, 30 + 2 + 30), white);
            // The red lens of the image beneath is nowhere to be seen.
            QCOMPARE(inkIn(image, QRect(150, 30, 57, 119), Paper::anyBut(red)), 0);
        }
        QCOMPARE(form->red().widget()->isVisible(), !redLit);
        QCOMPARE(form->green().widget()->isVisible(), redLit);
        const unsigned box = 0xEFEFEF;  // the button face of the standard look
        QCOMPARE(rgbAt(image, 290, 321), box);
        QCOMPARE(rgbAt(image, 370, 337), box);  // its bottom 3 rows are cut off by the client area
        QVERIFY2(inkIn(image, QRect(290, 320, 81, 18), Paper::lighterThan(100)), "the signature's text is drawn");
    }

private slots:
    void init()
    {
        opened = openProgramHeld<Trafic_Lights>("trafficlight");
        form = &opened->form();
    }
    void cleanup() { opened.reset(); }

    // Green at start, then the one button alternates the light, by clicks or by the
    // keyboard alone: then the focus passes from each button as it hides to the
    // one that takes its place.
    void pressesAlternate_data()
    {
        QTest::addColumn<bool>("keys");
        QTest::newRow("clicks") << false;
        QTest::newRow("Space and Return") << true;
    }
    void pressesAlternate()
    {
        QFETCH(bool, keys);
        for (int press = 0; press <= 6; ++press) {
            const bool redNow = press % 2;
            if (press > 0 && keys)
                QTest::keyClick(QApplication::focusWidget(), redNow ? Qt::Key_Space : Qt::Key_Return);
            else if (press > 0)
                clickAt(*form, button);
            verifyState(grabClient(*form), redNow);
            // lamp is visible at start, only covered by the picture box; then hidden, not just covered.
            if (!redNow)
                QCOMPARE(form->lamp().visible(), press == 0);
            if (press == 0)
                QVERIFY(form->lamp1().visible());
            // Focus starts on red: green comes first by TabIndex but is hidden.
            if (keys)
                QCOMPARE(QApplication::focusWidget(), redNow ? form->green().widget() : form->red().widget());
        }
        QVERIFY(!form->exitStatus());
    }

    // The layout in pixels, which resizing the window leaves as it is.
    void layoutInPixels()
    {
        QCOMPARE(form->surface().size(), QSize(374, 338));
        QCOMPARE(form->lamp1().widget()->geometry(), QRect(150, 30, 57, 119));
        QCOMPARE(form->lamp().rect(), QRect(150, 30, 57, 119));
        QCOMPARE(form->red().widget()->geometry(), QRect(120, 250, 121, 51));
        QCOMPARE(form->green().widget()->geometry(), QRect(120, 250, 121, 51));
        QCOMPARE(form->window()->windowTitle(), QStringLiteral("Trafic_Lights"));

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
