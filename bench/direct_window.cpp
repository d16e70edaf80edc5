// The yardstick of the start-up benchmark: a window of the same kind as the
// programs' (a menu bar, buttons, text boxes, option buttons, labels, a picture
// and painted text, in two font faces) written directly against Qt Widgets,
// without the forms platform.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The client area: a fill and a few lines of text painted on it; the controls
// are its children at fixed places.
class Surface final : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return { 597, 420 }; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        int y = 16;
        for (const char* line : { "Είμαι πανέμορφος", "Είμαι πανέξυπνος", "Τυπώνει τον μεγαλύτερο" }) {
            painter.drawText(8, y, QString::fromUtf8(line));
            y += 16;
        }
        painter.drawLine(0, 136, width(), 136);
    }
};

template <class W>
W* at(W* widget, int x, int y, int w, int h)
{
    widget->setGeometry(x, y, w, h);
    return widget;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QMenuBar(&window);
    QMenu* menu = bar->addMenu(QStringLiteral("Μενου Εφαρμογης"));
    menu->addAction(QStringLiteral("Υπολογισμός"));
    menu->addAction(QStringLiteral("Καθαρισμός"));
    menu->addAction(QStringLiteral("Έξοδος"));
    layout->setMenuBar(bar);

    auto* surface = new Surface(&window);
    layout->addWidget(surface);

    QFont sans(QStringLiteral("Liberation Sans"));
    sans.setPixelSize(16);
    const char* captions[] = { "Αριθμος Α", "Αριθμος Β", "Αριθμος Γ" };
    for (int i = 0; i < 3; ++i) {
        auto* label = at(new QLabel(QString::fromUtf8(captions[i]), surface), 30 + 200 * i, 60, 120, 30);
        label->setFont(sans);
        at(new QLineEdit(surface), 30 + 200 * i, 95, 104, 36);
    }
    for (int i = 0; i < 3; ++i)
        at(new QPushButton(QStringLiteral("Button %1").arg(i + 1), surface), 30 + 150 * i, 150, 130, 40);
    for (int i = 0; i < 4; ++i)
        at(new QRadioButton(surface), 30, 210 + 30 * i, 31, 31);

    auto* picture = at(new QLabel(surface), 300, 220, 62, 42);
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/chase_cartoon.bmp")));

    window.show();
    return QApplication::exec();
}
