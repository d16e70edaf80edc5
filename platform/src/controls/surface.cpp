#include "controls/surface.h"

#include "controls/host.h"
#include "forms/colours.h"
#include "forms/fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

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

namespace {

// The tallest the client area can ever be: the height of the desktop's
// screens, or the window's own height if it was made taller still.
int tallestClientArea(const QWidget& surface)
{
    int tallest = surface.height();
    for (const QScreen* screen : QGuiApplication::screens())
        tallest = std::max(tallest, screen->virtualGeometry().height());
    return tallest;
}

}  // namespace

void Surface::print(const QString& text)
{
    const QFontMetrics metrics(resolveFont(std::nullopt));
    const PrintedLine line { 0, printY_, text };
    printY_ += metrics.height();
    lastPrinted_ = text;
    if (line.y < tallestClientArea(*this)) {
        printed_.push_back(line);
        update(QRect(line.x, line.y, metrics.horizontalAdvance(text) + metrics.maxWidth(), metrics.height()));
    } else {
        ++notKept_;
    }
    host_.printedLinesChanged();
}

void Surface::cls()
{
    printed_.clear();
    notKept_ = 0;
    printY_ = 0;
    update();
    host_.printedLinesChanged();
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveColour(backColor_));

    // Windowless controls, in stored order.
    for (const auto& control : controls_)
        if (!isWindowed(control->kind()) && control->visible())
            control->paint(painter, palette());

    // Printed text is transparent: the BackColor shows between the letters.
    painter.setFont(resolveFont(std::nullopt));
    painter.setPen(palette().color(QPalette::WindowText));
    // Only the lines that cross the region being repainted: the lines stand
    // in order from the top, so the first one is found by halving.
    const QFontMetrics metrics(painter.font());
    const QRect dirty = event->rect();
    auto line = std::lower_bound(printed_.begin(), printed_.end(), dirty.top(),
                                 [&](const PrintedLine& l, int top) { return l.y + metrics.height() <= top; });
    for (; line != printed_.end() && line->y <= dirty.bottom(); ++line)
        painter.drawText(QPoint(line->x, line->y + metrics.ascent()), line->text);
}

}  // namespace forms
