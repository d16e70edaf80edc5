// Printing costs the same whatever was printed before: the surface keeps only
// the lines a window could ever show, and a repaint draws only the lines that
// cross the region being repainted. On the offscreen platform's one screen,
// 800×800 pixels, in greeter2's window.
#include <family_test.h>

#include <QImage>
#include <QPaintEngine>
#include <QTest>

namespace {

using forms::testing::grabClient;

// An image whose painter draws nothing and counts the printed lines drawn on
// it, told from the window's own label by their text.
class TextCounter final : public QImage {
public:
    explicit TextCounter(QSize size) : QImage(size, QImage::Format_RGB32) {}
    int texts() const { return engine_.texts; }
    QPaintEngine* paintEngine() const override { return &engine_; }

private:
    struct Engine final : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override
        {
            texts += item.text().startsWith(QStringLiteral("Καλημέρα"));
        }
        Type type() const override { return User; }
        int texts = 0;
    };
    mutable Engine engine_;
};

// The printed lines the surface draws when the rectangle of it is repainted.
int linesDrawn(forms::Form& form, QRect region)
{
    QWidget* surface = &form.surface();
    TextCounter counter(surface->size());
    surface->render(&counter, QPoint(), QRegion(region), QWidget::DrawWindowBackground);
    return counter.texts();
}

}  // namespace

class Printing : public QObject {
    Q_OBJECT

private slots:
    // Lines are 15 pixels apart in the window's font: the 54 lines that start
    // above the screen's 800th row are kept, the other 9,946 never show,
    // however the window is resized. The client area, 280 pixels high, shows
    // 19 of them: a whole repaint draws those, one line's band draws one.
    void keptAndDrawn()
    {
        const auto form = forms::testing::openProgram("greeter2");
        for (int line = 0; line < 10'000; ++line)
            form->Print(QStringLiteral("Καλημέρα %1").arg(line));
        QCOMPARE(int(form->printedLines().size()), 54);
        QCOMPARE(form->printedLines().back().y, 53 * 15);
        QCOMPARE(form->printedLines().back().text, QStringLiteral("Καλημέρα 53"));
        const QRect client = form->surface().rect();
        QCOMPARE(client.height(), 280);
        QCOMPARE(linesDrawn(*form, client), 19);
        QCOMPARE(linesDrawn(*form, QRect(0, 5 * 15, client.width(), 15)), 1);
        QCOMPARE(linesDrawn(*form, QRect(0, 5 * 15 + 7, client.width(), 15)), 2);

        // Made as tall as the screen, the window shows every line it kept.
        form->window()->resize(form->window()->width(), 800);
        QApplication::processEvents();
        const QImage tall = grabClient(*form);
        QCOMPARE(tall.height(), 800);
        const forms::testing::Paper paper(tall.pixel(tall.width() - 1, tall.height() - 1));
        QVERIFY(forms::testing::inkIn(tall, QRect(0, 53 * 15, 100, 5), paper) > 0);

        // Cls starts again from the top, and keeps again what shows.
        form->Cls();
        form->Print(QStringLiteral("Γεια"));
        QCOMPARE(int(form->printedLines().size()), 1);
        QCOMPARE(form->printedLines().front().y, 0);
    }
};

QTEST_MAIN(Printing)
#include "test_printing.moc"
