#include "shots.h"

#include "table.h"

#include <testing.h>

#include <forms/text.h>

#include <QApplication>
#include <QLocale>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace screenshots {

namespace {

[[noreturn]] void fail(const QString& message)
{
    std::fprintf(stderr, "screenshots: %s\n", qPrintable(message));
    std::exit(1);
}

// One action of a shot: "click <control>", pressed and released on it as a
// user does, or "wait <milliseconds>" on the manual clock.
void perform(forms::Form& form, forms::testing::ManualClock& clock, const QString& action)
{
    const QString verb = action.section(u' ', 0, 0), what = action.section(u' ', 1);
    if (verb == QLatin1String("click")) {
        const QByteArray name = what.toUtf8();
        const forms::Control* control = form.find(std::string_view(name.constData(), size_t(name.size())));
        if (!control || !control->widget())
            fail(QStringLiteral("there is no control %1 to click").arg(what));
        QTest::mouseClick(control->widget(), Qt::LeftButton);
    } else if (verb == QLatin1String("wait")) {
        bool ok = false;
        const int ms = what.toInt(&ok);
        if (!ok)
            fail(QStringLiteral("'%1' is not a number of milliseconds").arg(what));
        clock.advance(std::chrono::milliseconds(ms));
    } else {
        fail(QStringLiteral("'%1' is not click or wait").arg(action));
    }
}

// Builds the program's form on a manual clock, shows it, performs the shot's
// actions and grabs what was flushed to the whole window, menu bar included.
QImage render(const forms::programs::Program& program, const QStringList& actions)
{
    forms::testing::TestServices ts;
    const std::unique_ptr<forms::Form> form = program.make(ts.services());
    form->load();
    form->show();
    QWidget* window = form->window();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window))
        fail(QStringLiteral("the window of %1 did not show").arg(QString::fromUtf8(program.executable)));
    for (const QString& action : actions)
        perform(*form, ts.clock, action);
    QImage image = forms::testing::grabWindow(*form);
    image.setDevicePixelRatio(1);
    return image;
}

}  // namespace

std::vector<Shot> all()
{
    std::vector<Shot> shots;
    for (const auto& program : forms::programs::all())
        for (std::string_view shot : program.shots) {
            const QString text = forms::qstring(shot);
            QStringList actions = text.section(u':', 1).split(u',', Qt::SkipEmptyParts);
            for (QString& action : actions)
                action = action.trimmed();
            shots.push_back({ text.section(u':', 0, 0).trimmed(), [&program, actions] { return render(program, actions); } });
        }
    return shots;
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
