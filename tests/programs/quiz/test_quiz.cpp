// The three questionnaire programs, driven through real clicks and keys, checked
// through their printed lines, pixels and timer.
#include "quiz.h"

#include <forms/look.h>

#include <family_test.h>

#include <QApplication>
#include <QKeySequence>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <functional>
#include <optional>

using namespace std::chrono_literals;
using namespace forms::testing;
using quiz::Questionnaire;

namespace {

// The programs, each with what a screen reader is given of its window at start.
// The option buttons form one group, named by the question above them.
const QStringList quizOptions { "Grouping Τι μεγεθος εχει το πεος σου? {RadioButton 5 εως 10 ποντους, "
                                "RadioButton 10 εως 15 ποντους, RadioButton 15 εως 20 ποντους, "
                                "RadioButton 20 εως 25 ποντους}",
                                "StaticText 5 εως 10 ποντους", "StaticText 10 εως 15 ποντους",
                                "StaticText 15 εως 20 ποντους", "StaticText 20 εως 25 ποντους" };
const QString mocking = "StaticText " + QString("xa ").repeated(29) + ", invisible";
// quiz and quiz2 give a screen reader the same window.
const AccessibleTree quizTree { "Window Form1", QStringList { "StaticText Τι μεγεθος εχει το πεος σου?" } + quizOptions
        + QStringList { "Button ΚΑΤΩ ΑΠΟ 5 ΠΟΝΤΟΥΣ", mocking, "StaticText By Zedrik40" } };
// What tells the programs apart, by id.
struct QuizFacts {
    AccessibleTree tree;   // what a screen reader is given at start
    QString reply1;        // what Option1 prints
    // How its description differs from quiz's: captions by control name, and
    // every control's creation index in stored order (empty: as in quiz).
    std::map<QString, QString> captions;
    QList<int> indices;
};
const std::map<QString, QuizFacts> programs {
    { "quiz", { quizTree, "ΩΡΑΙΟΣ", {}, {} } },
    { "quiz2", { quizTree, "ΩΡΑΙΟΣ!!!", {}, { 13, 10, 5, 4, 3, 2, 12, 11, 9, 8, 7, 6, 1 } } },
    { "quiz3", { { "Window Form1", {
        "StaticText ΕΙΣΑΙ ΕΞΥΠΝΟΣ?",
        "Grouping ΕΙΣΑΙ ΕΞΥΠΝΟΣ? {RadioButton 70 εως 90 ποντους, RadioButton 90 εως 120 ποντους, "
        "RadioButton 120 εως 150 ποντους, RadioButton 150εως 200 ποντους}",
        "StaticText 70 εως 90 ποντους", "StaticText 90 εως 120 ποντους",
        "StaticText 120 εως 150 ποντους", "StaticText 150εως 200 ποντους",
        "Button ΚΑΤΩ ΑΠΟ 70 ΠΟΝΤΟΥΣ", mocking, "StaticText By Zedrik40" } }, "ΩΡΑΙΟΣ!!!",
        { { "Label1", "ΕΙΣΑΙ ΕΞΥΠΝΟΣ?" }, { "Label2", "70 εως 90 ποντους" }, { "Label3", "90 εως 120 ποντους" },
          { "Label4", "120 εως 150 ποντους" }, { "Label5", "150εως 200 ποντους" }, { "Command1", "ΚΑΤΩ ΑΠΟ 70 ΠΟΝΤΟΥΣ" } },
        { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 } } },
};
const QuizFacts& facts() { return programs.at(currentProgram()); }

int lineHeight(const forms::Form& form) { return QFontMetrics(form.surface().font()).height(); }

// How the surface should look: `before` with `lines` printed from the top-left
// corner down in the window's font and text colour, beneath the windowed
// controls as they are drawn in `after`.
QImage expectedSurface(const forms::Form& form, const QImage& before, const QImage& after, const QStringList& lines)
{
    QImage expected = withPrintedLines(form, before.copy(), lines);
    QPainter painter(&expected);
    for (QWidget* child : form.surface().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            painter.drawImage(child->geometry().topLeft(), after, child->geometry());
    return expected;
}

// The leftmost column in rows [top, bottom) where `image` differs from `background`, or -1.
int firstInkColumn(const QImage& image, const QImage& background, int top, int bottom)
{
    const QList<int> columns = inkedColumns(image, QRect(0, top, image.width(), bottom - top), background);
    return columns.isEmpty() ? -1 : columns.front();
}

// The number of ink runs in `area` that are separated by at least three blank columns.
int words(const QImage& image, const QImage& background, const QRect& area)
{
    const QList<int> columns = inkedColumns(image, area, background);
    int count = 0;
    for (qsizetype i = 0; i < columns.size(); ++i)
        count += i == 0 || columns[i] - columns[i - 1] - 1 >= 3;
    return count;
}

}  // namespace

class Questionnaires : public FamilyTest {
    Q_OBJECT

public:
    Questionnaires() : FamilyTest("quiz", programs) {}

private slots:
    // Every accessor must reach the control whose row carries its name.
    void accessorsReachTheirRows_data() { addProgramRows(); }
    void accessorsReachTheirRows()
    {
        const auto form = open<Questionnaire>(currentProgram(), { .stage = Stage::Built });
        using Get = std::function<const forms::Control&(Questionnaire&)>;
#define ACCESSOR(name) { #name, [](Questionnaire& f) -> const forms::Control& { return f.name(); } }
        const std::vector<std::pair<std::string_view, Get>> accessors {
            ACCESSOR(Label1), ACCESSOR(Option1), ACCESSOR(Option2), ACCESSOR(Option3), ACCESSOR(Option4),
            ACCESSOR(Label2), ACCESSOR(Label3), ACCESSOR(Label4), ACCESSOR(Label5), ACCESSOR(Command1),
            ACCESSOR(Label6), ACCESSOR(Label7), ACCESSOR(Timer1),
        };
#undef ACCESSOR
        QCOMPARE(accessors.size(), form->windowDescription().controls.size());
        for (const auto& [name, get] : accessors)
            QCOMPARE(QString::fromUtf8(get(*form).row().name), QString::fromUtf8(name));
    }

    // quiz2 keeps quiz's window; quiz3 changes six captions and the numbering, nothing else.
    void programsDifferOnlyInTheirListedValues_data() { addProgramRows([](const QString& b) { return b != "quiz"; }); }
    void programsDifferOnlyInTheirListedValues()
    {
        const QuizFacts& f = facts();
        const auto base = open<Questionnaire>("quiz", { .stage = Stage::Built });
        const auto other = open<Questionnaire>(currentProgram(), { .stage = Stage::Built });
        const forms::Description& expected = base->windowDescription();
        const forms::Description& b = other->windowDescription();
        QVERIFY(b.window == expected.window);
        QCOMPARE(qsizetype(expected.controls.size()), f.indices.size());
        QCOMPARE(b.controls.size(), expected.controls.size());
        for (size_t i = 0; i < b.controls.size(); ++i) {
            forms::ControlRow row = expected.controls[i];
            row.index = f.indices[qsizetype(i)];
            std::string caption;  // keeps a changed caption's text alive
            if (const auto changed = f.captions.find(QString::fromUtf8(row.name)); changed != f.captions.end())
                row.caption = caption = changed->second.toStdString();
            QVERIFY2(b.controls[i] == row, b.controls[i].name.data());
        }
        QCOMPARE(b.menus.size(), expected.menus.size());
        for (size_t i = 0; i < b.menus.size(); ++i)
            QVERIFY2(b.menus[i] == expected.menus[i], b.menus[i].name.data());
    }

    // The four replies, clicked out of order, print in click order down the left edge.
    void repliesPrintInClickOrder_data() { addProgramRows(); }
    void repliesPrintInClickOrder()
    {
        const QString reply1 = facts().reply1;
        const auto form = open<Questionnaire>(currentProgram());
        const QImage before = grabClient(*form);

        click(*form, form->Option3());
        QVERIFY(form->Option3().value());
        click(*form, form->Option1());
        QVERIFY(form->Option1().value() && !form->Option3().value());
        click(*form, form->Option4());
        click(*form, form->Option2());
        QVERIFY(form->Option2().value() && !form->Option4().value());

        const QStringList expected { "ΑΣΕ ΡΕ", reply1, " ΠΟΥ ΤΑ ΠΟΥΛΑΣ ΑΥΤΑ???", "ΜΟΝΟ!!!" };
        QCOMPARE(printedTexts(*form), expected);
        const QImage after = grabClient(*form);
        QCOMPARE(after, expectedSurface(*form, before, after, expected));

        // The fourth reply's ink starts one blank further right than the same text without it.
        const int h = lineHeight(*form);
        const QImage plain = withPrintedLines(*form, before, { "", "", "ΠΟΥ ΤΑ ΠΟΥΛΑΣ ΑΥΤΑ???" });
        const int blank = QFontMetrics(form->surface().font()).horizontalAdvance(' ');
        QVERIFY(blank > 0);
        const int shifted = firstInkColumn(after, before, 2 * h, 3 * h);
        const int unshifted = firstInkColumn(plain, before, 2 * h, 3 * h);
        QVERIFY(unshifted >= 0);
        QVERIFY(qAbs(shifted - unshifted - blank) <= 1);
        for (int line : { 0, 1, 3 })
            QVERIFY(firstInkColumn(after, before, line * h, (line + 1) * h) < blank);
    }

    // Every Click prints once: on the selected option again, by Space, and by an
    // arrow key that moves the selection. Focus arriving, at start, by Tab or by
    // an arrow key while nothing is selected, raises none; Tab stops at every
    // option. A step names a control to click its middle, "<control> top right" or
    // "<control> bottom right" to click that corner of it, or else a key.
    void userActionsThatRaiseClick_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QString>("focus");
        QTest::newRow("start") << QStringList {} << QStringList {} << "Option1";
        QTest::newRow("selected one clicked thrice")
            << QStringList { "Option3", "Option3", "Option3" } << QStringList { "ΑΣΕ ΡΕ", "ΑΣΕ ΡΕ", "ΑΣΕ ΡΕ" } << "Option3";
        QTest::newRow("same one again after another")
            << QStringList { "Option2", "Option3", "Option2" } << QStringList { "ΜΟΝΟ!!!", "ΑΣΕ ΡΕ", "ΜΟΝΟ!!!" } << "Option2";
        QTest::newRow("corners away from the indicator") << QStringList { "Option2 top right", "Option2 bottom right" }
                                                         << QStringList { "ΜΟΝΟ!!!", "ΜΟΝΟ!!!" } << "Option2";
        QTest::newRow("space on the focused option") << QStringList { "Space" } << QStringList { "ΩΡΑΙΟΣ" } << "Option1";
        QTest::newRow("tab to the next option") << QStringList { "Tab" } << QStringList {} << "Option2";
        QTest::newRow("backtab into the group")
            << QStringList { "Option2", "Tab", "Backtab" } << QStringList { "ΜΟΝΟ!!!" } << "Option2";
        QTest::newRow("arrow with none selected") << QStringList { "Down" } << QStringList {} << "Option2";
        QTest::newRow("arrows from the selected one") << QStringList { "Option1", "Down", "Down", "Up" }
                                                      << QStringList { "ΩΡΑΙΟΣ", "ΜΟΝΟ!!!", "ΑΣΕ ΡΕ", "ΜΟΝΟ!!!" } << "Option2";
    }
    void userActionsThatRaiseClick()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, printed);
        QFETCH(QString, focus);
        const auto form = open<Questionnaire>("quiz", { .stage = Stage::Active });
        for (const QString& step : steps) {
            const QStringList words = step.split(' ');
            const forms::Control* control = form->find(words[0].toStdString());
            if (!control)
                QTest::keyClick(QApplication::focusWidget(), QKeySequence::fromString(step)[0].key());
            else if (words.size() == 1)
                click(*form, *control);
            else
                clickAt(*form, words[1] == "top" ? control->widget()->geometry().topRight()
                                                 : control->widget()->geometry().bottomRight());
        }
        QCOMPARE(printedTexts(*form), printed);
        QCOMPARE(QApplication::focusWidget(), form->find(focus.toStdString())->widget());
    }

    // A printed line that reaches an option button lies beneath it; lines past
    // the bottom edge are not seen and nothing scrolls.
    void printedLinesLieBeneathControls()
    {
        const auto w = open<Questionnaire>("quiz");
        Questionnaire& form = *w;
        const QImage before = grabClient(form);
        const QRect option = form.Option1().widget()->geometry();
        const int h = lineHeight(form);
        const int lines = form.surface().height() / h + 5;
        for (int i = 0; i < lines; ++i)
            click(form, form.Option4());
        QCOMPARE(int(form.printedLines().size()), lines);

        const QImage after = grabClient(form);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after, expectedSurface(form, before, after, QStringList(lines, " ΠΟΥ ΤΑ ΠΟΥΛΑΣ ΑΥΤΑ???")));

        // Inside the option's rectangle only the option itself is seen, while the
        // same text rows carry ink on both sides of it.
        const QImage own = form.Option1().widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(after.copy(option), own);
        const int crossing = (option.top() / h + 1) * h;
        QVERIFY(crossing + h <= option.bottom());
        QVERIFY(inkIn(after, QRect(0, crossing, option.left(), h), before) > 0);
        QVERIFY(inkIn(after, QRect(option.right() + 1, crossing, 60, h), before) > 0);
    }

    void label7AppearsOnCommand1_data() { addProgramRows(); }
    void label7AppearsOnCommand1()
    {
        const auto form = open<Questionnaire>(currentProgram());
        const QRect box = forms::pixelRect(form->Label7().row());
        const QImage before = grabClient(*form);
        QCOMPARE(inkIn(before, box, before.pixel(box.topLeft())), 0);

        click(*form, form->Command1());
        QVERIFY(form->Label7().visible());
        const QImage after = grabClient(*form);

        // The caption wraps at a blank onto a second line inside the rectangle,
        // and all 29 words are seen; nothing is drawn outside it.
        const QList<int> inkRows = inkedRows(after, box, before);
        QVERIFY(!inkRows.empty());
        const auto gap = std::adjacent_find(inkRows.begin(), inkRows.end(), [](int a, int b) { return b != a + 1; });
        QVERIFY2(gap != inkRows.end(), "one line only: the caption did not wrap");
        const int first = words(after, before, QRect(QPoint(box.left(), inkRows.front()), QPoint(box.right(), *gap)));
        const int second = words(after, before, QRect(QPoint(box.left(), *(gap + 1)), QPoint(box.right(), inkRows.back())));
        QVERIFY(first > second && second > 0);
        QCOMPARE(first + second, 29);

        const QList<QRect> changed { box, form->Command1().widget()->geometry() };
        QCOMPARE(masked(after, changed), masked(before, changed));
    }

    // Command1 enables Timer1; 10000 ms later the window hides itself and the
    // program ends normally. Options still print until then, and a second
    // Command1 while Timer1 runs leaves the running interval as it was.
    void timerHidesWindowAndEnds_data() { addProgramRows({ "once", "again after 6000 ms" }, "command1"); }
    void timerHidesWindowAndEnds()
    {
        QFETCH(QString, command1);
        const std::chrono::milliseconds again = command1 == "once" ? 0ms : 6000ms;
        auto form = open<Questionnaire>(currentProgram());
        form.clock().advance(60s);
        QVERIFY(form->window()->isVisible());
        QVERIFY(!form->Timer1().enabled());

        click(*form, form->Command1());
        QVERIFY(form->Timer1().enabled());
        if (again > 0ms) {
            form.clock().advance(again);
            click(*form, form->Command1());
            QVERIFY(form->Label7().visible());
        }
        form.clock().advance(9999ms - again);
        click(*form, form->Option2());
        QCOMPARE(printedTexts(*form), QStringList { "ΜΟΝΟ!!!" });
        QVERIFY(form->window()->isVisible());
        QVERIFY(!form->exitStatus());

        form.clock().advance(1ms);
        QVERIFY(!form->window()->isVisible());
        QVERIFY(!form->visible());
        QCOMPARE(form->exitStatus(), std::optional<int>(0));
    }
};

QTEST_MAIN(Questionnaires)
#include "test_quiz.moc"
