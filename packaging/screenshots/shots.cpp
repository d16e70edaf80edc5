#include "shots.h"

#include "chase.h"
#include "greeter.h"
#include "maxofthree.h"
#include "ora.h"
#include "quiz.h"
#include "trafficlight.h"

#include <testing.h>

#include <QApplication>
#include <QLocale>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

using namespace std::chrono_literals;

namespace screenshots {

namespace {

using forms::testing::ManualClock;

// A click as the user makes it, pressed and released on the control.
void click(const forms::Control& control) { QTest::mouseClick(control.widget(), Qt::LeftButton); }

template <class F>
using Drive = std::function<void(F&, ManualClock&)>;

// Builds the program's form on a manual clock, shows it, drives it with
// `drive` and grabs the whole window, menu bar included.
template <class F>
Shot shot(const char* name, Drive<F> drive = {})
{
    return { QString::fromUtf8(name), [name, drive] {
                forms::testing::TestServices ts;
                F form(ts.services());
                form.load();
                form.show();
                QWidget* window = form.window();
                QApplication::setActiveWindow(window);
                if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window)) {
                    std::fprintf(stderr, "screenshots: the window of %s did not show\n", name);
                    std::exit(1);
                }
                if (drive)
                    drive(form, ts.clock);
                QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
                image.setDevicePixelRatio(1);
                return image;
            } };
}

void answerAll(quiz::Questionnaire& form, ManualClock&)
{
    click(form.Option1());
    click(form.Option2());
    click(form.Option3());
    click(form.Option4());
    click(form.Command1());
}

void greetThrice(greeter::GreetingForm& form, ManualClock&)
{
    click(form.showfriend());
    click(form.showworld());
    click(form.showfriend());
}

// START runs the whole race inside the click: its waits advance the manual clock.
template <class Build>
void race(chase::Form1<Build>& form, ManualClock&) { click(form.START()); }

}  // namespace

std::vector<Shot> all()
{
    using Chase = chase::Form1<chase::Chase>;
    using Chase2 = chase::Form1<chase::Chase2>;
    return {
        shot<trafficlight::Trafic_Lights>("trafficlight"),
        shot<trafficlight::Trafic_Lights>("trafficlight-red", [](auto& form, auto&) { click(form.red()); }),
        shot<Chase>("chase"),
        shot<Chase>("chase-raced", race<chase::Chase>),
        shot<Chase2>("chase2"),
        shot<Chase2>("chase2-raced", race<chase::Chase2>),
        shot<quiz::Form1>("quiz"),
        shot<quiz::Form1>("quiz-answered", answerAll),
        shot<quiz2::Form1>("quiz2"),
        shot<quiz2::Form1>("quiz2-answered", answerAll),
        shot<quiz3::Form1>("quiz3"),
        shot<quiz3::Form1>("quiz3-answered", answerAll),
        shot<greeter::Form1>("greeter"),
        shot<greeter::Form1>("greeter-greeted", greetThrice),
        shot<greeter2::Form1>("greeter2"),
        shot<greeter2::Form1>("greeter2-greeted", greetThrice),
        shot<maxofthree::Form1>("maxofthree"),
        shot<maxofthree::Form1>("maxofthree-computed", [](auto& form, auto&) { click(form.Command1()); }),
        // The first tick fills both boxes, a second after the start.
        shot<ora::Form1>("ΩΡΑ", [](auto&, auto& clock) { clock.advance(1000ms); }),
    };
}

void prepareEnvironment()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* name : { "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                              "QT_FONT_DPI", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE" })
        qunsetenv(name);
}

void prepareApplication()
{
    // The programs are Greek: ΩΡΑ shows the date and time as a Greek desktop would.
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

}  // namespace screenshots
