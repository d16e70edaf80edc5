// maxofthree driven through its real window: the button, the menu, the keyboard
// and the layout under the menu bar.
#include "maxofthree.h"

#include <family_test.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;
using namespace forms::testing;

namespace {

const QString dateTimeCaption = QStringLiteral("Ημερομηνία/Ώρα Ctrl+D");
const QString exitCaption = QStringLiteral("Έξοδος") + QString(16, u' ') + QStringLiteral("Ctrl+E");

QMenuBar* menuBar(const forms::Form& form) { return form.window()->findChild<QMenuBar*>(); }

// Opens the menu by a click on the bar's entry, then clicks the item with this caption.
bool choose(const forms::Form& form, const QString& caption)
{
    QMenuBar* bar = menuBar(form);
    QAction* entry = bar->actions().value(0);
    if (!entry || !entry->menu())
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(entry).center());
    QMenu* menu = entry->menu();
    if (!menu->isVisible())
        return false;
    for (QAction* item : menu->actions())
        if (item->text() == caption) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            return true;
        }
    return false;
}

// Replaces a box's text by typing, as the user does.
void type(forms::TextBox& box, const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(box.widget());
    edit->clear();
    QTest::keyClicks(edit, text);
}

QStringList texts(maxofthree::Form1& form)
{
    return { form.Text1().text(), form.Text2().text(), form.Text3().text(), form.Text4().text() };
}

// What a screen reader is given of the window at start.
const std::map<QString, AccessibleTree> programs {
    { "maxofthree", { "Window Form1", {
        "StaticText Αριθμος Α", "StaticText Αριθμος Β", "StaticText Αριθμος Γ",
        "EditableText Αριθμος Α", "EditableText Αριθμος Β", "EditableText Αριθμος Γ",
        "StaticText Τυπώνει τον μεγαλύτερο απο τους τρεις αριθμους", "Button ΥΠΟΛΟΓΙΣΕ",
        "StaticText Ο ΜΕΓΑΛΥΤΕΡΟΣ ΕΙΝΑΙ", "EditableText Ο ΜΕΓΑΛΥΤΕΡΟΣ ΕΙΝΑΙ" } } },
};

}  // namespace

class MaxOfThree : public FamilyTest {
    Q_OBJECT

public:
    MaxOfThree() : FamilyTest("maxofthree", programs) {}

private slots:

    // Whatever the boxes hold, the button writes the same four constants.
    void buttonWritesFixedValues_data()
    {
        QTest::addColumn<bool>("clickFirst");
        QTest::addColumn<QStringList>("typed");  // Text1..Text4
        QTest::newRow("empty boxes") << false << QStringList { "", "", "", "" };
        QTest::newRow("numbers") << false << QStringList { "7", "9", "8", "" };
        QTest::newRow("letters") << false << QStringList { "abc", "x", "zz", "?" };
        QTest::newRow("very large") << false << QStringList { "99999999999", "-1e999", "1,5", "40000" };
        QTest::newRow("edits after a click") << true << QStringList { "", "5", "", "99" };
    }
    void buttonWritesFixedValues()
    {
        QFETCH(bool, clickFirst);
        QFETCH(QStringList, typed);
        const auto form = open<maxofthree::Form1>("maxofthree");
        if (clickFirst)
            QTest::mouseClick(form->Command1().widget(), Qt::LeftButton);
        forms::TextBox* boxes[] = { &form->Text1(), &form->Text2(), &form->Text3(), &form->Text4() };
        for (int i = 0; i < 4; ++i)
            if (!typed[i].isEmpty())
                type(*boxes[i], typed[i]);
        for (int i = 0; i < 4; ++i)
            if (!typed[i].isEmpty())
                QCOMPARE(boxes[i]->text(), typed[i]);

        QTest::mouseClick(form->Command1().widget(), Qt::LeftButton);
        QCOMPARE(texts(*form), (QStringList { "1", "2", "3", "3" }));
        QTest::mouseClick(form->Command1().widget(), Qt::LeftButton);
        QCOMPARE(texts(*form), (QStringList { "1", "2", "3", "3" }));
        QVERIFY(!form->exitStatus());
    }

    // The date/time item does nothing, and the "Ctrl+" texts in the captions bind
    // no key, wherever the focus is.
    void nothingHappens_data()
    {
        QTest::addColumn<QString>("focus");  // the control a Ctrl key goes to; none: the date/time item is chosen
        QTest::addColumn<int>("key");
        QTest::newRow("the date/time item") << QString() << 0;
        for (const char* focus : { "Text1", "Command1", "Text4" })
            for (int key : { int(Qt::Key_D), int(Qt::Key_E) })
                QTest::addRow("focus on %s, Ctrl+%c", focus, char(key)) << QString(focus) << key;
    }
    void nothingHappens()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        const auto form = open<maxofthree::Form1>("maxofthree", { .stage = Stage::Active });
        type(form->Text1(), "7");
        type(form->Text4(), "8");
        if (focus.isEmpty()) {
            QVERIFY(choose(*form, dateTimeCaption));
            QTRY_VERIFY(!menuBar(*form)->actions().front()->menu()->isVisible());
        } else {
            QWidget* target = form->find(focus.toStdString())->widget();
            target->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), target);
            QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
            QApplication::processEvents();
            QVERIFY(!menuBar(*form)->actions().front()->menu()->isVisible());
        }
        QCOMPARE(texts(*form), (QStringList { "7", "", "", "8" }));
        QVERIFY(form->window()->isVisible());
        QVERIFY(!form->exitStatus());
    }

    // Choosing "Έξοδος" hides the window and the running program ends with status 0.
    void exitItemEndsProgram()
    {
        const auto form = open<maxofthree::Form1>("maxofthree");
        type(form->Text2(), "5");
        bool chosen = false;
        QTimer::singleShot(0, form->window(), [&] { chosen = choose(*form, exitCaption); });
        // A safety net only: the program ends long before it fires.
        QTimer::singleShot(30s, form->window(), [] { QCoreApplication::exit(99); });
        const int status = QApplication::exec();
        QVERIFY(chosen);
        QCOMPARE(status, 0);
        QCOMPARE(form->exitStatus(), std::optional<int>(0));
        QVERIFY(!form->window()->isVisible());
        QVERIFY(!form->visible());
    }

    void focusOrder()
    {
        const auto form = open<maxofthree::Form1>("maxofthree", { .stage = Stage::Active });
        QTRY_COMPARE(QApplication::focusWidget(), form->Text1().widget());
        for (QWidget* next : { form->Text2().widget(), form->Text3().widget(), form->Command1().widget(),
                               form->Text4().widget(), form->Text1().widget() }) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // The menu bar sits inside the window above a client area of 597 × 437 pixels;
    // its one entry holds two items whose captions bind no key.
    void menuBarAboveSurface()
    {
        const auto form = open<maxofthree::Form1>("maxofthree");
        QMenuBar* bar = menuBar(*form);
        QVERIFY(bar);
        QVERIFY(!bar->isNativeMenuBar());
        QCOMPARE(bar->actions().size(), 1);
        QAction* entry = bar->actions().front();
        QCOMPARE(entry->text(), QStringLiteral("Μενου Εφαρμογης"));
        QStringList items;
        for (QAction* item : entry->menu()->actions()) {
            items << item->text();
            QVERIFY(item->shortcut().isEmpty());
            QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
        }
        QCOMPARE(items, (QStringList { dateTimeCaption, exitCaption }));

        const int barHeight = bar->height();
        QVERIFY(barHeight > 0);
        const QImage window = grabWindow(*form);
        QCOMPARE(window.size(), QSize(597, barHeight + 437));
        QCOMPARE(form->surface().geometry(), QRect(0, barHeight, 597, 437));
        QCOMPARE(bar->geometry(), QRect(0, 0, 597, barHeight));

        // The entry's caption is drawn in the bar: dark pixels inside its box.
        QVERIFY(inkIn(window, bar->actionGeometry(entry), Paper::lighterThan(100)) > 20);

        // Client pixels land barHeight lower in the window: the inside of Text1
        // (30, 80 to 170, 130) is white, the window surface above it is not.
        const unsigned surface = rgbAt(window, 596, barHeight + 436);
        QCOMPARE(rgbAt(window, 100, barHeight + 105), 0xFFFFFFu);
        QCOMPARE(rgbAt(window, 100, barHeight + 75), surface);
        QVERIFY(surface != 0xFFFFFFu);
        // Text4 (250, 360 to 400, 390) covers the end of Label5 (80, 370 to 340, 411).
        QCOMPARE(rgbAt(window, 300, barHeight + 375), 0xFFFFFFu);
    }
};

QTEST_MAIN(MaxOfThree)
#include "test_maxofthree.moc"
