#include "surface.h"

#include "forms/look.h"
#include "forms/text.h"
#include "host.h"

#include <QFontMetrics>
#include <QPainter>

namespace forms {

Surface::Surface(FormHost& host, const Description& description, const std::vector<std::unique_ptr<Control>>& controls,
                 QWidget* parent)
    : QWidget(parent)
    , host_(host)
    , description_(description)
    , controls_(controls)
    // Without a colour of its own the window takes the desktop's button-face colour.
    , backColor_(description.window.backColor.value_or(0x80000000u | 15u))
{
    setMinimumSize(0, 0);
    resize(sizeHint());
}

QSize Surface::sizeHint() const
{
    return { toPixels(description_.window.clientWidth), toPixels(description_.window.clientHeight) };
}

void Surface::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void Surface::print(const QString& text)
{
    const QFontMetrics metrics(resolveFont(std::nullopt));
    printed_.push_back({ 0, printY_, text });
    printY_ += metrics.height();
    const PrintedLine& line = printed_.back();
    update(QRect(line.x, line.y, metrics.horizontalAdvance(text) + metrics.maxWidth(), metrics.height()));
    host_.printedLinesChanged();
}

void Surface::cls()
{
    printed_.clear();
    printY_ = 0;
    update();
    host_.printedLinesChanged();
}

void Surface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveColour(backColor_));

    for (const auto& control : controls_) {
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
            painter.drawPixmap(image.rect(), image.picture(devicePixelRatioF()));
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
    for (const PrintedLine& line : printed_)
        painter.drawText(QPoint(line.x, line.y + metrics.ascent()), line.text);
}

}  // namespace forms
