// Every program's window, its menu and the run-time error box under a dark
// desktop palette against the same under the default one, compared by what
// was flushed to the screen: a window looks as it was designed whatever the
// desktop's colour scheme.
#include "table.h"

#include <family_test.h>
#include <forms/reporter.h>
#include <forms/text.h>

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

using forms::testing::openProgram;

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
        QTest::addColumn<QString>("id");
        for (const forms::programs::Program& p : forms::programs::all())
            QTest::newRow(p.executable.data()) << forms::qstring(p.id);
    }
    void windows()
    {
        QFETCH(QString, id);
        const auto light = openProgram(id);
        const QImage designed = shown(light->window());
        QVERIFY(!designed.isNull());
        // The scheme turns dark while the window shows, and a window is built under it.
        QApplication::setPalette(darkPalette());
        QCOMPARE(shown(light->window()), designed);
        QCOMPARE(shown(openProgram(id)->window()), designed);
    }

    void menu()
    {
        const auto light = openProgram(QStringLiteral("maxofthree"));
        const QImage designed = openMenu(*light);
        QVERIFY(!designed.isNull());
        QApplication::setPalette(darkPalette());
        QCOMPARE(openMenu(*openProgram(QStringLiteral("maxofthree"))), designed);
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
