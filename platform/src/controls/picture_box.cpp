// A picture box: a windowed control showing its picture in a sunken frame,
// named by its picture's description.
#include "controls/picture_box_widget.h"

#include "controls/host.h"
#include "controls/place.h"
#include "forms/controls.h"
#include "forms/picture_density.h"
#include "forms/text.h"

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

PictureBox::PictureBox(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    auto* box = new PictureBoxWidget(PictureSet(row.picture), &host.surface());
    place(*box, row);
    widget_ = box;
}

QString PictureBox::accessibleName(const Description&) const { return qstring(row_.description); }

}  // namespace forms
