#include "picture_box_widget.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace forms {

PictureBoxWidget::PictureBoxWidget(PictureSet picture, QWidget* parent)
    : QWidget(parent)
    , picture_(std::move(picture))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void PictureBoxWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inner = rect().adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    painter.save();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), picture_.forRatio(devicePixelRatioF()));
    painter.restore();
    qDrawWinPanel(&painter, rect(), palette(), true);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner;
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace forms
