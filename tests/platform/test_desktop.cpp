// What a desktop may try to change in every program's window, in process: the
// fixed light palette against a desktop scheme that sets every role, the menu
// bar kept inside the window where a desktop offers a global one, and what a
// screen reader is told of an option button.
#include "table.h"

#include <forms/look.h>
#include <family_test.h>

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <array>

namespace {

using Program = forms::programs::Program;
using forms::testing::openProgram;
using forms::testing::Stage;

// Fusion's standard palette, role by role: Active and Inactive, then Disabled.
struct RoleColours {
    QPalette::ColorRole role;
    QRgb active, disabled;
};
constexpr std::array<RoleColours, QPalette::NColorRoles> fusion { {
    { QPalette::WindowText, 0xFF000000, 0xFFBEBEBE },
    { QPalette::Button, 0xFFEFEFEF, 0xFFEFEFEF },
    { QPalette::Light, 0xFFFFFFFF, 0xFFFFFFFF },
    { QPalette::Midlight, 0xFFCACACA, 0xFFCACACA },
    { QPalette::Dark, 0xFF9F9F9F, 0xFFBEBEBE },
    { QPalette::Mid, 0xFFB8B8B8, 0xFFB8B8B8 },
    { QPalette::Text, 0xFF000000, 0xFFBEBEBE },
    { QPalette::BrightText, 0xFFFFFFFF, 0xFFFFFFFF },
    { QPalette::ButtonText, 0xFF000000, 0xFFBEBEBE },
    { QPalette::Base, 0xFFFFFFFF, 0xFFEFEFEF },
    { QPalette::Window, 0xFFEFEFEF, 0xFFEFEFEF },
    { QPalette::Shadow, 0xFF767676, 0xFFB1B1B1 },
    { QPalette::Highlight, 0xFF308CC6, 0xFF919191 },
    { QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF },
    { QPalette::Link, 0xFF0000FF, 0xFF0000FF },
    { QPalette::LinkVisited, 0xFFFF00FF, 0xFFFF00FF },
    { QPalette::AlternateBase, 0xFFF7F7F7, 0xFFF7F7F7 },
    { QPalette::NoRole, 0xFF000000, 0xFF000000 },
    { QPalette::ToolTipBase, 0xFFFFFFDC, 0xFFFFFFDC },
    { QPalette::ToolTipText, 0xFF000000, 0xFF000000 },
    { QPalette::PlaceholderText, 0x80000000, 0x80000000 },
} };

// A dark scheme that sets every role of every group, each to a colour of its own.
QPalette everyRoleDark()
{
    QPalette dark;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            dark.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role), QColor(0x10 + role, 0x20 + group, 0x30));
    return dark;
}

// The roles of `palette` that differ from Fusion's standard, as "group role colour".
QStringList differences(const QPalette& palette)
{
    QStringList found;
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        for (const RoleColours& expected : fusion) {
            const QRgb want = group == QPalette::Disabled ? expected.disabled : expected.active;
            const QRgb got = palette.color(group, expected.role).rgba();
            if (got != want)
                found << QStringLiteral("group %1 role %2: %3").arg(int(group)).arg(int(expected.role)).arg(got, 8, 16);
        }
    return found;
}

// Every widget the window shows, and its menus.
QList<QWidget*> widgetsOf(const forms::Form& form)
{
    QList<QWidget*> widgets { form.window() };
    for (QWidget* widget : form.window()->findChildren<QWidget*>())
        if (widget->isVisible())
            widgets << widget;
    if (auto* bar = form.window()->findChild<QMenuBar*>())
        for (QAction* title : bar->actions())
            if (title->menu())
                widgets << title->menu();
    return widgets;
}

}  // namespace

class Desktop : public QObject {
    Q_OBJECT

    QPalette original;

private slots:
    void initTestCase()
    {
        original = QApplication::palette();
        // The runtime installs its look with the first window: the desktop's
        // scheme is set after that, as it is when it changes.
        openProgram("trafficlight", { .stage = Stage::Built });
    }
    void cleanup() { QApplication::setPalette(original); }

    void standardPaletteIsFusions() { QCOMPARE(differences(forms::standardPalette()), QStringList()); }

    void everyRoleStaysLight_data()
    {
        QTest::addColumn<QString>("id");
        for (const Program& p : forms::programs::all())
            QTest::newRow(p.executable.data()) << QString::fromUtf8(p.id.data(), qsizetype(p.id.size()));
    }
    // Built under a dark scheme, and with the scheme changed again while it
    // shows, every widget of the window keeps Fusion's light colours in every
    // role of every group.
    void everyRoleStaysLight()
    {
        QFETCH(QString, id);
        QApplication::setPalette(everyRoleDark());
        const auto form = openProgram(id);
        QPalette darker = everyRoleDark();
        darker.setColor(QPalette::Window, Qt::black);
        QApplication::setPalette(darker);
        for (QWidget* widget : widgetsOf(*form))
            QVERIFY2(differences(widget->palette()).isEmpty(),
                     qPrintable(widget->metaObject()->className() + (u' ' + differences(widget->palette()).join(u'\n'))));
    }

    // The menu bar is never handed to a desktop's global menu: it is drawn in
    // the window, its menu's caption on the flushed pixels of its band. Where
    // a session bus runs (the test's run on X11 starts one), the test takes
    // the name of the registrar of window menus that KDE and Unity provide, so
    // that Qt offers the menu bar to a global menu.
    void menuBarInsideTheWindow()
    {
        if (QDBusConnection::sessionBus().isConnected())
            QVERIFY(QDBusConnection::sessionBus().registerService(QStringLiteral("com.canonical.AppMenu.Registrar")));
        const auto form = openProgram("maxofthree");
        auto* bar = form->window()->findChild<QMenuBar*>();
        QVERIFY(bar);
        QVERIFY(!bar->isNativeMenuBar());
        QVERIFY(bar->isVisible());
        const QImage window = forms::testing::grabWindow(*form);
        const QRect caption = bar->actionGeometry(bar->actions().first()).translated(bar->mapTo(form->window(), QPoint()));
        QVERIFY(QRect(QPoint(), window.size()).contains(caption));
        const int dark = forms::testing::inkIn(window, caption, forms::testing::Paper::lighterThan(0x60));  // the caption's text
        QVERIFY2(dark >= 10, qPrintable(QString::number(dark)));
    }

    // A screen reader hears that each of quiz's option buttons is a radio
    // button it can check, and which one is checked once clicked.
    void optionButtonsAreCheckable()
    {
        const auto form = openProgram("quiz");
        int options = 0;
        for (const auto& control : form->controls()) {
            if (control->kind() != forms::Kind::OptionButton)
                continue;
            ++options;
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control->widget());
            QVERIFY(reader);
            QCOMPARE(reader->role(), QAccessible::RadioButton);
            QVERIFY(reader->state().checkable);
            QVERIFY(!reader->state().checked);
        }
        QCOMPARE(options, 4);
    }
};

QTEST_MAIN(Desktop)
#include "test_desktop.moc"
