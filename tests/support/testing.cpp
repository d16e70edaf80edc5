#include "testing.h"

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace forms::testing {

QImage grabClient(const Form& form)
{
    return form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

unsigned rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

void clickAt(const Form& form, QPoint pos)
{
    QWidget* top = form.window();
    const QPoint inWindow = form.clientArea()->mapTo(top, pos);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
}

void click(const Form& form, const Control& control) { clickAt(form, control.widget()->geometry().center()); }

QStringList printedTexts(const Form& form)
{
    QStringList texts;
    for (const auto& line : form.printedLines())
        texts << line.text;
    return texts;
}

QImage withPrintedLines(const Form& form, QImage image, const QStringList& lines)
{
    QPainter painter(&image);
    painter.setFont(form.clientArea()->font());
    painter.setPen(form.clientArea()->palette().color(QPalette::WindowText));
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(0, i * metrics.height() + metrics.ascent()), lines[i]);
    return image;
}

void showForm(Form& form)
{
    form.load();
    form.show();
    if (form.window()->isVisible())
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
}

}  // namespace forms::testing
