#include "widgets.h"

#include "forms/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {

// The desktop colours a description may name, as palette roles:
//   4 menu bar -> Window, 5 window background -> Base, 8 window text -> Text,
//   9 title-bar text -> HighlightedText, 15 button face -> Button,
//   18 button text -> ButtonText. Any other number -> Window.
QPalette::ColorRole systemColourRole(unsigned number)
{
    switch (number) {
    case 4: return QPalette::Window;
    case 5: return QPalette::Base;
    case 8: return QPalette::Text;
    case 9: return QPalette::HighlightedText;
    case 15: return QPalette::Button;
    case 18: return QPalette::ButtonText;
    default: return QPalette::Window;
    }
}

// Fonts are sized for the 120-dpi screen the descriptions were laid out on, in
// logical pixels, so text fits its controls at any DPI.
int pixelSize(double points) { return qRound(points * 120.0 / 72.0); }

}  // namespace

QColor resolveColour(Colour colour)
{
    if (colour & 0x80000000u)
        return QApplication::palette().color(QPalette::Active, systemColourRole(colour & 0xFFu));
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont resolveFont(const std::optional<Font>& font)
{
    QFont result(font ? QString::fromUtf8(font->face.data(), qsizetype(font->face.size()))
                      : QStringLiteral("DejaVu Sans"));
    result.setPixelSize(pixelSize(font ? font->points() : 8.0));
    result.setWeight(QFont::Weight(font ? font->weight : 400));
    if (font) {
        result.setItalic(font->italic);
        result.setUnderline(font->underline);
        result.setStrikeOut(font->strikethrough);
    }
    return result;
}

QRect pixelRect(const ControlRow& row)
{
    return { toPixels(row.left), toPixels(row.top), toPixels(row.width), toPixels(row.height) };
}

QPixmap loadPicture(std::string_view path)
{
    const QString name = QString::fromUtf8(path.data(), qsizetype(path.size()));
    // Every picture is a BMP, which Qt reads itself. Named and with detection
    // off, no image-format plugin is loaded to be asked whether it knows the file.
    QImageReader reader(name, "BMP");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "forms: picture %s is missing from the build (%s)\n", qPrintable(name),
                     qPrintable(reader.errorString()));
        std::abort();
    }
    return QPixmap::fromImage(image);
}

TopLevel::TopLevel(Form& form, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , form_(form)
{
}

void TopLevel::closeEvent(QCloseEvent* event)
{
    event->accept();
    form_.close();
}

ClientArea::ClientArea(Form& form, QWidget* parent)
    : QWidget(parent)
    , form_(form)
{
    const WindowRow& w = form.windowDescription().window;
    setMinimumSize(0, 0);
    resize(toPixels(w.clientWidth), toPixels(w.clientHeight));
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

    for (const auto& control : form_.controls_) {
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
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                             QString::fromUtf8(row.caption.data(), qsizetype(row.caption.size())));
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

PictureBoxWidget::PictureBoxWidget(QPixmap picture, QWidget* parent)
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
    painter.drawPixmap(inner.topLeft(), picture_);
    painter.restore();
    qDrawWinPanel(&painter, rect(), palette(), true);
}

}  // namespace forms
