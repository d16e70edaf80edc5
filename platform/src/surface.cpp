#include "widgets.h"

#include "forms/form.h"
#include "forms/look.h"

#include <QFontMetrics>
#include <QPainter>

namespace forms {

ClientArea::ClientArea(Form& form, QWidget* parent)
    : QWidget(parent)
    , form_(form)
{
    setMinimumSize(0, 0);
    resize(sizeHint());
}

QSize ClientArea::sizeHint() const
{
    const WindowRow& w = form_.windowDescription().window;
    return { toPixels(w.clientWidth), toPixels(w.clientHeight) };
}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveColour(form_.backColor()));

    for (const auto& control : form_.controls()) {
        if (isWindowed(control->kind()) || !control->visible())
            continue;
        const ControlRow& row = control->row();
        switch (row.kind) {
        case Kind::Label: {
            const QRect box = pixelRect(row);
            painter.fillRect(box, row.backColor ? resolveColour(*row.backColor)
                                                : palette().color(QPalette::Button));
            painter.save();
            painter.setClipRect(box);
            painter.setFont(resolveFont(row.font));
            painter.setPen(palette().color(QPalette::WindowText));
            // Wrapped at blanks; what does not fit the rectangle is clipped.
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qstring(row.caption));
            painter.restore();
            break;
        }
        case Kind::Image: {
            const auto& image = static_cast<const Image&>(*control);
            painter.drawPixmap(image.rect(), image.picture());
            break;
        }
        case Kind::Line:
            painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
            painter.drawLine(toPixels(row.x1), toPixels(row.y1), toPixels(row.x2), toPixels(row.y2));
            break;
        default:
            break;
        }
    }

    // Printed text is transparent: the BackColor shows between the letters.
    painter.setFont(resolveFont(std::nullopt));
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(painter.font());
    for (const auto& line : form_.printedLines())
        painter.drawText(QPoint(line.x, line.y + metrics.ascent()), line.text);
}

}  // namespace forms
