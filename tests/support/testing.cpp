#include "testing.h"

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

void showForm(Form& form)
{
    form.load();
    form.show();
    if (form.window()->isVisible())
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
}

}  // namespace forms::testing
