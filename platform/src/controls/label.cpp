// A label: its caption painted on the surface over its own background, and
// the name of the control it belongs to (see labelOf).
#include "forms/controls.h"

#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/text.h"

#include <QPainter>
#include <QPalette>

namespace forms {

Label::Label(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
}

void Label::paint(QPainter& painter, const QPalette& palette) const
{
    const QRect box = pixelRect(row_);
    painter.fillRect(box, row_.backColor ? resolveColour(*row_.backColor) : palette.color(QPalette::Button));
    painter.save();
    painter.setClipRect(box);
    painter.setFont(resolveFont(row_.font));
    painter.setPen(palette.color(QPalette::WindowText));
    // Wrapped at blanks; what does not fit the rectangle is clipped.
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qstring(row_.caption));
    painter.restore();
}

QAccessible::Role Label::accessibleRole() const { return QAccessible::StaticText; }

QString Label::accessibleName(const Description&) const { return qstring(row_.caption); }

}  // namespace forms
