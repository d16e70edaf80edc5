// The form runtime on its own: building a window from a description, layering,
// printing, focus, timers, DoEvents, and how the program ends.
#include <forms/form.h>
#include <forms/look.h>

#include "opened.h"
#include "testing.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QWindow>

#include <sys/resource.h>

#include <csignal>

using namespace std::chrono_literals;
using forms::Kind;
using forms::RuntimeError;
using forms::testing::clickAt;
using forms::testing::Errors;
using forms::testing::grabClient;
using forms::testing::inkIn;
using forms::testing::rgbAt;
using forms::testing::Stage;

namespace {

// A window with one control of every kind, 400 × 300 pixels.
forms::Description probeDescription()
{
    return {
        .window = { .name = "Form1", .caption = "Probe", .backColor = 0x0000C000,
                    .clientWidth = 4800, .clientHeight = 3600 },
        .controls = {
            { .kind = Kind::Label, .name = "Label1", .index = 1, .caption = "label wraps at blanks",
              .left = 0, .top = 0, .width = 1200, .height = 600, .backColor = 0x00FFFFFF, .tabIndex = 1 },
            { .kind = Kind::CommandButton, .name = "Command1", .index = 2, .caption = "go & stop",
              .left = 2400, .top = 0, .width = 1200, .height = 600, .tabIndex = 3 },
            { .kind = Kind::TextBox, .name = "Text1", .index = 3, .caption = "2",
              .left = 2400, .top = 1200, .width = 1200, .height = 360, .tabIndex = 2 },
            { .kind = Kind::CommandButton, .name = "Hidden", .index = 4, .caption = "hidden",
              .left = 2400, .top = 2400, .width = 1200, .height = 600, .visible = false, .tabIndex = 0 },
            { .kind = Kind::Image, .name = "Image1", .index = 5,
              .left = 120, .top = 1800, .width = 684, .height = 1428,
              .picture = ":/pictures/trafficlight_red.bmp", .description = "red light", .stretch = true },
            { .kind = Kind::PictureBox, .name = "Picture1", .index = 6,
              .left = 1200, .top = 1800, .width = 684, .height = 1428, .tabIndex = 4,
              .picture = ":/pictures/trafficlight_green.bmp", .description = "green light" },
            { .kind = Kind::Timer, .name = "Timer1", .index = 7, .enabled = false, .interval = 1000 },
            { .kind = Kind::Line, .name = "Line1", .index = 8, .x1 = 0, .y1 = 3480, .x2 = 6000, .y2 = 3480 },
            { .kind = Kind::Image, .name = "Image2", .index = 9,
              .left = 3600, .top = 1800, .width = 0, .height = 0,
              .picture = ":/pictures/trafficlight_green.bmp", .description = "green light" },
        },
    };
}

class Probe : public forms::Form {
public:
    explicit Probe(forms::Services services, forms::Description description = probeDescription())
        : Form(std::move(description), services)
    {
        connect(Command1(), &Probe::Command1_Click);
        connect(Hidden(), &Probe::Hidden_Click);
        connect(Timer1(), &Probe::Timer1_Timer);
        onLoad(&Probe::Form_Load);
    }

    FORMS_CONTROL(Label, Label1);
    FORMS_CONTROL(CommandButton, Command1);
    FORMS_CONTROL(TextBox, Text1);
    FORMS_CONTROL(CommandButton, Hidden);
    FORMS_CONTROL(Image, Image1);
    FORMS_CONTROL(PictureBox, Picture1);
    FORMS_CONTROL(Timer, Timer1);
    FORMS_CONTROL(Image, Image2);

    // What each handler does is up to the test.
    std::function<void(Probe&)> loading, command, hidden, timer;
    void Form_Load() { if (loading) loading(*this); }
    void Command1_Click() { if (command) command(*this); }
    void Hidden_Click() { if (hidden) hidden(*this); }
    void Timer1_Timer() { if (timer) timer(*this); }
};

// Accessors that do not match the description: each stops the program as the form is built.
class MisnamedProbe : public Probe {
public:
    using Probe::Probe;
    FORMS_CONTROL(Label, Nowhere);
};

class MiskindedProbe : public Probe {
public:
    using Probe::Probe;
    FORMS_CONTROL(TextBox, Label1);
};

class MenuProbe : public forms::Form {
public:
    explicit MenuProbe(forms::Services services) : Form(probeDescription(), services) {}
    FORMS_MENU_ITEM(Menu1);
};

using Build = std::function<void(forms::Services)>;
using Break = std::function<void(forms::Description&)>;

QPoint centre(const forms::Control& control)
{
    return control.widget()->geometry().center();
}

// A fresh paint of the client area: what the window must show once every
// change has been repainted, so no stale pixels (a trail, a line not erased).
QImage rendered(const forms::Form& form)
{
    return form.surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour the window shows at `at`, as 0xRRGGBB.
unsigned shownAt(const forms::Form& form, QPoint at)
{
    return rgbAt(grabClient(form), at.x(), at.y());
}

QStringList texts(const std::vector<std::string>& lines)
{
    QStringList result;
    for (const std::string& line : lines)
        result << QString::fromStdString(line);
    return result;
}

}  // namespace

Q_DECLARE_METATYPE(Build)
Q_DECLARE_METATYPE(Break)

class Runtime : public QObject {
    Q_OBJECT

    std::unique_ptr<forms::testing::Opened<Probe>> opened;
    Probe* f = nullptr;

    // Closes the probe that is open, if any, and opens one of `description`, taken to `stage`.
    void open(const forms::Description& description, Stage stage)
    {
        opened.reset();
        opened = std::make_unique<forms::testing::Opened<Probe>>(
            [&](forms::Services s) { return std::make_unique<Probe>(s, description); },
            forms::testing::Opening { .stage = stage }, "the probe", forms::testing::SourcePlace::current());
        f = &opened->form();
    }

private slots:
    // A steady caret: a blink between two looks at the window would tell them apart.
    void initTestCase() { QGuiApplication::styleHints()->setCursorFlashTime(0); }

    // Each test starts with the probe shown and active, so keys reach it.
    void init() { open(probeDescription(), Stage::Active); }
    void cleanup() { opened.reset(); }

    void geometryFollowsTwips()
    {
        QCOMPARE(f->surface().size(), QSize(400, 300));
        QCOMPARE(f->Command1().widget()->geometry(), QRect(200, 0, 100, 50));
        QCOMPARE(f->Text1().widget()->geometry(), QRect(200, 100, 100, 30));
        QCOMPARE(f->Image1().rect(), QRect(10, 150, 57, 119));          // stretched to its rectangle
        QCOMPARE(f->Image2().rect(), QRect(300, 150, 54, 127));         // the picture's own size
        QCOMPARE(f->Text1().text(), QStringLiteral("2"));
        // An '&' in a caption is shown as it is, not taken as an access key.
        QCOMPARE(static_cast<QPushButton*>(f->Command1().widget())->text(), QStringLiteral("go && stop"));
        QVERIFY(forms::problems(f->windowDescription()).empty());
    }

    // Each rule on its own: the probe broken in exactly one way, and the line it gives.
    void descriptionProblems_data()
    {
        QTest::addColumn<Break>("fault");
        QTest::addColumn<QStringList>("found");
        const QString tabs = QStringLiteral("TabIndex values are not distinct and running from 0");
        const forms::MenuRow bar { .name = "Menu", .index = 10, .caption = "Menu", .level = 0 };
        QTest::newRow("sound") << Break([](auto&) {}) << QStringList {};
        QTest::newRow("creation index 0, the window's") << Break([](auto& d) { d.control("Label1").index = 0; })
                                                        << QStringList { "creation index 0 of Label1 is not unique" };
        QTest::newRow("creation index used twice") << Break([](auto& d) { d.control("Text1").index = 2; })
                                                   << QStringList { "creation index 2 of Text1 is not unique" };
        QTest::newRow("name used twice") << Break([](auto& d) { d.control("Text1").name = "Command1"; })
                                         << QStringList { "name Command1 is used twice" };
        QTest::newRow("TabIndex not from 0") << Break([](auto& d) { d.control("Hidden").tabIndex = 5; })
                                             << QStringList { tabs };
        QTest::newRow("TabIndex used twice") << Break([](auto& d) { d.control("Picture1").tabIndex = 3; })
                                             << QStringList { tabs };
        QTest::newRow("TabIndex skips one") << Break([](auto& d) { d.control("Picture1").tabIndex = 5; })
                                            << QStringList { tabs };
        QTest::newRow("Image without picture") << Break([](auto& d) { d.control("Image2").picture = {}; })
                                               << QStringList { "Image2 has no picture" };
        QTest::newRow("PictureBox without picture") << Break([](auto& d) { d.control("Picture1").picture = {}; })
                                                    << QStringList { "Picture1 has no picture" };
        QTest::newRow("Timer with interval 0") << Break([](auto& d) { d.control("Timer1").interval = 0; })
                                               << QStringList { "Timer1 has no interval" };
        QTest::newRow("menu item named as a control")
            << Break([bar](auto& d) { d.menus = { bar, { .name = "Command1", .index = 11, .caption = "Go" } }; })
            << QStringList { "name Command1 is used twice" };
        QTest::newRow("menu item numbered as a control")
            << Break([bar](auto& d) { d.menus = { bar, { .name = "Item1", .index = 3, .caption = "Go" } }; })
            << QStringList { "creation index 3 of Item1 is not unique" };
        QTest::newRow("three faults at once") << Break([](auto& d) {
            d.control("Text1").index = 2;
            d.control("Hidden").tabIndex = 7;
            d.control("Image2").picture = {};
        }) << QStringList { "creation index 2 of Text1 is not unique", "Image2 has no picture", tabs };
    }
    void descriptionProblems()
    {
        QFETCH(Break, fault);
        QFETCH(QStringList, found);
        forms::Description d = probeDescription();
        fault(d);
        QCOMPARE(texts(forms::problems(d)), found);
    }

    void moveBefore()
    {
        forms::Description d = probeDescription();
        d.moveBefore("Line1", "Label1");
        QCOMPARE(d.controls.front().name, std::string_view("Line1"));
        QCOMPARE(d.controls.size(), probeDescription().controls.size());
    }

    // A fault in a program's accessors or description stops it before its
    // window is built, saying what is wrong, instead of reaching another control.
    void faultsInTheProgramStopItAtOnce_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("message");
        QTest::newRow("accessor without a control") << Build([](forms::Services s) { MisnamedProbe p(s); })
            << "forms: window Form1: the accessor Nowhere finds no control of that name in the description\n";
        QTest::newRow("accessor of another kind") << Build([](forms::Services s) { MiskindedProbe p(s); })
            << "forms: window Form1: the accessor Label1 finds a Label, not a TextBox\n";
        QTest::newRow("menu item not in the menu") << Build([](forms::Services s) { MenuProbe p(s); })
            << "forms: window Form1: the accessor Menu1 finds no menu item of that name in the description\n";
        QTest::newRow("index used twice") << Build([](forms::Services s) {
            forms::Description d = probeDescription();
            d.control("Text1").index = 2;
            forms::Form f(d, s);
        }) << "forms: window Form1: creation index 2 of Text1 is not unique\n";
    }
    void faultsInTheProgramStopItAtOnce()
    {
        QFETCH(Build, build);
        QFETCH(QString, message);
        const auto end = forms::testing::runInChild([&] {
            forms::testing::TestServices ts;
            build(ts.services());
        });
        QCOMPARE(end.signal, SIGABRT);
        QCOMPARE(end.errors, message);
    }

    void layering()
    {
        // Printed text is drawn above the label's opaque box but beneath the button.
        for (int i = 0; i < 4; ++i)
            f->Print(QStringLiteral("██████████████████████████████████████████████████"));
        const QImage image = grabClient(*f);
        const unsigned ink = rgbAt(image, 5, 5);
        QVERIFY2(ink != 0xFFFFFF && ink != 0x00C000, "printed text covers the label");
        QCOMPARE(rgbAt(image, 110, 5), ink);                           // and the background
        QVERIFY(rgbAt(image, 250, 25) != ink);                          // but not the button
        // The picture box covers the image in the same place; a stretched image shows all 129 rows in 119.
        QCOMPARE(rgbAt(image, 100 + 2 + 20, 150 + 2 + 90), 0x00FF00u);  // the lit green lens, through the frame
        QCOMPARE(rgbAt(image, 10 + 28, 150 + 30), 0xFF0000u);           // the red lens, squeezed
        QCOMPARE(rgbAt(image, 10 + 28, 150 + 117), 0x000000u);          // the bottom frame band, kept
        // The line runs across the whole width and is clipped at the edge.
        QCOMPARE(rgbAt(image, 399, 290), 0x000000u);
    }

    // A label wraps its caption at blanks and clips what does not fit its
    // rectangle: of six lines, three show in its 50 pixels, none below it.
    void labelsClipTheirCaption()
    {
        forms::Description d = probeDescription();
        d.control("Label1").caption = "one two three four five six seven eight nine ten eleven twelve";
        open(d, Stage::Shown);
        const QImage image = grabClient(*f);
        QVERIFY(inkIn(image, QRect(0, 30, 100, 20), 0xFFFFFFu) > 0);
        QCOMPARE(inkIn(image, QRect(0, 50, 100, 50), 0x00C000u), 0);
    }

    // Visible changes what the window shows at once, both ways, for windowed
    // and windowless controls alike, with nothing else repainting it.
    void hiddenControlsAreNeitherDrawnNorClickable()
    {
        // The button's face shows the background while hidden, and a click there reaches it only when shown.
        int clicks = 0;
        f->hidden = [&](Probe&) { ++clicks; };
        const QPoint face = f->Hidden().widget()->geometry().topLeft() + QPoint(5, 5);
        for (const auto [visible, clicksThen] : { std::pair { false, 0 }, { true, 1 }, { false, 1 } }) {
            f->Hidden().setVisible(visible);
            QCOMPARE(shownAt(*f, face) != 0x00C000u, visible);
            clickAt(*f, centre(f->Hidden()));
            QCOMPARE(clicks, clicksThen);
        }

        // The image's red lens and the label's box: the background while hidden.
        const QPoint lens(10 + 28, 150 + 30), labelBox(95, 45);
        for (const bool visible : { false, true }) {
            f->Image1().setVisible(visible);
            f->Label1().setVisible(visible);
            QCOMPARE(shownAt(*f, lens), visible ? 0xFF0000u : 0x00C000u);
            QCOMPARE(shownAt(*f, labelBox), visible ? 0xFFFFFFu : 0x00C000u);
        }
        QCOMPARE(grabClient(*f), rendered(*f));
    }

    void printAndCls()
    {
        const QImage fresh = grabClient(*f);
        const int lineHeight = QFontMetrics(forms::resolveFont(std::nullopt)).height();
        const QStringList three { "one", " two", "three" };
        for (const QString& line : three)
            f->Print(line);
        const auto& lines = f->printedLines();
        QCOMPARE(lines.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[size_t(i)].x, 0);
            QCOMPARE(lines[size_t(i)].y, i * lineHeight);
        }
        QCOMPARE(lines[1].text, QStringLiteral(" two"));
        // Each line reaches the window as it is printed, whole, with nothing
        // else repainting it; short lines leave the rest of the background alone.
        const QImage printed = grabClient(*f);
        QCOMPARE(printed, forms::testing::withPrintedLines(*f, fresh, three));
        QCOMPARE(inkIn(printed, QRect(100, 0, 100, 3 * lineHeight), 0x00C000u), 0);
        // Printed lines are repainted whenever the window is.
        f->surface().repaint();
        QCOMPARE(grabClient(*f), printed);
        // Cls erases every line from the window; printing starts at the top again.
        f->Cls();
        QVERIFY(f->printedLines().empty());
        QCOMPARE(grabClient(*f), fresh);
        f->Print(QStringLiteral("again"));
        QCOMPARE(f->printedLines().front().y, 0);
        QCOMPARE(grabClient(*f), forms::testing::withPrintedLines(*f, fresh, { "again" }));
    }

    void focusFollowsTabIndex()
    {
        // Hidden (0) is invisible and Label1 (1) never takes focus: Text1 (2) comes first.
        QCOMPARE(QApplication::focusWidget(), f->Text1().widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Command1().widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Picture1().widget());
        int clicks = 0;
        f->command = [&](Probe&) { ++clicks; };
        f->Command1().widget()->setFocus();
        QTest::keyClick(f->Command1().widget(), Qt::Key_Space);
        QTest::keyClick(f->Command1().widget(), Qt::Key_Return);
        QCOMPARE(clicks, 2);
    }

    // A handler that hides the control with the focus sends the focus where
    // Tab would take it once the handler is done, with no stop on the way;
    // with no control left to take it, no hidden control keeps it.
    void focusLeavesAHiddenControl_data()
    {
        QTest::addColumn<QStringList>("hide");  // what the handler hides, in order,
        QTest::addColumn<QStringList>("show");  // then what it shows
        QTest::addColumn<QString>("focus");     // the control that has it after, or "" for none
        const QStringList none;
        QTest::newRow("to the next") << QStringList { "Command1" } << none << "Picture1";
        QTest::newRow("to one the handler shows after")
            << QStringList { "Command1", "Picture1" } << QStringList { "Hidden" } << "Hidden";
        QTest::newRow("round to the first") << QStringList { "Command1", "Picture1" } << none << "Text1";
        QTest::newRow("none left") << QStringList { "Command1", "Picture1", "Text1" } << none << "";
        QTest::newRow("hidden and shown again") << QStringList { "Command1" } << QStringList { "Command1" } << "Command1";
    }
    void focusLeavesAHiddenControl()
    {
        QFETCH(QStringList, hide);
        QFETCH(QStringList, show);
        QFETCH(QString, focus);
        f->Command1().widget()->setFocus();
        f->command = [&](Probe& p) {
            for (const QString& name : hide)
                p.find(name.toStdString())->setVisible(false);
            for (const QString& name : show)
                p.find(name.toStdString())->setVisible(true);
        };
        QStringList stops;
        const auto name = [this](QWidget* widget) {
            for (const auto& control : f->controls())
                if (widget && control->widget() == widget)
                    return QString::fromUtf8(control->row().name);
            return QString();
        };
        QObject watching;
        QObject::connect(qApp, &QApplication::focusChanged, &watching, [&](QWidget*, QWidget* now) { stops << name(now); });
        QTest::keyClick(f->Command1().widget(), Qt::Key_Space);
        QCOMPARE(name(QApplication::focusWidget()), focus);
        // Cleared as it was hidden, then straight to where it goes.
        const QStringList expected = focus.isEmpty() ? QStringList { "" } : QStringList { "", focus };
        QCOMPARE(stops, expected);
        QVERIFY(!f->exitStatus());
    }

    void fontsResolve_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("standard") << QString();
        for (const char* face : { "Liberation Sans Narrow", "Liberation Sans", "P052", "Comic Neue" })
            QTest::newRow(face) << QString::fromUtf8(face);
    }
    void fontsResolve()
    {
        QFETCH(QString, face);
        const QByteArray utf8 = face.toUtf8();
        std::optional<forms::Font> font;
        if (!face.isEmpty())
            font = forms::Font { .face = std::string_view(utf8.constData(), size_t(utf8.size())), .size = 78000 };
        const QFont resolved = forms::resolveFont(font);
        // (A family installed twice is told apart by its foundry: "P052 [UKWN]".)
        QCOMPARE(QFontInfo(resolved).family().section(QStringLiteral(" ["), 0, 0),
                 face.isEmpty() ? QStringLiteral("DejaVu Sans") : face);
        QCOMPARE(resolved.pixelSize(), 13);  // 7.8 pt and 8 pt at 120 dpi
        // Greek letters have glyphs in every face.
        QVERIFY(QFontMetrics(resolved).inFontUcs4(U'Ω'));
    }

    void colours()
    {
        // RGB colour numbers, then each desktop colour number from the runtime's
        // own light palette (the standard look: Fusion's button face 0x8000000F
        // and text 0x80000012), also when the application's palette is another
        // (a dark desktop scheme).
        const std::pair<forms::Colour, unsigned> colours[] = {
            { 0x0000C000, 0x00C000 }, { 0x000000FF, 0xFF0000 }, { 0x00123456, 0x563412 },
            { 0x80000004, 0xEFEFEF }, { 0x80000005, 0xFFFFFF }, { 0x80000008, 0x000000 },
            { 0x80000009, 0xFFFFFF }, { 0x8000000F, 0xEFEFEF }, { 0x80000012, 0x000000 },
        };
        const QPalette standard = QApplication::palette();
        QPalette dark = standard;
        for (auto role : { QPalette::Window, QPalette::Base, QPalette::Text, QPalette::HighlightedText,
                           QPalette::Button, QPalette::ButtonText })
            dark.setColor(role, QColor(QRgb(0x202020 + int(role))));
        for (const QPalette& palette : { standard, dark }) {
            QApplication::setPalette(palette);
            for (auto [number, rgb] : colours)
                QCOMPARE(forms::resolveColour(number), QColor(QRgb(rgb)));
        }
        QApplication::setPalette(standard);

        // A new BackColor shows at once, with nothing else repainting the window.
        f->setBackColor(0x000000FF);
        const QImage image = grabClient(*f);
        QCOMPARE(rgbAt(image, 150, 280), 0xFF0000u);
        QCOMPARE(rgbAt(image, 399, 0), 0xFF0000u);
        QCOMPARE(image, rendered(*f));
    }

    void timersFollowTheClock()
    {
        int ticks = 0;
        f->timer = [&](Probe&) { ++ticks; };
        opened->clock().advance(5000ms);
        QCOMPARE(ticks, 0);  // disabled at start
        f->Timer1().setEnabled(true);
        opened->clock().advance(600ms);
        f->Timer1().setEnabled(true);  // enabling again keeps the running interval
        opened->clock().advance(400ms);
        QCOMPARE(ticks, 1);
        opened->clock().advance(2000ms);
        QCOMPARE(ticks, 3);
        f->Timer1().setEnabled(false);
        opened->clock().advance(5000ms);
        QCOMPARE(ticks, 3);
    }

    void clockServices()
    {
        opened->clock().set(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 830)));
        QCOMPARE(f->Timer(), 86399.83);
        QCOMPARE(f->Date().day, QDate(2026, 12, 8));
        QCOMPARE(f->Date().timeOfDay, QTime(0, 0));
        QCOMPARE(f->Time().day, forms::DateValue::dayZero());
        opened->clock().advance(170ms);
        QCOMPARE(f->Timer(), 0.0);  // restarts at midnight
        QCOMPARE(f->Date().day, QDate(2026, 12, 9));
    }

    void doEventsRunsPendingHandlers()
    {
        QStringList seen;
        f->hidden = [&](Probe&) { seen << "nested"; };
        f->command = [&](Probe& p) {
            seen << "outer";
            p.Hidden().setVisible(true);
            QMetaObject::invokeMethod(p.Hidden().widget(), "click", Qt::QueuedConnection);
            const double start = p.Timer();
            while (p.Timer() - start < 0.17)
                p.DoEvents();
            seen << "outer again";
        };
        f->command(*f);
        QCOMPARE(seen, QStringList({ "outer", "nested", "outer again" }));
        QVERIFY(!f->exitStatus());
    }

    void errorEndsTheProgram_data()
    {
        QTest::addColumn<int>("raised");
        QTest::newRow("conversion") << 13;
        QTest::newRow("overflow") << 6;
        QTest::newRow("division") << 11;
        QTest::newRow("invalid operation") << 5;
        QTest::newRow("property value") << 380;
    }
    void errorEndsTheProgram()
    {
        QFETCH(int, raised);
        int after = 0;
        f->command = [&](Probe&) {
            throw RuntimeError(RuntimeError::Number(raised));
            ++after;
        };
        f->timer = [&](Probe&) { ++after; };
        f->Timer1().setEnabled(true);
        clickAt(*f, centre(f->Command1()));
        QCOMPARE(opened->errors(), Errors { RuntimeError::Number(raised) });
        QCOMPARE(f->exitStatus(), std::optional<int>(1));
        // No handler runs once the program has ended.
        opened->clock().advance(3000ms);
        clickAt(*f, centre(f->Command1()));
        QCOMPARE(after, 0);
        QCOMPARE(opened->takeErrors().size(), size_t(1));
    }

    void errorInsideNestedDoEvents()
    {
        QStringList seen;
        f->hidden = [&](Probe&) {
            seen << "nested";
            forms::toDouble(QStringLiteral("abc"));
            seen << "nested after the error";
        };
        f->timer = [&](Probe&) { seen << "timer"; };
        f->command = [&](Probe& p) {
            p.Hidden().setVisible(true);
            p.Timer1().setEnabled(true);
            opened->clock().after(100ms, [&] { clickAt(p, centre(p.Hidden())); });
            for (int step = 0; step < 500; ++step) {
                seen << "wait";
                p.DoEvents();
            }
            seen << "outer after the error";
        };
        clickAt(*f, centre(f->Command1()));
        QCOMPARE(opened->takeErrors(), Errors { RuntimeError::TypeMismatch });
        QCOMPARE(f->exitStatus(), std::optional<int>(1));
        // Nothing ran after the error: not the rest of the nested handler, not
        // the outer one, not the timer, which was due only after the error; the
        // outer handler stopped in the DoEvents that saw the end.
        QStringList ran = seen;
        ran.removeAll(QStringLiteral("wait"));
        QCOMPARE(ran, QStringList { "nested" });
        QCOMPARE(seen.last(), QStringLiteral("nested"));
    }

    void errorInLoadEndsBeforeShowing()
    {
        open(probeDescription(), Stage::Built);
        f->loading = [](Probe&) { forms::toInt16(40000.0); };
        f->load();
        f->show();
        QCOMPARE(f->exitStatus(), std::optional<int>(1));
        QVERIFY(!f->window()->isVisible());
        QCOMPARE(opened->takeErrors(), Errors { RuntimeError::Overflow });
    }

    void closingEndsWithStatusZero_data()
    {
        QTest::addColumn<bool>("altF4");
        QTest::newRow("title bar") << false;
        QTest::newRow("Alt+F4") << true;
    }
    void closingEndsWithStatusZero()
    {
        QFETCH(bool, altF4);
        if (altF4)
            QTest::keyClick(f->window()->windowHandle(), Qt::Key_F4, Qt::AltModifier);
        else
            f->window()->close();
        QCOMPARE(f->exitStatus(), std::optional<int>(0));
        QVERIFY(!f->window()->isVisible());
    }

    void closingDuringDoEventsStopsTheWaitingHandler()
    {
        int steps = 0;
        f->command = [&](Probe& p) {
            opened->clock().after(50ms, [&] { p.window()->close(); });
            for (;;) {
                p.DoEvents();
                ++steps;
            }
        };
        clickAt(*f, centre(f->Command1()));
        QCOMPARE(f->exitStatus(), std::optional<int>(0));
        QVERIFY(steps >= 4 && steps <= 6);  // about 10 ms a wait; the one that saw the close raised
    }

    void hidingTheWindowEndsTheProgramAfterTheHandler()
    {
        bool ranToTheEnd = false;
        f->command = [&](Probe& p) {
            p.setVisible(false);
            QVERIFY(!p.exitStatus());  // the handler itself still runs to completion
            ranToTheEnd = true;
        };
        clickAt(*f, centre(f->Command1()));
        QVERIFY(ranToTheEnd);
        QCOMPARE(f->exitStatus(), std::optional<int>(0));
        QVERIFY(!f->window()->isVisible());
    }

    void nestingIsBounded()
    {
        int depth = 0, deepest = 0;
        std::function<void()> dive = [&] {
            deepest = std::max(deepest, ++depth);
            f->dispatch(dive);
            --depth;
        };
        f->dispatch(dive);
        QCOMPARE(deepest, forms::Form::maxNesting());
        // The bound for the usual stack limits, written out; smaller limits
        // are tried on the real program in the race's tests.
        rlimit stack {};
        getrlimit(RLIMIT_STACK, &stack);
        if (stack.rlim_cur == RLIM_INFINITY)
            QCOMPARE(deepest, 1000);
        else if (stack.rlim_cur == 8 * 1024 * 1024)
            QCOMPARE(deepest, 480);
        QCOMPARE(f->nesting(), 0);
        QVERIFY(!f->exitStatus());
    }

    // A move shows at once: the picture at its new place, none left at the old.
    void imageLeft()
    {
        f->Image1().setLeft(4200.0f);
        QCOMPARE(f->Image1().left(), 4200.0f);
        QCOMPARE(f->Image1().rect().topLeft(), QPoint(350, 150));
        const QImage moved = grabClient(*f);
        QCOMPARE(rgbAt(moved, 350 + 28, 150 + 30), 0xFF0000u);
        QCOMPARE(rgbAt(moved, 10 + 28, 150 + 30), 0x00C000u);
        QCOMPARE(moved, rendered(*f));
        f->Image1().setLeft(1560.0f);  // half under the picture box, which stays above it
        QCOMPARE(grabClient(*f), rendered(*f));
        bool raised = false;
        try {
            f->Image1().setLeft(std::numeric_limits<float>::infinity());
        } catch (const RuntimeError& error) {
            raised = error.number() == RuntimeError::InvalidPropertyValue;
        }
        QVERIFY(raised);
    }
};

QTEST_MAIN(Runtime)
#include "test_runtime.moc"
