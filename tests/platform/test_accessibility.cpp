// What screen readers and the keyboard get from the runtime, in-process through
// QAccessible: every program's accessible tree linked up (one row each; what
// each tree holds, its family's tests check), labels naming
// controls, printed lines announced and removed, an option button's actions,
// Tab through option buttons, a text box's keys and a focused picture box.
#include "table.h"

#include <forms/text.h>

#include "family_test.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace std::chrono_literals;
using forms::Kind;
using namespace forms::testing;

using Action = std::function<void(forms::Form&)>;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(forms::Trigger)
using forms::Trigger;

namespace {

template <class E>
QString key(E value) { return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(value)); }

// Each child names `parent` as its parent and is found at its own index, all the way down.
void verifyFamily(QAccessibleInterface* parent)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QCOMPARE(parent->child(i)->parent(), parent);
        QCOMPARE(parent->indexOfChild(parent->child(i)), i);
        verifyFamily(parent->child(i));
    }
}

// What screen readers hear of labels, pictures and printed lines: "<event> <text>";
// of notifications: "<event> notification <text>", with ", invisible" when it
// was not to be seen as the event came; and of text boxes: "<event> <name>".
// Of the focus: "Focus <name>"; and every notification shown, in `told`.
QStringList heard, edited, told;
void hear(QAccessibleEvent* event)
{
    QAccessibleInterface* item = event->accessibleInterface();
    if (item && event->type() == QAccessible::Focus)
        heard << "Focus " + item->text(QAccessible::Name);
    if (item && item->role() == QAccessible::Notification && event->type() == QAccessible::ObjectShow)
        told << item->text(QAccessible::Name);
    if (item && item->role() == QAccessible::EditableText)
        edited << key(event->type()) + u' ' + item->text(QAccessible::Name);
    if (item && item->role() == QAccessible::Notification)
        heard << key(event->type()) + " notification " + item->text(QAccessible::Name)
                + (item->state().invisible ? ", invisible" : "");
    if (!item || (item->role() != QAccessible::StaticText && item->role() != QAccessible::Graphic)
        || event->type() == QAccessible::NameChanged)
        return;
    heard << key(event->type()) + u' '
            + (event->type() == QAccessible::TextInserted ? static_cast<QAccessibleTextInsertEvent*>(event)->textInserted()
                                                          : item->text(QAccessible::Name));
}

// A text box with a label on its left, a hidden label below, a button,
// Command1, and two pictures, Car and Van, on a window 400 pixels wide, both
// at its left edge; the pictures described in Greek when `greek`.
forms::Description probe(bool greek = false)
{
    return {
        .window = { .name = "Form1", .caption = "Probe", .clientWidth = 4800, .clientHeight = 3600 },
        .controls = {
            { .kind = Kind::Label, .name = "Label1", .index = 1, .caption = "Name", .width = 1200, .height = 360 },
            { .kind = Kind::TextBox, .name = "Text1", .index = 2, .caption = "hello world",
              .left = 1440, .width = 2400, .height = 360, .tabIndex = 0 },
            { .kind = Kind::Label, .name = "Label2", .index = 3, .caption = "Later",
              .top = 1200, .width = 1200, .height = 360, .visible = false },
            { .kind = Kind::CommandButton, .name = "Command1", .index = 4, .caption = "Go",
              .top = 2400, .width = 1200, .height = 480, .tabIndex = 1 },
            { .kind = Kind::Image, .name = "Car", .index = 5, .top = 1800, .picture = ":/pictures/chase_car.bmp",
              .description = greek ? "Κίτρινη φόρμουλα" : "Car" },
            { .kind = Kind::Image, .name = "Van", .index = 6, .top = 1800, .picture = ":/pictures/chase_car.bmp",
              .description = greek ? "Πράσινο καρτούν" : "Van" },
        },
    };
}

void moveTo(forms::Form& f, const char* name, float twips) { static_cast<forms::Image*>(f.find(name))->setLeft(twips); }
void setText(forms::Form& f, const char* name, const QString& text) { static_cast<forms::TextBox*>(f.find(name))->setText(text); }

// The whole text an accessible object reads.
QString textOf(QAccessibleInterface* item)
{
    return item->textInterface()->text(0, item->textInterface()->characterCount());
}

// A window with one control of `kind`, Control1, at 1200, 600, 1200 × 300
// twips, and the labels L1, L2, L3 at `labels`.
forms::Description labelled(Kind kind, const QList<QRect>& labels)
{
    static const char* const captions[] = { "L1", "L2", "L3" };
    forms::Description d { .window = { .name = "Form1", .caption = "Form1" }, .controls = {} };
    d.controls.push_back({ .kind = kind, .name = "Control1", .index = 1,
                           .left = 1200, .top = 600, .width = 1200, .height = 300, .tabIndex = 0 });
    for (int i = 0; i < labels.size(); ++i)
        d.controls.push_back({ .kind = Kind::Label, .name = captions[i], .index = i + 2, .caption = captions[i],
                               .left = labels[i].x(), .top = labels[i].y(), .width = labels[i].width(),
                               .height = labels[i].height() });
    return d;
}

}  // namespace

class Accessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<Opened<>> opened;
    forms::Form* form = nullptr;

    // Builds and shows a window, active so that keys reach the focus, with nothing heard of it yet.
    // `what` names it in a failure.
    forms::Form& open(const Opened<>::Make& make, const QString& what)
    {
        opened.reset();
        opened = std::make_unique<Opened<>>(make, Opening { .stage = Stage::Active }, what, SourcePlace::current());
        form = &opened->form();
        heard.clear();
        edited.clear();
        told.clear();
        return *form;
    }
    // A program of the registry by its id, or a window of `description`.
    forms::Form& open(const QString& id)
    {
        return open([id](forms::Services s) { return makeProgram(id.toStdString(), s); }, id);
    }
    forms::Form& open(const forms::Description& description = probe())
    {
        return open([description](forms::Services s) { return std::make_unique<forms::Form>(description, s); },
                    forms::qstring(description.window.name));
    }
    QAccessibleInterface* accessible(std::string_view name) const
    {
        return QAccessible::queryAccessibleInterface(name.empty() ? &form->surface() : form->find(name)->widget());
    }
    QString focused() const
    {
        for (const auto& control : form->controls())
            if (control->widget() && control->widget() == QApplication::focusWidget())
                return QString::fromUtf8(control->row().name);
        return {};
    }
    // Clicks a button through the window system and runs what the click posted.
    void press(const char* button)
    {
        click(*form, *form->find(button));
        QCoreApplication::sendPostedEvents();
    }

private slots:
    // No screen reader turns accessibility on here, and Qt sends no events while it is off.
    void initTestCase()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(hear);
    }
    void cleanup() { opened.reset(); }

    // Every program's tree hangs together: its client area under its window,
    // each child under the client area at its own index. (What each program's
    // tree holds, its family's tests check.)
    void everyProgramsTreeIsLinked_data()
    {
        QTest::addColumn<QString>("id");
        for (const auto& program : forms::programs::all())
            QTest::newRow(program.id.data()) << forms::qstring(program.id);
    }
    void everyProgramsTreeIsLinked()
    {
        QFETCH(QString, id);
        open(id);
        QAccessibleInterface* client = accessible({});
        QCOMPARE(client->parent(), QAccessible::queryAccessibleInterface(form->window()));
        QVERIFY(client->childCount() > 0);
        verifyFamily(client);
    }

    // The label that names a text box or an option button (see labelled()),
    // and the label that names the group of an option button: the one directly
    // above the button and its label together, the nearest of such.
    void labelsNameControls_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<QList<QRect>>("labels");  // L1, L2, ...
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("group");  // of an option button
        const QRect above(1200, 0, 1200, 300), right(2600, 600, 600, 300);
        QTest::newRow("on the left") << false << QList<QRect> { { 0, 700, 1000, 300 } } << "L1" << "";
        QTest::newRow("level beats above") << false << QList<QRect> { above, { 3000, 850, 800, 300 } } << "L2" << "";
        QTest::newRow("nearer of two level") << false << QList<QRect> { { 0, 600, 600, 300 }, { 2500, 800, 600, 300 } } << "L2" << "";
        QTest::newRow("overlapping on the left") << false << QList<QRect> { { 0, 600, 300, 300 }, { 800, 700, 1000, 300 } } << "L2" << "";
        QTest::newRow("nearer of two above") << false << QList<QRect> { above, { 2000, 350, 600, 200 } } << "L2" << "";
        QTest::newRow("above shares no column") << false << QList<QRect> { { 0, 0, 1200, 300 } } << "Control1" << "";
        QTest::newRow("below does not name") << false << QList<QRect> { { 1200, 900, 1200, 300 } } << "Control1" << "";
        QTest::newRow("option by its label") << true << QList<QRect> { { 2500, 600, 600, 300 } } << "L1" << "";
        QTest::newRow("group above the option's label only")
            << true << QList<QRect> { right, { 2600, 0, 600, 300 } } << "L1" << "L2";
        QTest::newRow("group by the nearer of two above")
            << true << QList<QRect> { right, { 1200, 0, 900, 200 }, { 1500, 250, 900, 200 } } << "L1" << "L3";
        QTest::newRow("group beside") << true << QList<QRect> { right, { 0, 600, 1000, 300 } } << "L1" << "";
        QTest::newRow("group below") << true << QList<QRect> { right, { 1200, 1000, 1200, 300 } } << "L1" << "";
        QTest::newRow("group with no other label") << true << QList<QRect> { right } << "L1" << "";
    }
    void labelsNameControls()
    {
        QFETCH(bool, option);
        QFETCH(QList<QRect>, labels);
        QFETCH(QString, name);
        QFETCH(QString, group);
        const auto named = openDescription(labelled(option ? Kind::OptionButton : Kind::TextBox, labels),
                                           { .stage = Stage::Built });
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(named->find("Control1")->widget());
        QCOMPARE(control->text(QAccessible::Name), name);
        if (option) {
            QCOMPARE(control->parent()->role(), QAccessible::Grouping);
            QCOMPARE(control->parent()->text(QAccessible::Name), group);
        }
    }
    // Printed lines follow the controls in print order; each is announced as it
    // appears and Cls removes them. A label shown is announced too.
    void surfaceChanges_data()
    {
        QTest::addColumn<Action>("act");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("children");
        // The controls in reading order, Label2 as `later`.
        const auto controls = [](const QString& later) {
            return QStringList { "StaticText Name", "EditableText Name", later, "Graphic Car", "Graphic Van",
                                 "Button Go" };
        };
        const QString later = "StaticText Later, invisible";
        // A line is created as static text, and a notification with its text
        // is shown and hidden at once: what a screen reader speaks.
        const auto printed = [](const QString& line) {
            return QStringList { "ObjectCreated " + line, "TextInserted " + line, "ObjectShow notification " + line,
                                 "ObjectHide notification " + line + ", invisible" };
        };
        QTest::newRow("printed") << Action([](forms::Form& f) { f.Print("one"); f.Print(" two"); })
            << printed("one") + printed(" two") << controls(later) + QStringList { "StaticText one", "StaticText  two" };
        QTest::newRow("cleared") << Action([](forms::Form& f) { f.Print("one"); f.Print("two"); f.Cls(); f.Print("three"); })
            << printed("one") + printed("two") + QStringList { "ObjectDestroyed two", "ObjectDestroyed one" } + printed("three")
            << controls(later) + QStringList { "StaticText three" };
        QTest::newRow("label shown") << Action([](forms::Form& f) { f.find("Label2")->setVisible(true); })
            << QStringList { "ObjectShow Later" } << controls("StaticText Later");
    }
    void surfaceChanges()
    {
        QFETCH(Action, act);
        QFETCH(QStringList, events);
        QFETCH(QStringList, children);
        act(open());
        QCOMPARE(heard, events);
        QCOMPARE(describeChildren(accessible({})), children);
    }

    // A printed line's text, and where its characters stand on the screen.
    void printedLineIsText()
    {
        open().Print("first");
        form->Print("Ωx");
        QAccessibleInterface* client = accessible({});
        QAccessibleInterface* line = client->child(client->childCount() - 1);
        QAccessibleTextInterface* text = line->textInterface();
        QCOMPARE(textOf(line), QStringLiteral("Ωx"));
        const QFontMetrics metrics(form->surface().font());
        const QPoint origin = form->surface().mapToGlobal(QPoint(0, metrics.height()));
        QCOMPARE(line->rect(), QRect(origin, QSize(metrics.horizontalAdvance("Ωx"), metrics.height())));
        const QRect x = text->characterRect(1);
        QCOMPARE(x.left(), origin.x() + metrics.horizontalAdvance("Ω"));
        QCOMPARE(text->offsetAtPoint(x.center()), 1);
        QCOMPARE(text->offsetAtPoint(origin + QPoint(1, 1)), 0);
        QCOMPARE(client->childAt(x.center().x(), x.center().y()), line);
        // One run, marked Greek for a line with Greek letters only.
        int start = -1, end = -1;
        QCOMPARE(text->attributes(1, &start, &end), QStringLiteral("language:el;"));
        QCOMPARE(std::pair(start, end), std::pair(0, 2));
        QCOMPARE(client->child(client->childCount() - 2)->textInterface()->attributes(0, &start, &end), QString());
    }

    // The press and toggle actions select an option button as a click does,
    // also on the selected one.
    void optionActionsClick_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("press") << QAccessibleActionInterface::pressAction();
        QTest::newRow("toggle") << QAccessibleActionInterface::toggleAction();
    }
    void optionActionsClick()
    {
        QFETCH(QString, action);
        open("quiz");
        QAccessibleInterface* option = accessible("Option2");
        QVERIFY(option->actionInterface()->actionNames().contains(action));
        option->actionInterface()->doAction(action);
        option->actionInterface()->doAction(action);
        QCOMPARE(printedTexts(*form), QStringList({ "ΜΟΝΟ!!!", "ΜΟΝΟ!!!" }));
        QVERIFY(option->state().checked);
        QCOMPARE(focused(), QStringLiteral("Option2"));
    }

    // Tab five times, then Shift+Tab five times, visit every option button in
    // TabIndex order and back, whether one is selected or not, and select none.
    void tabVisitsEveryOption_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::newRow("none selected") << QString();
        QTest::newRow("one selected") << "Option3";
    }
    void tabVisitsEveryOption()
    {
        QFETCH(QString, selected);
        open("quiz");
        if (!selected.isEmpty())
            accessible(selected.toStdString())->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        form->find("Option1")->widget()->setFocus();
        const QStringList printed = printedTexts(*form);
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i < 5 ? Qt::Key_Tab : Qt::Key_Backtab);
            visited << focused();
        }
        QCOMPARE(visited, QStringList({ "Option2", "Option3", "Option4", "Command1", "Option1",
                                        "Command1", "Option4", "Option3", "Option2", "Option1" }));
        QCOMPARE(printedTexts(*form), printed);
    }

    // "hello world" with the cursor after "hello": the Emacs-style keys change
    // nothing, the standard editing keys work. (Run on X11 too, where Qt binds
    // the Emacs-style ones.)
    void textBoxKeys_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        for (const char* key : { "Ctrl+D", "Ctrl+E", "Ctrl+K", "Ctrl+U", "Ctrl+H", "Ctrl+B", "Ctrl+F", "Ctrl+W" })
            QTest::newRow(key) << QKeySequence(key) << "hello world" << 5;
        QTest::newRow("Backspace") << QKeySequence("Backspace") << "hell world" << 4;
        QTest::newRow("Delete") << QKeySequence("Del") << "helloworld" << 5;
        QTest::newRow("Home") << QKeySequence("Home") << "hello world" << 0;
        QTest::newRow("End") << QKeySequence("End") << "hello world" << 11;
        QTest::newRow("undo") << QKeySequence("Backspace, Ctrl+Z") << "hello world" << 5;
        QTest::newRow("redo") << QKeySequence("Backspace, Ctrl+Z, Ctrl+Shift+Z") << "hell world" << 4;
        QTest::newRow("select all, cut") << QKeySequence("Ctrl+A, Ctrl+X") << "" << 0;
        QTest::newRow("word") << QKeySequence("Ctrl+Backspace") << " world" << 0;
    }
    void textBoxKeys()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        auto* edit = static_cast<QLineEdit*>(open().find("Text1")->widget());
        edit->setCursorPosition(5);
        QTest::keySequence(edit, keys);
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->cursorPosition(), cursor);
    }

    // A picture box with the keyboard focus draws the style's focus rectangle
    // inside its frame, and only then.
    void pictureBoxShowsFocus()
    {
        QWidget* box = open("trafficlight").find("lamp1")->widget();
        const QImage plain = box->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("lamp1"));
        const QImage withFocus = box->grab().toImage();
        const QRect inner = box->rect().adjusted(2, 2, -2, -2);
        QVERIFY(withFocus.copy(inner) != plain.copy(inner));
        QImage frame = withFocus;
        QPainter(&frame).drawImage(inner, plain, inner);
        QCOMPARE(frame, plain);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->grab().toImage(), plain);
    }

    // A picture announces that it comes into sight or goes out of it, also
    // when a picture box over it is hidden or shown, the first time too; the
    // press that did it then says what came into sight, after the button that
    // took the focus in place of the one pressed (the click focuses the one
    // pressed first). Red, green, then red again.
    void picturesComeIntoSight()
    {
        open("trafficlight");
        const std::map<QString, QString> lit { { "red", "Φανάρι με αναμμένο το κόκκινο" },
                                               { "green", "Φανάρι με αναμμένο το πράσινο" } };
        for (const auto& [button, other] : { std::pair("red", "green"), { "green", "red" }, { "red", "green" } }) {
            heard.clear();
            press(button);
            heard.removeAll(QStringLiteral("Focus ") + button);
            QCOMPARE(heard, QStringList({ "ObjectHide " + lit.at(other), "ObjectShow " + lit.at(button),
                                          QStringLiteral("Focus ") + other, "ObjectShow notification " + lit.at(button),
                                          "ObjectHide notification " + lit.at(button) + ", invisible" }));
            if (std::string_view(button) == "red")
                QVERIFY(!accessible({})->child(1)->state().offscreen);
        }
    }

    // What a handler run by the user's action changes is said once it ends,
    // in one notification, in the order it happened, each thing once and as
    // it stands at the end; the pictures it moved last, by where they stand.
    // Greek pictures are placed in Greek; a race is one handler, however long
    // it runs, told once it has ended. What a timer, Load or a direct call
    // changes is not collected: a timer's is not said at all, a printed line of
    // the others is said as it is printed. A handler's edit of a text box is
    // told only in the notification, a timer's sends no text or caret event
    // (ΩΡΑ's time box would talk at every tick); the box reads as it is now.
    void handlersAreTold_data()
    {
        QTest::addColumn<Trigger>("trigger");  // UserAction: a click on Command1
        QTest::addColumn<bool>("greek");       // Car and Van described in Greek
        QTest::addColumn<Action>("handler");
        QTest::addColumn<QString>("said");  // empty: no notification
        QTest::addColumn<QString>("reads");  // the text box at the end
        QTest::newRow("in order") << Trigger::UserAction << false << Action([](forms::Form& f) {
            moveTo(f, "Car", 1200);
            f.Print("printed");
            setText(f, "Text1", "new");
            f.find("Label2")->setVisible(true);
        }) << "printed. Name, new. Later. Car, at 25% of the width" << "new";
        QTest::newRow("each once, as it ends") << Trigger::UserAction << false << Action([](forms::Form& f) {
            f.find("Label2")->setVisible(true);
            setText(f, "Text1", "first");
            f.find("Label2")->setVisible(false);
            f.find("Label2")->setVisible(true);
            setText(f, "Text1", "last");
            moveTo(f, "Van", 600);
            moveTo(f, "Van", 2400);
        }) << "Later. Name, last. Van, at 50% of the width" << "last";
        QTest::newRow("undone") << Trigger::UserAction << false << Action([](forms::Form& f) {
            f.find("Label2")->setVisible(true);
            f.find("Label2")->setVisible(false);
            moveTo(f, "Car", 2400);
            moveTo(f, "Car", 0);
            f.Print("gone");
            f.Cls();
        }) << "" << "hello world";
        QTest::newRow("together") << Trigger::UserAction << false << Action([](forms::Form& f) {
            moveTo(f, "Van", 3600);
            moveTo(f, "Car", 3600);
        }) << "Car and Van together, at 75% of the width" << "hello world";
        QTest::newRow("apart") << Trigger::UserAction << false << Action([](forms::Form& f) {
            moveTo(f, "Van", 3600);
            moveTo(f, "Car", 3000);
        }) << "Car, at 63% of the width. Van, at 75% of the width" << "hello world";
        QTest::newRow("unchanged text") << Trigger::UserAction << false
                                        << Action([](forms::Form& f) { setText(f, "Text1", "hello world"); }) << ""
                                        << "hello world";
        QTest::newRow("Greek race") << Trigger::UserAction << true << Action([](forms::Form& f) {
            for (int step = 1; step <= 4; ++step) {
                moveTo(f, "Car", 900.0f * step);
                moveTo(f, "Van", 960.0f * step);
                f.DoEvents();
            }
            moveTo(f, "Car", 3840);
        }) << "Κίτρινη φόρμουλα και Πράσινο καρτούν μαζί, στο 80% του πλάτους" << "hello world";
        const Action ticking = [](forms::Form& f) {
            f.find("Label2")->setVisible(true);
            setText(f, "Text1", "ticked");
            moveTo(f, "Car", 2400);
            f.Print("printed");
        };
        QTest::newRow("timer") << Trigger::Timer << false << ticking << "" << "ticked";
        QTest::newRow("load") << Trigger::Load << false << ticking << "printed" << "ticked";
        QTest::newRow("direct") << Trigger::Direct << false << ticking << "printed" << "ticked";
    }
    void handlersAreTold()
    {
        QFETCH(Trigger, trigger);
        QFETCH(bool, greek);
        QFETCH(Action, handler);
        QFETCH(QString, said);
        QFETCH(QString, reads);
        forms::Form& f = open(probe(greek));
        if (trigger == Trigger::UserAction) {
            f.find("Command1")->setEvent([&f, handler] { handler(f); });
            press("Command1");
        } else {
            f.dispatch(trigger, [&f, handler] { handler(f); });
            QCoreApplication::sendPostedEvents();
        }
        QCOMPARE(told, said.isEmpty() ? QStringList() : QStringList { said });
        QCOMPARE(edited, QStringList());
        QCOMPARE(textOf(accessible("Text1")), reads);
    }

    // ΩΡΑ's ticks say nothing, and set to the text it holds the date box stays
    // as it is, the user's selection too; the boxes read the time of now.
    void clockTicksSayNothing()
    {
        forms::Form& f = open("ora");
        opened->clock().advance(1000ms);
        auto* date = static_cast<QLineEdit*>(f.find("Text1")->widget());
        date->setSelection(0, 2);
        edited.clear();
        opened->clock().advance(3000ms);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(edited, QStringList());
        QCOMPARE(told, QStringList());
        QCOMPARE(date->selectionStart(), 0);
        QCOMPARE(date->selectedText(), date->text().left(2));
        QCOMPARE(textOf(accessible("Text2")), forms::toText(f.Time()));
    }

    // By an arrow key from a selected answer, the answer selected is focused
    // before its reply is said; the button's mocking line is said as it comes
    // into sight, and the timer that then hides the window says nothing.
    void quizIsToldInOrder()
    {
        forms::Form& f = open("quiz");
        accessible("Option1")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(told, QStringList { "ΩΡΑΙΟΣ" });
        heard.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(heard.filter(QRegularExpression("^Focus|notification")),
                 QStringList({ "Focus 10 εως 15 ποντους", "ObjectShow notification ΜΟΝΟ!!!",
                               "ObjectHide notification ΜΟΝΟ!!!, invisible" }));
        told.clear();
        press("Command1");
        QCOMPARE(told, QStringList { "xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa xa " });
        opened->clock().advance(10000ms);
        QCoreApplication::sendPostedEvents();
        QVERIFY(f.exitStatus());
        QCOMPARE(told.size(), 1);
    }

    // The four boxes maxofthree's button fills, each with its label.
    void filledBoxesAreTold()
    {
        open("maxofthree");
        press("Command1");
        QCOMPARE(told, QStringList { "Αριθμος Α, 1. Αριθμος Β, 2. Αριθμος Γ, 3. Ο ΜΕΓΑΛΥΤΕΡΟΣ ΕΙΝΑΙ, 3" });
    }

    void picturesNeedADescription()
    {
        forms::Description d = probe();
        d.controls.push_back({ .kind = Kind::Image, .name = "Image1", .index = 7, .picture = ":/pictures/chase_car.bmp" });
        d.controls.push_back({ .kind = Kind::PictureBox, .name = "Picture1", .index = 8, .tabIndex = 2,
                               .picture = ":/pictures/chase_car.bmp", .description = "car" });
        QCOMPARE(forms::problems(d), std::vector<std::string> { "Image1 has no description of its picture" });
    }
};

QTEST_MAIN(Accessibility)
#include "test_accessibility.moc"
