// A line: a one-pixel stroke in the window's text colour between its end points.
#include "forms/controls.h"

#include <QPainter>
#include <QPalette>

namespace forms {

Line::Line(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
}

void Line::paint(QPainter& painter, const QPalette& palette) const
{
    painter.setPen(QPen(palette.color(QPalette::WindowText), 1));
    painter.drawLine(toPixels(row_.x1), toPixels(row_.y1), toPixels(row_.x2), toPixels(row_.y2));
}

}  // namespace forms
