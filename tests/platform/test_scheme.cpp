// Every program's window, its menu and the run-time error box under a dark
// desktop palette against the same under the default one, compared by what
// was flushed to the screen: a window looks as it was designed whatever the
// desktop's colour scheme.
#include "table.h"

#include <forms/reporter.h>
#include <testing.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

// Breeze Dark's colours.
QPalette darkPalette()
{
    QPalette dark(QColor(0x31, 0x36, 0x3b), QColor(0x23, 0x26, 0x29));
    for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText, QPalette::BrightText })
        dark.setColor(role, QColor(0xfc, 0xfc, 0xfc));
    dark.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    return dark;
}

// What the window shows: painted now, and read back from what was flushed to the screen.
QImage shown(QWidget* window)
{
    if (!QTest::qWaitForWindowExposed(window))
        return {};
    window->repaint();
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage shown(forms::Form& form)
{
    form.load();
    form.show();
    return shown(form.window());
}

// The run-time error box as it shows over no window; its OK button then closes it.
QImage errorBox()
{
    QImage image;
    QTimer::singleShot(0, [&image] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            image = shown(box);
            box->button(QMessageBox::Ok)->click();
        }
    });
    std::FILE* log = std::fopen("/dev/null", "w");
    forms::StandardReporter(log).report(QStringLiteral("probe"), forms::RuntimeError(forms::RuntimeError::Overflow), nullptr);
    std::fclose(log);
    return image;
}

// The window's first menu, opened by a click on its title.
QImage openMenu(forms::Form& form)
{
    auto* bar = form.window()->findChild<QMenuBar*>();
    if (!bar)
        return {};
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    const QImage image = shown(menu);
    menu->close();
    return image;
}

const forms::programs::Program& program(int index) { return forms::programs::all()[size_t(index)]; }

}  // namespace

class Scheme : public QObject {
    Q_OBJECT

    QPalette original;

private slots:
    void initTestCase()
    {
        original = QApplication::palette();
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    void cleanup() { QApplication::setPalette(original); }

    void windows_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < forms::programs::all().size(); ++i)
            QTest::newRow(forms::programs::all()[i].executable.data()) << int(i);
    }
    void windows()
    {
        QFETCH(int, index);
        forms::testing::TestServices lightServices, darkServices;
        const auto light = program(index).make(lightServices.services());
        const QImage designed = shown(*light);
        QVERIFY(!designed.isNull());
        // The scheme turns dark while the window shows, and a window is built under it.
        QApplication::setPalette(darkPalette());
        QCOMPARE(shown(light->window()), designed);
        const auto dark = program(index).make(darkServices.services());
        QCOMPARE(shown(*dark), designed);
    }

    void menu()
    {
        int maxofthree = 0;
        while (program(maxofthree).executable != "maxofthree")
            ++maxofthree;
        forms::testing::TestServices lightServices, darkServices;
        const auto light = program(maxofthree).make(lightServices.services());
        shown(*light);
        const QImage designed = openMenu(*light);
        QVERIFY(!designed.isNull());
        QApplication::setPalette(darkPalette());
        const auto dark = program(maxofthree).make(darkServices.services());
        shown(*dark);
        QCOMPARE(openMenu(*dark), designed);
    }

    void runTimeErrorBox()
    {
        const QImage designed = errorBox();
        QVERIFY(!designed.isNull());
        QApplication::setPalette(darkPalette());
        QCOMPARE(errorBox(), designed);
    }
};

QTEST_MAIN(Scheme)
#include "test_scheme.moc"
